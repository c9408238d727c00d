// Files in other encodings and line endings through the real window: what
// opens, what the status bar says, what the commands put in, what is saved.
// The detection and decoding rules themselves are the native tests' business.
#include <gtest/gtest.h>

#include <string>

#include "base/text16.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/dialog_driver.h"

namespace kestil::testing {
namespace {

using namespace std::string_literals;

// Each byte as the unit a byte that is no character becomes.
std::u16string Reserved(std::string_view bytes) {
  std::u16string units;
  for (unsigned char b : bytes) units += static_cast<char16_t>(0xDC00 + b);
  return units;
}

// A UTF-16 file, written by hand so as not to lean on the program's encoder.
std::string Utf16File(std::u16string_view units, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += big_endian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

class Encodings : public AppTest {
 protected:
  std::wstring Pane(int index) {
    wchar_t text[256] = {};
    SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, index, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Panes are written by the idle update.
  void ExpectPanes(const std::wstring& encoding, const std::wstring& ending = L"") {
    for (const auto& [index, want] : {std::pair{2, encoding}, {3, ending}}) {
      if (want.empty()) continue;
      PumpUntil([&] {
        Idle();
        return Pane(index) == want;
      });
      EXPECT_EQ(Pane(index), want);
    }
  }

  // Opens bytes and saves the unchanged text under another name: the same
  // bytes must come out. asks: the save asks about a declaration of another
  // encoding (answered "leave it as it is"). Returns the text as opened.
  std::u16string OpenAndResave(const std::string& tag, const std::string& bytes,
                               const std::wstring& pane, bool asks = false) {
    SCOPED_TRACE(tag);
    TempFile in(L"kestil-enc-in.htm", bytes);
    TempFile out(L"kestil-enc-out.htm", "");
    ui_.messages.clear();
    EXPECT_TRUE(App().OpenDocumentFile(in.path()));
    PumpPending();
    ExpectPanes(pane);
    EXPECT_FALSE(Doc().IsModified());
    const std::u16string text = Units();
    ui_.save_path = out.path();
    if (asks) ui_.answers = {IDNO};
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(out.Read() == bytes) << out.Read().size() << " bytes of " << bytes.size();
    EXPECT_EQ(ui_.messages.size(), asks ? 1u : 0u);
    return text;
  }

  void PasteText(const std::wstring& text) {
    OpenClipboard(Edit());
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    auto* p = static_cast<wchar_t*>(GlobalLock(memory));
    text.copy(p, text.size());
    p[text.size()] = 0;
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(Edit(), WM_PASTE, 0, 0);
  }
  void CaretToEnd() {
    const std::size_t n = Units().size();
    View().edit().SetSel(n, n);
  }
  void Type(const std::wstring& keys) {
    for (wchar_t c : keys) SendMessageW(Edit(), WM_CHAR, c, 1);
  }
};

TEST_F(Encodings, FilesSurviveOpeningAndSavingByteForByte) {
  ASSERT_TRUE(Start());
  const std::string declaration = "<meta charset=\"utf-8\">";
  // Stray, cut short, overlong, a surrogate: at the start, in the middle and
  // at the end.
  for (const std::string& b : {"\x80"s, "\xF0\x9F\x98"s, "\xE0\x80\xAF"s, "\xED\xA0\x80"s}) {
    EXPECT_EQ(OpenAndResave("declared", b + declaration + "表" + b + "x" + b, L"UTF-8"),
              Reserved(b) + Widen(declaration) + u"表" + Reserved(b) + u"x" + Reserved(b));
  }
  OpenAndResave("undeclared", "\xFF表©x\x80", L"Shift_JIS");
  EXPECT_EQ(OpenAndResave("nul", "\0©\0x"s, L"UTF-8"), u"\xDC00©\xDC00x");
  EXPECT_EQ(OpenAndResave("mark only", "\xEF\xBB\xBF", L"UTF-8 BOM"), u"");

  // UTF-16: unpaired halves, a lone 0xDC00 (in a file without NUL), a pair,
  // an odd last byte; NUL; the mark alone.
  const std::u16string odd = u"A\xD800" u"B\xDC00" u"𠮷\xDE00\n";
  for (bool be : {false, true}) {
    const std::wstring pane = be ? L"UTF-16 BE" : L"UTF-16 LE";
    EXPECT_EQ(OpenAndResave("utf-16", Utf16File(odd, be) + "\x41", pane), odd);
    ExpectPanes(pane, L"LF");
    EXPECT_EQ(OpenAndResave("utf-16 nul", Utf16File(u"a\0"s, be), pane), u"a\xDC00");
    EXPECT_EQ(OpenAndResave("utf-16 mark only", Utf16File(u"", be), pane), u"");
  }

  // Detection through the program (the declaration above decided): mark,
  // content, fallback, and the question on a declaration of another
  // encoding than the one read.
  OpenAndResave("mark", "\xEF\xBB\xBF\x95\x5C", L"UTF-8 BOM");
  OpenAndResave("content", "<meta charset=\"shift_jis\">表", L"UTF-8", true);
  OpenAndResave("fallback", "\x95\x5C\x8E\xA6", L"Shift_JIS");
  OpenAndResave("utf-16", Utf16File(u"<meta charset=\"utf-8\">", false), L"UTF-16 LE", true);
}

TEST_F(Encodings, CommandsInsertCharactersBeyondShiftJisIntact) {
  TempFile page(L"kestil-u8.htm", "©𠮷\r\n");
  ASSERT_TRUE(Start(page.path()));
  ExpectPanes(L"UTF-8", L"CRLF");
  View().edit().SetText(u"表©𠮷\\x\r\n");
  CaretToEnd();
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    DialogDriver::SetText(dlg, IDC_GRAD_TEXT, L"©𠮷");
    DialogDriver::Click(dlg, IDC_GRAD_OK);
  });
  Command(ID_GRADIENT);
  ASSERT_TRUE(driver.all_done());
  App().m_RegTitle[0] = u"c";
  App().m_RegStr[0] = u"©\r\n";
  Command(ID_REGSTR_0);
  ui_.open_path = TempDir() + L"img\\ü-表.png";
  Command(ID_RELATIVE_PATH);
  const std::size_t before = Units().size();
  View().edit().ReplaceSel(u"ＡＢ１　©");
  View().edit().SetSel(before, Units().size());
  Command(ID_ZEN_TO_HAN);
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(page.Read(),
            "表©𠮷\\x\r\n<font color=\"#ff0000\">©</font><font color=\"#0000ff\">𠮷</font>"
            "©\r\nimg/ü-表.pngAB1 ©");

  // A Shift_JIS page links the file through the escapes of its UTF-8 bytes
  // where Shift_JIS has no character.
  TempFile sjis(L"kestil-sjis.htm", "\x95\x5C\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(sjis.path()));
  CaretToEnd();
  Command(ID_RELATIVE_PATH);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(sjis.Read(), "\x95\x5C\r\nimg/%C3%BC-\x95\x5C.png");
}

// Breaks typed, pasted and inserted take an LF document's ending; the
// conversion is one step of the history, and after its undo the breaks
// typed take LF again.
TEST_F(Encodings, AddedLineBreaksTakeTheDocumentsEnding) {
  TempFile page(L"kestil-lf.htm", "<p>©</p>\n");
  ASSERT_TRUE(Start(page.path()));
  ExpectPanes(L"UTF-8", L"LF");
  CaretToEnd();
  Type(L"a\rb");
  Command(ID_TAG_BR);
  PasteText(L"1\r\n2\r3\n4");
  App().m_RegTitle[2] = u"s";
  App().m_RegStr[2] = u"s\r\nt";
  Command(ID_REGSTR_2);
  const std::u16string lf = u"<p>©</p>\na\nb<br>\n1\n2\n3\n4s\nt";
  EXPECT_EQ(Units(), lf);

  Command(ID_LINE_ENDING_CRLF);
  EXPECT_EQ(Units(), u"<p>©</p>\r\na\r\nb<br>\r\n1\r\n2\r\n3\r\n4s\r\nt");
  ExpectPanes(L"UTF-8", L"CRLF");
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), lf);
  ExpectPanes(L"UTF-8", L"LF");
  CaretToEnd();
  Type(L"\r");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(page.Read(), "<p>©</p>\na\nb<br>\n1\n2\n3\n4s\nt\n");
}

TEST_F(Encodings, SwitchingTheEncodingOfTheNextSave) {
  ASSERT_TRUE(Start());
  TempFile file(L"kestil-switch.htm", "\x95\x5C\x8E\xA6\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(file.path()));
  Command(ID_ENCODING_UTF16_BE);
  EXPECT_TRUE(Doc().IsModified());
  ExpectPanes(L"UTF-16 BE");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), Utf16File(u"表示\r\n", true));
  ASSERT_TRUE(App().OpenDocumentFile(file.path()));
  ExpectPanes(L"UTF-16 BE");
  EXPECT_EQ(Units(), u"表示\r\n");
  EXPECT_TRUE(ui_.messages.empty());

  // Characters Shift_JIS has not: Cancel writes nothing.
  TempFile copyright(L"kestil-copy.htm", "a©b");
  ASSERT_TRUE(App().OpenDocumentFile(copyright.path()));
  Command(ID_ENCODING_SHIFT_JIS);
  ui_.answers = {IDCANCEL};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"1 文字は Shift_JIS で保存できません"), std::wstring::npos);
  EXPECT_EQ(copyright.Read(), "a©b");
  EXPECT_TRUE(Doc().IsModified());
}

// A character spelled two ways in one page shows as itself both times,
// saves back with each spelling and converts as the character.
TEST_F(Encodings, ACharacterSpelledTwoWaysInOnePage) {
  ASSERT_TRUE(Start());
  const std::string page = "\xED\x40\xFA\x5C\r\n\x81\xCA\xEE\xF9";  // 纊纊, ￢￢
  EXPECT_EQ(OpenAndResave("two spellings", page, L"Shift_JIS"), u"纊纊\r\n￢￢");
  Command(ID_ENCODING_UTF8);
  TempFile out(L"kestil-two-spellings.htm", "");
  ui_.save_path = out.path();
  Command(ID_FILE_SAVE_AS);
  EXPECT_EQ(out.Read(), "\xE7\xBA\x8A\xE7\xBA\x8A\r\n\xEF\xBF\xA2\xEF\xBF\xA2");
}

// "?" in the file in place of what the editor shows loses those characters
// unless the document stays modified; the question names them, and can
// save the page as UTF-8 instead, through the declaration question.
TEST_F(Encodings, CharactersShiftJisCannotHoldAreNeverLostWithoutAWord) {
  ASSERT_TRUE(Start());
  const std::string head = "<meta charset=\"shift_jis\">\r\n";
  TempFile page(L"kestil-lossy.htm", head + "\x82\xC6\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(page.path()));
  View().edit().SetSel(head.size(), head.size());
  View().edit().ReplaceSel(u"𠮷");
  CaretToEnd();
  View().edit().ReplaceSel(u"©");
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"2 行目の「𠮷」、3 行目の「©」"), std::wstring::npos)
      << Utf8Of(ui_.messages[0]);
  EXPECT_EQ(page.Read(), head + "?\x82\xC6\r\n?");
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_EQ(Title().substr(0, 1), L"*");
  ui_.answers = {IDCANCEL};
  Close();
  ASSERT_EQ(ui_.messages.size(), 2u);  // closing asks about the text
  ASSERT_NE(App().frame()->hwnd(), nullptr);

  // No: UTF-8; the declaration question follows, and its Cancel writes
  // nothing and leaves the document's encoding as it was; its Yes writes
  // the declaration anew too.
  ui_.answers = {IDNO, IDCANCEL};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(ui_.messages.size(), 4u);
  EXPECT_NE(ui_.messages[3].find(L"UTF-8"), std::wstring::npos);
  EXPECT_EQ(page.Read(), head + "?\x82\xC6\r\n?");
  EXPECT_EQ(Doc().encoding(), Encoding::kShiftJis);
  ui_.answers = {IDNO, IDYES};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(page.Read(),
            "<meta charset=\"utf-8\">\r\n\xF0\xA0\xAE\xB7\xE3\x81\xA8\r\n\xC2\xA9");
  EXPECT_FALSE(Doc().IsModified());
  ExpectPanes(L"UTF-8");
}

// A declaration of another encoding than the one written can be rewritten,
// as one undo step: at the save, and when the encoding is chosen.
TEST_F(Encodings, TheDeclarationFollowsTheEncoding) {
  ASSERT_TRUE(Start());
  const std::string xml = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n\x95\x5C";
  TempFile page(L"kestil-declared.htm", xml);
  ASSERT_TRUE(App().OpenDocumentFile(page.path()));
  CaretToEnd();
  ui_.answers = {IDYES};
  Command(ID_ENCODING_UTF8);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"(Shift_JIS) も UTF-8"), std::wstring::npos);
  const std::u16string converted = u"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n表";
  EXPECT_EQ(Units(), converted);
  EXPECT_EQ(View().edit().GetSel(), (Selection{converted.size(), converted.size()}));
  Command(ID_FILE_SAVE);  // nothing more to ask
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(page.Read(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\xE8\xA1\xA8");

  // Undone, the old declaration comes back; the save asks, and rewrites it.
  Command(ID_EDIT_UNDO);
  EXPECT_TRUE(Doc().IsModified());
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_NE(ui_.messages[1].find(L"宣言を UTF-8 に書き換えて"), std::wstring::npos);
  EXPECT_EQ(Units(), converted);
  EXPECT_FALSE(Doc().IsModified());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units().substr(0, 40), u"<?xml version=\"1.0\" encoding=\"Shift_JIS\"");
  EXPECT_EQ(page.Read(), "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n\xE8\xA1\xA8");
}

TEST_F(Encodings, ReopeningInAnotherEncoding) {
  ASSERT_TRUE(Start());
  const std::string bytes = "<p>表\xFF</p>\r\n";  // broken UTF-8, no declaration
  TempFile file(L"kestil-reopen.htm", bytes);
  ASSERT_TRUE(App().OpenDocumentFile(file.path()));
  ExpectPanes(L"Shift_JIS");
  Command(ID_REOPEN_UTF8);
  ExpectPanes(L"UTF-8");
  EXPECT_EQ(Units(), u"<p>表\xDCFF</p>\r\n");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), bytes);
  // Unsaved edits are asked about first; cancelling keeps them.
  CaretToEnd();
  Type(L"x");
  ui_.answers = {IDCANCEL};
  Command(ID_REOPEN_SHIFT_JIS);
  EXPECT_EQ(Units(), u"<p>表\xDCFF</p>\r\nx");
  ui_.answers = {IDNO};
  Command(ID_REOPEN_SHIFT_JIS);
  ExpectPanes(L"Shift_JIS");
  EXPECT_EQ(Units(), u"<p>" + Sjis("\xE8\xA1") + u"ｨ\xDCFF</p>\r\n");
  EXPECT_EQ(ui_.messages.size(), 2u);
}

TEST_F(Encodings, TheEncodingForNewDocumentsIsASetting) {
  ASSERT_TRUE(Start());
  DialogDriver driver;
  driver.Then([](HWND dlg) {
    HWND combo = GetDlgItem(dlg, IDC_NEW_DOC_ENCODING);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);  // UTF-8 with a mark
    DialogDriver::Click(dlg, IDOK);
  });
  Command(ID_SETTING);
  ASSERT_TRUE(driver.all_done());
  Restart();
  Command(ID_FILE_NEW_HTML);
  ExpectPanes(L"UTF-8 BOM", L"CRLF");
  TempFile out(L"kestil-new.htm", "");
  ui_.save_path = out.path();
  Command(ID_FILE_SAVE);
  const std::string head = "\xEF\xBB\xBF<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n";
  EXPECT_EQ(out.Read().substr(0, head.size()), head);
}

TEST_F(Encodings, NamesBeyondShiftJisOpenSaveAndComeBackAfterARestart) {
  const std::wstring folder = TempDir() + L"José";
  CreateDirectoryW(folder.c_str(), nullptr);
  {
    TempFile page(L"José\\𠮷.htm", "<p>©</p>\r\n");
    ASSERT_TRUE(Start(page.path()));
    EXPECT_EQ(Title(), L"𠮷.htm - Kestil");
    CaretToEnd();
    Type(L"x");
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(page.Read(), "<p>©</p>\r\nx");
    Restart();
    Command(ID_FILE_MRU_FIRST);
    EXPECT_EQ(Doc().path_name(), page.path());
    EXPECT_EQ(Units(), u"<p>©</p>\r\nx");
    Close();
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kestil::testing
