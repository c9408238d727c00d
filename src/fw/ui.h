// Message boxes, common file dialogs and resource strings. The program goes
// through Ui() for every message box and file dialog, so that tests can
// answer them in place of a person.
#pragma once

#include <new>
#include <string>
#include <vector>

#include "fw/ids.h"
#include "fw/printing.h"
#include "fw/win.h"

namespace fw {

struct FileDialogRequest {
  HWND owner = nullptr;
  std::wstring filter;       // pairs "description|pattern|...", ended by "||"
  int filter_index = 0;      // 1-based; 0 is the first
  std::wstring initial_dir;
  std::wstring file_name;    // in: proposed name; out: chosen path
  std::wstring default_ext;  // without the point; empty for none
  DWORD flags = 0;
};

class UiServices {
 public:
  virtual ~UiServices() = default;
  virtual int MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                         UINT flags);
  // True when the user confirmed; request.file_name and filter_index then hold
  // the choice.
  virtual bool OpenFile(FileDialogRequest& request);
  virtual bool SaveFile(FileDialogRequest& request);
  // The colour dialog, fully open, starting on color; true with the choice
  // in color on OK. Its sixteen custom colours are shared by the process.
  virtual bool PickColor(HWND owner, COLORREF& color);
  // The printer to print on (ask: the print dialog) or, for a preview, the
  // one chosen in the printer set-up or the default one. The caller deletes
  // target->dc.
  virtual PrinterResult OpenPrintTarget(HWND owner, bool ask, PrintTarget* target);
  // The printer set-up dialog; its choice is used by later prints.
  virtual PrinterResult PrinterSetup(HWND owner);
  // The shell's "open" verb on a file, shown normally.
  virtual void ShellOpen(HWND owner, const std::wstring& path);
};

UiServices& Ui();
// Replaces the services (tests); null restores the real ones.
void SetUi(UiServices* services);

std::wstring LoadResString(UINT id);
// The part of a prompt string before its line feed, and the part after it.
std::wstring PromptOf(UINT id);
std::wstring TooltipOf(UINT id);
// Replaces %1, %2 ... by the arguments.
std::wstring Format(const std::wstring& pattern, const std::vector<std::wstring>& args);

// The open modeless dialog (find or replace), which the message loop gives
// its keyboard messages; null for none.
void SetModelessDialog(HWND dialog);
HWND ModelessDialog();

// True when a directory search finds an entry (a file or a folder) at path.
bool FileExists(const std::wstring& path);

// The application's name (string IDS_APP_NAME), the caption of its message boxes.
std::wstring AppName();
// A message box with the application's name as caption.
int Message(HWND owner, const std::wstring& text, UINT flags = MB_OK);

// Runs a handler inside a window procedure: an exhausted memory ends it with
// a message instead of crossing into the system's code.
template <class F>
void RunGuarded(HWND owner, F&& handler) {
  try {
    handler();
  } catch (const std::bad_alloc&) {
    Message(owner, LoadResString(IDS_OUT_OF_MEMORY), MB_OK | MB_ICONEXCLAMATION);
  }
}

}  // namespace fw
