// Files that cannot be read or written, and paths that are long, hold a
// trail byte 0x5C or lie on a network share: a clear message or the work
// done, the program goes on, and neither the document nor the old file
// changes unless it was saved.
#include <gtest/gtest.h>

#include "fw/win.h"

#include <shlobj.h>

#include <functional>
#include <vector>

#include "fw/file_io.h"
#include "fw/text.h"
#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

const wchar_t kCannotSave[] = L"を保存できませんでした";
const wchar_t kCannotOpen[] = L"を開けませんでした";
const wchar_t kDenied[] = L"アクセスが拒否されました。";
const wchar_t kNotFound[] = L"ファイルが見つかりません。";

std::wstring TempDir() {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return dir;
}

std::wstring Env(const wchar_t* name) {
  wchar_t value[MAX_PATH] = {};
  return GetEnvironmentVariableW(name, value, MAX_PATH) != 0 ? value : L"";
}

bool WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return false;
  DWORD wrote = 0;
  const bool ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(f);
  return ok && wrote == bytes.size();
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  DWORD error = 0;
  return fw::ReadWholeFile(path, bytes, &error) ? bytes : "<unreadable>";
}

// Sends WM_DROPFILES for one name, as the shell does.
void DropFile(HWND frame, const std::wstring& name) {
  const SIZE_T size = sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  name.copy(reinterpret_cast<wchar_t*>(files + 1), name.size());
  GlobalUnlock(memory);
  SendMessageW(frame, WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
}

class FileFaults : public AppTest {
 protected:
  std::string Text() { return View().edit().GetText(); }
  void ExpectLastMessage(const std::wstring& part) {
    ASSERT_FALSE(ui_.messages.empty());
    EXPECT_NE(ui_.messages.back().find(part), std::wstring::npos)
        << "wanted: " << fw::ToBytes(part) << "\n   got: " << fw::ToBytes(ui_.messages.back());
  }
  // The program still answers: a tag command inserts its text.
  void ExpectResponsive() {
    ASSERT_TRUE(IsWindowVisible(Frame()));
    const std::string before = Text();
    View().edit().SetSel(0, 0);
    Command(ID_TAG_BR);
    EXPECT_EQ(Text(), "<br>\r\n" + before);
    SendMessageW(Edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), before);
  }
  // Edits the open document and saves it: the refusal, and the document
  // stays modified (the caller checks the file).
  void ExpectSaveRefused(const std::wstring& reason = L"") {
    View().edit().SetSel(0, 0);
    View().edit().ReplaceSel(std::string(200000, 'x'));  // more than a tiny disk holds
    const std::string text = Text();
    ui_.messages.clear();
    Command(ID_FILE_SAVE);
    ExpectLastMessage(kCannotSave);
    if (!reason.empty()) ExpectLastMessage(reason);
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Text(), text);
    ExpectResponsive();
  }
};

TEST_F(FileFaults, SavingALockedFileAVanishedFolderOrAReadOnlyFile) {
  TempFile file(L"kestil-locked.htm", "old");
  ASSERT_TRUE(Start(file.path()));
  // Another program holds the file open without sharing.
  HANDLE lock = CreateFileW(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  ExpectSaveRefused(kDenied);
  // Opening it while locked leaves the document as it was.
  const std::string text = Text();
  Doc().SetModified(false);
  EXPECT_FALSE(App().OpenDocumentFile(file.path()));
  ExpectLastMessage(kCannotOpen);
  ExpectLastMessage(kDenied);
  EXPECT_EQ(Text(), text);
  CloseHandle(lock);
  EXPECT_EQ(file.Read(), "old");
  // A read-only file asks for a new name; given its own, the save is refused.
  SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_READONLY);
  ui_.save_path = file.path();
  ExpectSaveRefused(kDenied);
  EXPECT_EQ(file.Read(), "old");

  const std::wstring folder = TempDir() + L"kestil-gone";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\page.htm";
  ui_.save_path = path;
  Command(ID_FILE_SAVE_AS);
  ASSERT_FALSE(Doc().IsModified());
  const std::string saved = ReadBytes(path);
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
  ExpectSaveRefused(kNotFound);
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(Doc().path_name(), path);
  EXPECT_FALSE(saved.empty());
}

// scripts/test mounts a 64 KiB file system (KESTIL_FULL_DISK) and a
// read-only one holding page.htm (KESTIL_RO_DISK) where it may mount.
TEST_F(FileFaults, SavingOnAFullDiskOrAReadOnlyFileSystem) {
  const std::wstring full = Env(L"KESTIL_FULL_DISK");
  const std::wstring read_only = Env(L"KESTIL_RO_DISK");
  if (full.empty() || read_only.empty()) {
    GTEST_SKIP() << "no small or read-only file system (needs permission to mount one)";
  }
  const std::wstring path = full + L"\\page.htm";
  ASSERT_TRUE(WriteBytes(path, "old page"));
  ASSERT_TRUE(Start(path));
  ExpectSaveRefused(L"ディスクの空き容量が足りません。");
  EXPECT_EQ(ReadBytes(path), "old page");
  // No temporary file is left behind to fill the disk.
  WIN32_FIND_DATAW found{};
  HANDLE h = FindFirstFileW((full + L"\\kst*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  Doc().SetModified(false);
  DeleteFileW(path.c_str());

  const std::wstring locked_page = read_only + L"\\page.htm";
  const std::string old = ReadBytes(locked_page);
  ASSERT_NE(old, "<unreadable>");
  ASSERT_TRUE(App().OpenDocumentFile(locked_page));
  ExpectSaveRefused(kDenied);
  EXPECT_EQ(ReadBytes(locked_page), old);
}

TEST_F(FileFaults, OpeningADirectoryAMissingOrOversizedFileAndAnEmptyOne) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("keep");
  Doc().SetModified(false);
  // A file over the editor's limit, made sparse so that it costs no disk.
  const std::wstring huge = TempDir() + L"kestil-huge.htm";
  HANDLE f = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  LARGE_INTEGER size{};
  size.QuadPart = static_cast<LONGLONG>(fw::kMaxFileBytes) + 1;
  SetFilePointerEx(f, size, nullptr, FILE_BEGIN);
  SetEndOfFile(f);
  CloseHandle(f);
  const std::pair<std::wstring, std::wstring> cases[] = {
      {TempDir(), kDenied},
      {TempDir() + std::wstring(300, L'a') + L".htm", kNotFound},
      {TempDir() + L"kestil-missing.htm", kNotFound},
      {huge, L"ファイルが大きすぎて開けません。"}};
  for (const auto& [path, reason] : cases) {
    EXPECT_FALSE(App().OpenDocumentFile(path));
    ExpectLastMessage(kCannotOpen);
    ExpectLastMessage(reason);
    EXPECT_EQ(Text(), "keep");
  }
  DeleteFileW(huge.c_str());
  // Saving under a name too long for the file system is refused too.
  View().edit().ReplaceSel("!");
  ui_.save_path = TempDir() + std::wstring(300, L'a') + L".htm";
  Command(ID_FILE_SAVE_AS);
  ExpectLastMessage(kCannotSave);
  EXPECT_TRUE(Doc().IsModified());
  Doc().SetModified(false);
  TempFile empty(L"kestil-empty.htm", "");
  EXPECT_TRUE(App().OpenDocumentFile(empty.path()));
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Title(), L"kestil-empty.htm - Kestil");
  ExpectResponsive();
}

// Long lines: Wine's EDIT control spends its time per line (about 200 s for
// 100 MB in 45-byte lines, 16 s in lines of 4 KB).
TEST_F(FileFaults, AHundredMegabyteFileOpensEditsAndSavesByteForByte) {
  std::string line;
  while (line.size() < 4000) line += "<p>\x95\x5C\x83\x5C\x94\x5C text \x82\xA0 <b>b</b></p>";
  line += "\r\n";
  std::string bytes;
  bytes.reserve(100u << 20);
  while (bytes.size() + line.size() <= (100u << 20)) bytes += line;
  TempFile file(L"kestil-100mb.htm", bytes);
  ASSERT_TRUE(Start(file.path()));
  ASSERT_EQ(Text().size(), bytes.size());
  View().edit().SetSel(bytes.size(), bytes.size());
  Command(ID_TAG_BR);
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(file.Read(), bytes + "<br>\r\n");
}

// A document deeper than 260 characters (where the file system allows one)
// opens and saves; the relative path command refuses with its message.
TEST_F(FileFaults, ADocumentDeeperThanMaxPath) {
  std::wstring dir = TempDir() + L"kestil-deep";
  CreateDirectoryW(dir.c_str(), nullptr);
  std::vector<std::wstring> made = {dir};
  while (dir.size() < 300) {
    dir += L"\\" + std::wstring(40, L'表');
    if (!CreateDirectoryW(dir.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) break;
    made.push_back(dir);
  }
  const std::wstring path = dir + L"\\page.htm";
  if (dir.size() < 300 || !WriteBytes(path, "deep")) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
    GTEST_SKIP() << "this file system refuses paths over 260 characters";
  }
  ASSERT_TRUE(Start(path));
  EXPECT_EQ(Text(), "deep");
  View().edit().SetSel(4, 4);
  View().edit().ReplaceSel("er");
  Command(ID_FILE_SAVE);
  EXPECT_EQ(ReadBytes(path), "deeper");
  ui_.open_path = path;
  Command(ID_RELATIVE_PATH);
  ExpectLastMessage(L"相対パスで示す事が出来ませんでした");
  EXPECT_EQ(Text(), "deeper");
  Command(ID_SAVE_AND_BROWSE);
  ASSERT_EQ(ui_.shell_opened.size(), 1u);
  EXPECT_EQ(ui_.shell_opened[0], path);
  DeleteFileW(path.c_str());
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
}

// Every command that takes a path, on a folder whose names hold trail bytes
// 0x5C (表, ソ, 能) and, where scripts/test links one (KESTIL_UNC_SHARE), on
// a network share.
TEST_F(FileFaults, PathsWithTrailByte5CAndOnANetworkShare) {
  std::vector<std::wstring> roots = {TempDir() + L"kestil-表ソ能"};
  if (!Env(L"KESTIL_UNC_SHARE").empty()) roots.push_back(Env(L"KESTIL_UNC_SHARE"));
  for (const std::wstring& root : roots) {
    SCOPED_TRACE(fw::ToBytes(root));
    const std::wstring sub = root + L"\\ソ";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(sub.c_str(), nullptr);
    const std::wstring page = root + L"\\表.htm";
    const std::wstring other = sub + L"\\能.htm";
    ASSERT_TRUE(WriteBytes(page, "page"));
    ASSERT_TRUE(WriteBytes(other, "other"));
    // The command line.
    ASSERT_TRUE(Start(page));
    EXPECT_EQ(Text(), "page");
    EXPECT_EQ(Title(), L"表.htm - Kestil");
    // Relative path, from the document's folder into the sub-folder.
    View().edit().SetSel(0, 0);
    ui_.open_path = other;
    Command(ID_RELATIVE_PATH);
    EXPECT_EQ(Text(), "\x83\x5C/\x94\x5C.htmpage");
    // Save, then save-and-browse, which hands the same path to the shell.
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(page), "\x83\x5C/\x94\x5C.htmpage");
    Command(ID_SAVE_AND_BROWSE);
    ASSERT_EQ(ui_.shell_opened.size(), 1u);
    EXPECT_EQ(ui_.shell_opened.back(), page);
    // Save as into the sub-folder; the open command; the recent files; a drop.
    ui_.save_path = sub + L"\\表2.htm";
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(ui_.save_path), "\x83\x5C/\x94\x5C.htmpage");
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Text(), "other");
    EXPECT_EQ(fw::ToWide(App().m_LastOpenDir), sub);
    Command(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(Doc().path_name(), ui_.save_path);
    DropFile(Frame(), page);
    PumpPending();
    EXPECT_EQ(Doc().path_name(), page);
    EXPECT_TRUE(ui_.messages.empty()) << fw::ToBytes(ui_.messages.back());
    ExpectResponsive();
    Close();
    for (const std::wstring& p : {page, other, ui_.save_path}) DeleteFileW(p.c_str());
    RemoveDirectoryW(sub.c_str());
    RemoveDirectoryW(root.c_str());
    ui_.shell_opened.clear();
  }
}

// A share that does not answer on the command line, a recent file that is
// gone, and a dropped name that does not exist.
TEST_F(FileFaults, UnreachablePathsAreRefusedWithTheirMessage) {
  EXPECT_FALSE(Start(L"\\\\no-such-server\\share\\page.htm"));
  ExpectLastMessage(L"\\\\no-such-server\\share\\page.htm");
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("kept");
  Doc().SetModified(false);
  App().recent_files().Add("C:\\no\\such\\" + std::string(300, 'x') + ".htm");
  Command(ID_FILE_MRU_FIRST);
  ExpectLastMessage(kCannotOpen);
  EXPECT_TRUE(App().recent_files().entries().empty());
  DropFile(Frame(), L"C:\\no\\such\\dropped.htm");
  PumpPending();
  ExpectLastMessage(L"dropped.htm");
  EXPECT_EQ(Text(), "kept");
  ExpectResponsive();
}

}  // namespace
}  // namespace kestil::testing
