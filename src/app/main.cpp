// kestil.exe: the application object, start-up with the file named on the
// command line, and the message loop.
#include "fw/win.h"

#include <shellapi.h>

#include <string>

#include "app/kestil_app.h"

namespace {

kestil::CKestilApp theApp;  // NOLINT(cert-err58-cpp): the one application object, made before start-up

std::wstring CommandLineFile() {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring file = (argv != nullptr && argc > 1) ? argv[1] : L"";
  LocalFree(argv);
  return file;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  if (!theApp.InitInstance(CommandLineFile())) return 0;
  return theApp.Run();
}
