#include "fw/shell_registration.h"

#include <cstring>
#include <vector>

#include "fw/win.h"

namespace fw {
namespace {

// Whether the value is stored with exactly this type and data. Every start
// registers again; a value already in place is left alone, so that a start
// does not mark the user's hive changed or wake whoever watches the keys.
bool Holds(const std::wstring& key_path, const wchar_t* name, DWORD type, const void* data,
           DWORD size) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    return false;
  }
  // One spare unit tells a longer stored value from an equal one.
  std::vector<BYTE> stored(size + sizeof(wchar_t));
  DWORD stored_type = 0;
  DWORD stored_size = static_cast<DWORD>(stored.size());
  const LONG rc = RegQueryValueExW(key, name, nullptr, &stored_type, stored.data(), &stored_size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS && stored_type == type && stored_size == size &&
         (size == 0 || std::memcmp(stored.data(), data, size) == 0);
}

// Writes the value unless it is already stored: the number of values written.
int Put(const std::wstring& key_path, const wchar_t* name, DWORD type, const void* data,
        DWORD size) {
  if (Holds(key_path, name, type, data, size)) return 0;
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, key_path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return 0;
  }
  const LONG rc = RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS ? 1 : 0;
}

int PutString(const std::wstring& key_path, const wchar_t* name, const std::wstring& value) {
  return Put(key_path, name, REG_SZ, value.c_str(),
             static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
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

int RegisterDocumentType(const DocumentType& t) {
  const std::wstring classes = L"Software\\Classes\\";
  const std::wstring prog = classes + t.prog_id;
  int written = 0;
  written += PutString(prog, nullptr, t.name);
  written += PutString(prog + L"\\DefaultIcon", nullptr,
                       L"\"" + t.executable + L"\"," + std::to_wstring(t.icon_index));
  written += PutString(prog + L"\\shell\\open\\command", nullptr,
                       L"\"" + t.executable + L"\" \"%1\"");

  const std::wstring ext = classes + t.extension;
  // Open-with list: an empty value named after the document type.
  written += Put(ext + L"\\OpenWithProgids", t.prog_id.c_str(), REG_NONE, nullptr, 0);
  // The extension becomes ours only where nothing claims it yet.
  if (!HasDefault(HKEY_CURRENT_USER, ext) && !HasDefault(HKEY_CLASSES_ROOT, t.extension)) {
    written += PutString(ext, nullptr, t.prog_id);
  }
  return written;
}

}  // namespace fw
