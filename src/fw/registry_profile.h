// The option store in the per-user registry, under the key
// HKEY_CURRENT_USER, Software, maker, application, section: integers as
// REG_DWORD, strings as REG_SZ.
#pragma once

#include <map>
#include <string>

#include "base/profile.h"
#include "fw/win.h"

namespace fw {

class RegistryProfile final : public kestil::Profile {
 public:
  // Strings longer than this many UTF-16 units are taken as unreadable.
  static constexpr unsigned long kMaxStringUnits = 4u << 20;

  RegistryProfile(const std::wstring& maker, const std::wstring& application);
  ~RegistryProfile() override;
  RegistryProfile(const RegistryProfile&) = delete;
  RegistryProfile& operator=(const RegistryProfile&) = delete;

  // A section's key, once opened for reading, stays open (and a missing one
  // stays missing) until this is called: reading forty options then costs
  // one opening, not forty. The message loop calls it whenever it is idle,
  // so that what another program writes meanwhile is seen at the next read.
  void ForgetKeys();

  int GetInt(const std::string& section, const std::string& name, int def) override;
  std::u16string GetString(const std::string& section, const std::string& name,
                           const std::u16string& def) override;
  void WriteInt(const std::string& section, const std::string& name, int value) override;
  void WriteString(const std::string& section, const std::string& name,
                   const std::u16string& value) override;

 private:
  std::wstring SectionPath(const std::string& section) const;
  // The section's key opened for reading, or nullptr when it is missing.
  HKEY ReadKey(const std::string& section);
  void ForgetMissing(const std::string& section);

  std::wstring key_path_;
  std::map<std::string, HKEY> read_keys_;
};

}  // namespace fw
