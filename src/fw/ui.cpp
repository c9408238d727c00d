#include "fw/ui.h"

#include <commdlg.h>

#include "res/resource.h"

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
  ofn.lpstrInitialDir = r.initial_dir.empty() ? nullptr : r.initial_dir.c_str();
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
  return MessageBoxW(owner, text.c_str(), caption.c_str(), flags);
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
