// The main window at other resolutions: Windows tells a per-monitor aware
// program of a new one with WM_DPICHANGED, which the tests send themselves
// (Wine keeps one resolution for every monitor and never sends it).
#include <gtest/gtest.h>

#include "fw/dpi.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

class Dpi : public AppTest {
 protected:
  HWND Toolbar() { return App().frame()->toolbar(); }
  void ChangeDpi(int dpi, const RECT& suggested = RECT{10, 20, 1010, 820}) {
    SendMessageW(Frame(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    PumpPending();
  }
  static LONG FontHeight(HFONT font) {
    LOGFONTW lf{};
    EXPECT_NE(GetObjectW(font, sizeof lf, &lf), 0);
    return lf.lfHeight;
  }
  LONG EditorFontHeight() {
    const auto shown = reinterpret_cast<HFONT>(SendMessageW(Edit(), WM_GETFONT, 0, 0));
    EXPECT_EQ(shown, App().m_EditFont.get());
    return FontHeight(shown);
  }
  int ImageWidth() {
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageW(Toolbar(), TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), 21);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    return cx;
  }
  static RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
};

// The font doubles and the toolbar takes its 32 px images at 192 dpi; the
// window takes the suggested place, the view stays below the taller bar,
// the text and its tab stops follow, and all comes back at 96.
TEST_F(Dpi, EditorFontAndToolbarFollowTheResolutionAndComeBack) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(fw::WindowDpi(Frame()), 96) << "the test prefix runs at 96 dots per inch";
  View().edit().ReplaceSel(u"a\tb");
  const auto x_of_b = [this] { return LOWORD(SendMessageW(Edit(), EM_POSFROMCHAR, 2, 0)); };
  const int tab_96 = x_of_b();
  EXPECT_EQ(EditorFontHeight(), 14);
  EXPECT_EQ(ImageWidth(), 16);
  const LONG bar_96 = WindowRect(Toolbar()).bottom - WindowRect(Toolbar()).top;

  const RECT at_192{10, 20, 10 + 1000, 20 + 800};
  ChangeDpi(192, at_192);
  EXPECT_EQ(EditorFontHeight(), 28);
  EXPECT_EQ(ImageWidth(), 32);
  const RECT frame = WindowRect(Frame());
  EXPECT_TRUE(EqualRect(&at_192, &frame));
  const RECT bar = WindowRect(Toolbar());
  EXPECT_GT(bar.bottom - bar.top, bar_96);
  EXPECT_EQ(WindowRect(Edit()).top, bar.bottom);
  EXPECT_EQ(View().edit().GetText(), u"a\tb");
  EXPECT_GT(x_of_b(), tab_96 + tab_96 / 2);

  // Between the sizes drawn, the nearer; the smaller of two as near.
  for (const auto& [dpi, width] : {std::pair{120, 16}, {121, 24}, {169, 32}}) {
    ChangeDpi(dpi);
    EXPECT_EQ(ImageWidth(), width) << dpi;
  }
  ChangeDpi(96);
  EXPECT_EQ(EditorFontHeight(), 14);
  EXPECT_EQ(ImageWidth(), 16);
  EXPECT_EQ(WindowRect(Toolbar()).bottom - WindowRect(Toolbar()).top, bar_96);
}

// A dialog shows the snippet body at its own resolution, which under Wine
// stays the system's while the main window is told of another.
TEST_F(Dpi, SnippetBodyIsShownAtTheDialogsResolution) {
  ASSERT_TRUE(Start());
  ChangeDpi(192);
  LONG body_height = 0;
  int dialog_dpi = 0;
  DialogDriver driver;
  driver.Then([](HWND list) {
    DialogDriver::Click(list, IDC_REGSTR_EDIT);
    DialogDriver::Key(GetDlgItem(list, IDC_REGSTR_LIST), VK_ESCAPE);
  });
  driver.Then([&](HWND edit) {
    dialog_dpi = fw::WindowDpi(edit);
    body_height = FontHeight(
        reinterpret_cast<HFONT>(SendDlgItemMessageW(edit, IDC_REGSTR_BODY, WM_GETFONT, 0, 0)));
    DialogDriver::Click(edit, IDCANCEL);
  });
  Command(ID_REGSTR_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(body_height, fw::ScaleToDpi(14, dialog_dpi));
}

}  // namespace
}  // namespace kestil::testing
