// Whatever the registry holds, Kestil reads defaults or the values as they
// are, starts, works, and writes values of the right types back on close.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options.h"
#include "fw/registry_profile.h"
#include "fw/text.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

const std::wstring kRoot = L"Software\\Ulmore Soft\\kestil\\";

struct Value {
  std::wstring section;
  std::wstring name;
  bool is_string;
};

std::vector<Value> AllValues() {
  std::vector<Value> values = {{L"Bar", L"ToolBar", false}, {L"Dialog\\Grad", L"m_RegCount", false},
                               {L"Dialog\\Grad", L"DefStr", true}, {L"Dialog\\Grad", L"DefStColor", false},
                               {L"Option", L"m_LastOpenDir", true}};
  for (const wchar_t* name : {L"m_TopMost", L"m_LastColor", L"m_TagStrType", L"m_TabStop"}) {
    values.push_back({L"Option", name, false});
  }
  for (int n = 0; n < 16; ++n) {
    const std::wstring nn = (n < 10 ? L"0" : L"") + std::to_wstring(n);
    values.push_back({L"Option", L"m_RegStr_" + nn, true});
    values.push_back({L"Dialog\\Grad", L"m_RegTitle_" + nn, true});
    values.push_back({L"Dialog\\Grad", L"m_RegStColor_" + nn, false});
  }
  return values;
}

void Put(const Value& v, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, (kRoot + v.section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                  nullptr, &key, nullptr);
  RegSetValueExW(key, v.name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

// 0: strings where numbers belong and numbers where strings belong;
// 1: 2147483647 and 1 MB strings of units that are no characters;
// 2: -1 and 1 MB of bytes that are not code page 932, stored by the ANSI
//    functions; 3: binary values and strings of an odd length, unterminated.
void Fill(int variant) {
  const std::wstring mega_units(1 << 20, L'\xDC85');
  std::string mega_bytes(1 << 20, '\x81');
  for (std::size_t i = 1; i < mega_bytes.size(); i += 2) mega_bytes[i] = '\x7F';
  const DWORD numbers[] = {12, 2147483647, 0xFFFFFFFF};
  for (const Value& v : AllValues()) {
    if (variant == 3) {
      Put(v, v.is_string ? REG_SZ : REG_BINARY, L"abc", 3);
    } else if (variant == 0 && !v.is_string) {
      Put(v, REG_SZ, L"12", 6);
    } else if (variant == 0 || !v.is_string) {
      Put(v, REG_DWORD, &numbers[variant], 4);
    } else if (variant == 1) {
      Put(v, REG_SZ, mega_units.c_str(), static_cast<DWORD>(mega_units.size() * 2 + 2));
    } else {
      HKEY key = nullptr;
      RegCreateKeyExA(HKEY_CURRENT_USER, Utf8Of(kRoot + v.section).c_str(), 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr);
      RegSetValueExA(key, Utf8Of(v.name).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(mega_bytes.c_str()),
                     static_cast<DWORD>(mega_bytes.size() + 1));
      RegCloseKey(key);
    }
  }
}

class HostileRegistry : public AppTest, public ::testing::WithParamInterface<int> {};

TEST_P(HostileRegistry, StartsWorksAndWritesSaneValues) {
  Fill(GetParam());
  ASSERT_TRUE(Start());
  // Any number but 0 means upper-case tags; strings and binary values read 0.
  const bool upper = GetParam() == 1 || GetParam() == 2;
  View().edit().SetText(Sjis("x"));
  View().edit().SetSel(1, 1);
  Command(ID_TAG_BR);
  EXPECT_EQ(View().edit().GetText(), upper ? u"x<BR>\r\n" : u"x<br>\r\n");
  HMENU snippets = GetSubMenu(GetMenu(Frame()), 5);
  SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(snippets), 5);
  DialogDriver driver;  // the dialog reads the gradient values, and writes them on close
  driver.Then([](HWND dlg) {
    EXPECT_LE(SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0), 16);
    DialogDriver::Click(dlg, IDCANCEL);
  });
  Command(ID_GRADIENT);
  EXPECT_TRUE(driver.all_done());
  ui_.answers = {IDNO};
  Close();
  EXPECT_EQ(App().frame()->hwnd(), nullptr);
  // The gradient pairs are rewritten up to the count read, those above it
  // left alone.
  const int count = fw::RegistryProfile(kRegistryMaker, L"kestil").GetInt("Dialog\\Grad", "m_RegCount", -1);
  EXPECT_TRUE(count >= 0 && count <= 16) << count;
  for (const Value& v : AllValues()) {
    const bool slot = v.section != L"Option" && v.name.starts_with(L"m_Reg") && v.name != L"m_RegCount";
    if (slot && std::stoi(v.name.substr(v.name.size() - 2)) >= count) continue;
    HKEY key = nullptr;
    DWORD type = REG_NONE;
    RegOpenKeyExW(HKEY_CURRENT_USER, (kRoot + v.section).c_str(), 0, KEY_READ, &key);
    RegQueryValueExW(key, v.name.c_str(), nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
    EXPECT_EQ(type, static_cast<DWORD>(v.is_string ? REG_SZ : REG_DWORD)) << Utf8Of(v.section + L"\\" + v.name);
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, HostileRegistry, ::testing::Values(0, 1, 2, 3));

// Strings that are expandable, unterminated, of an odd length, hold a NUL
// or exceed the limit, and a 64-bit number, read as their defaults.
TEST_F(AppTest, BadValuesReadAsTheirDefaults) {
  const auto option = [](const wchar_t* name) { return Value{L"Option", name, true}; };
  const std::wstring huge(fw::RegistryProfile::kMaxStringUnits + 1, L'x');
  Put(option(L"m_LastOpenFilter"), REG_QWORD, "\1\0\0\0\0\0\0\0", 8);
  Put(option(L"m_RegStr_02"), REG_EXPAND_SZ, L"%PATH%", 14);
  Put(option(L"m_RegStr_03"), REG_SZ, L"abc", 6);
  Put(option(L"m_RegStr_04"), REG_SZ, L"abc", 5);
  Put(option(L"m_RegStr_05"), REG_SZ, L"ab\0cd", 12);
  Put(option(L"m_RegStr_06"), REG_SZ, huge.c_str(), static_cast<DWORD>(huge.size() * 2 + 2));
  CKestilApp app;
  app.SetRegistryKey(kRegistryMaker);
  app.LoadOptions();
  EXPECT_EQ(app.m_LastOpenFilter, 0);
  const std::vector<std::u16string> bodies(app.m_RegStr.begin() + 2, app.m_RegStr.begin() + 7);
  EXPECT_EQ(bodies, (std::vector<std::u16string>{u"", u"abc", bodies[2], u"ab", u""}));
  EXPECT_EQ(bodies[2].substr(0, 2), u"ab");
}

// A stored folder too long for the open dialog: the dialog opens (in a
// parent that exists, or the default folder) and the unsaved text stays.
TEST_F(AppTest, AnOverlongLastFolderStillOpensTheOpenDialog) {
  for (const std::size_t length : {1000u, 40000u}) {
    SCOPED_TRACE(length);
    std::wstring folder = L"C:\\windows\\";
    folder += std::wstring(length - folder.size(), L'x');
    Put({L"Option", L"m_LastOpenDir", true}, REG_SZ, folder.c_str(),
        static_cast<DWORD>(folder.size() * 2 + 2));
    ASSERT_TRUE(Start());
    View().edit().ReplaceSel(u"unsaved");
    ui_.real_open_dialog = true;
    DialogDriver driver;
    bool opened = false;
    driver.Then([&opened](HWND dialog) {
      opened = true;
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    Command(ID_FILE_OPEN);
    EXPECT_TRUE(opened);
    EXPECT_EQ(View().edit().GetText(), u"unsaved");
    EXPECT_TRUE(Doc().IsModified());
    ui_.answers = {IDNO};
    Close();
  }
}

// A section's key stays open between reads until the loop is idle: what the
// profile itself writes is read back at once, even into a section it found
// missing; what another writer puts in an open key shows at once, and a
// section another writer creates shows after the keys are forgotten.
TEST_F(AppTest, ProfileKeysHeldBetweenIdleMoments) {
  fw::RegistryProfile profile(kRegistryMaker, L"kestil");
  EXPECT_EQ(profile.GetInt("Held", "Mine", -1), -1);
  profile.WriteInt("Held", "Mine", 7);
  EXPECT_EQ(profile.GetInt("Held", "Mine", -1), 7);
  const DWORD eight = 8;
  Put({L"Held", L"Theirs", false}, REG_DWORD, &eight, sizeof eight);
  EXPECT_EQ(profile.GetInt("Held", "Theirs", -1), 8);

  EXPECT_EQ(profile.GetString("Later", "Text", u"none"), u"none");
  const std::wstring text(300, L'\x3042');  // longer than the first read's buffer
  Put({L"Later", L"Text", true}, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() * 2 + 2));
  EXPECT_EQ(profile.GetString("Later", "Text", u"none"), u"none");
  profile.ForgetKeys();
  EXPECT_EQ(profile.GetString("Later", "Text", u"none"), fw::AsU16(text));
}

}  // namespace
}  // namespace kestil::testing
