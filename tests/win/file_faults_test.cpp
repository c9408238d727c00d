// Files that cannot be read or written and paths that are long or lead
// nowhere: a clear message, the program goes on, and neither the document
// nor the old file changes unless it was saved.
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
const wchar_t kNoRelative[] = L"相対パスで示す事が出来ませんでした";

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

// A folder of the test's own, removed with its files at the end.
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
  std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }
  std::vector<std::wstring> Names(const wchar_t* pattern = L"*") const {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((*this / pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
      if (found.cFileName[0] != L'.') names.push_back(found.cFileName);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  void Empty() const {
    for (const std::wstring& name : Names()) {
      SetFileAttributesW((*this / name).c_str(), FILE_ATTRIBUTE_NORMAL);
      if (!DeleteFileW((*this / name).c_str())) RemoveDirectoryW((*this / name).c_str());
    }
  }
  std::wstring path_;
};

// kestil_save_victim.exe saving over a target again and again; killed as a
// crash would kill it, at the end of its scope at the latest.
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
    Kill();
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
  }
  DWORD id() const { return info_.dwProcessId; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
  }
  bool Kill() {
    TerminateProcess(info_.hProcess, kKilled);
    return WaitForSingleObject(info_.hProcess, 30000) == WAIT_OBJECT_0;
  }

 private:
  PROCESS_INFORMATION info_{};
};

// The target's size and the victim's temporary file's (-1: none).
struct SaveState {
  LONGLONG target = -1, temp = -1;
};

SaveState Look(const TempFolder& folder, const std::wstring& target, DWORD victim) {
  SaveState state;
  WIN32_FIND_DATAW found{};
  for (auto [pattern, size] : {std::pair{target, &state.target},
                               {folder / (L"kst" + std::to_wstring(victim) + L"_*.tmp"), &state.temp}}) {
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) continue;
    *size = (LONGLONG{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    FindClose(search);
  }
  return state;
}

class FileFaults : public AppTest {
 protected:
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
  // Edits the document and saves it: refused with the reason, still edited.
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
  // WM_DROPFILES for one name, as the shell sends it.
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

// Refused at the rename (locked) or before it (read-only, which asks for a
// new name): the old file stays, and no temporary file is left.
TEST_F(FileFaults, SavingALockedOrAReadOnlyFile) {
  TempFolder folder(L"kestil-refused");
  const std::wstring page = folder / L"page.htm";
  Put(page, "old");
  ASSERT_TRUE(Start(page));
  HANDLE lock = CreateFileW(page.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ExpectSaveRefused(kDenied);
  ExpectOpenRefused(page, kDenied);
  CloseHandle(lock);
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"page.htm"});
  SetFileAttributesW(page.c_str(), FILE_ATTRIBUTE_READONLY);
  ui_.save_path = page;
  ExpectSaveRefused(kDenied);
  EXPECT_EQ(folder.Names(), std::vector<std::wstring>{L"page.htm"});
  EXPECT_EQ(ReadBytes(page), "old");
}

// Names Windows refuses say so, whatever the platform's own call reports.
TEST_F(FileFaults, NamesWindowsRefuses) {
  TempFolder folder(L"kestil-names");
  ASSERT_TRUE(Start());
  const wchar_t kReserved[] = L"装置の名前として予約";
  const wchar_t kForbidden[] = L"ファイル名に使えない文字";
  for (const auto& [name, reason] : {std::pair{L"a\x0001" L"b.htm", kForbidden},
                                     {L"con", kReserved}, {L"nul", kReserved},
                                     {L"aux.htm", kReserved}, {L"com1.txt", kReserved}}) {
    SCOPED_TRACE(Utf8Of(name));
    ui_.save_path = folder / name;
    ExpectSaveRefused(reason);
    EXPECT_TRUE(Doc().path_name().empty());
    Idle();  // the title follows at the next idle moment
    EXPECT_EQ(Title().substr(0, 1), L"*");
  }
  ExpectOpenRefused(folder / L"nul", kReserved);
  EXPECT_TRUE(folder.Names().empty());
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

// A save killed from outside at moments from its start to the next save:
// the target is never missing nor of a third size, and holds the whole old
// or new text after.
TEST_F(FileFaults, ASaveKilledAtAnyMomentLeavesTheOldOrTheNewFile) {
  TempFolder folder(L"kestil-killed");
  const std::wstring target = folder / L"page.htm";
  const std::string older = VictimText(false);
  const std::string newer = VictimText(true);  // the victim's first save
  const LONGLONG old_size = static_cast<LONGLONG>(older.size());
  const LONGLONG new_size = static_cast<LONGLONG>(newer.size());
  const std::vector<std::pair<const char*, std::function<bool(const SaveState&)>>> moments = {
      {"at its start", [](const SaveState&) { return true; }},
      {"with half of the text written", [&](const SaveState& s) { return s.temp >= new_size / 2; }},
      {"with all of it written", [&](const SaveState& s) { return s.temp >= new_size; }},
      {"as the target changes", [&](const SaveState& s) { return s.target != old_size; }},
      {"half-way through the next save",
       [&](const SaveState& s) { return s.target == new_size && s.temp >= old_size / 2; }},
  };
  int temp_files_left = 0;
  for (const auto& [moment, reached] : moments) {
    SCOPED_TRACE(moment);
    ASSERT_TRUE(WriteBytes(target, older));
    Victim victim(target);
    ASSERT_NE(victim.id(), 0u);
    const ULONGLONG start = GetTickCount64();
    int missing_or_torn = 0;
    bool there = false;
    while (!there && GetTickCount64() - start < 60000 && victim.ExitCode() == STILL_ACTIVE) {
      const SaveState state = Look(folder, target, victim.id());
      if (state.target != old_size && state.target != new_size) ++missing_or_torn;
      there = reached(state);
    }
    ASSERT_TRUE(victim.Kill());
    ASSERT_TRUE(there) << "the victim ended first with " << victim.ExitCode();
    EXPECT_EQ(missing_or_torn, 0);
    const std::string now = ReadBytes(target);
    EXPECT_TRUE(now == older || now == newer) << now.size() << " bytes";
    if (!folder.Names(L"kst*.tmp").empty()) ++temp_files_left;
  }
  EXPECT_GT(temp_files_left, 0);  // the kills did catch saves in the middle
  // The next save removes what killed saves left, also under the id of a
  // running process (ids come back), and nothing else: a file a save holds
  // open, other names. It keeps the target's attributes.
  const std::wstring mine = L"kst" + std::to_wstring(GetCurrentProcessId());
  Put(folder / (mine + L"_1.tmp"), "a killed save's, whose id came back");
  std::vector<std::wstring> kept = {mine + L"_2.tmp", L"kst_notes.tmp", L"kst12_34x.tmp",
                                    L"xkst12_34.tmp", L"page.htm"};
  for (const std::wstring& name : kept) Put(folder / name, "someone's");
  HANDLE saving = CreateFileW((folder / kept[0]).c_str(), GENERIC_WRITE | DELETE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  constexpr DWORD kHiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  ASSERT_TRUE(SetFileAttributesW(target.c_str(), kHiddenSystem));
  ASSERT_TRUE(WriteBytes(target, "new"));
  CloseHandle(saving);
  std::sort(kept.begin(), kept.end());
  EXPECT_EQ(folder.Names(), kept);
  EXPECT_EQ(GetFileAttributesW(target.c_str()) & (kHiddenSystem | FILE_ATTRIBUTE_READONLY), kHiddenSystem);
}

// Opening what cannot be opened: a message, and the text stays.
TEST_F(FileFaults, OpeningWhatCannotBeOpened) {
  ASSERT_TRUE(Start(L"\\\\no-such-server\\share\\page.htm"));
  ExpectMessage({L"\\\\no-such-server\\share\\page.htm"});
  EXPECT_EQ(Title(), L"無題 - Kestil");
  View().edit().ReplaceSel(u"keep");
  Command(ID_RELATIVE_PATH);  // never saved
  ExpectMessage({L"一度ファイルを保存してから実行して下さい"});
  Doc().SetModified(false);
  App().recent_files().Add(u"C:\\no\\such\\page.htm");
  Command(ID_FILE_MRU_FIRST);
  ExpectMessage({kCannotOpen});
  EXPECT_TRUE(App().recent_files().entries().empty());
  Drop(L"C:\\no\\such\\dropped.htm");
  ExpectMessage({L"dropped.htm", kNotFound});
  ExpectOpenRefused(TempDir(), kDenied);
  // Over the editor's limit, made sparse so that it costs no disk.
  const std::wstring huge = TempDir() + L"kestil-huge.htm";
  HANDLE f = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  SetFilePointerEx(f, LARGE_INTEGER{.QuadPart = static_cast<LONGLONG>(fw::kMaxFileBytes) + 1}, nullptr, FILE_BEGIN);
  SetEndOfFile(f);
  CloseHandle(f);
  ExpectOpenRefused(huge, L"ファイルが大きすぎて開けません。");
  DeleteFileW(huge.c_str());
  ExpectResponsive();
}

// Deeper than 260 characters (where the file system allows it): opens, saves
// and goes to the shell; the relative path command refuses.
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
    Command(ID_SAVE_AND_BROWSE);
    EXPECT_EQ(ui_.shell_opened, std::vector<std::wstring>{path});
    DeleteFileW(path.c_str());
  }
  for (auto it = made.rbegin(); it != made.rend(); ++it) RemoveDirectoryW(it->c_str());
  if (!deep) GTEST_SKIP() << "this file system refuses paths over 260 characters";
}

}  // namespace
}  // namespace kestil::testing
