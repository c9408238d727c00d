#include "fw/registry_profile.h"

#include <vector>

#include "fw/text.h"
#include "fw/win.h"

namespace fw {
namespace {

// Closes a registry key when it goes out of scope.
class Key {
 public:
  Key() = default;
  Key(const Key&) = delete;
  Key& operator=(const Key&) = delete;
  ~Key() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool OpenForRead(const std::wstring& path, Key& key) {
  return RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_QUERY_VALUE, key.out()) ==
         ERROR_SUCCESS;
}

bool OpenForWrite(const std::wstring& path, Key& key) {
  return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_SET_VALUE, nullptr, key.out(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

RegistryProfile::RegistryProfile(const std::wstring& maker, const std::wstring& application)
    : key_path_(maker.empty() ? L"Software\\" + application
                              : L"Software\\" + maker + L"\\" + application) {}

std::wstring RegistryProfile::SectionPath(const std::string& section) const {
  return key_path_ + L"\\" + AsciiWide(section);
}

int RegistryProfile::GetInt(const std::string& section, const std::string& name, int def) {
  Key key;
  if (!OpenForRead(SectionPath(section), key)) return def;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG rc = RegQueryValueExW(key.get(), AsciiWide(name).c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(&value), &size);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return def;
  return static_cast<int>(value);
}

std::u16string RegistryProfile::GetString(const std::string& section, const std::string& name,
                                          const std::u16string& def) {
  Key key;
  if (!OpenForRead(SectionPath(section), key)) return def;
  const std::wstring wname = AsciiWide(name);
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.get(), wname.c_str(), nullptr, &type, nullptr, &size) !=
          ERROR_SUCCESS ||
      type != REG_SZ || size > kMaxStringUnits * sizeof(wchar_t)) {
    return def;
  }
  // The value may grow between the two calls; a second failure gives the default.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.get(), wname.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return def;
  }
  std::wstring_view text(buffer.data(), got / sizeof(wchar_t));
  // Like every reader of REG_SZ, stop at the first NUL.
  if (const auto nul = text.find(L'\0'); nul != std::wstring_view::npos) {
    text = text.substr(0, nul);
  }
  return AsU16(text);
}

void RegistryProfile::WriteInt(const std::string& section, const std::string& name,
                               int value) {
  Key key;
  if (!OpenForWrite(SectionPath(section), key)) return;
  const DWORD data = static_cast<DWORD>(value);
  RegSetValueExW(key.get(), AsciiWide(name).c_str(), 0, REG_DWORD,
                 reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void RegistryProfile::WriteString(const std::string& section, const std::string& name,
                                  const std::u16string& value) {
  Key key;
  if (!OpenForWrite(SectionPath(section), key)) return;
  const std::wstring data = AsWide(value);
  RegSetValueExW(key.get(), AsciiWide(name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace fw
