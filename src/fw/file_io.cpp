#include "fw/file_io.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string_view>
#include <vector>

#include "base/file_name.h"
#include "fw/text.h"
#include "fw/ui.h"
#include "fw/ids.h"

namespace fw {
namespace {

class Handle {
 public:
  explicit Handle(HANDLE h) : h_(h) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Close(); }
  HANDLE get() const { return h_; }
  bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
  bool Close() {
    if (!valid()) return true;
    const bool ok = CloseHandle(h_) != 0;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

bool Fail(DWORD* error, DWORD code) {
  if (error != nullptr) *error = code != 0 ? code : ERROR_GEN_FAILURE;
  return false;
}

// The save's temporary files are kst<process id>_<number>.tmp.
constexpr wchar_t kTempPrefix[] = L"kst";
constexpr wchar_t kTempSuffix[] = L".tmp";

// Whether a name is one of the save's temporary files, kst<digits>_<digits>.tmp.
bool IsTempFileName(std::wstring_view name) {
  if (!name.starts_with(kTempPrefix) || !name.ends_with(kTempSuffix)) return false;
  name.remove_prefix(std::size(kTempPrefix) - 1);
  name.remove_suffix(std::size(kTempSuffix) - 1);
  const auto digits = [&name] {
    std::size_t n = 0;
    while (n < name.size() && name[n] >= L'0' && name[n] <= L'9') ++n;
    name.remove_prefix(n);
    return n > 0;
  };
  if (!digits() || !name.starts_with(L'_')) return false;
  name.remove_prefix(1);
  return digits() && name.empty();
}

// Removes the temporary files that a save killed before its rename left in
// the folder. A save holds its file open, unshared, from its creation until
// it has the target's name, so a file that can be deleted is stale whatever
// process id its name holds (Wine gives small ids again and again).
void RemoveLeftTempFiles(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  const std::wstring pattern = folder + L"\\" + kTempPrefix + L"*" + kTempSuffix;
  HANDLE search = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    // The long name: the pattern also matches short 8.3 names.
    if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
        IsTempFileName(found.cFileName)) {
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// Gives the open file the target's name in place of the old file, still
// open, so that no other save's clean-up can take it for a stale one in the
// meantime. False where the file system cannot rename an open file.
bool RenameOpenFile(HANDLE file, const std::wstring& path) {
  std::vector<unsigned char> buffer(sizeof(FILE_RENAME_INFO) + path.size() * sizeof(wchar_t));
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(path.size() * sizeof(wchar_t));
  std::memcpy(info->FileName, path.data(), path.size() * sizeof(wchar_t));
  return SetFileInformationByHandle(file, FileRenameInfo, info,
                                    static_cast<DWORD>(buffer.size())) != 0;
}

std::wstring FullPathOf(const std::wstring& path) {
  std::vector<wchar_t> buffer(32768);
  const DWORD n = GetFullPathNameW(path.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(),
                                   nullptr);
  return n > 0 && n < buffer.size() ? std::wstring(buffer.data(), n) : path;
}

// False, with the reason, for a name Windows refuses: a device's name would
// reach the device instead of a file.
bool UsableName(const std::wstring& path, DWORD* error) {
  switch (kestil::ProblemOfFileName(AsU16(path))) {
    case kestil::FileNameProblem::kReservedDevice: return Fail(error, kErrorReservedName);
    case kestil::FileNameProblem::kForbiddenCharacter:
      return Fail(error, kErrorForbiddenCharacter);
    case kestil::FileNameProblem::kNone: break;
  }
  return true;
}

}  // namespace

std::wstring FileTitle(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring FolderOf(const std::wstring& path) {
  const auto slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

bool ReadWholeFile(const std::wstring& path, std::string& bytes, DWORD* error) {
  if (!UsableName(path, error)) return false;
  Handle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return Fail(error, GetLastError());
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return Fail(error, GetLastError());
  if (static_cast<unsigned long long>(size.QuadPart) > kMaxFileBytes) {
    return Fail(error, kErrorFileTooLarge);
  }
  std::string data(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD got = 0;
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 24));
    if (!ReadFile(file.get(), data.data() + done, want, &got, nullptr)) {
      return Fail(error, GetLastError());
    }
    if (got == 0) break;  // the file shrank while being read
    done += got;
  }
  data.resize(done);
  bytes = std::move(data);
  return true;
}

bool WriteFileSafely(const std::wstring& path, const std::string& bytes, DWORD* error) {
  if (!UsableName(path, error)) return false;
  std::wstring folder = FolderOf(path);
  if (folder.empty()) folder = L".";
  WIN32_FILE_ATTRIBUTE_DATA old{};
  const bool replacing = GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &old) != 0;
  if (replacing && (old.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
    return Fail(error, ERROR_ACCESS_DENIED);
  }
  // A fresh name beside the target (GetTempFileName would take only
  // MAX_PATH characters); same folder, so that the rename is one step on
  // one volume.
  static unsigned counter = 0;
  std::wstring temp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = folder + L"\\" + kTempPrefix + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(GetTickCount() + ++counter) + kTempSuffix;
    // Unshared until it has the target's name: the mark of a save at work.
    created = CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (created == INVALID_HANDLE_VALUE) return Fail(error, GetLastError());
  bool ok = true;
  bool renamed = false;
  DWORD code = 0;
  {
    Handle file(created);
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
      DWORD wrote = 0;
      const DWORD want = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 24));
      if (!WriteFile(file.get(), bytes.data() + done, want, &wrote, nullptr) || wrote == 0) {
        ok = false;
        code = GetLastError();
      }
      done += wrote;
    }
    if (ok && !FlushFileBuffers(file.get())) {
      ok = false;
      code = GetLastError();
    }
    // The renamed file brings its own creation time and attributes; the
    // old file's are copied so that the document keeps them. Neither is
    // worth refusing the save for (some file systems keep no creation time).
    if (ok && replacing) {
      constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                              FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_TEMPORARY;
      FILE_BASIC_INFO basic{};  // times of 0 stay as they are
      basic.CreationTime.LowPart = old.ftCreationTime.dwLowDateTime;
      basic.CreationTime.HighPart = static_cast<LONG>(old.ftCreationTime.dwHighDateTime);
      // Changed text always wants backing up again, whatever the old flag.
      basic.FileAttributes = (old.dwFileAttributes & kKept) | FILE_ATTRIBUTE_ARCHIVE;
      SetFileInformationByHandle(file.get(), FileBasicInfo, &basic, sizeof basic);
    }
    // One rename: the target is the whole old file until it is the whole
    // new one. (ReplaceFile moves the old file aside first, and a crash at
    // that moment leaves no document.)
    if (ok) renamed = RenameOpenFile(file.get(), FullPathOf(path));
    if (!file.Close() && ok && !renamed) {
      ok = false;
      code = GetLastError();
    }
  }
  if (ok && !renamed && !MoveFileExW(temp.c_str(), path.c_str(),
                                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    ok = false;
    code = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temp.c_str());
    return Fail(error, code);
  }
  RemoveLeftTempFiles(folder);
  return true;
}

std::wstring ErrorReason(DWORD error) {
  switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
      return LoadResString(IDS_NOT_FOUND_FILE);
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
      return LoadResString(IDS_ACCESS_DENIED);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      return LoadResString(IDS_DISK_FULL);
    case kErrorFileTooLarge:
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return LoadResString(IDS_FILE_TOO_LARGE);
    case kErrorReservedName:
      return LoadResString(IDS_NAME_RESERVED);
    case kErrorForbiddenCharacter:
      return LoadResString(IDS_NAME_FORBIDDEN);
    default:
      return Format(LoadResString(IDS_UNKNOWN_ERROR), {std::to_wstring(error)});
  }
}

}  // namespace fw
