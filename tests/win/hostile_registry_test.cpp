// Kestil starts and works whatever the registry holds, and writes values of
// the right types back when it closes.
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
  std::vector<Value> values = {{L"Bar", L"ToolBar", false},
                               {L"Bar", L"StatusBar", false},
                               {L"Dialog\\Grad", L"m_RegCount", false},
                               {L"Dialog\\Grad", L"DefStColor", false},
                               {L"Dialog\\Grad", L"DefEdColor", false},
                               {L"Dialog\\Grad", L"DefStr", true}};
  for (const wchar_t* name : {L"m_TopMost", L"m_LastColor", L"m_LastOpenFilter",
                              L"m_TagStrType", L"m_TabStop"}) {
    values.push_back({L"Option", name, false});
  }
  values.push_back({L"Option", L"m_LastOpenDir", true});
  wchar_t name[32];
  for (int n = 0; n < kSnippetCount; ++n) {
    for (const wchar_t* format : {L"m_RegTitle_%02d", L"m_RegStr_%02d"}) {
      swprintf(name, 32, format, n);
      values.push_back({L"Option", name, true});
    }
  }
  for (int n = 0; n < 16; ++n) {
    for (const wchar_t* format : {L"m_RegStColor_%02d", L"m_RegEdColor_%02d"}) {
      swprintf(name, 32, format, n);
      values.push_back({L"Dialog\\Grad", name, false});
    }
    swprintf(name, 32, L"m_RegTitle_%02d", n);
    values.push_back({L"Dialog\\Grad", name, true});
  }
  return values;
}

HKEY Open(const std::wstring& section) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, (kRoot + section).c_str(), 0, nullptr, 0,
                  KEY_READ | KEY_SET_VALUE, nullptr, &key, nullptr);
  return key;
}

// Variant 0: strings where numbers belong and numbers where strings belong;
// 1: 2147483647 and 1 MB strings of units that are no characters;
// 2: -1 and 1 MB of bytes that are not code page 932, stored by the ANSI
//    functions; 3: binary values and strings of an odd length, unterminated.
void Fill(int variant) {
  const std::wstring mega_units(1 << 20, L'\xDC85');
  std::string mega_bytes(1 << 20, '\x81');
  for (std::size_t i = 1; i < mega_bytes.size(); i += 2) mega_bytes[i] = '\x7F';
  const DWORD numbers[] = {12, 2147483647, 0xFFFFFFFF, 7};
  for (const Value& v : AllValues()) {
    HKEY key = Open(v.section);
    const auto* name = v.name.c_str();
    const auto* number = reinterpret_cast<const BYTE*>(&numbers[variant]);
    if (variant == 0 && !v.is_string) {
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(L"12"), 6);
    } else if (variant == 3) {
      RegSetValueExW(key, name, 0, v.is_string ? REG_SZ : REG_BINARY,
                     reinterpret_cast<const BYTE*>(L"abc"), 3);
    } else if (!v.is_string) {
      RegSetValueExW(key, name, 0, REG_DWORD, number, 4);
    } else if (variant == 0) {
      RegSetValueExW(key, name, 0, REG_DWORD, number, 4);
    } else if (variant == 1) {
      RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(mega_units.c_str()),
                     static_cast<DWORD>(mega_units.size() * 2 + 2));
    } else {
      RegSetValueExA(key, fw::ToBytes(v.name).c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(mega_bytes.c_str()),
                     static_cast<DWORD>(mega_bytes.size() + 1));
    }
    RegCloseKey(key);
  }
}

class HostileRegistry : public AppTest, public ::testing::WithParamInterface<int> {};

TEST_P(HostileRegistry, StartsWorksAndWritesSaneValues) {
  Fill(GetParam());
  ASSERT_TRUE(Start());
  EXPECT_TRUE(IsWindowVisible(Frame()));
  View().edit().LoadRaw("x");
  View().edit().SetSel(1, 1);
  Command(ID_TAG_BR);
  // Any number but 0 means upper-case tags; the strings and binary values
  // read as the default 0.
  const bool upper = GetParam() == 1 || GetParam() == 2;
  EXPECT_EQ(View().edit().GetText(), upper ? "x<BR>\r\n" : "x<br>\r\n");
  HMENU snippets = GetSubMenu(GetMenu(Frame()), 5);
  SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(snippets), 5);
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    const LRESULT count = SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0);
    EXPECT_GE(count, 0);
    EXPECT_LE(count, 16);
    DialogDriver::Click(dlg, IDCANCEL);
  });
  driver.Then([](HWND dlg) { DialogDriver::Click(dlg, IDCANCEL); });  // settings
  Command(ID_GRADIENT);
  Command(ID_SETTING);
  EXPECT_TRUE(driver.all_done());
  ui_.answers = {IDNO};  // do not save the edited document
  Close();
  EXPECT_EQ(App().frame()->hwnd(), nullptr);
  // The stored gradient pairs are rewritten up to the count in use; the
  // values above it are left alone and never read.
  fw::RegistryProfile profile(kRegistryMaker, L"kestil");
  const int count = profile.GetInt("Dialog\\Grad", "m_RegCount", -1);
  EXPECT_TRUE(count >= 0 && count <= 16) << count;
  for (const Value& v : AllValues()) {
    const bool slot =
        v.section != L"Option" && v.name.starts_with(L"m_Reg") && v.name != L"m_RegCount";
    if (slot && std::stoi(v.name.substr(v.name.size() - 2)) >= count) continue;
    HKEY key = Open(v.section);
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD size = sizeof number;
    const LSTATUS status = RegQueryValueExW(key, v.name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(&number), &size);
    RegCloseKey(key);
    SCOPED_TRACE(fw::ToBytes(v.section + L"\\" + v.name));
    if (v.is_string) {
      EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
    } else {
      ASSERT_EQ(status, ERROR_SUCCESS);
      EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Variants, HostileRegistry, ::testing::Values(0, 1, 2, 3));

}  // namespace
}  // namespace kestil::testing
