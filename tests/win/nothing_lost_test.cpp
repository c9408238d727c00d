// Nothing is lost: at the end of the session, to a refused load, to other
// programs' messages, to a changed or deleted file; and state follows
// commands sent from outside.
#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>

#include "fw/file_io.h"
#include "fw/registry_profile.h"
#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class NothingLost : public AppTest {
 protected:
  void Type(const std::wstring& keys) {
    for (wchar_t c : keys) SendMessageW(Edit(), WM_CHAR, c, 1);
  }
  LRESULT QueryEndSession() { return SendMessageW(Frame(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF); }
  fw::RegistryProfile Registry() { return fw::RegistryProfile(kRegistryMaker, L"kestil"); }
  // Another program rewrites the file, with a later write time.
  inline static unsigned rewrites_ = 0;
  static void Rewrite(const TempFile& file, const std::string& bytes) {
    HANDLE f = CreateFileW(file.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD wrote = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart += 10'000'000ull * 3600 * (++rewrites_);  // hours on, a new time each time
    const FILETIME later{t.LowPart, t.HighPart};
    SetFileTime(f, nullptr, nullptr, &later);
    CloseHandle(f);
  }
  void Activate() {
    SendMessageW(Frame(), WM_ACTIVATE, WA_ACTIVE, 0);
    PumpPending();
  }
};

TEST_F(NothingLost, TheEndOfTheSessionAsksAsACloseDoes) {
  TempFile file(L"kestil-session.htm", "old");
  ASSERT_TRUE(Start(file.path()));
  EXPECT_EQ(QueryEndSession(), TRUE);  // nothing edited: no question
  EXPECT_TRUE(ui_.messages.empty());

  Type(L"new ");
  ui_.answers = {IDCANCEL};
  EXPECT_EQ(QueryEndSession(), FALSE);  // the session must not end
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_TRUE(IsWindow(Frame()));
  ui_.answers = {IDNO};
  EXPECT_EQ(QueryEndSession(), TRUE);
  EXPECT_EQ(file.Read(), "old");
  ui_.answers = {IDYES};
  EXPECT_EQ(QueryEndSession(), TRUE);
  EXPECT_EQ(file.Read(), "new old");

  // A save that fails keeps the session.
  Type(L"x");
  SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_READONLY);
  ui_.answers = {IDYES};  // the save asks for a new name, which is cancelled
  EXPECT_EQ(QueryEndSession(), FALSE);
  SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_NORMAL);

  // The session ends: the options and the bars are written at once.
  App().m_TabStop = 6;
  App().m_RegStr[2] = u"kept";
  Command(ID_VIEW_TOOLBAR);
  SendMessageW(Frame(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(Registry().GetInt("Option", "m_TabStop", -1), 6);
  EXPECT_EQ(Registry().GetString("Option", "m_RegStr_02", u""), u"kept");
  EXPECT_EQ(Registry().GetInt("Bar", "ToolBar", -1), 0);
  EXPECT_NE(Registry().GetString("Recent File List", "File1", u""), u"");
  Doc().SetModified(false);
}

// A command sent from another thread, with no input after it, still brings
// the toolbar up to date: the loop's idle work runs again.
TEST_F(NothingLost, ACommandSentFromOutsideUpdatesTheToolbar) {
  ASSERT_TRUE(Start());
  HWND frame = Frame();
  HWND toolbar = App().frame()->toolbar();
  std::atomic<bool> checked{false};
  std::thread outside([&] {
    SendMessageW(frame, WM_COMMAND, ID_TOPMOST, 0);
    for (int i = 0; i < 500 && !checked; ++i) {
      checked = SendMessageW(toolbar, TB_ISBUTTONCHECKED, ID_TOPMOST, 0) != 0;
      if (!checked) Sleep(10);  // polling another thread's window, bounded
    }
    PostMessageW(frame, WM_CLOSE, 0, 0);
  });
  App().Run();
  outside.join();
  EXPECT_TRUE(checked);
}

TEST_F(NothingLost, AHugeStoredTabStopIsKeptButLaidOutBounded) {
  Registry().WriteInt("Option", "m_TabStop", 2147483647);
  ASSERT_TRUE(Start());
  ui_.fake_printer = true;
  View().edit().SetText(Sjis("a\tb\tc\r\n"));
  Command(ID_FILE_PRINT_PREVIEW);  // lays the text out for the stand-in printer
  EXPECT_TRUE(ui_.messages.empty());
  HWND preview = FindWindowW(L"KestilFramePreview", nullptr);
  ASSERT_NE(preview, nullptr);
  DestroyWindow(preview);
  EXPECT_EQ(View().TabChars(), 64);
  Close();
  EXPECT_EQ(Registry().GetInt("Option", "m_TabStop", -1), 2147483647);
}

// The control refuses the new text: the old text, its history and its
// spellings stay, and saving writes the old text, not nothing.
TEST_F(NothingLost, AFailedLoadLeavesTheDocumentAsItWas) {
  TempFile old_file(L"kestil-old.htm", "\x87\x90 old");  // NEC row 13 spelling
  TempFile new_file(L"kestil-new.htm", "new text");
  ASSERT_TRUE(Start(old_file.path()));
  View().edit().SetSel(0, 0);
  View().edit().ReplaceSel(u"edit ");
  View().edit().SetTextWriter([](HWND, const std::u16string&) { return false; });
  ui_.answers = {IDNO};  // do not save the edit first
  EXPECT_FALSE(App().OpenDocumentFile(new_file.path()));
  EXPECT_NE(ui_.messages.back().find(L"を開けませんでした"), std::wstring::npos);
  EXPECT_EQ(Units(), u"edit \u2252 old");
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_EQ(Doc().path_name(), old_file.path());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), u"\u2252 old");
  Command(ID_EDIT_REDO);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(old_file.Read(), "edit \x87\x90 old");
}

TEST_F(NothingLost, OtherProgramsMessagesNeverHideAnEdit) {
  ASSERT_TRUE(Start());
  EXPECT_EQ(SendMessageW(Edit(), EM_CANUNDO, 0, 0), FALSE);
  Type(L"abc");
  EXPECT_EQ(SendMessageW(Edit(), EM_CANUNDO, 0, 0), TRUE);
  EXPECT_EQ(SendMessageW(Edit(), EM_GETMODIFY, 0, 0), TRUE);
  // Emptying the history keeps the document modified: closing asks.
  SendMessageW(Edit(), EM_EMPTYUNDOBUFFER, 0, 0);
  EXPECT_EQ(SendMessageW(Edit(), EM_CANUNDO, 0, 0), FALSE);
  EXPECT_TRUE(Doc().IsModified());
  ui_.answers = {IDCANCEL};
  Close();
  EXPECT_EQ(ui_.messages.size(), 1u);
  ASSERT_TRUE(IsWindow(Frame()));

  // Undone back to the saved text by other steps: unmodified.
  Doc().SetModified(false);
  Type(L"a");
  SendMessageW(Edit(), WM_CHAR, VK_BACK, 1);
  EXPECT_EQ(Text(), "abc");
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(SendMessageW(Edit(), EM_GETMODIFY, 0, 0), FALSE);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(SendMessageW(Edit(), EM_GETMODIFY, 0, 0), TRUE);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(SendMessageW(Edit(), EM_GETMODIFY, 0, 0), FALSE);
  ui_.messages.clear();
  Close();
  EXPECT_TRUE(ui_.messages.empty());  // closed without a question
}

TEST_F(NothingLost, ACommandOutOfMemoryStopsWithAMessage) {
  ASSERT_TRUE(Start());
  View().edit().SetText(Sjis("text"));
  constexpr UINT kGreedy = 0xBEEF;
  View().On(kGreedy, [] { throw std::bad_alloc(); });
  Command(kGreedy);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"メモリが足りない"), std::wstring::npos);
  EXPECT_EQ(Text(), "text");
  Command(ID_TAG_BR);
  EXPECT_EQ(Text(), "<br>\r\ntext");
}

TEST_F(NothingLost, AFileChangedByAnotherProgram) {
  TempFile file(L"kestil-shared.htm", "mine");
  ASSERT_TRUE(Start(file.path()));
  Activate();
  EXPECT_TRUE(ui_.messages.empty());  // unchanged: nothing asked

  // Activation asks once; No keeps the text, and the save then asks too.
  Rewrite(file, "theirs");
  ui_.answers = {IDNO};
  Activate();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"他のプログラムによって変更されました。再読み込みしますか？"),
            std::wstring::npos);
  Activate();
  EXPECT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(Text(), "mine");
  Type(L"!");
  ui_.answers = {IDNO};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), "theirs");
  EXPECT_TRUE(Doc().IsModified());
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), "!mine");
  EXPECT_FALSE(Doc().IsModified());
  Activate();  // our own save is no change
  EXPECT_EQ(ui_.messages.size(), 3u);

  // Yes reads the file again; with edits the question says they go.
  Rewrite(file, "theirs again");
  Type(L"?");
  ui_.answers = {IDYES};
  Activate();
  EXPECT_NE(ui_.messages.back().find(L"変更は失われます"), std::wstring::npos);
  EXPECT_EQ(Text(), "theirs again");
  EXPECT_FALSE(Doc().IsModified());
}

TEST_F(NothingLost, AFileDeletedByAnotherProgram) {
  auto file = std::make_unique<TempFile>(L"kestil-gone.htm", "kept");
  const std::wstring path = file->path();
  struct Remove {
    std::wstring path;
    ~Remove() { DeleteFileW(path.c_str()); }
  } cleanup{path};
  auto read = [&] {
    std::string bytes;
    DWORD error = 0;
    return fw::ReadWholeFile(path, bytes, &error) ? bytes : "<none>";
  };
  ASSERT_TRUE(Start(path));
  file.reset();  // deleted behind the program's back
  ui_.answers = {IDNO};
  Activate();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"削除されました"), std::wstring::npos);
  EXPECT_TRUE(Doc().IsModified());  // closing would ask
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  ui_.answers = {IDNO};
  Command(ID_FILE_SAVE);  // asks before writing it again
  EXPECT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(ui_.messages.size(), 3u);
  EXPECT_EQ(read(), "kept");

  // Yes on activation writes the text back at once.
  Doc().SetModified(false);
  DeleteFileW(path.c_str());
  ui_.answers = {IDYES};
  Activate();
  EXPECT_EQ(read(), "kept");
  EXPECT_EQ(ui_.messages.size(), 4u);
}

}  // namespace
}  // namespace kestil::testing
