// The application object: every option, the sixteen snippets, the editor font
// and the kind of the next new document, for the life of the process. It is
// also where the program is put together: start-up makes the document, the
// frame and the view and lets each subsystem install its commands.
#pragma once

#include <cstdint>
#include <string>

#include "app/options.h"
#include "fw/app.h"
#include "fw/font.h"

namespace kestil {

// The maker key under which the options live:
// HKEY_CURRENT_USER\Software\Ulmore Soft\kestil.
constexpr wchar_t kRegistryMaker[] = L"Ulmore Soft";

class CKestilApp : public fw::App, public KestilOptions {
 public:
  CKestilApp();

  // Start-up with the file named on the command line (empty for none).
  bool InitInstance(const std::wstring& file) override;

  // Section "Option" of the application's registry key.
  void LoadOptions();
  void SaveOptions();

  // The kind of the next new document (0 empty, 1 HTML skeleton), then the
  // framework's new-file step.
  void FileNew(std::uint8_t kind);

  fw::FontHandle m_EditFont;
  std::uint8_t m_NewDocKind = 0;
};

}  // namespace kestil
