// The application object: every option, the sixteen snippets, the editor font
// and the kind of the next new document, for the life of the process.
#pragma once

#include <cstdint>
#include <string>

#include "app/options.h"
#include "fw/app.h"
#include "fw/dialog.h"
#include "fw/win.h"

namespace kestil {

// Owns one font handle and deletes it.
class FontHandle {
 public:
  FontHandle() = default;
  FontHandle(const FontHandle&) = delete;
  FontHandle& operator=(const FontHandle&) = delete;
  ~FontHandle() { Reset(nullptr); }
  void Reset(HFONT font) {
    if (font_ != nullptr) DeleteObject(font_);
    font_ = font;
  }
  HFONT get() const { return font_; }

 private:
  HFONT font_ = nullptr;
};

// The maker key under which the options live:
// HKEY_CURRENT_USER\Software\Ulmore Soft\kestil.
constexpr wchar_t kRegistryMaker[] = L"Ulmore Soft";

class CKestilApp : public fw::App, public KestilOptions {
 public:
  CKestilApp();
  static CKestilApp& Get() { return *static_cast<CKestilApp*>(fw::App::Current()); }

  // Start-up with the file named on the command line (empty for none).
  bool InitInstance(const std::wstring& file) override;

  // Section "Option" of the application's registry key.
  void LoadOptions();
  void SaveOptions();

  // The kind of the next new document (0 empty, 1 HTML skeleton), then the
  // framework's new-file step.
  void FileNew(std::uint8_t kind);

  // Corrects a number field while the user types (the settings dialog's
  // tab stop): stores the value in number and rewrites the field.
  void ValidateNumberEdit(fw::Dialog& dialog, std::string& text, int id, int& number, int min,
                          int max);

  FontHandle m_EditFont;
  std::uint8_t m_NewDocKind = 0;
};

// The editor font: FixedSys, 14 units high, Shift JIS character set.
HFONT CreateEditorFont();

}  // namespace kestil
