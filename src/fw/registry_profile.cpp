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

bool OpenForWrite(const std::wstring& path, Key& key) {
  return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                         KEY_SET_VALUE, nullptr, key.out(), nullptr) == ERROR_SUCCESS;
}

}  // namespace

RegistryProfile::RegistryProfile(const std::wstring& maker, const std::wstring& application)
    : key_path_(maker.empty() ? L"Software\\" + application
                              : L"Software\\" + maker + L"\\" + application) {}

RegistryProfile::~RegistryProfile() { ForgetKeys(); }

void RegistryProfile::ForgetKeys() {
  for (const auto& [section, key] : read_keys_) {
    if (key != nullptr) RegCloseKey(key);
  }
  read_keys_.clear();
}

HKEY RegistryProfile::ReadKey(const std::string& section) {
  if (const auto it = read_keys_.find(section); it != read_keys_.end()) return it->second;
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, SectionPath(section).c_str(), 0, KEY_QUERY_VALUE, &key) !=
      ERROR_SUCCESS) {
    key = nullptr;
  }
  read_keys_.emplace(section, key);
  return key;
}

// A write may have made the key that a read found missing.
void RegistryProfile::ForgetMissing(const std::string& section) {
  if (const auto it = read_keys_.find(section); it != read_keys_.end() && it->second == nullptr) {
    read_keys_.erase(it);
  }
}

std::wstring RegistryProfile::SectionPath(const std::string& section) const {
  return key_path_ + L"\\" + AsciiWide(section);
}

int RegistryProfile::GetInt(const std::string& section, const std::string& name, int def) {
  HKEY key = ReadKey(section);
  if (key == nullptr) return def;
  DWORD type = 0;
  DWORD value = 0;
  DWORD size = sizeof value;
  const LONG rc = RegQueryValueExW(key, AsciiWide(name).c_str(), nullptr, &type,
                                   reinterpret_cast<BYTE*>(&value), &size);
  if (rc != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value) return def;
  return static_cast<int>(value);
}

std::u16string RegistryProfile::GetString(const std::string& section, const std::string& name,
                                          const std::u16string& def) {
  HKEY key = ReadKey(section);
  if (key == nullptr) return def;
  const std::wstring wname = AsciiWide(name);
  // Most values fit the first buffer; a longer one is read again at its size.
  std::vector<wchar_t> buffer(256, L'\0');
  DWORD type = 0;
  DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  LONG rc = RegQueryValueExW(key, wname.c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(buffer.data()), &got);
  if (rc == ERROR_MORE_DATA) {
    if (type != REG_SZ || got > kMaxStringUnits * sizeof(wchar_t)) return def;
    // The value may grow between the two calls; a second failure gives the default.
    buffer.assign(got / sizeof(wchar_t) + 1, L'\0');
    got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    rc = RegQueryValueExW(key, wname.c_str(), nullptr, &type,
                          reinterpret_cast<BYTE*>(buffer.data()), &got);
  }
  if (rc != ERROR_SUCCESS || type != REG_SZ) return def;
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
  ForgetMissing(section);
  const DWORD data = static_cast<DWORD>(value);
  RegSetValueExW(key.get(), AsciiWide(name).c_str(), 0, REG_DWORD,
                 reinterpret_cast<const BYTE*>(&data), sizeof data);
}

void RegistryProfile::WriteString(const std::string& section, const std::string& name,
                                  const std::u16string& value) {
  Key key;
  if (!OpenForWrite(SectionPath(section), key)) return;
  ForgetMissing(section);
  const std::wstring data = AsWide(value);
  RegSetValueExW(key.get(), AsciiWide(name).c_str(), 0, REG_SZ,
                 reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
}

}  // namespace fw
