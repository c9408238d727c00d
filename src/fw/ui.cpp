#include "fw/ui.h"

#include <cderr.h>
#include <winspool.h>
#include <commdlg.h>

#include "fw/ids.h"

namespace fw {
namespace {

UiServices* g_services = nullptr;

std::wstring FilterWithNulls(const std::wstring& filter) {
  std::wstring out = filter;
  for (wchar_t& c : out) {
    if (c == L'|') c = L'\0';
  }
  return out;
}

// The folder the dialog may start in: the one asked for when it exists and
// fits the dialog's buffers of MAX_PATH characters (a longer one crashes the
// platform's dialog), else its nearest parent that does, else none.
std::wstring UsableInitialDir(std::wstring dir) {
  while (!dir.empty()) {
    if (dir.size() < MAX_PATH) {
      const DWORD attributes = GetFileAttributesW(dir.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return dir;
      }
    }
    const auto slash = dir.find_last_of(L"\\/");
    if (slash == std::wstring::npos) break;
    std::wstring parent = dir.substr(0, slash);
    if (parent.size() == 2 && parent[1] == L':') parent += L'\\';  // a drive's root
    if (parent.size() >= dir.size()) break;
    dir = std::move(parent);
  }
  return {};
}

bool RunFileDialog(FileDialogRequest& r, bool save) {
  std::wstring filter = FilterWithNulls(r.filter);
  std::vector<wchar_t> name(32768, L'\0');
  r.file_name.copy(name.data(), std::min(r.file_name.size(), name.size() - 1));
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = r.owner;
  ofn.lpstrFilter = filter.empty() ? nullptr : filter.c_str();
  ofn.nFilterIndex = static_cast<DWORD>(r.filter_index);
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  const std::wstring initial_dir = UsableInitialDir(r.initial_dir);
  ofn.lpstrInitialDir = initial_dir.empty() ? nullptr : initial_dir.c_str();
  ofn.lpstrDefExt = r.default_ext.empty() ? nullptr : r.default_ext.c_str();
  ofn.Flags = r.flags | OFN_EXPLORER | OFN_ENABLESIZING;
  const BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!ok) return false;
  r.file_name = name.data();
  r.filter_index = static_cast<int>(ofn.nFilterIndex);
  return true;
}

}  // namespace

int UiServices::MessageBox(HWND owner, const std::wstring& text, const std::wstring& caption,
                           UINT flags) {
  return ::MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
}

bool UiServices::OpenFile(FileDialogRequest& request) { return RunFileDialog(request, false); }

bool UiServices::SaveFile(FileDialogRequest& request) { return RunFileDialog(request, true); }

bool UiServices::PickColor(HWND owner, COLORREF& color) {
  // White until the user changes them; kept for the life of the process.
  static COLORREF custom[16] = {0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
                                0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
  CHOOSECOLORW cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = owner;
  cc.rgbResult = color;
  cc.lpCustColors = custom;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  if (!::ChooseColorW(&cc)) return false;
  color = cc.rgbResult;
  return true;
}

void UiServices::ShellOpen(HWND owner, const std::wstring& path) {
  ShellExecuteW(owner, L"open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

namespace {

// The printer set-up's choice, for later prints.
HGLOBAL g_dev_mode = nullptr;
HGLOBAL g_dev_names = nullptr;

bool AnyPrinter() {
  DWORD needed = 0;
  DWORD count = 0;
  EnumPrintersW(PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS, nullptr, 4, nullptr, 0, &needed,
                &count);
  return needed > 0;
}

PrinterResult RunPrintDialog(HWND owner, DWORD flags, HDC* dc) {
  // Without a printer the dialog would only stop on a message of its own.
  if (!AnyPrinter()) return PrinterResult::kNoPrinter;
  PRINTDLGW pd{};
  pd.lStructSize = sizeof pd;
  pd.hwndOwner = owner;
  // The default printer is asked for with no printer of our own (the
  // dialog refuses PD_RETURNDEFAULT with handles).
  const bool default_only = (flags & PD_RETURNDEFAULT) != 0;
  pd.hDevMode = default_only ? nullptr : g_dev_mode;
  pd.hDevNames = default_only ? nullptr : g_dev_names;
  pd.Flags = flags;
  pd.nCopies = 1;
  pd.nFromPage = pd.nMinPage = 1;
  pd.nToPage = pd.nMaxPage = 0xFFFF;
  const BOOL ok = PrintDlgW(&pd);
  if (default_only && ok) {
    // The chosen printer could not be opened: the default takes its place.
    if (g_dev_mode != nullptr) GlobalFree(g_dev_mode);
    if (g_dev_names != nullptr) GlobalFree(g_dev_names);
  }
  if (!default_only || ok) {
    g_dev_mode = pd.hDevMode;
    g_dev_names = pd.hDevNames;
  }
  if (!ok) {
    const DWORD error = CommDlgExtendedError();
    return error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES ||
                   error == PDERR_PRINTERNOTFOUND
               ? PrinterResult::kNoPrinter
               : PrinterResult::kCancelled;
  }
  if (dc != nullptr) *dc = pd.hDC;
  return PrinterResult::kOk;
}

}  // namespace

PrinterResult UiServices::OpenPrintTarget(HWND owner, bool ask, PrintTarget* target) {
  HDC dc = nullptr;
  const DWORD flags = PD_RETURNDC | PD_NOSELECTION | PD_NOPAGENUMS | (ask ? 0 : PD_RETURNDEFAULT);
  if (!ask && g_dev_names != nullptr) {
    // The printer chosen in the set-up, without asking.
    auto* names = static_cast<DEVNAMES*>(GlobalLock(g_dev_names));
    const auto* base = reinterpret_cast<const wchar_t*>(names);
    auto* mode = g_dev_mode != nullptr ? static_cast<DEVMODEW*>(GlobalLock(g_dev_mode)) : nullptr;
    dc = CreateDCW(base + names->wDriverOffset, base + names->wDeviceOffset, nullptr, mode);
    if (mode != nullptr) GlobalUnlock(g_dev_mode);
    GlobalUnlock(g_dev_names);
  }
  if (dc == nullptr) {
    const PrinterResult result = RunPrintDialog(owner, flags, &dc);
    if (result != PrinterResult::kOk) return result;
  }
  if (dc == nullptr) return PrinterResult::kNoPrinter;
  target->dc = dc;
  target->page_width = GetDeviceCaps(dc, HORZRES);
  target->page_height = GetDeviceCaps(dc, VERTRES);
  target->dpi_x = GetDeviceCaps(dc, LOGPIXELSX);
  target->dpi_y = GetDeviceCaps(dc, LOGPIXELSY);
  return PrinterResult::kOk;
}

PrinterResult UiServices::PrinterSetup(HWND owner) {
  return RunPrintDialog(owner, PD_PRINTSETUP, nullptr);
}

bool FileExists(const std::wstring& path) {
  if (path.empty()) return false;
  WIN32_FIND_DATAW data{};
  HANDLE h = FindFirstFileW(path.c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return false;
  FindClose(h);
  return true;
}

namespace {
HWND g_modeless = nullptr;
}  // namespace

void SetModelessDialog(HWND dialog) { g_modeless = dialog; }
HWND ModelessDialog() { return g_modeless; }

UiServices& Ui() {
  static UiServices real;
  return g_services != nullptr ? *g_services : real;
}

void SetUi(UiServices* services) { g_services = services; }

std::wstring LoadResString(UINT id) {
  const wchar_t* text = nullptr;
  const int length =
      LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

std::wstring PromptOf(UINT id) {
  const std::wstring s = LoadResString(id);
  return s.substr(0, s.find(L'\n'));
}

std::wstring TooltipOf(UINT id) {
  const std::wstring s = LoadResString(id);
  const auto lf = s.find(L'\n');
  return lf == std::wstring::npos ? std::wstring() : s.substr(lf + 1);
}

std::wstring Format(const std::wstring& pattern, const std::vector<std::wstring>& args) {
  std::wstring out;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == L'%' && i + 1 < pattern.size() && pattern[i + 1] >= L'1' &&
        pattern[i + 1] <= L'9') {
      const std::size_t n = static_cast<std::size_t>(pattern[i + 1] - L'1');
      if (n < args.size()) out += args[n];
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

std::wstring AppName() {
  std::wstring name = LoadResString(IDS_APP_NAME);
  return name.empty() ? L"kestil" : name;
}

int Message(HWND owner, const std::wstring& text, UINT flags) {
  return Ui().MessageBox(owner, text, AppName(), flags);
}

}  // namespace fw
