// The application object: every option, the sixteen snippets, the editor font
// and the kind of the next new document, for the life of the process.
#pragma once

#include <cstdint>
#include <memory>

#include "app/options.h"
#include "fw/registry_profile.h"
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

// Where the options live: HKEY_CURRENT_USER\Software\Ulmore Soft\kestil.
constexpr wchar_t kRegistryMaker[] = L"Ulmore Soft";
constexpr wchar_t kApplicationName[] = L"kestil";

class CKestilApp : public KestilOptions {
 public:
  CKestilApp();

  // Section "Option" of the application's registry key.
  void LoadOptions();
  void SaveOptions() const;
  using KestilOptions::LoadOptions;
  using KestilOptions::SaveOptions;

  kestil::Profile& profile() const { return *profile_; }

  FontHandle m_EditFont;
  std::uint8_t m_NewDocKind = 0;

 private:
  std::unique_ptr<fw::RegistryProfile> profile_;
};

// The editor font: FixedSys, 14 units high, Shift JIS character set.
HFONT CreateEditorFont();

}  // namespace kestil
