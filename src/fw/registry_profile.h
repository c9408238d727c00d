// The option store in the per-user registry, under the key
// HKEY_CURRENT_USER, Software, maker, application, section: integers as
// REG_DWORD, strings as REG_SZ.
#pragma once

#include <string>

#include "base/profile.h"

namespace fw {

class RegistryProfile final : public kestil::Profile {
 public:
  // Strings longer than this many UTF-16 units are taken as unreadable.
  static constexpr unsigned long kMaxStringUnits = 4u << 20;

  RegistryProfile(const std::wstring& maker, const std::wstring& application);

  int GetInt(const std::string& section, const std::string& name, int def) override;
  std::u16string GetString(const std::string& section, const std::string& name,
                           const std::u16string& def) override;
  void WriteInt(const std::string& section, const std::string& name, int value) override;
  void WriteString(const std::string& section, const std::string& name,
                   const std::u16string& value) override;

 private:
  std::wstring SectionPath(const std::string& section) const;

  std::wstring key_path_;
};

}  // namespace fw
