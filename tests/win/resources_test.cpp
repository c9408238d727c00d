// The menus, accelerators, toolbar and dialogs as the program loads them:
// every item reaches a handler and has a prompt, every key a menu shows
// works, and every mnemonic of a dialog reaches its control.
#include <gtest/gtest.h>

#include <cwctype>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fw/command.h"
#include "fw/text.h"
#include "res/resource.h"
#include "win/app_fixture.h"

#include <commctrl.h>

namespace kestil::testing {
namespace {

struct MenuItem {
  UINT id;
  std::wstring text;
};

void Collect(HMENU menu, std::vector<MenuItem>& items) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 256;
    GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    if (info.hSubMenu != nullptr) {
      Collect(info.hSubMenu, items);
    } else if (!(info.fType & MFT_SEPARATOR)) {
      items.push_back({info.wID, text});
    }
  }
}

std::vector<MenuItem> AllMenuItems() {
  std::vector<MenuItem> items;
  for (UINT menu_id : {IDR_MAINFRAME, IDR_TABLE_MENU, IDR_FONT_MENU}) {
    HMENU menu = LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menu_id));
    Collect(menu, items);
    DestroyMenu(menu);
  }
  return items;
}

std::vector<ACCEL> Accelerators() {
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
  std::vector<ACCEL> keys(64);
  keys.resize(static_cast<std::size_t>(CopyAcceleratorTableW(table, keys.data(), 64)));
  return keys;
}

using Key = std::pair<BYTE, WORD>;  // FCONTROL | FSHIFT | FALT, virtual key

// The key a menu item's right-hand text names ("Ctrl+X", "F3").
std::optional<Key> ParseKeyText(std::wstring rest) {
  Key k{0, 0};
  for (auto [name, flag] : {std::pair{L"Ctrl+", FCONTROL}, {L"Shift+", FSHIFT}, {L"Alt+", FALT}}) {
    if (rest.starts_with(name)) {
      k.first |= flag;
      rest.erase(0, wcslen(name));
    }
  }
  if (rest.size() == 1 && (std::iswupper(rest[0]) || std::iswdigit(rest[0]))) {
    k.second = static_cast<WORD>(rest[0]);
  } else if (rest == L"]") {
    k.second = VK_OEM_6;  // the key of "]"
  } else if (rest == L"/") {
    k.second = VK_OEM_2;  // the key of "/"
  } else if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == L'F' && std::iswdigit(rest[1])) {
    k.second = static_cast<WORD>(VK_F1 + std::stoi(rest.substr(1)) - 1);
  } else {
    return std::nullopt;
  }
  return k;
}

struct ProbeUi : fw::CmdUI {
  using fw::CmdUI::CmdUI;
  void Enable(bool) override {}
  void SetCheck(bool) override {}
  void SetText(const std::wstring&) override {}
};

class ResourcesTest : public AppTest {};

// A command in a menu, the accelerators or the toolbar reaches a handler;
// each menu item tells in the status bar what it does, in words of its own
// (only the recent files share a prompt, and the snippet slots another).
TEST_F(ResourcesTest, EveryCommandHasAHandlerAndEveryMenuItemAPromptOfItsOwn) {
  ASSERT_TRUE(Start());
  std::vector<UINT> ids;
  for (const ACCEL& a : Accelerators()) ids.push_back(a.cmd);
  HWND tb = App().frame()->toolbar();
  for (int i = 0; i < SendMessageW(tb, TB_BUTTONCOUNT, 0, 0); ++i) {
    TBBUTTON b{};
    SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (!(b.fsStyle & BTNS_SEP)) ids.push_back(static_cast<UINT>(b.idCommand));
  }
  const auto group = [](UINT id) {
    return id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST ? 1 : id >= ID_REGSTR_0 && id <= ID_REGSTR_F ? 2 : 0;
  };
  std::map<std::wstring, UINT> command_of;
  for (const MenuItem& item : AllMenuItems()) {
    ids.push_back(item.id);
    const std::wstring prompt = fw::PromptOf(item.id);
    EXPECT_FALSE(prompt.empty()) << Utf8Of(item.text) << " has no prompt";
    const auto [it, fresh] = command_of.emplace(prompt, item.id);
    if (!prompt.empty() && !fresh && it->second != item.id) {
      EXPECT_TRUE(group(item.id) != 0 && group(item.id) == group(it->second))
          << item.id << " and " << it->second << " share " << Utf8Of(prompt);
    }
  }
  for (UINT id : ids) {
    ProbeUi ui(id);
    EXPECT_TRUE(App().RouteUpdate(ui)) << id;
  }
  SendMessageW(Frame(), WM_MENUSELECT, MAKEWPARAM(ID_FONT_B, MF_HILITE),
               reinterpret_cast<LPARAM>(GetMenu(Frame())));
  wchar_t text[256] = {};
  SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_EQ(std::wstring(text), fw::PromptOf(ID_FONT_B));
}

// The key a menu item shows is an accelerator of the same command, and a
// command that has keys and a menu item shows one of them there.
TEST_F(ResourcesTest, MenusShowTheKeysThatWork) {
  std::map<Key, UINT> command_of;
  std::set<UINT> with_keys;
  for (const ACCEL& a : Accelerators()) {
    ASSERT_TRUE(a.fVirt & FVIRTKEY) << a.cmd;
    const Key k{static_cast<BYTE>(a.fVirt & (FCONTROL | FSHIFT | FALT)), a.key};
    EXPECT_TRUE(command_of.emplace(k, a.cmd).second) << "a key twice: " << a.key;
    with_keys.insert(a.cmd);
  }
  std::set<UINT> shown;
  for (const MenuItem& item : AllMenuItems()) {
    // The right-hand text is a key, unless it shows a tag or an attribute.
    const auto tab = item.text.find(L'\t');
    if (tab == std::wstring::npos || item.text.find_first_of(L"<=", tab) != std::wstring::npos) continue;
    const std::optional<Key> key = ParseKeyText(item.text.substr(tab + 1));
    ASSERT_TRUE(key) << Utf8Of(item.text) << ": not a key";
    const auto it = command_of.find(*key);
    ASSERT_NE(it, command_of.end()) << Utf8Of(item.text) << " has no accelerator";
    EXPECT_EQ(it->second, item.id) << Utf8Of(item.text);
    shown.insert(item.id);
  }
  EXPECT_GT(shown.size(), 10u);
  for (const MenuItem& item : AllMenuItems()) {
    EXPECT_TRUE(!with_keys.count(item.id) || shown.count(item.id)) << Utf8Of(item.text) << " hides its key";
  }
}

// The letter after a single '&' in a control's text, in capitals; 0 for none.
wchar_t Mnemonic(HWND control, std::string& text_out) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  text_out = Utf8Of(text);
  if ((SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) &&
      (GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX)) {
    return 0;
  }
  for (const wchar_t* p = text; *p != 0 && p[1] != 0; ++p) {
    if (*p != L'&') continue;
    if (p[1] != L'&') return static_cast<wchar_t>(std::towupper(p[1]));
    ++p;  // "&&" shows one '&'
  }
  return 0;
}

// Every dialog of the resources: no letter is the mnemonic of two controls,
// and a label's mnemonic reaches the next tab stop after it, its control.
TEST(DialogTemplates, MnemonicsAreUniqueAndEachLabelStandsBeforeItsControl) {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  std::vector<UINT> ids;
  EnumResourceNamesW(
      nullptr, RT_DIALOG,
      [](HMODULE, LPCWSTR, LPWSTR name, LONG_PTR out) -> BOOL {
        if (IS_INTRESOURCE(name)) reinterpret_cast<std::vector<UINT>*>(out)->push_back(LOWORD(name));
        return TRUE;
      },
      reinterpret_cast<LONG_PTR>(&ids));
  EXPECT_GE(ids.size(), 7u);
  for (UINT id : ids) {
    SCOPED_TRACE(id);
    HWND dlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                  [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dlg, nullptr);
    std::map<wchar_t, std::string> named;
    for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      std::string text;
      const wchar_t letter = Mnemonic(c, text);
      if (letter == 0) continue;
      const auto [it, fresh] = named.emplace(letter, text);
      EXPECT_TRUE(fresh) << text << " and " << it->second;
      if (!(SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) continue;
      EXPECT_FALSE(GetWindowLongPtrW(c, GWL_STYLE) & WS_TABSTOP) << text;
      HWND next = GetWindow(c, GW_HWNDNEXT);
      ASSERT_NE(next, nullptr) << text << " labels nothing";
      EXPECT_TRUE((GetWindowLongPtrW(next, GWL_STYLE) & WS_TABSTOP) &&
                  !(SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_STATIC))
          << text << " does not stand before its control";
    }
    DestroyWindow(dlg);
  }
}

}  // namespace
}  // namespace kestil::testing
