// The markup check through the real program: F8, its results window, the
// jump from the list, the marks, and F8 again.
#include <gtest/gtest.h>

#include <string>

#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class Check : public AppTest {
 protected:
  HWND Results() {
    HWND found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND w, LPARAM out) -> BOOL {
          wchar_t name[64] = {};
          GetClassNameW(w, name, 64);
          if (std::wstring(name) != L"KestilCheckResults") return TRUE;
          *reinterpret_cast<HWND*>(out) = w;
          return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
  }
  HWND List() { return GetDlgItem(Results(), IDC_CHECK_LIST); }
  std::wstring Summary() {
    wchar_t text[256] = {};
    GetWindowTextW(GetDlgItem(Results(), IDC_CHECK_SUMMARY), text, 256);
    return text;
  }
  std::wstring Cell(int item, int column) {
    wchar_t text[512] = {};
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = text;
    lv.cchTextMax = 512;
    SendMessageW(List(), LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
    return text;
  }
  int Rows() { return static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0)); }
  // F8, until the window has said what it found.
  void RunCheck() {
    Command(ID_CHECK_MARKUP);
    ASSERT_NE(Results(), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !Summary().empty() && IsWindowEnabled(GetDlgItem(Results(), IDC_CHECK_AGAIN)); }));
  }
  std::size_t Caret() { return View().edit().Caret(); }
};

TEST_F(Check, TheListShowsTheFindingsInJapaneseAndEnterJumpsToTheMarkedPlace) {
  const std::u16string page =
      u"<!DOCTYPE html>\r\n<html lang=\"ja\">\r\n<head><title>頁</title></head>\r\n<body>\r\n"
      u"<p>日本語\t<img src=\"a.png\"></p>\r\n<p>段落</div>\r\n</body>\r\n</html>\r\n";
  ASSERT_TRUE(Start());
  View().edit().SetText(page);
  RunCheck();
  EXPECT_TRUE(IsWindowVisible(Results()));
  wchar_t caption[64] = {};
  GetWindowTextW(Results(), caption, 64);
  EXPECT_EQ(std::wstring(caption), L"HTML の検査結果");
  EXPECT_EQ(Summary(), L"エラー 0 件、警告 2 件");
  ASSERT_EQ(Rows(), 2);
  // Line 5: <p>(3) 日本語(6) and a tab(1) before the image.
  EXPECT_EQ(Cell(0, 0), L"5");
  EXPECT_EQ(Cell(0, 1), L"11");
  EXPECT_EQ(Cell(0, 2), L"警告");
  EXPECT_EQ(Cell(0, 3), L"<img> に \"alt\" 属性がありません");
  EXPECT_EQ(Cell(1, 0), L"6");
  EXPECT_EQ(Cell(1, 3), L"ここにあるはずのない </div> があります");

  // Enter on the second row: the caret at the stray end tag, which is marked.
  ListView_SetItemState(List(), 1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  SendMessageW(List(), WM_KEYDOWN, VK_RETURN, 0);
  PumpPending();
  const std::size_t stray = page.find(u"</div>");
  EXPECT_EQ(Caret(), stray);
  EXPECT_EQ(View().edit().FindingAt(stray + 2), 2);
  EXPECT_EQ(View().edit().FindingAt(page.find(u"<img") + 1), 2);
  EXPECT_EQ(View().edit().FindingAt(page.find(u"<body")), 0);
  EXPECT_EQ(Units(), page);  // the check changed nothing

  // F8 again: to the next finding after the caret, around to the first.
  Command(ID_CHECK_MARKUP);
  EXPECT_EQ(Caret(), page.find(u"<img"));
  Command(ID_CHECK_NEXT);
  EXPECT_EQ(Caret(), stray);

  // Typing on the image's line clears its mark and no other.
  View().edit().SetSel(page.find(u"日本"), page.find(u"日本"));
  SendMessageW(Edit(), WM_CHAR, L'x', 1);
  EXPECT_EQ(View().edit().FindingAt(page.find(u"<img") + 2), 0);
  EXPECT_EQ(View().edit().FindingAt(stray + 3), 2);

  // A new document takes the list and the marks away.
  Doc().SetModified(false);
  Command(ID_FILE_NEW);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(Summary(), L"");
}

TEST_F(Check, APageWithoutMistakesSaysSoAndTextThatIsNoHtmlGetsItsFindings) {
  ASSERT_TRUE(Start());
  View().edit().SetText(u"<!DOCTYPE html>\n<html lang=\"ja\">\n<head><title>t</title></head>\n<body>\n<p>良い頁\n</body>\n</html>\n");
  RunCheck();
  EXPECT_EQ(Summary(), L"問題は見つかりませんでした");
  EXPECT_EQ(Rows(), 0);

  std::u16string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char16_t>(i % 3 == 0 ? 0 : 0xDC80 + i % 128);
  View().edit().SetText(binary);
  RunCheck();
  EXPECT_GT(Rows(), 0);
  EXPECT_EQ(Units(), binary);
}

}  // namespace
}  // namespace kestil::testing
