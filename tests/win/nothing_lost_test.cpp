// Nothing is lost: at the end of the session, to a refused load, to other
// programs' messages, to a changed or deleted file.
#include <gtest/gtest.h>

#include <new>

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
  LRESULT EditMessage(UINT msg) { return SendMessageW(Edit(), msg, 0, 0); }
  // Another program rewrites the file, hours later each time.
  inline static unsigned rewrites_ = 0;
  static void Rewrite(const TempFile& file, const std::string& bytes) {
    HANDLE f = CreateFileW(file.path().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD wrote = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER t{};
    t.LowPart = now.dwLowDateTime;
    t.HighPart = now.dwHighDateTime;
    t.QuadPart += 10'000'000ull * 3600 * (++rewrites_);
    const FILETIME later{t.LowPart, t.HighPart};
    SetFileTime(f, nullptr, nullptr, &later);
    CloseHandle(f);
  }
  // Another program writes the same number of bytes and puts the old
  // modification time back, as cp -p and rsync -t do.
  static void RewriteKeepingTime(const TempFile& file, const std::string& bytes) {
    HANDLE f = CreateFileW(file.path().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
    FILETIME written{};
    GetFileTime(f, nullptr, nullptr, &written);
    DWORD wrote = 0;
    WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
    SetFileTime(f, nullptr, nullptr, &written);
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
  EXPECT_EQ(QueryEndSession(), FALSE);
  EXPECT_TRUE(IsWindow(Frame()));
  ui_.answers = {IDNO};
  EXPECT_EQ(QueryEndSession(), TRUE);
  EXPECT_EQ(file.Read(), "old");
  ui_.answers = {IDYES};
  EXPECT_EQ(QueryEndSession(), TRUE);
  EXPECT_EQ(file.Read(), "new old");
  // The session ends: the options are written at once.
  App().m_TabStop = 6;
  SendMessageW(Frame(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(fw::RegistryProfile(kRegistryMaker, L"kestil").GetInt("Option", "m_TabStop", -1), 6);
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
  EXPECT_TRUE(Doc().IsModified());
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(Units(), u"\u2252 old");
  Command(ID_EDIT_REDO);
  Command(ID_FILE_SAVE);
  EXPECT_EQ(old_file.Read(), "edit \x87\x90 old");
}

TEST_F(NothingLost, OtherProgramsMessagesNeverHideAnEdit) {
  ASSERT_TRUE(Start());
  Type(L"abc");
  EXPECT_EQ(EditMessage(EM_CANUNDO), TRUE);
  EXPECT_EQ(EditMessage(EM_GETMODIFY), TRUE);
  // Emptying the history keeps the document modified: closing asks.
  EditMessage(EM_EMPTYUNDOBUFFER);
  EXPECT_EQ(EditMessage(EM_CANUNDO), FALSE);
  ui_.answers = {IDCANCEL};
  Close();
  EXPECT_EQ(ui_.messages.size(), 1u);
  ASSERT_TRUE(IsWindow(Frame()));
  // Back at the saved text by other steps: unmodified, by undo modified.
  Doc().SetModified(false);
  Type(L"a\b");
  EXPECT_EQ(EditMessage(EM_GETMODIFY), FALSE);
  Command(ID_EDIT_UNDO);
  EXPECT_EQ(EditMessage(EM_GETMODIFY), TRUE);
}

TEST_F(NothingLost, ACommandOutOfMemoryStopsWithAMessage) {
  ASSERT_TRUE(Start());
  View().edit().SetText(Sjis("text"));
  View().On(0xBEEF, [] { throw std::bad_alloc(); });
  Command(0xBEEF);
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"メモリが足りない"), std::wstring::npos);
  Command(ID_TAG_BR);
  EXPECT_EQ(Text(), "<br>\r\ntext");
}

TEST_F(NothingLost, AFileChangedOrDeletedByAnotherProgram) {
  TempFile file(L"kestil-shared.htm", "mine");
  ASSERT_TRUE(Start(file.path()));
  Activate();
  EXPECT_TRUE(ui_.messages.empty());
  // Activation asks once; No keeps the text, and the save then asks too.
  Rewrite(file, "theirs");
  ui_.answers = {IDNO};
  Activate();
  Activate();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_NE(ui_.messages[0].find(L"他のプログラムによって変更されました"), std::wstring::npos);
  EXPECT_EQ(Text(), "mine");
  Type(L"!");
  ui_.answers = {IDNO, IDYES};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), "theirs");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), "!mine");
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
  // Deleted: the text counts as modified, and the save asks to write it again.
  DeleteFileW(file.path().c_str());
  ui_.answers = {IDNO, IDYES};
  Activate();
  EXPECT_NE(ui_.messages.back().find(L"削除されました"), std::wstring::npos);
  EXPECT_TRUE(Doc().IsModified());
  Command(ID_FILE_SAVE);
  EXPECT_EQ(ui_.messages.size(), 6u);
  EXPECT_EQ(file.Read(), "theirs again");
  // The same size and time, other bytes: the save asks all the same, after
  // an open and after a save of its own.
  RewriteKeepingTime(file, "THEIRS AGAIN");
  Type(L"+");
  ui_.answers = {IDNO};
  Command(ID_FILE_SAVE);
  ASSERT_EQ(ui_.messages.size(), 7u);
  EXPECT_NE(ui_.messages.back().find(L"上書きしますか"), std::wstring::npos);
  EXPECT_EQ(file.Read(), "THEIRS AGAIN");
  ui_.answers = {IDYES};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(file.Read(), Text());
  ASSERT_TRUE(App().OpenDocumentFile(file.path()));
  RewriteKeepingTime(file, "-THEIRS AGAIN");
  Type(L"*");
  ui_.answers = {IDNO};
  Command(ID_FILE_SAVE);
  EXPECT_EQ(ui_.messages.size(), 9u);
  EXPECT_EQ(file.Read(), "-THEIRS AGAIN");
}

}  // namespace
}  // namespace kestil::testing
