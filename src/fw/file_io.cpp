#include "fw/file_io.h"

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
  std::wstring folder = FolderOf(path);
  if (folder.empty()) folder = L".";
  // A fresh name beside the target (GetTempFileName would take only
  // MAX_PATH characters).
  static unsigned counter = 0;
  std::wstring temp;
  HANDLE created = INVALID_HANDLE_VALUE;
  for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
    temp = folder + L"\\kst" + std::to_wstring(GetCurrentProcessId()) + L"_" +
           std::to_wstring(GetTickCount() + ++counter) + L".tmp";
    created = CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (created == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) break;
  }
  if (created == INVALID_HANDLE_VALUE) return Fail(error, GetLastError());
  bool ok = true;
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
    if (!file.Close() && ok) {
      ok = false;
      code = GetLastError();
    }
  }
  if (ok) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      ok = false;
      code = ERROR_ACCESS_DENIED;
    } else if (attributes != INVALID_FILE_ATTRIBUTES) {
      // Keeps the original's attributes and security.
      ok = ReplaceFileW(path.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr) != 0;
      if (!ok) ok = MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    } else {
      ok = MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    }
    if (!ok && code == 0) code = GetLastError();
  }
  if (!ok) {
    DeleteFileW(temp.c_str());
    return Fail(error, code);
  }
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
    default:
      return Format(LoadResString(IDS_UNKNOWN_ERROR), {std::to_wstring(error)});
  }
}

}  // namespace fw
