#include "base/profile.h"

#include <cstdio>

namespace kestil {

std::string SlotName(const char* format, int slot) {
  char name[32];
  std::snprintf(name, sizeof name, format, slot);
  return name;
}

int MemoryProfile::GetInt(const std::string& section, const std::string& name, int def) {
  const auto it = values_.find({section, name});
  return it != values_.end() && it->second.is_int ? it->second.number : def;
}

std::u16string MemoryProfile::GetString(const std::string& section, const std::string& name,
                                        const std::u16string& def) {
  const auto it = values_.find({section, name});
  return it != values_.end() && !it->second.is_int ? it->second.text : def;
}

void MemoryProfile::WriteInt(const std::string& section, const std::string& name, int value) {
  values_[{section, name}] = Value{true, value, {}};
}

void MemoryProfile::WriteString(const std::string& section, const std::string& name,
                                const std::u16string& value) {
  values_[{section, name}] = Value{false, 0, value};
}

}  // namespace kestil
