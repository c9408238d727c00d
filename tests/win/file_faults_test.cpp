// Files that cannot be read or written: a clear message, the program goes
// on, and neither the document nor the old file changes.
#include <gtest/gtest.h>

#include "fw/win.h"

#include <shlobj.h>

#include "fw/file_io.h"
#include "res/resource.h"
#include "win/app_fixture.h"

namespace kestil::testing {
namespace {

class FileFaults : public AppTest {
 protected:
  std::string Text() { return View().edit().GetText(); }
  std::wstring TempDir() {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return dir;
  }
  void ExpectMessageContaining(const std::wstring& part) {
    ASSERT_FALSE(ui_.messages.empty());
    EXPECT_NE(ui_.messages.back().find(part), std::wstring::npos) << std::string(part.begin(), part.end());
  }
};

TEST_F(FileFaults, SavingALockedFileLeavesItAndTheDocument) {
  TempFile file(L"kestil-locked.htm", "old");
  ASSERT_TRUE(Start(file.path()));
  View().edit().SetSel(3, 3);
  View().edit().ReplaceSel(" new");
  // Another program holds the file open without sharing.
  HANDLE lock = CreateFileW(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  Command(ID_FILE_SAVE);
  ExpectMessageContaining(L"を保存できませんでした");
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_EQ(Text(), "old new");
  CloseHandle(lock);
  EXPECT_EQ(file.Read(), "old");
  // Opening it while locked: the message, and the document stays.
  lock = CreateFileW(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  Doc().SetModified(false);
  EXPECT_FALSE(App().OpenDocumentFile(file.path()));
  ExpectMessageContaining(L"を開けませんでした");
  EXPECT_EQ(Text(), "old new");
  CloseHandle(lock);
  EXPECT_TRUE(IsWindowVisible(Frame()));
}

TEST_F(FileFaults, SavingIntoAFolderThatVanished) {
  const std::wstring folder = TempDir() + L"kestil-gone";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring path = folder + L"\\page.htm";
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("text");
  ui_.save_path = path;
  Command(ID_FILE_SAVE);
  ASSERT_EQ(GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES, true);
  DeleteFileW(path.c_str());
  RemoveDirectoryW(folder.c_str());
  View().edit().ReplaceSel(" more");
  Command(ID_FILE_SAVE);
  ExpectMessageContaining(L"を保存できませんでした");
  EXPECT_TRUE(Doc().IsModified());
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FileFaults, OpeningADirectoryAnEmptyFileAndAVeryLongPath) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("keep");
  Doc().SetModified(false);
  EXPECT_FALSE(App().OpenDocumentFile(TempDir()));
  ExpectMessageContaining(L"を開けませんでした");
  EXPECT_EQ(Text(), "keep");
  const std::wstring long_path = TempDir() + std::wstring(300, L'a') + L".htm";
  EXPECT_FALSE(App().OpenDocumentFile(long_path));
  ExpectMessageContaining(L"を開けませんでした");
  EXPECT_EQ(Text(), "keep");
  // Saving under a name too long for the file system: refused, nothing lost.
  ui_.save_path = long_path;
  Command(ID_FILE_SAVE_AS);
  ExpectMessageContaining(L"を保存できませんでした");
  EXPECT_EQ(Text(), "keep");
  TempFile empty(L"kestil-empty.htm", "");
  EXPECT_TRUE(App().OpenDocumentFile(empty.path()));
  EXPECT_EQ(Text(), "");
  EXPECT_EQ(Title(), L"kestil-empty.htm - Kestil");
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// scripts/test mounts a 64 KiB file system and names it in KESTIL_FULL_DISK.
TEST_F(FileFaults, SavingOnAFullDiskKeepsTheOldFile) {
  wchar_t disk[MAX_PATH] = {};
  if (GetEnvironmentVariableW(L"KESTIL_FULL_DISK", disk, MAX_PATH) == 0) {
    GTEST_SKIP() << "no small file system to fill (needs permission to mount one)";
  }
  const std::wstring path = std::wstring(disk) + L"\\page.htm";
  {
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE);
    DWORD wrote = 0;
    WriteFile(f, "old page", 8, &wrote, nullptr);
    CloseHandle(f);
  }
  ASSERT_TRUE(Start(path));
  View().edit().SetSel(8, 8);
  View().edit().ReplaceSel(std::string(200000, 'x'));  // more than the disk holds
  Command(ID_FILE_SAVE);
  ExpectMessageContaining(L"を保存できませんでした");
  ExpectMessageContaining(L"ディスクの空き容量が足りません。");
  EXPECT_TRUE(Doc().IsModified());
  std::string bytes;
  DWORD error = 0;
  ASSERT_TRUE(fw::ReadWholeFile(path, bytes, &error));
  EXPECT_EQ(bytes, "old page");
  // No temporary file is left behind to fill the disk.
  WIN32_FIND_DATAW found{};
  HANDLE h = FindFirstFileW((std::wstring(disk) + L"\\kst*.tmp").c_str(), &found);
  EXPECT_EQ(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  DeleteFileW(path.c_str());
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// A document whose path is longer than 260 characters (where the file
// system allows one): it opens, saves, and the relative path command refuses
// with its message instead of overflowing.
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
  HANDLE f = dir.size() < 300 ? INVALID_HANDLE_VALUE
                              : CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                            0, nullptr);
  if (f == INVALID_HANDLE_VALUE) {
    for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
    GTEST_SKIP() << "this file system refuses paths over 260 characters";
  }
  DWORD wrote = 0;
  WriteFile(f, "deep", 4, &wrote, nullptr);
  CloseHandle(f);
  ASSERT_TRUE(Start(path));
  EXPECT_EQ(Text(), "deep");
  View().edit().SetSel(4, 4);
  View().edit().ReplaceSel("er");
  Command(ID_FILE_SAVE);
  std::string bytes;
  DWORD error = 0;
  EXPECT_TRUE(fw::ReadWholeFile(path, bytes, &error));
  EXPECT_EQ(bytes, "deeper");
  ui_.open_path = path;
  Command(ID_RELATIVE_PATH);
  ExpectMessageContaining(L"相対パスで示す事が出来ませんでした");
  EXPECT_EQ(Text(), "deeper");
  DeleteFileW(path.c_str());
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

// Paths that cannot be reached: a network share that does not answer, and a
// missing file named on the command line, from the recent files or by a drop.
TEST_F(FileFaults, UnreachablePathsAreRefusedWithTheirMessage) {
  EXPECT_FALSE(Start(L"\\\\no-such-server\\share\\page.htm"));
  ExpectMessageContaining(L"\\\\no-such-server\\share\\page.htm");
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel("kept");
  Doc().SetModified(false);
  // A recent file that is gone leaves the list after its message.
  App().recent_files().Add("C:\\no\\such\\" + std::string(300, 'x') + ".htm");
  Command(ID_FILE_MRU_FIRST);
  ExpectMessageContaining(L"を開けませんでした");
  EXPECT_TRUE(App().recent_files().entries().empty());
  // A dropped name that does not exist.
  const std::wstring dropped = L"C:\\no\\such\\dropped.htm";
  const SIZE_T size = sizeof(DROPFILES) + (dropped.size() + 2) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
  files->pFiles = sizeof(DROPFILES);
  files->fWide = TRUE;
  dropped.copy(reinterpret_cast<wchar_t*>(files + 1), dropped.size());
  GlobalUnlock(memory);
  SendMessageW(Frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
  PumpPending();
  ExpectMessageContaining(L"dropped.htm");
  EXPECT_EQ(Text(), "kept");
  EXPECT_TRUE(IsWindowVisible(Frame()));
}

}  // namespace
}  // namespace kestil::testing
