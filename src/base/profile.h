// The per-user option store: integers and UTF-16 strings by section and
// value name (ASCII), as the registry holds them under the application's key.
#pragma once

#include <map>
#include <string>
#include <utility>

namespace kestil {

class Profile {
 public:
  virtual ~Profile() = default;
  // A value that is missing, of the wrong type or unreadable gives the default.
  virtual int GetInt(const std::string& section, const std::string& name, int def) = 0;
  virtual std::u16string GetString(const std::string& section, const std::string& name,
                                   const std::u16string& def) = 0;
  // Failures are silent: the value is lost.
  virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
  virtual void WriteString(const std::string& section, const std::string& name,
                           const std::u16string& value) = 0;
};

// A value name for a numbered slot: format holds one "%02d".
std::string SlotName(const char* format, int slot);

// A Profile in memory.
class MemoryProfile final : public Profile {
 public:
  struct Value {
    bool is_int = false;
    int number = 0;
    std::u16string text;
  };
  using Key = std::pair<std::string, std::string>;  // section, name

  int GetInt(const std::string& section, const std::string& name, int def) override;
  std::u16string GetString(const std::string& section, const std::string& name,
                           const std::u16string& def) override;
  void WriteInt(const std::string& section, const std::string& name, int value) override;
  void WriteString(const std::string& section, const std::string& name,
                   const std::u16string& value) override;

  std::map<Key, Value>& values() { return values_; }

 private:
  std::map<Key, Value> values_;
};

}  // namespace kestil
