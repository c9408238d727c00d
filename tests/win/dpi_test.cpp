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

constexpr int kToolbarImageCount = 21;

class Dpi : public AppTest {
 protected:
  HWND Toolbar() { return App().frame()->toolbar(); }

  // Changes the resolution as Windows does, with a suggested window rect.
  void ChangeDpi(int dpi, const RECT& suggested) {
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
  SIZE ImageSize() {
    const auto images =
        reinterpret_cast<HIMAGELIST>(SendMessageW(Toolbar(), TB_GETIMAGELIST, 0, 0));
    EXPECT_EQ(ImageList_GetImageCount(images), kToolbarImageCount);
    int cx = 0;
    int cy = 0;
    ImageList_GetIconSize(images, &cx, &cy);
    return {cx, cy};
  }
  SIZE ButtonSize() {
    const auto size = static_cast<DWORD>(SendMessageW(Toolbar(), TB_GETBUTTONSIZE, 0, 0));
    return {LOWORD(size), HIWORD(size)};
  }
  static RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
  }
  // The view starts where the toolbar ends.
  void ExpectViewBelowToolbar() {
    const RECT bar = WindowRect(Toolbar());
    const RECT view = WindowRect(Edit());
    EXPECT_EQ(view.top, bar.bottom);
  }
};

// Wine reads the manifest's awareness as Windows 10 does.
TEST_F(Dpi, TheProcessIsPerMonitorAware) {
  using GetContextFn = HANDLE(WINAPI*)();
  using AwarenessFn = int(WINAPI*)(HANDLE);
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const auto get_context = reinterpret_cast<GetContextFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetThreadDpiAwarenessContext")));
  const auto awareness_of = reinterpret_cast<AwarenessFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
  if (get_context == nullptr || awareness_of == nullptr) GTEST_SKIP() << "no awareness contexts";
  constexpr int kPerMonitorAware = 2;
  EXPECT_EQ(awareness_of(get_context()), kPerMonitorAware);
}

TEST_F(Dpi, EditorFontAndToolbarFollowTheResolutionAndComeBack) {
  ASSERT_TRUE(Start());
  ASSERT_EQ(fw::WindowDpi(Frame()), 96) << "the test prefix runs at 96 dots per inch";
  const LONG font_96 = EditorFontHeight();
  EXPECT_EQ(font_96, 14);
  EXPECT_EQ(ImageSize().cx, 16);
  EXPECT_EQ(ImageSize().cy, 15);
  const SIZE button_96 = ButtonSize();
  const LONG bar_96 = WindowRect(Toolbar()).bottom - WindowRect(Toolbar()).top;

  const RECT at_144{30, 40, 30 + 900, 40 + 700};
  ChangeDpi(144, at_144);
  EXPECT_EQ(EditorFontHeight(), 21);
  EXPECT_EQ(ImageSize().cx, 24);
  EXPECT_EQ(ImageSize().cy, 23);

  const RECT at_192{10, 20, 10 + 1000, 20 + 800};
  ChangeDpi(192, at_192);
  EXPECT_EQ(EditorFontHeight(), 2 * font_96);
  EXPECT_EQ(App().m_EditFont.dpi(), 192);
  EXPECT_EQ(ImageSize().cx, 32);
  EXPECT_EQ(ImageSize().cy, 30);
  EXPECT_GE(ButtonSize().cx, 32 + button_96.cx - 16);
  EXPECT_GE(ButtonSize().cy, 30 + button_96.cy - 15);
  const RECT frame = WindowRect(Frame());
  EXPECT_EQ(frame.left, at_192.left);
  EXPECT_EQ(frame.top, at_192.top);
  EXPECT_EQ(frame.right, at_192.right);
  EXPECT_EQ(frame.bottom, at_192.bottom);
  EXPECT_GT(WindowRect(Toolbar()).bottom - WindowRect(Toolbar()).top, bar_96);
  ExpectViewBelowToolbar();

  ChangeDpi(96, RECT{10, 20, 10 + 500, 20 + 400});
  EXPECT_EQ(EditorFontHeight(), font_96);
  EXPECT_EQ(ImageSize().cx, 16);
  EXPECT_EQ(ButtonSize().cx, button_96.cx);
  EXPECT_EQ(ButtonSize().cy, button_96.cy);
  EXPECT_EQ(WindowRect(Toolbar()).bottom - WindowRect(Toolbar()).top, bar_96);
  ExpectViewBelowToolbar();
}

// Between the sizes drawn, the toolbar takes the nearer, the smaller of two
// as near.
TEST_F(Dpi, ToolbarTakesTheNearestDrawing) {
  ASSERT_TRUE(Start());
  const RECT r{10, 20, 10 + 800, 20 + 600};
  for (const auto& [dpi, width] : {std::pair{120, 16}, {121, 24}, {168, 24}, {169, 32},
                                   {288, 32}, {72, 16}}) {
    ChangeDpi(dpi, r);
    EXPECT_EQ(ImageSize().cx, width) << dpi;
  }
}

// The text in the window keeps what the user typed, and its tab stops count
// the new font's characters.
TEST_F(Dpi, TheTextSurvivesAndTabsWidenWithTheFont) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel(u"a\tb");
  const auto x_of_b = [this] {
    return LOWORD(SendMessageW(Edit(), EM_POSFROMCHAR, 2, 0));
  };
  const int at_96 = x_of_b();
  ChangeDpi(192, RECT{10, 20, 10 + 1000, 20 + 800});
  EXPECT_EQ(View().edit().GetText(), u"a\tb");
  EXPECT_GT(x_of_b(), at_96 + at_96 / 2);
}

// A dialog shows the snippet body at its own resolution, which under Wine
// stays the system's while the main window is told of another.
TEST_F(Dpi, SnippetBodyIsShownAtTheDialogsResolution) {
  ASSERT_TRUE(Start());
  ChangeDpi(192, RECT{10, 20, 10 + 1000, 20 + 800});
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
  EXPECT_EQ(driver.captions(),
            (std::vector<std::wstring>{L"登録文字編集", L"文字（文章）登録"}));
  EXPECT_EQ(body_height, fw::ScaleToDpi(14, dialog_dpi));
  EXPECT_EQ(EditorFontHeight(), 28);
}

}  // namespace
}  // namespace kestil::testing
