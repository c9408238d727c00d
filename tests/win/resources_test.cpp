// The menus, accelerators, toolbar and dialogs as the program loads them:
// every item reaches a handler and has a prompt, every key a menu shows is a
// key that works, and every mnemonic of a dialog reaches its control.
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

// The command items of a menu and its pop-ups.
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

struct Key {
  BYTE modifiers = 0;  // FCONTROL, FSHIFT, FALT
  WORD key = 0;
  bool operator<(const Key& o) const {
    return modifiers != o.modifiers ? modifiers < o.modifiers : key < o.key;
  }
};

// The key that a menu item's right-hand text names ("Ctrl+X", "F3",
// "Alt+Backspace"); nothing for other texts, such as a tag ("<br>").
std::optional<Key> ParseKeyText(const std::wstring& text) {
  Key k;
  std::wstring rest = text;
  for (;;) {
    const auto plus = rest.find(L'+');
    if (plus == std::wstring::npos || plus + 1 == rest.size()) break;
    const std::wstring modifier = rest.substr(0, plus);
    if (modifier == L"Ctrl") {
      k.modifiers |= FCONTROL;
    } else if (modifier == L"Shift") {
      k.modifiers |= FSHIFT;
    } else if (modifier == L"Alt") {
      k.modifiers |= FALT;
    } else {
      return std::nullopt;
    }
    rest = rest.substr(plus + 1);
  }
  static const std::map<std::wstring, WORD> named = {
      {L"Backspace", VK_BACK}, {L"Delete", VK_DELETE}, {L"Del", VK_DELETE},
      {L"Insert", VK_INSERT},  {L"Ins", VK_INSERT},    {L"Enter", VK_RETURN}};
  if (rest.size() == 1 && ((rest[0] >= L'A' && rest[0] <= L'Z') || (rest[0] >= L'0' && rest[0] <= L'9'))) {
    k.key = static_cast<WORD>(rest[0]);
  } else if (rest.size() >= 2 && rest.size() <= 3 && rest[0] == L'F' && iswdigit(rest[1])) {
    k.key = static_cast<WORD>(VK_F1 + std::stoi(rest.substr(1)) - 1);
  } else if (const auto it = named.find(rest); it != named.end()) {
    k.key = it->second;
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

// A command in a menu, a drop-down, the accelerators or the toolbar always
// reaches a handler.
TEST_F(ResourcesTest, EveryMenuItemKeyAndButtonHasAHandler) {
  ASSERT_TRUE(Start());
  std::vector<UINT> ids;
  for (const MenuItem& item : AllMenuItems()) ids.push_back(item.id);
  for (const ACCEL& a : Accelerators()) ids.push_back(a.cmd);
  HWND tb = App().frame()->toolbar();
  for (int i = 0; i < SendMessageW(tb, TB_BUTTONCOUNT, 0, 0); ++i) {
    TBBUTTON b{};
    SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (!(b.fsStyle & BTNS_SEP)) ids.push_back(static_cast<UINT>(b.idCommand));
  }
  for (UINT id : ids) {
    ProbeUi ui(id);
    EXPECT_TRUE(App().RouteUpdate(ui)) << id;
  }
}

// The key a menu item shows is an accelerator of the same command, and a
// command that has keys and a menu item shows one of its keys there.
TEST_F(ResourcesTest, MenusShowTheKeysThatWork) {
  std::map<Key, UINT> command_of;
  std::map<UINT, std::set<Key>> keys_of;
  for (const ACCEL& a : Accelerators()) {
    ASSERT_TRUE(a.fVirt & FVIRTKEY) << a.cmd;
    const Key k{static_cast<BYTE>(a.fVirt & (FCONTROL | FSHIFT | FALT)), a.key};
    EXPECT_EQ(command_of.count(k), 0u) << "a key twice: " << a.key;
    command_of[k] = a.cmd;
    keys_of[a.cmd].insert(k);
  }
  std::set<UINT> shown;
  int key_texts = 0;
  for (const MenuItem& item : AllMenuItems()) {
    const auto tab = item.text.find(L'\t');
    if (tab == std::wstring::npos) continue;
    const std::optional<Key> key = ParseKeyText(item.text.substr(tab + 1));
    if (!key) continue;
    ++key_texts;
    const auto it = command_of.find(*key);
    ASSERT_NE(it, command_of.end()) << Utf8Of(item.text) << " has no accelerator";
    EXPECT_EQ(it->second, item.id) << Utf8Of(item.text);
    shown.insert(item.id);
  }
  EXPECT_GT(key_texts, 10);
  for (const MenuItem& item : AllMenuItems()) {
    if (keys_of.count(item.id) != 0) {
      EXPECT_EQ(shown.count(item.id), 1u) << Utf8Of(item.text) << " hides its key";
    }
  }
  // The menu's promise of Ctrl+P for printing is kept.
  EXPECT_EQ((command_of[{FCONTROL, 'P'}]), static_cast<UINT>(ID_FILE_PRINT));
}

// Only the table and the font buttons have a drop-down arrow; the bars and the
// edit surface carry the ids automation tools look for.
TEST_F(ResourcesTest, TwoDropDownButtonsAndTheWindowIds) {
  ASSERT_TRUE(Start());
  HWND tb = App().frame()->toolbar();
  std::vector<int> drop_downs;
  for (int i = 0; i < SendMessageW(tb, TB_BUTTONCOUNT, 0, 0); ++i) {
    TBBUTTON b{};
    SendMessageW(tb, TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&b));
    if (b.fsStyle & BTNS_DROPDOWN) drop_downs.push_back(b.idCommand);
  }
  EXPECT_EQ(drop_downs, (std::vector<int>{ID_TAG_FONT, ID_TAG_TABLE}));
  EXPECT_EQ(SendMessageW(tb, TB_GETEXTENDEDSTYLE, 0, 0) & TBSTYLE_EX_DRAWDDARROWS,
            TBSTYLE_EX_DRAWDDARROWS);
  EXPECT_EQ(GetDlgCtrlID(tb), IDC_TOOLBAR);
  EXPECT_EQ(GetDlgCtrlID(App().frame()->status_bar()), IDC_STATUSBAR);
  EXPECT_EQ(GetDlgCtrlID(Edit()), IDC_VIEW_EDIT);
}

// Only the recent files share a prompt, and the snippet slots another.
int PromptGroup(UINT id) {
  if (id >= ID_FILE_MRU_FIRST && id <= ID_FILE_MRU_LAST) return 1;
  if (id >= ID_REGSTR_0 && id <= ID_REGSTR_F) return 2;
  return 0;
}

// Each menu item tells in the status bar what it does, in words of its own.
TEST_F(ResourcesTest, EveryMenuItemHasAPromptOfItsOwn) {
  ASSERT_TRUE(Start());
  std::map<std::wstring, UINT> command_of;
  for (const MenuItem& item : AllMenuItems()) {
    const std::wstring prompt = fw::PromptOf(item.id);
    EXPECT_FALSE(prompt.empty()) << Utf8Of(item.text) << " has no prompt";
    if (prompt.empty()) continue;
    const auto [it, fresh] = command_of.emplace(prompt, item.id);
    if (!fresh && it->second != item.id) {
      EXPECT_TRUE(PromptGroup(item.id) != 0 && PromptGroup(item.id) == PromptGroup(it->second))
          << item.id << " and " << it->second << " share " << Utf8Of(prompt);
    }
  }
  auto shown = [&](UINT id) {
    SendMessageW(Frame(), WM_MENUSELECT, MAKEWPARAM(id, MF_HILITE),
                 reinterpret_cast<LPARAM>(GetMenu(Frame())));
    wchar_t text[256] = {};
    SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, 0, reinterpret_cast<LPARAM>(text));
    return std::wstring(text);
  };
  EXPECT_EQ(shown(ID_TABLE_WIDTH), L"width=を挿入");
  EXPECT_EQ(shown(ID_FONT_B), L"<b></b>で選択範囲を挟む／挿入");
  EXPECT_EQ(shown(ID_REGSTR_0 + 9), L"登録した文字（文章）を挿入");
  EXPECT_EQ(shown(ID_EDIT_REDO), L"元に戻した動作をやり直す");
  EXPECT_EQ(fw::TooltipOf(ID_EDIT_REDO), L"やり直し");
}

// The letter after a single '&' in a control's text, in capitals; 0 for none.
wchar_t Mnemonic(HWND control) {
  if (SendMessageW(control, WM_GETDLGCODE, 0, 0) & DLGC_STATIC) {
    if (GetWindowLongPtrW(control, GWL_STYLE) & SS_NOPREFIX) return 0;
  }
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  for (const wchar_t* p = text; *p != 0 && p[1] != 0; ++p) {
    if (*p != L'&') continue;
    if (p[1] != L'&') return static_cast<wchar_t>(std::towupper(p[1]));
    ++p;  // "&&" shows one '&'
  }
  return 0;
}

std::string Utf8(HWND control) {
  wchar_t text[256] = {};
  GetWindowTextW(control, text, 256);
  return Utf8Of(text);
}

// Every dialog of the resources, as the dialog manager makes it: no letter
// is the mnemonic of two controls, and a label's mnemonic reaches the control
// it names, which the dialog manager takes to be the next tab stop after the
// label (so the label itself is none).
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
    HWND dlg = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), nullptr,
                                  [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; }, 0);
    ASSERT_NE(dlg, nullptr) << id;
    std::map<wchar_t, HWND> named;
    for (HWND c = GetWindow(dlg, GW_CHILD); c != nullptr; c = GetWindow(c, GW_HWNDNEXT)) {
      const wchar_t letter = Mnemonic(c);
      if (letter == 0) continue;
      const auto [it, fresh] = named.emplace(letter, c);
      EXPECT_TRUE(fresh) << "dialog " << id << ": " << Utf8(c) << " and " << Utf8(it->second);
      if (!(SendMessageW(c, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)) continue;
      EXPECT_FALSE(GetWindowLongPtrW(c, GWL_STYLE) & WS_TABSTOP) << "dialog " << id << ": " << Utf8(c);
      HWND next = GetWindow(c, GW_HWNDNEXT);
      ASSERT_NE(next, nullptr) << "dialog " << id << ": " << Utf8(c) << " labels nothing";
      EXPECT_TRUE(GetWindowLongPtrW(next, GWL_STYLE) & WS_TABSTOP)
          << "dialog " << id << ": " << Utf8(c) << " stands before " << Utf8(next);
      EXPECT_FALSE(SendMessageW(next, WM_GETDLGCODE, 0, 0) & DLGC_STATIC)
          << "dialog " << id << ": " << Utf8(c);
    }
    DestroyWindow(dlg);
  }
}

}  // namespace
}  // namespace kestil::testing
