// The edit operations on the editing surface.
#include <gtest/gtest.h>


#include "contract/edit_contract.h"
#include "win/win_test_util.h"

namespace kestil::testing {
namespace {

INSTANTIATE_TEST_SUITE_P(Surface, EditContract,
                         ::testing::Values(EditBackend{"surface",
                                                       [] { return MakeSurface(); }}),
                         [](const auto& info) { return info.param.name; });

void Char(const auto& edit, WPARAM c) { SendMessageW(edit->hwnd(), WM_CHAR, c, 1); }

// A pause in typing, by the adapter's clock, ends the undo step; caret keys
// leave the history and the modified state alone.
TEST(Surface, APauseEndsATypedRunAndCaretKeysKeepTheHistory) {
  auto edit = MakeSurface();
  std::uint32_t now = 1000;
  edit->SetClock([&now] { return now; });
  edit->SetText(u"x");
  edit->SetSel(0, 0);
  Char(edit, 'a');
  now += 1500;
  Char(edit, 'b');  // within the pause: same run
  now += 1501;
  Char(edit, 'c');
  edit->MarkSaved();
  for (UINT key : {VK_END, VK_HOME, VK_RIGHT}) SendMessageW(edit->hwnd(), WM_KEYDOWN, key, 1);
  EXPECT_FALSE(edit->IsModified());
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"abx");
  EXPECT_TRUE(edit->IsModified());
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"x");
}

// A surrogate pair typed as its two halves is one character; no position
// falls between its halves.
TEST(Surface, SurrogatePairsStayWhole) {
  auto edit = MakeSurface();
  edit->SetText(u"a");
  edit->SetSel(1, 1);
  Char(edit, 0xD842);
  Char(edit, 0xDFB7);
  EXPECT_EQ(edit->GetText(), u"a𠮷");
  edit->SetSel(2, 2);
  EXPECT_EQ(edit->GetSel().start, 1u);
  edit->SetSel(0, 2);
  EXPECT_EQ(edit->GetSel(), (Selection{0, 1}));
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// Units that are no character on their own keep their place and count one
// unit each; the caret never stands inside one.
TEST(Surface, LoneSurrogatesAndReservedUnitsAreOneUnitEach) {
  auto edit = MakeSurface();
  const std::u16string text = u"\xDC80<meta>\xDC00\xED00表\xDC80x\xD800y\r\n\xDE00";
  edit->SetText(text);
  EXPECT_EQ(edit->GetText(), text);
  EXPECT_EQ(static_cast<std::size_t>(GetWindowTextLengthW(edit->hwnd())), text.size());
  for (std::size_t i = 0; i <= text.size(); ++i) {
    edit->SetSel(i, i);
    EXPECT_EQ(edit->GetSel().start, i);
    EXPECT_EQ(edit->GetTextRange(0, i), text.substr(0, i));
  }
  EXPECT_EQ(edit->LineIndex(1), 16);
  EXPECT_EQ(edit->LineLength(2), 14u);
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

void Key(HWND hwnd, UINT key, bool ctrl, bool shift) {
  BYTE state[256] = {};
  GetKeyboardState(state);
  state[VK_CONTROL] = ctrl ? 0x80 : 0;
  state[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(state);
  SendMessageW(hwnd, WM_KEYDOWN, key, 1);
  state[VK_CONTROL] = state[VK_SHIFT] = 0;
  SetKeyboardState(state);
}

// Word keys stop where the script changes; Ctrl+Backspace and Ctrl+Delete
// delete a word as one step; the keys the component would add (line cut,
// duplicate, case changes) change nothing.
TEST(Surface, WordKeysAndNoKeysPastTheHistory) {
  auto edit = MakeSurface();
  edit->SetText(u"漢字かなカナ abc\r\nx");
  edit->SetSel(0, 0);
  Key(edit->hwnd(), VK_RIGHT, true, false);
  EXPECT_EQ(edit->GetSel(), (Selection{2, 2}));
  Key(edit->hwnd(), VK_RIGHT, true, true);
  EXPECT_EQ(edit->GetSel(), (Selection{2, 4}));
  edit->SetSel(10, 10);
  Key(edit->hwnd(), VK_RIGHT, true, false);  // over the line break
  EXPECT_EQ(edit->GetSel(), (Selection{12, 12}));
  edit->SetSel(7, 7);
  Key(edit->hwnd(), VK_BACK, true, false);
  EXPECT_EQ(edit->GetText(), u"漢字かなabc\r\nx");
  Key(edit->hwnd(), VK_DELETE, true, false);
  EXPECT_EQ(edit->GetText(), u"漢字かな\r\nx");
  edit->Undo();
  EXPECT_EQ(edit->GetText(), u"漢字かなabc\r\nx");
  edit->MarkSaved();
  for (UINT key : {'L', 'D', 'T', 'U'}) {
    Key(edit->hwnd(), key, true, false);
    Key(edit->hwnd(), key, true, true);
  }
  Key(edit->hwnd(), VK_TAB, false, true);
  EXPECT_EQ(edit->GetText(), u"漢字かなabc\r\nx");
  EXPECT_FALSE(edit->IsModified());
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// Dark pixels of the surface as it paints itself.
int DarkPixels(HWND hwnd) {
  RECT r{};
  GetClientRect(hwnd, &r);
  HDC screen = GetDC(nullptr);
  HDC dc = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = r.right;
  info.bmiHeader.biHeight = -r.bottom;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  SendMessageW(hwnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
  GdiFlush();
  int dark = 0;
  const auto* p = static_cast<const std::uint32_t*>(bits);
  for (long i = 0; i < r.right * r.bottom; ++i) dark += (p[i] & 0xFF) < 0x80;
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(nullptr, screen);
  return dark;
}

// The editor font at its sizes for 96, 144 and 192 dots per inch draws an
// underscore and the part of g below the line.
TEST(Surface, UnderscoresAndDescendersShowAtEverySize) {
  auto edit = MakeSurface();
  for (int height : {14, 21, 28}) {
    HFONT font = CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0,
                             L"FixedSys");
    edit->SetFont(font);
    for (const char16_t* text : {u"_", u"g"}) {
      edit->SetText(text);
      EXPECT_GT(DarkPixels(edit->hwnd()), height / 4) << height << " " << static_cast<char>(text[0]);
    }
    edit->SetFont(nullptr);
    DeleteObject(font);
  }
}

}  // namespace
}  // namespace kestil::testing
