#include "fw/shell_registration.h"

#include "fw/win.h"

namespace fw {
namespace {

void SetString(const std::wstring& key_path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return;
  }
  RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                 static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

bool HasDefault(HKEY root, const std::wstring& key_path) {
  wchar_t value[512] = {};
  DWORD size = sizeof value;
  DWORD type = 0;
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, key_path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
    return false;
  }
  const LONG rc = RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value),
                                   &size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && type == REG_SZ && value[0] != L'\0';
}

}  // namespace

void RegisterDocumentType(const DocumentType& t) {
  const std::wstring classes = L"Software\\Classes\\";
  const std::wstring prog = classes + t.prog_id;
  SetString(prog, nullptr, t.name);
  SetString(prog + L"\\DefaultIcon", nullptr,
            L"\"" + t.executable + L"\"," + std::to_wstring(t.icon_index));
  SetString(prog + L"\\shell\\open\\command", nullptr, L"\"" + t.executable + L"\" \"%1\"");

  const std::wstring ext = classes + t.extension;
  // Open-with list: an empty value named after the document type.
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, (ext + L"\\OpenWithProgids").c_str(), 0, nullptr,
                      REG_OPTION_NON_VOLATILE, KEY_SET_VALUE, nullptr, &key,
                      nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, t.prog_id.c_str(), 0, REG_NONE, nullptr, 0);
    RegCloseKey(key);
  }
  // The extension becomes ours only where nothing claims it yet.
  if (!HasDefault(HKEY_CURRENT_USER, ext) && !HasDefault(HKEY_CLASSES_ROOT, t.extension)) {
    SetString(ext, nullptr, t.prog_id);
  }
}

}  // namespace fw
