// The real program under another program's edit messages, and a page that
// once broke the drawing of the text.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class OtherPrograms : public AppTest {
 protected:
  void FromOutside(const std::function<void()>& sends) { FromOtherThread(sends); }
};

// Short line buffers and wild line numbers write nothing past the buffer;
// whatever flags are cleared from outside, the title, EM_GETMODIFY and the
// close question agree, and the save that follows writes the text.
TEST_F(OtherPrograms, EditMessagesNeverCorruptOrHideTheText) {
  TempFile page(L"kestil-other.htm", "line one\r\nline two\r\n");
  ASSERT_TRUE(Start(page.path()));
  SendMessageW(Edit(), WM_CHAR, 'x', 1);
  HWND edit = Edit();
  FromOutside([edit] {
    for (WORD size : {0, 1, 2}) {
      for (WPARAM line : {WPARAM{0}, static_cast<WPARAM>(-2), static_cast<WPARAM>(-1), WPARAM{0x7fffffff}}) {
        wchar_t buffer[16];
        std::fill(std::begin(buffer), std::end(buffer), L'#');
        buffer[0] = size;
        const LRESULT n = SendMessageW(edit, EM_GETLINE, line, reinterpret_cast<LPARAM>(buffer));
        EXPECT_LE(n, size);
        for (std::size_t i = std::max<std::size_t>(1, size); i < 16; ++i) ASSERT_EQ(buffer[i], L'#');
      }
    }
    SendMessageW(edit, EM_SETMODIFY, FALSE, 0);
    SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  });
  Idle();
  EXPECT_EQ(Title().front(), L'*');
  EXPECT_EQ(SendMessageW(Edit(), EM_GETMODIFY, 0, 0), TRUE);
  EXPECT_TRUE(Doc().IsModified());
  Command(ID_FILE_SAVE);
  EXPECT_EQ(page.Read(), "xline one\r\nline two\r\n");
  Idle();
  EXPECT_NE(Title().front(), L'*');
  EXPECT_EQ(SendMessageW(Edit(), EM_GETMODIFY, 0, 0), FALSE);
}

// A UTF-16 page of many scripts with a lone high surrogate opens, is drawn
// and saves unchanged.
TEST_F(OtherPrograms, AManyScriptPageWithALoneSurrogateShowsAndSavesUnchanged) {
  const char16_t units[] = {0x065A, 0x2DEF, 0x846C, 0x0A81, 0x7ADD, 0x07B9, 0xBAE9, 0x9266, 0x9C21, 0x52EF,
                            0x50C1, 0x5F7B, 0x1E05, 0x8D10, 0x7B48, 0x6194, 0xAD2A, 0xD88C, 0x5AB3, 0x5015,
                            0xCB9A, 0x5333, 0xF05F, 0xCD1B, 0xF022, 0xBB5C, 0x560C, 0x8E32, 0xB66B, 0x300A,
                            0xD00F, 0x1B16, 0xB128, 0x2A80, 0x83AA, 0xBCBE, 0x7C1F, 0x9D97, 0xF2B8, 0xEA2C,
                            0xD59A, 0xF0F9, 0x86C9, 0x12AF, 0x7904, 0xFE43, 0x65CB, 0xB4B6, 0xBF5A, 0xD7FF,
                            0x05F4};
  std::string bytes = "\xFF\xFE";
  for (char16_t u : units) {
    bytes += static_cast<char>(u & 0xFF);
    bytes += static_cast<char>(u >> 8);
  }
  TempFile page(L"kestil-scripts.txt", bytes);
  ASSERT_TRUE(Start(page.path()));
  EXPECT_EQ(Units(), std::u16string(std::begin(units), std::end(units)));
  RedrawWindow(Edit(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  for (std::size_t i = 0; i <= std::size(units); ++i) {
    SendMessageW(Edit(), EM_SETSEL, i, static_cast<LPARAM>(i));
    UpdateWindow(Edit());
  }
  SendMessageW(Edit(), WM_CHAR, 'x', 1);
  SendMessageW(Edit(), WM_CHAR, '\b', 1);
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(page.Read() == bytes);
  EXPECT_TRUE(IsWindow(Frame()));
}

}  // namespace
}  // namespace kestil::testing
