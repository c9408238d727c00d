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
  EXPECT_TRUE(IsWindowVisible(Frame()));
}

}  // namespace
}  // namespace kestil::testing

namespace kestil::testing {
namespace {

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

}  // namespace
}  // namespace kestil::testing
