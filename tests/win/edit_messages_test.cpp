// The standard edit messages, sent from another thread as another program
// sends them, to the surface and to a plain EDIT control holding the same
// text: the answers must be the same. Where the surface answers otherwise on
// purpose (no position inside a surrogate pair, LF lines), the case says so;
// the modified flag from outside is the program-level test's.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "win/win_test_util.h"

namespace kestil::testing {
namespace {

class EditMessages : public ::testing::Test {
 protected:
  void SetUp() override {
    surface_ = MakeSurface();
    edit_ = CreateWindowExW(0, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOHSCROLL |
                                ES_AUTOVSCROLL | ES_WANTRETURN | ES_NOHIDESEL,
                            0, 0, 300, 200, GetParent(surface_->hwnd()), nullptr, GetModuleHandleW(nullptr),
                            nullptr);
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
  }
  void TearDown() override {
    DestroyWindow(edit_);
    surface_.reset();
  }

  void FromOutside(const std::function<void()>& sends) { FromOtherThread(sends); }
  // One message to both windows; the answers.
  std::pair<LRESULT, LRESULT> Both(UINT msg, WPARAM wp = 0, LPARAM lp = 0) {
    return {SendMessageW(surface_->hwnd(), msg, wp, lp), SendMessageW(edit_, msg, wp, lp)};
  }
  void SetBoth(const std::u16string& text) {
    Both(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  std::u16string TextOf(HWND hwnd) {
    std::u16string text(static_cast<std::size_t>(SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0)) + 1, u'\0');
    const LRESULT n = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(n));
    return text;
  }
  void ExpectSameText(const char* where) {
    EXPECT_EQ(TextOf(surface_->hwnd()), TextOf(edit_)) << where;
  }
  void ExpectSameSelection(const char* where) {
    DWORD s1 = 0, e1 = 0, s2 = 0, e2 = 0;
    const LRESULT r1 = SendMessageW(surface_->hwnd(), EM_GETSEL, reinterpret_cast<WPARAM>(&s1), reinterpret_cast<LPARAM>(&e1));
    const LRESULT r2 = SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&s2), reinterpret_cast<LPARAM>(&e2));
    EXPECT_EQ(r1, r2) << where;
    EXPECT_EQ(s1, s2) << where;
    EXPECT_EQ(e1, e2) << where;
  }

  std::unique_ptr<OwnedSurface> surface_;
  HWND edit_ = nullptr;
};

// 𠮷, ©, a reserved unit and CR LF lines.
const std::u16string kText = u"a𠮷©\xDC82z\r\nsecond line\r\n\r\nlast";

TEST_F(EditMessages, TextSelectionAndLinesAnswerAsTheEditControl) {
  FromOutside([&] {
    SetBoth(kText);
    const auto [len1, len2] = Both(WM_GETTEXTLENGTH);
    EXPECT_EQ(len1, len2);
    ExpectSameText("set");
    // Buffers of every size, one ending inside the surrogate pair.
    for (WPARAM size = 0; size < 8; ++size) {
      wchar_t a[16], b[16];
      std::fill(std::begin(a), std::end(a), L'#');
      std::fill(std::begin(b), std::end(b), L'#');
      const LRESULT r1 = SendMessageW(surface_->hwnd(), WM_GETTEXT, size, reinterpret_cast<LPARAM>(a));
      const LRESULT r2 = SendMessageW(edit_, WM_GETTEXT, size, reinterpret_cast<LPARAM>(b));
      EXPECT_EQ(r1, r2) << size;
      EXPECT_EQ(std::wstring(a, 16), std::wstring(b, 16)) << size;
    }
    for (auto [start, end] : std::vector<std::pair<WPARAM, LPARAM>>{
             {0, -1}, {4, 4}, {5, 1}, {100, 200}, {1, 100}, {static_cast<WPARAM>(-1), 0}, {0, 0}, {7, 9}}) {
      Both(EM_SETSEL, start, end);
      ExpectSameSelection("EM_SETSEL");
    }
    for (int line = -1; line < 6; ++line) {
      const auto [i1, i2] = Both(EM_LINEINDEX, static_cast<WPARAM>(line));
      EXPECT_EQ(i1, i2) << "EM_LINEINDEX " << line;
    }
    Both(EM_SETSEL, 8, 12);
    for (int pos = -1; pos <= static_cast<int>(kText.size()) + 2; ++pos) {
      if (pos == 2) continue;  // inside the pair: below
      const auto [l1, l2] = Both(EM_LINELENGTH, static_cast<WPARAM>(pos));
      EXPECT_EQ(l1, l2) << "EM_LINELENGTH " << pos;
      const auto [f1, f2] = Both(EM_LINEFROMCHAR, static_cast<WPARAM>(pos));
      EXPECT_EQ(f1, f2) << "EM_LINEFROMCHAR " << pos;
    }
    const auto [c1, c2] = Both(EM_GETLINECOUNT);
    EXPECT_EQ(c1, c2);
    const auto [v1, v2] = Both(EM_GETFIRSTVISIBLELINE);
    EXPECT_EQ(v1, v2);
    // A line into a buffer whose first word gives its size (negative lines
    // are Wine's own business; the surface answers 0 for them).
    for (int line = 0; line < 5; ++line) {
      wchar_t a[40] = {40}, b[40] = {40};
      const LRESULT r1 = SendMessageW(surface_->hwnd(), EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(a));
      const LRESULT r2 = SendMessageW(edit_, EM_GETLINE, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(b));
      EXPECT_EQ(r1, r2) << "EM_GETLINE " << line;
      EXPECT_EQ(std::wstring(a, static_cast<std::size_t>(r1)), std::wstring(b, static_cast<std::size_t>(r2)));
    }
    // Replacing the selection, then undoing it.
    Both(EM_SETSEL, 1, 4);
    Both(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"<br>\r\n"));
    ExpectSameText("EM_REPLACESEL");
    ExpectSameSelection("EM_REPLACESEL");
    const auto [u1, u2] = Both(EM_CANUNDO);
    EXPECT_EQ(u1, u2);
    Both(EM_UNDO);
    ExpectSameText("EM_UNDO");
    Both(EM_SETSEL, 0, 0);
    Both(EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"x"));
    Both(WM_UNDO);
    ExpectSameText("WM_UNDO");
    Both(EM_EMPTYUNDOBUFFER);
    const auto [e1, e2] = Both(EM_CANUNDO);
    EXPECT_EQ(e1, e2);
  });
}

TEST_F(EditMessages, ClipboardAndReadOnly) {
  FromOutside([&] {
    SetBoth(kText);
    Both(EM_SETSEL, 1, 5);
    SendMessageW(surface_->hwnd(), WM_COPY, 0, 0);
    Both(EM_SETSEL, 0, 0);
    Both(WM_PASTE);
    ExpectSameText("WM_PASTE");
    Both(EM_SETSEL, 2, 5);
    SendMessageW(surface_->hwnd(), WM_CUT, 0, 0);
    SendMessageW(edit_, WM_CLEAR, 0, 0);
    ExpectSameText("WM_CUT");
    Both(EM_SETSEL, 0, 2);
    Both(WM_CLEAR);
    ExpectSameText("WM_CLEAR");
    ExpectSameSelection("WM_CLEAR");

    const auto [r1, r2] = Both(EM_SETREADONLY, TRUE);
    EXPECT_EQ(r1, r2);
    EXPECT_TRUE(GetWindowLongW(surface_->hwnd(), GWL_STYLE) & ES_READONLY);
    Both(EM_SETSEL, 0, 3);
    Both(WM_CUT);
    Both(WM_CLEAR);
    Both(WM_PASTE);
    ExpectSameText("read-only");
    Both(EM_SETREADONLY, FALSE);

  });
}

// What the surface answers of its own: a position inside a surrogate pair
// goes to the pair's start, points and characters map back to each other,
// and lone LF lines are lines (as the EDIT control of Windows 10 makes them
// on request). Short EM_GETLINE buffers: the program-level test.
TEST_F(EditMessages, PairsPointsAndLfLines) {
  FromOutside([&] {
    SetBoth(kText);
    HWND s = surface_->hwnd();
    SendMessageW(s, EM_SETSEL, 2, 2);
    DWORD start = 9, end = 9;
    SendMessageW(s, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 1u);
    EXPECT_EQ(SendMessageW(s, EM_LINEFROMCHAR, 2, 0), 0);

    for (WPARAM pos : {0u, 3u, 8u, 12u}) {
      const LRESULT point = SendMessageW(s, EM_POSFROMCHAR, pos, 0);
      ASSERT_NE(point, -1);
      const LRESULT back = SendMessageW(s, EM_CHARFROMPOS, 0, MAKELPARAM(LOWORD(point) + 1, HIWORD(point) + 1));
      EXPECT_EQ(LOWORD(back), pos);
    }
    EXPECT_EQ(SendMessageW(s, EM_POSFROMCHAR, kText.size() + 1, 0), -1);
    EXPECT_EQ(SendMessageW(s, EM_SCROLLCARET, 0, 0), TRUE);

    const std::wstring lf = L"one\ntwo\r\nthree\n";
    SendMessageW(s, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(lf.c_str()));
    EXPECT_EQ(SendMessageW(s, EM_GETLINECOUNT, 0, 0), 4);
    EXPECT_EQ(SendMessageW(s, EM_LINEINDEX, 1, 0), 4);
    EXPECT_EQ(SendMessageW(s, EM_LINEINDEX, 2, 0), 9);
    EXPECT_EQ(SendMessageW(s, EM_LINELENGTH, 9, 0), 5);
    EXPECT_EQ(SendMessageW(s, EM_LINEFROMCHAR, 15, 0), 3);
  });
}

}  // namespace
}  // namespace kestil::testing
