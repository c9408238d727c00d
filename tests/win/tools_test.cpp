// The view's tools and file commands driven through their real dialogs.
#include <gtest/gtest.h>

#include <climits>

#include "fw/text.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

std::pair<DWORD, DWORD> Sel(HWND field) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return {start, end};
}

void Type(HWND field, wchar_t ch) { SendMessageW(field, WM_CHAR, ch, 1); }

void Paste(HWND field, const std::wstring& text) {
  OpenClipboard(field);
  EmptyClipboard();
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  auto* p = static_cast<wchar_t*>(GlobalLock(memory));
  text.copy(p, text.size());
  p[text.size()] = 0;
  GlobalUnlock(memory);
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
  SendMessageW(field, WM_PASTE, 0, 0);
}

class Tools : public AppTest {
 protected:
  std::string Text() { return View().edit().GetText(); }
  Selection Caret() { return View().edit().GetSel(); }
};

TEST_F(Tools, SettingsFieldCorrectsItselfAsTheUserTypes) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    HWND field = GetDlgItem(dlg, IDC_TABSTOP);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"4");
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_TAGTYPE_LOWER, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendDlgItemMessageW(dlg, IDC_TABSTOP_SPIN, UDM_GETRANGE, 0, 0), 0x20008);
    // Clearing shows 2, all selected, so the next digit replaces it.
    SendMessageW(field, EM_SETSEL, 0, -1);
    SendMessageW(field, WM_CLEAR, 0, 0);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"2");
    EXPECT_EQ(Sel(field), std::make_pair(0ul, 1ul));
    Type(field, L'0');
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"2");
    EXPECT_EQ(Sel(field), std::make_pair(0ul, 1ul));
    Type(field, L'1');  // over the selected 2
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"2");
    EXPECT_EQ(Sel(field), std::make_pair(0ul, 1ul));
    Type(field, L'5');
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"5");
    Type(field, L'9');  // "59"
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"8");
    EXPECT_EQ(Sel(field), std::make_pair(1ul, 1ul));
    SendMessageW(field, EM_SETSEL, 0, -1);
    Paste(field, L"05");
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"5");
    SendMessageW(field, EM_SETSEL, 0, -1);
    Paste(field, L"7a");
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"7");
    // The up arrow: 8 stays 8; 4 becomes 5 with the caret after it.
    SendMessageW(field, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"8");
    SetWindowTextW(field, L"4");
    SendMessageW(field, WM_KEYDOWN, VK_UP, 1);
    EXPECT_EQ(DialogDriver::Text(dlg, IDC_TABSTOP), L"5");
    CheckRadioButton(dlg, IDC_TAGTYPE_LOWER, IDC_TAGTYPE_UPPER, IDC_TAGTYPE_UPPER);
    DialogDriver::Click(dlg, IDOK);
  });
  Command(ID_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(driver.captions().front(), L"設定");
  EXPECT_EQ(App().m_TabStop, 5);
  EXPECT_EQ(App().m_TagStrType, 1);
  Command(ID_TAG_HR);
  EXPECT_EQ(Text(), "<HR>\r\n");
  Close();
  EXPECT_EQ(fw::RegistryProfile(kRegistryMaker, L"kestil").GetInt("Option", "m_TagStrType", -1), 1);
}

class Jump : public Tools {
 protected:
  // Runs the jump dialog with the two fields; extra actions answer the
  // validation messages' retries.
  void JumpTo(const std::wstring& line, const std::wstring& column) {
    DialogDriver driver;
    driver.Then([&](HWND dlg) {
      HWND line_field = GetDlgItem(dlg, IDC_JUMP_LINE);
      EXPECT_TRUE(PumpUntil([&] { return GetFocus() == line_field; }));
      EXPECT_EQ(Sel(line_field), std::make_pair(0ul, 1ul));
      EXPECT_EQ(DialogDriver::Text(dlg, IDC_JUMP_COLUMN), L"1");
      DialogDriver::SetText(dlg, IDC_JUMP_LINE, line);
      DialogDriver::SetText(dlg, IDC_JUMP_COLUMN, column);
      const std::size_t shown = ui_.messages.size();
      DialogDriver::Click(dlg, IDOK);
      if (ui_.messages.size() != shown) DialogDriver::Click(dlg, IDCANCEL);  // refused: give up
    });
    Command(ID_JUMP);
    ASSERT_TRUE(driver.all_done());
  }
};

TEST_F(Jump, LinesColumnsAndMessages) {
  ASSERT_TRUE(Start());
  View().edit().LoadRaw("one\r\n\x82\xA0\x82\xA2xy\r\n0123456789\r\n");
  View().edit().SetSel(2, 4);
  JumpTo(L"1", L"1");
  EXPECT_EQ(Caret(), (Selection{0, 0}));
  JumpTo(L"2", L"3");
  EXPECT_EQ(Caret(), (Selection{7, 7}));
  JumpTo(L"3", L"1000");
  EXPECT_EQ(Caret(), (Selection{23, 23}));
  JumpTo(L"4", L"1");
  EXPECT_EQ(Caret(), (Selection{25, 25}));
  EXPECT_TRUE(ui_.messages.empty());
  JumpTo(L"5", L"1");
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"指定した行数は存在しません");
  EXPECT_EQ(Caret(), (Selection{25, 25}));
  ui_.messages.clear();
  JumpTo(L"", L"x");
  JumpTo(L"99999999999", L"1");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[0], L"整数を入力してください。");
  EXPECT_EQ(ui_.messages[1], L"1 から 2147483647 までの整数を入力してください。");
  EXPECT_EQ(Caret(), (Selection{25, 25}));
}

class RelativePath : public Tools {
 protected:
  void SetUp() override {
    Tools::SetUp();
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    root_ = std::wstring(temp) + L"krel";
    for (const wchar_t* dir : {L"", L"\\site", L"\\site\\img", L"\\site2", L"\\表ソ"}) {
      CreateDirectoryW((root_ + dir).c_str(), nullptr);
    }
  }
  void TearDown() override {
    Tools::TearDown();
    files_.clear();
  }
  std::wstring Make(const std::wstring& relative) {
    files_.push_back(std::make_unique<TempFile>(L"krel\\" + relative, "x"));
    return files_.back()->path();
  }
  // Inserts the path of chosen relative to the document.
  std::string Insert(const std::wstring& chosen) {
    View().edit().LoadRaw("");
    ui_.open_path = chosen;
    Command(ID_RELATIVE_PATH);
    return Text();
  }

  std::wstring root_;
  std::vector<std::unique_ptr<TempFile>> files_;
};

TEST_F(RelativePath, FromTheSavedDocumentsFolder) {
  ASSERT_TRUE(Start());
  ui_.open_path.clear();
  Command(ID_RELATIVE_PATH);  // never saved: the message, no dialog
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0], L"一度ファイルを保存してから実行して下さい");
  EXPECT_TRUE(ui_.open_requests.empty());

  const std::wstring doc = Make(L"site\\index.htm");
  ASSERT_TRUE(App().OpenDocumentFile(doc));
  EXPECT_EQ(Insert(Make(L"site\\logo.gif")), "logo.gif");
  ASSERT_FALSE(ui_.open_requests.empty());
  EXPECT_EQ(ui_.open_requests.back().initial_dir, root_ + L"\\site");
  EXPECT_EQ(ui_.open_requests.back().filter_index, 3);
  EXPECT_EQ(Insert(Make(L"site\\img\\top.png")), "img/top.png");
  EXPECT_EQ(Insert(Make(L"other.htm")), "../other.htm");
  EXPECT_EQ(Insert(Make(L"site2\\a.htm")), "../site2/a.htm");
  EXPECT_EQ(Insert(Make(L"表ソ\\表.gif")), "../\x95\x5C\x83\x5C/\x95\x5C.gif");
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(Insert(L"Z:\\tmp\\elsewhere.htm"), "");
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1], L"相対パスで示す事が出来ませんでした");
  // Replacing a selection is one undo step.
  View().edit().LoadRaw("<img src=\"old\">");
  View().edit().SetSel(10, 13);
  ui_.open_path = root_ + L"\\site\\logo.gif";
  Command(ID_RELATIVE_PATH);
  EXPECT_EQ(Text(), "<img src=\"logo.gif\">");
  View().edit().Undo();
  EXPECT_EQ(Text(), "<img src=\"old\">");
  // The document's file deleted: the message again, no dialog.
  const std::size_t dialogs = ui_.open_requests.size();
  DeleteFileW(doc.c_str());
  Command(ID_RELATIVE_PATH);
  EXPECT_EQ(ui_.open_requests.size(), dialogs);
  EXPECT_EQ(ui_.messages.back(), L"一度ファイルを保存してから実行して下さい");
}

}  // namespace
}  // namespace kestil::testing
