// Files in every encoding and line ending through the real window: what opens,
// what the status bar says, what the commands put in, and what reaches the disk.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/text16.h"
#include "fw/registry_profile.h"
#include "fw/text.h"
#include "res/resource.h"
#include "view/tag_commands.h"
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

// A UTF-16 file: its mark and units, written by hand so as not to lean on the
// program's own encoder.
std::string Utf16File(std::u16string_view units, bool big_endian) {
  std::string bytes = big_endian ? "\xFE\xFF" : "\xFF\xFE";
  for (char16_t u : units) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    bytes += big_endian ? std::string{hi, lo} : std::string{lo, hi};
  }
  return bytes;
}

// Valid UTF-8 (the literals of these tests) as UTF-16.
std::u16string Utf16Of(const std::string& utf8) {
  std::wstring wide(utf8.size(), L'\0');
  const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                    wide.data(), static_cast<int>(wide.size()));
  wide.resize(n > 0 ? n : 0);
  return fw::AsU16(wide);
}

std::wstring TempDir() {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return dir;
}

// Answers whether a command is enabled, as a menu item would be shown.
class ProbeUI final : public fw::CmdUI {
 public:
  explicit ProbeUI(UINT id) : CmdUI(id) {}
  void Enable(bool on) override { enabled = on; }
  void SetCheck(bool) override {}
  void SetText(const std::wstring&) override {}
  bool enabled = true;
};

class Encodings : public AppTest {
 protected:
  fw::RegistryProfile Registry() { return fw::RegistryProfile(kRegistryMaker, L"kestil"); }

  std::wstring Pane(int part) {
    wchar_t text[256] = {};
    SendMessageW(App().frame()->status_bar(), SB_GETTEXTW, part, reinterpret_cast<LPARAM>(text));
    return text;
  }
  // Panes are written by the idle update; on a mismatch the text shown is
  // returned for the message.
  std::wstring PaneAfterIdle(int part, const std::wstring& want) {
    PumpUntil([&] {
      Idle();
      return Pane(part) == want;
    });
    return Pane(part);
  }
  void ExpectPanes(const std::wstring& encoding, const std::wstring& ending = L"",
                   const std::string& tag = "") {
    EXPECT_EQ(PaneAfterIdle(1, encoding), encoding) << tag;
    if (!ending.empty()) {
      EXPECT_EQ(PaneAfterIdle(2, ending), ending) << tag;
    }
  }

  // Opens bytes as a file and saves the unchanged text under another name;
  // the two files must hold the same bytes. Returns the text as opened.
  // asks: the file declares another encoding than it is read in, which the
  // save asks about (answered yes).
  std::u16string OpenAndResave(const std::string& tag, const std::string& bytes,
                               const std::wstring& pane, bool asks = false) {
    TempFile in(L"kestil-enc-in.htm", bytes);
    TempFile out(L"kestil-enc-out.htm", "");
    ui_.messages.clear();
    EXPECT_TRUE(App().OpenDocumentFile(in.path())) << tag;
    PumpPending();
    ExpectPanes(pane, L"", tag);
    EXPECT_FALSE(Doc().IsModified()) << tag;
    const std::u16string text = Units();
    ui_.save_path = out.path();
    if (asks) ui_.answers = {IDYES};
    Command(ID_FILE_SAVE_AS);
    EXPECT_TRUE(out.Read() == bytes) << tag << ": " << out.Read().size() << " bytes of " << bytes.size();
    EXPECT_EQ(ui_.messages.size(), asks ? 1u : 0u) << tag;
    return text;
  }

  void JumpTo(int line, int column) {
    DialogDriver driver;
    driver.Then([&](HWND dlg) {
      DialogDriver::SetText(dlg, IDC_JUMP_LINE, std::to_wstring(line));
      DialogDriver::SetText(dlg, IDC_JUMP_COLUMN, std::to_wstring(column));
      DialogDriver::Click(dlg, IDOK);
    });
    Command(ID_JUMP);
    ASSERT_TRUE(driver.all_done());
  }
  // What the find dialog sends its owner for "find next, down".
  void FindNext(const std::wstring& what) {
    wchar_t buffer[256] = {};
    what.copy(buffer, 255);
    FINDREPLACEW fr{};
    fr.lStructSize = sizeof fr;
    fr.hwndOwner = Frame();
    fr.Flags = FR_FINDNEXT | FR_DOWN;
    fr.lpstrFindWhat = buffer;
    fr.wFindWhatLen = 256;
    SendMessageW(Frame(), RegisterWindowMessageW(FINDMSGSTRINGW), 0, reinterpret_cast<LPARAM>(&fr));
    PumpPending();
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
};

TEST_F(Encodings, EveryFileSurvivesOpeningAndSavingByteForByte) {
  ASSERT_TRUE(Start());
  const std::string declaration = "<meta charset=\"utf-8\">";
  const std::vector<std::string> broken = {
      "\x80", "\xBF\x80", "\xC3", "\xE8\xA1", "\xF0\x9F\x98",      // stray, cut short
      "\xC0\xAF", "\xE0\x80\xAF", "\xF0\x80\x80\xAF",              // overlong
      "\xED\xA0\x80", "\xED\xBF\xBF", "\xF4\x90\x80\x80", "\xC1\xBF",  // surrogates, too big, C1
      "\xF5", "\xF8\x88\x80\x80\x80", "\xFE", "\xFF"};
  for (const std::string& b : broken) {
    // At the start, cut off by the next byte in the middle, and at the end.
    const std::string bytes = b + declaration + "表" + b + "x" + b;
    EXPECT_EQ(OpenAndResave("declared " + b, bytes, L"UTF-8"),
              Reserved(b) + Widen(declaration) + u"表" + Reserved(b) + u"x" + Reserved(b));
    OpenAndResave("undeclared " + b, b + "表©" + b + "x" + b, L"Shift_JIS");
  }
  EXPECT_EQ(OpenAndResave("4-byte", "𠮷😀a𠮷", L"UTF-8"), u"𠮷😀a𠮷");
  EXPECT_EQ(OpenAndResave("nul", "\0©\0\0x"s, L"UTF-8"), u"\xDC00©\xDC00\xDC00x");
  EXPECT_EQ(OpenAndResave("nul in Shift_JIS", "a\0\x95\x5C\0"s, L"Shift_JIS"), u"a\xDC00表\xDC00");
  EXPECT_EQ(OpenAndResave("mark only", "\xEF\xBB\xBF", L"UTF-8 BOM"), u"");
  EXPECT_EQ(OpenAndResave("mark and text", "\xEF\xBB\xBF©\r\n", L"UTF-8 BOM"), u"©\r\n");
  EXPECT_EQ(OpenAndResave("empty", "", L"Shift_JIS"), u"");
  const struct {
    std::string bytes;
    std::wstring pane;
  } endings[] = {{"©\r\na\r\n", L"CRLF"}, {"©\na\n", L"LF"}, {"©\ra\r", L"CR"},
                 {"©\na\nb\r\nc\n\rd", L"LF 混在"}, {"©\n\r\n\r\n\r\n\r", L""}};
  for (const auto& e : endings) {
    EXPECT_EQ(OpenAndResave("endings", e.bytes, L"UTF-8"), Utf16Of(e.bytes));
    if (!e.pane.empty()) ExpectPanes(L"UTF-8", e.pane);
  }
  std::string big;
  while (big.size() < (2u << 20)) big += "<p>表©𠮷 " + std::to_string(big.size()) + "</p>\r\n";
  EXPECT_EQ(OpenAndResave("2 MB", big, L"UTF-8").size(), Utf16Of(big).size());

  // UTF-16: unpaired surrogates of both halves, a lone 0xDC00 beside no NUL,
  // a pair, an odd last byte.
  const std::u16string odd = u"A\xD800" u"B\xDC00" u"𠮷\xDE00\r\n";
  for (bool be : {false, true}) {
    const std::wstring pane = be ? L"UTF-16 BE" : L"UTF-16 LE";
    EXPECT_EQ(OpenAndResave("utf-16", Utf16File(odd, be) + "\x41", pane), odd);
    EXPECT_EQ(OpenAndResave("utf-16 nul", Utf16File(u"a\0b"s, be), pane), u"a\xDC00" u"b");
    EXPECT_EQ(OpenAndResave("utf-16 mark only", Utf16File(u"", be), pane), u"");
    EXPECT_EQ(OpenAndResave("utf-16 odd byte only", Utf16File(u"", be) + "\x41", pane), u"");
    EXPECT_EQ(OpenAndResave("utf-16 ending", Utf16File(u"©\n\xD83D", be), pane), u"©\n\xD83D");
    ExpectPanes(pane, L"LF");
  }
}

TEST_F(Encodings, DetectionRulesAndTheirTies) {
  ASSERT_TRUE(Start());
  const struct {
    std::string bytes;
    std::wstring pane;
    bool asks = false;
  } cases[] = {
      {"\xEF\xBB\xBF\x95\x5C", L"UTF-8 BOM"},  // the mark over Shift_JIS content
      {"\xEF\xBB\xBF<meta charset=shift_jis>", L"UTF-8 BOM", true},
      {Utf16File(u"<meta charset=\"utf-8\">", false), L"UTF-16 LE", true},
      {Utf16File(u"表", true), L"UTF-16 BE"},
      {"<meta charset=\"shift_jis\">表", L"UTF-8", true},  // well-formed content over the declaration
      {"<meta charset=\"utf-8\">\x95\x5C", L"UTF-8"},  // the declaration over Shift_JIS bytes
      {"<meta charset=\"utf-8\">表\x80", L"UTF-8"},
      {"<meta charset=\"shift_jis\">表\x80", L"Shift_JIS"},
      {"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\x80", L"UTF-8"},
      {"<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">\x80", L"UTF-8"},
      {"<!-- <meta charset=utf-8> -->\x95\x5C", L"Shift_JIS"},
      {std::string(1100, ' ') + "<meta charset=utf-8>\x80", L"Shift_JIS"},
      // The first declaration decides, even naming an encoding not read.
      {"<meta charset=\"euc-jp\"><meta charset=\"utf-8\">\x80", L"Shift_JIS", true},
      {"<p>x</p>", L"Shift_JIS"},
      {"<meta charset=\"utf-8\"><p>x</p>", L"UTF-8"},
      {"\x95\x5C\x8E\xA6", L"Shift_JIS"},
  };
  for (const auto& c : cases) OpenAndResave(c.bytes, c.bytes, c.pane, c.asks);
  EXPECT_EQ(OpenAndResave("declared", "<meta charset=\"utf-8\">\x95\x5C", L"UTF-8"),
            u"<meta charset=\"utf-8\">\xDC95\\");

  // ASCII takes the encoding for new documents, without a mark.
  for (int stored : {1, 2}) {
    Close();
    ClearRegistry();
    Registry().WriteInt("Encoding", "m_NewDocEncoding", stored);
    ASSERT_TRUE(Start());
    OpenAndResave("ascii", "<p>x</p>\r\n", L"UTF-8");
    OpenAndResave("empty", "", L"UTF-8");
    OpenAndResave("declared ascii", "<meta charset=shift_jis><p>", L"Shift_JIS");
    OpenAndResave("Shift_JIS", "\x95\x5C", L"Shift_JIS");
  }
}

TEST_F(Encodings, CommandsInsertCharactersBeyondShiftJisIntact) {
  TempFile page(L"kestil-u8.htm", "©𠮷\r\n");
  ASSERT_TRUE(Start(page.path()));
  ExpectPanes(L"UTF-8", L"CRLF");
  for (int tag_case : {0, 1}) {
    App().m_TagStrType = tag_case;
    for (const TagCommand& c : TagCommands()) {
      View().edit().SetText(u"a©𠮷b");
      View().edit().SetSel(1, 4);
      Command(c.id);
      std::u16string open = Widen(c.open), close = Widen(c.close == nullptr ? "" : c.close);
      if (tag_case != 0) {
        open = UpperAscii(open);
        close = UpperAscii(close);
      }
      EXPECT_EQ(Units(), u"a" + open + (c.wrap ? u"©𠮷" : u"") + close + u"b") << c.id;
    }
  }
  App().m_TagStrType = 0;

  View().edit().SetText(u"表©𠮷\\x\r\n");
  CaretToEnd();
  ui_.colors = {RGB(0x12, 0x34, 0x56)};
  Command(ID_INSERT_COLOR);
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
  EXPECT_EQ(Units(),
            u"表©𠮷\\x\r\n#123456<font color=\"#ff0000\">©</font><font color=\"#0000ff\">𠮷</font>"
            u"©\r\nimg/ü-表.pngAB1 ©");
  EXPECT_TRUE(ui_.messages.empty());

  // Columns count Shift_JIS bytes: 表 two, © one, 𠮷 two (wide); a column
  // inside a character goes to its start.
  const struct {
    int line, column;
    std::size_t unit;
  } jumps[] = {{1, 2, 0}, {1, 3, 1}, {1, 4, 2}, {1, 5, 2}, {1, 6, 4}, {1, 7, 5}, {1, 99, 6},
               {2, 8, 15}};
  for (const auto& j : jumps) {
    JumpTo(j.line, j.column);
    EXPECT_EQ(View().edit().GetSel(), (Selection{j.unit, j.unit})) << j.line << ":" << j.column;
  }
  View().edit().SetSel(0, 0);
  FindNext(L"\\");
  EXPECT_EQ(View().edit().GetSel(), (Selection{4, 5}));

  Command(ID_FILE_SAVE);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(page.Read(),
            "表©𠮷\\x\r\n#123456<font color=\"#ff0000\">©</font><font color=\"#0000ff\">𠮷</font>"
            "©\r\nimg/ü-表.pngAB1 ©");

  // A Shift_JIS page links the same file through the escapes of its UTF-8
  // bytes where Shift_JIS has no character.
  TempFile sjis(L"kestil-sjis.htm", "\x95\x5C\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(sjis.path()));
  ExpectPanes(L"Shift_JIS");
  CaretToEnd();
  Command(ID_RELATIVE_PATH);
  Command(ID_FILE_SAVE);
  EXPECT_TRUE(ui_.messages.empty());
  EXPECT_EQ(sjis.Read(), "\x95\x5C\r\nimg/%C3%BC-\x95\x5C.png");
}

TEST_F(Encodings, AddedLineBreaksTakeTheDocumentsEnding) {
  TempFile page(L"kestil-lf.htm", "<p>©</p>\n<p>x</p>\n");
  ASSERT_TRUE(Start(page.path()));
  ExpectPanes(L"UTF-8", L"LF");
  CaretToEnd();
  for (wchar_t c : std::wstring(L"a\rb")) SendMessageW(Edit(), WM_CHAR, c, 1);
  Command(ID_TAG_BR);
  PasteText(L"1\r\n2\r\n");
  App().m_RegTitle[2] = u"s";
  App().m_RegStr[2] = u"s\r\nt\r\n";
  Command(ID_REGSTR_2);
  Command(ID_TAG_LIST);
  const std::string lf = "<p>©</p>\n<p>x</p>\na\nb<br>\n1\n2\ns\nt\n<ul>\n<li>\n</ul>\n";
  EXPECT_EQ(Units(), Utf16Of(lf));
  Command(ID_FILE_SAVE);
  EXPECT_EQ(page.Read(), lf);
  ExpectPanes(L"UTF-8", L"LF");

  // One conversion, undone in one step.
  Command(ID_LINE_ENDING_CRLF);
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? "\r\n" : std::string(1, c);
  EXPECT_EQ(Units(), Utf16Of(crlf));
  EXPECT_TRUE(Doc().IsModified());
  ExpectPanes(L"UTF-8", L"CRLF");
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), Utf16Of(lf));
  EXPECT_FALSE(Doc().IsModified());
  Command(ID_EDIT_REDO);
  EXPECT_EQ(Units(), Utf16Of(crlf));
  Command(ID_FILE_SAVE);
  EXPECT_EQ(page.Read(), crlf);

  // A mixed file saves unchanged; new breaks take the most common ending.
  TempFile mixed(L"kestil-mixed.htm", "a\nb\nc\r\nd\re\n");
  ASSERT_TRUE(App().OpenDocumentFile(mixed.path()));
  ExpectPanes(L"Shift_JIS", L"LF 混在");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(mixed.Read(), "a\nb\nc\r\nd\re\n");
  CaretToEnd();
  SendMessageW(Edit(), WM_CHAR, '\r', 1);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(mixed.Read(), "a\nb\nc\r\nd\re\n\n");
  Command(ID_LINE_ENDING_CR);
  ExpectPanes(L"Shift_JIS", L"CR");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(mixed.Read(), "a\rb\rc\rd\re\r\r");
}

// Undoing a conversion gives back the file as it was: the breaks typed next
// take its ending again, and the status bar says so.
TEST_F(Encodings, UndoingAConversionRestoresTheEnding) {
  TempFile page(L"kestil-lf.htm", "a\nb\n");
  ASSERT_TRUE(Start(page.path()));
  Command(ID_LINE_ENDING_CRLF);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), u"a\nb\n");
  ExpectPanes(L"Shift_JIS", L"LF");
  CaretToEnd();
  SendMessageW(Edit(), WM_CHAR, '\r', 1);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(page.Read(), "a\nb\n\n");
}

TEST_F(Encodings, SwitchingTheEncodingOfTheNextSave) {
  ASSERT_TRUE(Start());
  const std::string sjis = "\x95\x5C\x8E\xA6<p>\xB1\r\n";
  const std::u16string text = u"表示<p>ｱ\r\n";
  const std::string utf8 = "表示<p>ｱ\r\n";
  const struct {
    UINT id;
    std::wstring pane;
    std::string bytes;
  } targets[] = {
      {ID_ENCODING_UTF8, L"UTF-8", utf8},
      {ID_ENCODING_UTF8_BOM, L"UTF-8 BOM", "\xEF\xBB\xBF" + utf8},
      {ID_ENCODING_UTF16_LE, L"UTF-16 LE", Utf16File(text, false)},
      {ID_ENCODING_UTF16_BE, L"UTF-16 BE", Utf16File(text, true)},
  };
  for (const auto& t : targets) {
    TempFile file(L"kestil-switch.htm", sjis);
    ASSERT_TRUE(App().OpenDocumentFile(file.path()));
    ExpectPanes(L"Shift_JIS");
    Command(t.id);
    EXPECT_TRUE(Doc().IsModified());
    ExpectPanes(t.pane);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(file.Read(), t.bytes) << Utf8Of(t.pane);
    ASSERT_TRUE(App().OpenDocumentFile(file.path()));
    ExpectPanes(t.pane);
    EXPECT_EQ(Units(), text);
    Command(ID_ENCODING_SHIFT_JIS);  // and back, as it was
    Command(ID_FILE_SAVE);
    EXPECT_EQ(file.Read(), sjis);
  }
  EXPECT_TRUE(ui_.messages.empty());

  // Characters Shift_JIS has not: No writes nothing, Yes writes "?".
  TempFile copyright(L"kestil-copy.htm", "a©b");
  ASSERT_TRUE(App().OpenDocumentFile(copyright.path()));
  Command(ID_ENCODING_SHIFT_JIS);
  ui_.answers = {IDNO};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"1 文字は Shift_JIS で保存できません"), std::wstring::npos);
  EXPECT_EQ(copyright.Read(), "a©b");
  EXPECT_TRUE(Doc().IsModified());
  CaretToEnd();
  View().edit().ReplaceSel(u"𠮷");  // a pair is one character
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_NE(ui_.messages[1].find(L"2 文字は"), std::wstring::npos);
  EXPECT_EQ(copyright.Read(), "a?b?");
  EXPECT_FALSE(Doc().IsModified());

  // A declaration of another encoding asks too.
  ui_.messages.clear();
  TempFile declared(L"kestil-declared.htm", "<meta charset=\"utf-8\"><p>\r\n");
  ASSERT_TRUE(App().OpenDocumentFile(declared.path()));
  ExpectPanes(L"UTF-8");
  CaretToEnd();
  SendMessageW(Edit(), WM_CHAR, 'x', 1);
  Command(ID_ENCODING_SHIFT_JIS);
  ui_.answers = {IDNO};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"utf-8"), std::wstring::npos);
  EXPECT_NE(ui_.messages[0].find(L"Shift_JIS"), std::wstring::npos);
  EXPECT_EQ(declared.Read(), "<meta charset=\"utf-8\"><p>\r\n");
  EXPECT_TRUE(Doc().IsModified());
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(declared.Read(), "<meta charset=\"utf-8\"><p>\r\nx");
  EXPECT_FALSE(Doc().IsModified());
}

TEST_F(Encodings, ReopeningInAnotherEncoding) {
  ASSERT_TRUE(Start());
  ProbeUI untitled(ID_REOPEN_UTF8);
  ASSERT_TRUE(App().RouteUpdate(untitled));
  EXPECT_FALSE(untitled.enabled);
  const std::string bytes = "<p>表\xFF</p>\r\n";  // broken UTF-8, no declaration
  TempFile file(L"kestil-reopen.htm", bytes);
  ASSERT_TRUE(App().OpenDocumentFile(file.path()));
  ExpectPanes(L"Shift_JIS");
  for (UINT id : {ID_REOPEN_UTF8, ID_REOPEN_SHIFT_JIS}) {
    ProbeUI probe(id);
    ASSERT_TRUE(App().RouteUpdate(probe));
    EXPECT_TRUE(probe.enabled) << id;
  }
  Command(ID_REOPEN_UTF8);
  ExpectPanes(L"UTF-8");
  EXPECT_EQ(Units(), u"<p>表\xDCFF</p>\r\n");
  EXPECT_FALSE(Doc().IsModified());
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), bytes);
  // Unsaved edits are asked about first; cancelling keeps them.
  CaretToEnd();
  SendMessageW(Edit(), WM_CHAR, 'x', 1);
  ui_.answers = {IDCANCEL};
  Command(ID_REOPEN_SHIFT_JIS);
  ExpectPanes(L"UTF-8");
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
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    wchar_t item[64] = {};
    SendMessageW(combo, CB_GETLBTEXT, 2, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, L"UTF-8 BOM 付き");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    SendMessageW(combo, CB_SETCURSEL, 1, 0);
    DialogDriver::Click(dlg, IDOK);
  });
  Command(ID_SETTING);
  ASSERT_TRUE(driver.all_done());
  EXPECT_EQ(App().m_NewDocEncoding, 1);
  Command(ID_FILE_NEW_HTML);
  std::u16string skeleton = HtmlSkeleton(0, false);
  skeleton.insert(skeleton.find(u"<head>\r\n") + 8, u"<meta charset=\"utf-8\">\r\n");
  EXPECT_EQ(Units(), skeleton);
  ExpectPanes(L"UTF-8", L"CRLF");
  Close();
  DWORD value = 99, size = sizeof value;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, L"Software\\Ulmore Soft\\kestil\\Encoding",
                         L"m_NewDocEncoding", RRF_RT_REG_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
  EXPECT_EQ(value, 1u);

  // With a mark: the new page is saved with it.
  Registry().WriteInt("Encoding", "m_NewDocEncoding", 2);
  ASSERT_TRUE(Start());
  Command(ID_FILE_NEW_HTML);
  ExpectPanes(L"UTF-8 BOM");
  TempFile out(L"kestil-new.htm", "");
  ui_.save_path = out.path();
  Command(ID_FILE_SAVE);
  const std::string head = "\xEF\xBB\xBF<html>\r\n<head>\r\n<meta charset=\"utf-8\">\r\n";
  EXPECT_EQ(out.Read().substr(0, head.size()), head);
  Close();

  Registry().WriteInt("Encoding", "m_NewDocEncoding", 7);
  ASSERT_TRUE(Start());
  EXPECT_EQ(App().m_NewDocEncoding, 0);
  Command(ID_FILE_NEW_HTML);
  EXPECT_EQ(Units(), HtmlSkeleton(0, false));
  ExpectPanes(L"Shift_JIS");
}

TEST_F(Encodings, NamesBeyondShiftJisOpenSaveAndComeBackAfterARestart) {
  const std::wstring folder = TempDir() + L"José";
  CreateDirectoryW(folder.c_str(), nullptr);
  {
    TempFile page(L"José\\𠮷.htm", "<p>©</p>\r\n");
    ASSERT_TRUE(Start(page.path()));
    EXPECT_EQ(Title(), L"𠮷.htm - Kestil");
    ExpectPanes(L"UTF-8");
    CaretToEnd();
    SendMessageW(Edit(), WM_CHAR, 'x', 1);
    Command(ID_FILE_SAVE);
    EXPECT_TRUE(ui_.messages.empty());
    EXPECT_EQ(page.Read(), "<p>©</p>\r\nx");
    ASSERT_FALSE(App().recent_files().entries().empty());
    EXPECT_EQ(App().recent_files().entries().front(), fw::AsU16(Doc().path_name()));
    EXPECT_EQ(Doc().path_name(), page.path());
    App().m_RegTitle[1] = u"©";
    App().m_RegStr[1] = u"<p>©</p>";

    Restart();
    EXPECT_EQ(Units(), u"");
    Command(ID_FILE_MRU_FIRST);
    EXPECT_EQ(Doc().path_name(), page.path());
    EXPECT_EQ(Units(), u"<p>©</p>\r\nx");
    EXPECT_EQ(App().m_RegStr[1], u"<p>©</p>");
    CaretToEnd();
    Command(ID_REGSTR_1);
    Command(ID_FILE_SAVE);
    EXPECT_EQ(page.Read(), "<p>©</p>\r\nx<p>©</p>");
    Close();
  }
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace kestil::testing
