// Kestil starts and works whatever the registry holds, and writes values of
// the right types back when it closes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/options.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

const wchar_t kRoot[] = L"Software\\Ulmore Soft\\kestil\\";

void Put(const std::wstring& section, const std::wstring& name, DWORD type, const void* data,
         DWORD size) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CURRENT_USER, (kRoot + section).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                  nullptr, &key, nullptr);
  RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

std::vector<std::wstring> OptionNames() {
  std::vector<std::wstring> names = {L"m_TopMost",        L"m_LastColor",  L"m_LastOpenDir",
                                     L"m_LastOpenFilter", L"m_TagStrType", L"m_TabStop"};
  for (int n = 0; n < kSnippetCount; ++n) {
    wchar_t buffer[32];
    swprintf(buffer, 32, L"m_RegTitle_%02d", n);
    names.push_back(buffer);
    swprintf(buffer, 32, L"m_RegStr_%02d", n);
    names.push_back(buffer);
  }
  return names;
}

std::vector<std::wstring> GradNames() {
  std::vector<std::wstring> names = {L"m_RegCount", L"DefStColor", L"DefEdColor", L"DefStr"};
  for (int n = 0; n < 16; ++n) {
    wchar_t buffer[32];
    for (const wchar_t* f : {L"m_RegStColor_%02d", L"m_RegEdColor_%02d", L"m_RegTitle_%02d"}) {
      swprintf(buffer, 32, f, n);
      names.push_back(buffer);
    }
  }
  return names;
}

DWORD TypeOf(const std::wstring& section, const std::wstring& name) {
  HKEY key = nullptr;
  DWORD type = REG_NONE;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, (kRoot + section).c_str(), 0, KEY_READ, &key) == 0) {
    RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, nullptr);
    RegCloseKey(key);
  }
  return type;
}

class HostileRegistry : public AppTest,
                        public ::testing::WithParamInterface<int> {
 protected:
  // Variant 0: strings where numbers belong and numbers where strings belong;
  // 1: huge numbers and 1 MB strings of bytes that are no characters;
  // 2: negative numbers and binary values.
  void Fill(int variant) {
    const std::wstring mega(1 << 20, L'\xDC85');  // stands for 0x85 bytes
    const DWORD huge = 2147483647;
    const DWORD minus = static_cast<DWORD>(-1);
    const BYTE binary[3] = {1, 2, 3};
    auto fill = [&](const std::wstring& section, const std::vector<std::wstring>& names) {
      for (const auto& name : names) {
        const bool is_string = name.find(L"Title") != std::wstring::npos ||
                               name.find(L"Str") != std::wstring::npos ||
                               name == L"m_LastOpenDir";
        switch (variant) {
          case 0:
            if (is_string) {
              Put(section, name, REG_DWORD, &huge, 4);
            } else {
              Put(section, name, REG_SZ, L"12", 6);
            }
            break;
          case 1:
            if (is_string) {
              Put(section, name, REG_SZ, mega.c_str(), static_cast<DWORD>(mega.size() * 2 + 2));
            } else {
              Put(section, name, REG_DWORD, &huge, 4);
            }
            break;
          default:
            if (is_string) {
              Put(section, name, REG_BINARY, binary, 3);
            } else {
              Put(section, name, REG_DWORD, &minus, 4);
            }
            break;
        }
      }
    };
    fill(L"Option", OptionNames());
    fill(L"Dialog\\Grad", GradNames());
    fill(L"Bar", {L"ToolBar", L"StatusBar"});
  }
};

TEST_P(HostileRegistry, StartsWorksAndWritesSaneValues) {
  Fill(GetParam());
  ASSERT_TRUE(Start());
  EXPECT_TRUE(IsWindowVisible(Frame()));
  View().edit().LoadRaw("x");
  View().edit().SetSel(1, 1);
  Command(ID_TAG_BR);
  EXPECT_EQ(View().edit().GetText().substr(0, 1), "x");
  HMENU snippets = GetSubMenu(GetMenu(Frame()), 5);
  SendMessageW(Frame(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(snippets), 5);
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    const LRESULT count = SendDlgItemMessageW(dlg, IDC_GRAD_LIST, LB_GETCOUNT, 0, 0);
    EXPECT_GE(count, 0);
    EXPECT_LE(count, 16);
    DialogDriver::SetText(dlg, IDC_GRAD_TEXT, L"ok");
    DialogDriver::Click(dlg, IDCANCEL);
  });
  driver.Then([](HWND dlg) { DialogDriver::Click(dlg, IDCANCEL); });  // settings
  Command(ID_GRADIENT);
  Command(ID_SETTING);
  EXPECT_TRUE(driver.all_done());
  ui_.answers = {IDNO};  // do not save the edited document
  Close();
  EXPECT_EQ(App().frame()->hwnd(), nullptr);
  for (const auto& name : OptionNames()) {
    const bool is_string = name.find(L"Reg") != std::wstring::npos || name == L"m_LastOpenDir";
    EXPECT_EQ(TypeOf(L"Option", name), is_string ? static_cast<DWORD>(REG_SZ) : REG_DWORD)
        << std::string(name.begin(), name.end());
  }
  EXPECT_EQ(TypeOf(L"Bar", L"ToolBar"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(L"Dialog\\Grad", L"m_RegCount"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(L"Dialog\\Grad", L"DefStr"), static_cast<DWORD>(REG_SZ));
  fw::RegistryProfile r(kRegistryMaker, L"kestil");
  const int count = r.GetInt("Dialog\\Grad", "m_RegCount", -5);
  EXPECT_GE(count, 0);
  EXPECT_LE(count, 16);
}

INSTANTIATE_TEST_SUITE_P(Variants, HostileRegistry, ::testing::Values(0, 1, 2));

}  // namespace
}  // namespace kestil::testing
