// The option store in the registry of the test prefix.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/kestil_app.h"
#include "corpus.h"
#include "fw/registry_profile.h"
#include "fw/win.h"

namespace kestil::testing {
namespace {

constexpr wchar_t kOptionKey[] = L"Software\\Ulmore Soft\\kestil\\Option";

class Registry : public ::testing::Test {
 protected:
  void SetUp() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ulmore Soft"); }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Ulmore Soft"); }

  static void SetRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kOptionKey, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
    RegCloseKey(key);
  }

  struct Stored {
    std::wstring name;
    DWORD type;
  };
  static std::vector<Stored> Enumerate() {
    std::vector<Stored> out;
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kOptionKey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return out;
    }
    for (DWORD i = 0;; ++i) {
      wchar_t name[256];
      DWORD length = 256;
      DWORD type = 0;
      if (RegEnumValueW(key, i, name, &length, nullptr, &type, nullptr, nullptr) !=
          ERROR_SUCCESS) {
        break;
      }
      out.push_back({name, type});
    }
    RegCloseKey(key);
    return out;
  }

  fw::RegistryProfile profile_{L"Ulmore Soft", L"kestil"};
};

TEST_F(Registry, BadValuesGiveTheDefault) {
  SetRaw(L"m_TabStop", REG_SZ, L"8", 4);
  const DWORD seven = 7;
  SetRaw(L"m_RegStr_01", REG_DWORD, &seven, sizeof seven);
  SetRaw(L"m_TagStrType", REG_BINARY, "\1\0\0", 3);
  SetRaw(L"m_LastOpenFilter", REG_QWORD, "\1\0\0\0\0\0\0\0", 8);
  SetRaw(L"m_RegStr_02", REG_EXPAND_SZ, L"%PATH%", 14);
  // Not terminated, an odd byte count, and a NUL inside.
  SetRaw(L"m_RegStr_03", REG_SZ, L"abc", 6);
  SetRaw(L"m_RegStr_04", REG_SZ, L"abc", 5);
  SetRaw(L"m_RegStr_05", REG_SZ, L"ab\0cd", 12);
  const std::wstring huge(fw::RegistryProfile::kMaxStringUnits + 1, L'x');
  SetRaw(L"m_RegStr_06", REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() * 2 + 2));

  CKestilApp app;
  app.SetRegistryKey(kRegistryMaker);
  app.LoadOptions();
  EXPECT_EQ(app.m_TabStop, 4);
  EXPECT_EQ(app.m_RegStr[1], "");
  EXPECT_EQ(app.m_TagStrType, 0);
  EXPECT_EQ(app.m_LastOpenFilter, 0);
  EXPECT_EQ(app.m_RegStr[2], "");
  EXPECT_EQ(app.m_RegStr[3], "abc");
  EXPECT_EQ(app.m_RegStr[4].substr(0, 2), "ab");
  EXPECT_EQ(app.m_RegStr[5], "ab");
  EXPECT_EQ(app.m_RegStr[6], "");
  // Saving writes sane values over the bad ones.
  app.SaveOptions();
  EXPECT_EQ(profile_.GetInt("Option", "m_TabStop", -1), 4);
  EXPECT_EQ(profile_.GetString("Option", "m_RegStr_06", "x"), "");
}

}  // namespace
}  // namespace kestil::testing
