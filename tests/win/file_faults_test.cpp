// Files that cannot be read or written, and paths that are long, hold a
// trail byte 0x5C or lie on a network share: a clear message or the work
// done, the program goes on, and neither the document nor the old file
// changes unless it was saved.
#include <gtest/gtest.h>

#include "fw/win.h"

#include <shlobj.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "fw/file_io.h"
#include "fw/text.h"
#include "res/resource.h"
#include "win/app_fixture.h"
#include "win/save_victim.h"

namespace kestil::testing {
namespace {

const wchar_t kCannotSave[] = L"を保存できませんでした";
const wchar_t kCannotOpen[] = L"を開けませんでした";
const wchar_t kDenied[] = L"アクセスが拒否されました。";
const wchar_t kNotFound[] = L"ファイルが見つかりません。";
const wchar_t kSaveFirst[] = L"一度ファイルを保存してから実行して下さい";
const wchar_t kNoRelative[] = L"相対パスで示す事が出来ませんでした";

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
  DWORD error = 0;
  return fw::WriteFileSafely(path, bytes, &error);
}

std::string ReadBytes(const std::wstring& path) {
  std::string bytes;
  DWORD error = 0;
  return fw::ReadWholeFile(path, bytes, &error) ? bytes : "<unreadable>";
}

// Creates or overwrites a file without the editor's save.
void Put(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD wrote = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(f);
}

// A folder of the test's own in the prefix's temporary folder, removed with
// what it holds at the end of the test.
class TempFolder {
 public:
  explicit TempFolder(const wchar_t* name) : path_(TempDir() + name) {
    Empty();
    CreateDirectoryW(path_.c_str(), nullptr);
  }
  ~TempFolder() {
    Empty();
    RemoveDirectoryW(path_.c_str());
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  // The names matching the pattern, sorted.
  std::vector<std::wstring> Names(const wchar_t* pattern = L"*") const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((*this / pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      const std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  void Empty() const {
    for (const std::wstring& name : Names()) {
      const std::wstring path = *this / name;
      SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
    }
  }

  std::wstring path_;
};

// kestil_save_victim.exe (beside the test program) saving over a target
// again and again; killed at the end of its scope at the latest.
class Victim {
 public:
  static constexpr DWORD kKilled = 9;

  explicit Victim(const std::wstring& target) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    const std::wstring program = fw::FolderOf(self) + L"\\kestil_save_victim.exe";
    std::wstring line = L"\"" + program + L"\" \"" + target + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                   &startup, &info_);
  }
  ~Victim() {
    if (info_.hProcess == nullptr) return;
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  Victim(const Victim&) = delete;
  Victim& operator=(const Victim&) = delete;

  bool started() const { return info_.hProcess != nullptr; }
  DWORD id() const { return info_.dwProcessId; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  // Ends it as a crash would, with no chance to clean up; true once it is gone.
  bool Kill() {
    TerminateProcess(info_.hProcess, kKilled);
    return WaitForSingleObject(info_.hProcess, 30000) == WAIT_OBJECT_0;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// What the kill test watches: the target, and the victim's temporary file.
struct SaveState {
  bool target = false;
  ULONGLONG target_size = 0;
  bool temp = false;
  ULONGLONG temp_size = 0;
};

SaveState Look(const TempFolder& folder, const std::wstring& target, DWORD victim) {
  SaveState state;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &data)) {
    state.target = true;
    state.target_size = (ULONGLONG{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  }
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = folder / (L"kst" + std::to_wstring(victim) + L"_*.tmp");
  HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    state.temp = true;
    state.temp_size = (ULONGLONG{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    FindClose(search);
  }
  return state;
}

class FileFaults : public AppTest {
 protected:
  // The last message holds each part.
  void ExpectMessage(std::initializer_list<const wchar_t*> parts) {
    ASSERT_FALSE(ui_.messages.empty());
    for (const wchar_t* part : parts) {
      EXPECT_NE(ui_.messages.back().find(part), std::wstring::npos)
          << Utf8Of(part) << " not in " << Utf8Of(ui_.messages.back());
    }
  }
  // The program still answers: a tag command inserts its text, undo takes it.
  void ExpectResponsive() {
    ASSERT_TRUE(IsWindowVisible(Frame()));
    const std::string before = Text();
    View().edit().SetSel(0, 0);
    Command(ID_TAG_BR);
    EXPECT_EQ(Text(), "<br>\r\n" + before);
    SendMessageW(Edit(), EM_UNDO, 0, 0);
    EXPECT_EQ(Text(), before);
  }
  // Edits the open document and saves it: refused with the reason, and the
  // document stays as edited (the caller checks the file).
  void ExpectSaveRefused(const wchar_t* reason) {
    View().edit().SetSel(0, 0);
    View().edit().ReplaceSel(std::u16string(200000, u'x'));  // more than a tiny disk holds
    const std::string text = Text();
    Command(ID_FILE_SAVE);
    ExpectMessage({kCannotSave, reason});
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(Text(), text);
    ExpectResponsive();
  }
  void ExpectOpenRefused(const std::wstring& path, const wchar_t* reason) {
    const std::string text = Text();
    Doc().SetModified(false);
    EXPECT_FALSE(App().OpenDocumentFile(path));
    ExpectMessage({kCannotOpen, reason});
    EXPECT_EQ(Text(), text);
  }
  // Sends WM_DROPFILES for one name, as the shell does.
  void Drop(const std::wstring& name) {
    HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + (name.size() + 2) * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    name.copy(reinterpret_cast<wchar_t*>(files + 1), name.size());
    GlobalUnlock(memory);
    SendMessageW(Frame(), WM_DROPFILES, reinterpret_cast<WPARAM>(memory), 0);
    PumpPending();
  }
};

TEST_F(FileFaults, SavingALockedFileAReadOnlyOneOrIntoAVanishedFolder) {
  TempFile file(L"kestil-locked.htm", "old");
  ASSERT_TRUE(Start(file.path()));
  // Another program holds the file open without sharing.
  HANDLE lock = CreateFileW(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ExpectSaveRefused(kDenied);
  ExpectOpenRefused(file.path(), kDenied);
  CloseHandle(lock);
  EXPECT_EQ(file.Read(), "old");
  // A read-only file asks for a new name; given its own, the save is refused.
  SetFileAttributesW(file.path().c_str(), FILE_ATTRIBUTE_READONLY);
  ui_.save_path = file.path();
  ExpectSaveRefused(kDenied);
  EXPECT_EQ(file.Read(), "old");

  const std::wstring folder = TempDir() + L"kestil-gone";
  CreateDirectoryW(folder.c_str(), nullptr);
  ui_.save_path = folder + L"\\page.htm";
  Command(ID_FILE_SAVE_AS);
  ASSERT_FALSE(Doc().IsModified());
  DeleteFileW(ui_.save_path.c_str());
  RemoveDirectoryW(folder.c_str());
  ui_.answers = {IDYES};  // yes, write the file that was deleted again
  ExpectSaveRefused(kNotFound);
  EXPECT_EQ(GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);
}

// scripts/test mounts a 64 KiB file system (KESTIL_FULL_DISK) and a
// read-only one holding page.htm (KESTIL_RO_DISK) where it may mount.
TEST_F(FileFaults, SavingOnAFullDiskOrAReadOnlyFileSystem) {
  const std::wstring full = Env(L"KESTIL_FULL_DISK");
  const std::wstring read_only = Env(L"KESTIL_RO_DISK") + L"\\page.htm";
  if (full.empty() || read_only.size() < 10) {
    GTEST_SKIP() << "no small or read-only file system (needs permission to mount one)";
  }
  const std::wstring path = full + L"\\page.htm";
  ASSERT_TRUE(WriteBytes(path, "old page"));
  ASSERT_TRUE(Start(path));
  ExpectSaveRefused(L"ディスクの空き容量が足りません。");
  EXPECT_EQ(ReadBytes(path), "old page");
  WIN32_FIND_DATAW found{};  // no temporary file is left to fill the disk
  EXPECT_EQ(FindFirstFileW((full + L"\\*.tmp").c_str(), &found), INVALID_HANDLE_VALUE);
  Doc().SetModified(false);
  DeleteFileW(path.c_str());

  const std::string old = ReadBytes(read_only);
  ASSERT_TRUE(App().OpenDocumentFile(read_only));
  ExpectSaveRefused(kDenied);
  EXPECT_EQ(ReadBytes(read_only), old);
}

// A save killed from outside at moments from before its first byte to its
// rename and into the next save: each time the document holds the whole old
// text or the whole new one, it was never missing nor of another size
// meanwhile, and the next save removes the temporary file the kill left.
TEST_F(FileFaults, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  TempFolder folder(L"kestil-killed");
  const std::wstring target = folder / L"page.htm";
  const std::string older = VictimText(false);
  const std::string newer = VictimText(true);  // the victim's first save
  using Reached = std::function<bool(const SaveState&, ULONGLONG elapsed_ms)>;
  const auto written = [&newer](std::size_t quarters) -> Reached {
    return [&newer, quarters](const SaveState& s, ULONGLONG) {
      return s.temp && s.temp_size >= newer.size() / 4 * quarters;
    };
  };
  const auto after = [](ULONGLONG ms) -> Reached {
    return [ms](const SaveState&, ULONGLONG elapsed) { return elapsed >= ms; };
  };
  const std::vector<std::pair<const char*, Reached>> moments = {
      {"at its start", [](const SaveState&, ULONGLONG) { return true; }},
      {"once its temporary file exists", [](const SaveState& s, ULONGLONG) { return s.temp; }},
      {"with a quarter of the text written", written(1)},
      {"with half of it written", written(2)},
      {"with all of it written (flushing, renaming)", written(4)},
      {"as the target changes",
       [&older](const SaveState& s, ULONGLONG) { return !s.target || s.target_size != older.size(); }},
      {"half-way through the next save",
       [&](const SaveState& s, ULONGLONG) {
         return s.target_size == newer.size() && s.temp && s.temp_size >= older.size() / 2;
       }},
      {"after 0.1 s", after(100)},
      {"after 0.4 s", after(400)},
      {"after 1 s", after(1000)},
      {"after 2.5 s", after(2500)},
  };
  int temp_files_left = 0;
  for (const auto& [moment, reached] : moments) {
    SCOPED_TRACE(moment);
    ASSERT_TRUE(WriteBytes(target, older));
    EXPECT_EQ(folder.Names(L"*.tmp"), std::vector<std::wstring>{});
    Victim victim(target);
    ASSERT_TRUE(victim.started());
    const ULONGLONG start = GetTickCount64();
    int missing_or_torn = 0;  // polls that saw no target, or one of neither size
    bool there = false;
    while (!there && GetTickCount64() - start < 60000 && victim.ExitCode() == STILL_ACTIVE) {
      const SaveState state = Look(folder, target, victim.id());
      if (!state.target || (state.target_size != older.size() && state.target_size != newer.size())) {
        ++missing_or_torn;
      }
      there = reached(state, GetTickCount64() - start);
    }
    ASSERT_TRUE(victim.Kill());
    ASSERT_TRUE(there) << "the victim ended first with " << victim.ExitCode();
    EXPECT_EQ(victim.ExitCode(), Victim::kKilled);
    EXPECT_EQ(missing_or_torn, 0);
    const std::string now = ReadBytes(target);
    EXPECT_TRUE(now == older || now == newer) << now.size() << " bytes";
    if (!folder.Names(L"kst*.tmp").empty()) ++temp_files_left;
  }
  ASSERT_TRUE(WriteBytes(target, newer));
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"page.htm"});
  EXPECT_GT(temp_files_left, 0);  // the kills did catch saves in the middle
}

// Beside the document a killed save leaves kst<process>_<n>.tmp. The next
// save removes those of processes that are gone; a running process may be
// about to rename its file, and any other name is not the editor's.
TEST_F(FileFaults, TheNextSaveRemovesWhatAKilledSaveLeftAndNothingElse) {
  TempFolder folder(L"kestil-leftovers");
  const std::wstring page = folder / L"page.htm";
  Put(page, "old");
  const std::vector<std::wstring> left = {L"kst4294967292_1.tmp", L"kst123456789012_77.tmp"};
  std::vector<std::wstring> kept = {
      L"kst" + std::to_wstring(GetCurrentProcessId()) + L"_1.tmp",
      L"kst_notes.tmp", L"kst12-34.tmp", L"kst12_.tmp", L"kst12_34x.tmp", L"xkst12_34.tmp",
      L"kst12_34.txt", L"kst12_34.tmp.bak", L"rf1A2B.tmp"};
  for (const std::wstring& name : left) Put(folder / name, "a killed save's");
  for (const std::wstring& name : kept) Put(folder / name, "someone's");
  kept.push_back(L"page.htm");
  ASSERT_TRUE(Start(page));
  View().edit().SetSel(0, 0);
  View().edit().ReplaceSel(u"new ");
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(ReadBytes(page), "new old");
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(folder.Names(), kept);
  EXPECT_EQ(ReadBytes(folder / L"kst_notes.tmp"), "someone's");
}

// The save renames a file of its own over the document: a hidden system
// file stays one.
TEST_F(FileFaults, ASavedDocumentKeepsItsAttributes) {
  TempFile file(L"kestil-hidden.htm", "old");
  constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(file.path().c_str(), kHiddenSystem));
  ASSERT_TRUE(Start(file.path()));
  View().edit().SetSel(0, 0);
  View().edit().ReplaceSel(u"new ");
  Command(ID_FILE_SAVE);
  EXPECT_FALSE(Doc().IsModified());
  EXPECT_EQ(file.Read(), "new old");
  EXPECT_EQ(GetFileAttributesW(file.path().c_str()) &
                (kHiddenSystem | FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY),
            kHiddenSystem);
}

// A save refused at the rename (the document open elsewhere without
// sharing, or a folder by its name) or before it (read-only) leaves the
// folder as it was: no temporary file of its own nor of the platform's.
TEST_F(FileFaults, ARefusedSaveLeavesNoTemporaryFile) {
  TempFolder folder(L"kestil-refused");
  const std::wstring page = folder / L"page.htm";
  const std::wstring sub = folder / L"sub.htm";
  Put(page, "old");
  ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
  const auto refused = [&](const std::wstring& path, const char* why) {
    SCOPED_TRACE(why);
    DWORD error = 0;
    EXPECT_FALSE(fw::WriteFileSafely(path, std::string(100000, 'n'), &error));
    EXPECT_TRUE(error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) << error;
    EXPECT_EQ(folder.Names(), (std::vector<std::wstring>{L"page.htm", L"sub.htm"}));
  };
  HANDLE lock = CreateFileW(page.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  refused(page, "locked");
  CloseHandle(lock);
  ASSERT_TRUE(SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_READONLY));
  refused(page, "read-only");
  SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_NORMAL);
  refused(sub, "a folder");
  EXPECT_EQ(ReadBytes(page), "old");
}

TEST_F(FileFaults, OpeningAFolderAMissingAnOversizedOrAnEmptyFile) {
  ASSERT_TRUE(Start());
  View().edit().ReplaceSel(u"keep");
  const std::wstring too_long = TempDir() + std::wstring(300, L'a') + L".htm";
  ExpectOpenRefused(TempDir(), kDenied);
  ExpectOpenRefused(too_long, kNotFound);
  ExpectOpenRefused(TempDir() + L"kestil-missing.htm", kNotFound);
  // Over the editor's limit, made sparse so that it costs no disk.
  const std::wstring huge = TempDir() + L"kestil-huge.htm";
  HANDLE f = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SetFilePointerEx(f, LARGE_INTEGER{.QuadPart = static_cast<LONGLONG>(fw::kMaxFileBytes) + 1}, nullptr, FILE_BEGIN);
  SetEndOfFile(f);
  CloseHandle(f);
  ExpectOpenRefused(huge, L"ファイルが大きすぎて開けません。");
  DeleteFileW(huge.c_str());
  // Saving under a name too long for the file system is refused too.
  View().edit().ReplaceSel(u"!");
  ui_.save_path = too_long;
  Command(ID_FILE_SAVE_AS);
  ExpectMessage({kCannotSave});
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
// opens, saves and goes to the shell; the relative path command refuses.
TEST_F(FileFaults, ADocumentDeeperThanMaxPath) {
  std::vector<std::wstring> made = {TempDir() + L"kestil-deep"};
  CreateDirectoryW(made.back().c_str(), nullptr);
  while (made.back().size() < 300) {
    const std::wstring next = made.back() + L"\\" + std::wstring(40, L'表');
    if (!CreateDirectoryW(next.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) break;
    made.push_back(next);
  }
  const std::wstring path = made.back() + L"\\page.htm";
  const bool deep = made.back().size() >= 300 && WriteBytes(path, "deep");
  if (deep) {
    ASSERT_TRUE(Start(path));
    View().edit().SetSel(4, 4);
    View().edit().ReplaceSel(u"er");
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(path), "deeper");
    ui_.open_path = path;
    Command(ID_RELATIVE_PATH);
    ExpectMessage({kNoRelative});
    EXPECT_EQ(Text(), "deeper");
    Command(ID_SAVE_AND_BROWSE);
    EXPECT_EQ(ui_.shell_opened, std::vector<std::wstring>{path});
    DeleteFileW(path.c_str());
  }
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
  if (!deep) GTEST_SKIP() << "this file system refuses paths over 260 characters";
}

// Every command that takes a path, on a folder whose names hold trail bytes
// 0x5C (表, ソ, 能) and, where scripts/test links one (KESTIL_UNC_SHARE), on
// a network share.
TEST_F(FileFaults, PathsWithTrailByte5CAndOnANetworkShare) {
  std::vector<std::wstring> roots = {TempDir() + L"kestil-表ソ能"};
  if (!Env(L"KESTIL_UNC_SHARE").empty()) roots.push_back(Env(L"KESTIL_UNC_SHARE"));
  for (const std::wstring& root : roots) {
    SCOPED_TRACE(Utf8Of(root));
    const std::wstring sub = root + L"\\ソ";
    CreateDirectoryW(root.c_str(), nullptr);
    CreateDirectoryW(sub.c_str(), nullptr);
    const std::wstring page = root + L"\\表.htm";
    const std::wstring other = sub + L"\\能.htm";
    const std::wstring copy = sub + L"\\表2.htm";
    const std::string link = "\x83\x5C/\x94\x5C.htm";
    ASSERT_TRUE(WriteBytes(page, "page") && WriteBytes(other, "other"));
    ASSERT_TRUE(Start(page));  // the command line
    EXPECT_EQ(Title(), L"表.htm - Kestil");
    View().edit().SetSel(0, 0);
    ui_.open_path = other;
    Command(ID_RELATIVE_PATH);
    EXPECT_EQ(Text(), link + "page");
    ui_.open_path = L"Q:\\elsewhere.htm";  // another drive: no relative path
    Command(ID_RELATIVE_PATH);
    ExpectMessage({kNoRelative});
    Command(ID_FILE_SAVE);
    EXPECT_EQ(ReadBytes(page), link + "page");
    Command(ID_SAVE_AND_BROWSE);
    EXPECT_EQ(ui_.shell_opened, std::vector<std::wstring>{page});
    ui_.save_path = copy;
    Command(ID_FILE_SAVE_AS);
    EXPECT_EQ(ReadBytes(copy), link + "page");
    ui_.open_path = other;
    Command(ID_FILE_OPEN);
    EXPECT_EQ(Text(), "other");
    EXPECT_EQ(fw::AsWide(App().m_LastOpenDir), sub);
    Command(ID_FILE_MRU_FIRST + 1);
    EXPECT_EQ(Doc().path_name(), copy);
    Drop(page);
    EXPECT_EQ(Doc().path_name(), page);
    EXPECT_EQ(ui_.messages.size(), 1u);
    ExpectResponsive();
    Close();
    for (const std::wstring& p : {page, other, copy}) DeleteFileW(p.c_str());
    RemoveDirectoryW(sub.c_str());
    RemoveDirectoryW(root.c_str());
    ui_.shell_opened.clear();
    ui_.messages.clear();
  }
}

// A share that does not answer on the command line; a document never saved;
// a recent file that is gone; a dropped name that does not exist.
TEST_F(FileFaults, UnreachablePathsAndUnsavedDocuments) {
  // After its message, Kestil stays open with an empty untitled document.
  ASSERT_TRUE(Start(L"\\\\no-such-server\\share\\page.htm"));
  ExpectMessage({L"\\\\no-such-server\\share\\page.htm"});
  EXPECT_TRUE(IsWindowVisible(Frame()));
  EXPECT_EQ(Title(), L"無題 - Kestil");
  EXPECT_EQ(Text(), "");
  View().edit().ReplaceSel(u"kept");
  for (UINT id : {ID_RELATIVE_PATH, ID_SAVE_AND_BROWSE}) {
    ui_.messages.clear();
    Command(id);
    EXPECT_EQ(ui_.messages, std::vector<std::wstring>{kSaveFirst});
  }
  EXPECT_TRUE(ui_.open_requests.empty());
  EXPECT_TRUE(ui_.shell_opened.empty());
  Doc().SetModified(false);
  App().recent_files().Add(u"C:\\no\\such\\" + std::u16string(300, u'x') + u".htm");
  Command(ID_FILE_MRU_FIRST);
  ExpectMessage({kCannotOpen});
  EXPECT_TRUE(App().recent_files().entries().empty());
  Drop(L"C:\\no\\such\\dropped.htm");
  ExpectMessage({L"dropped.htm", kNotFound});
  EXPECT_EQ(Text(), "kept");
  ExpectResponsive();
}

}  // namespace
}  // namespace kestil::testing
