#include "win/app_fixture.h"

#include "fw/file_io.h"

namespace kestil::testing {

std::wstring TempDir() {
  wchar_t dir[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, dir);
  return dir;
}

void Put(const std::wstring& path, const std::string& bytes) {
  HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD wrote = 0;
  WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(f);
}

TempFile::TempFile(const std::wstring& name, const std::string& bytes)
    : path_(TempDir() + name) {
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  Put(path_, bytes);
}

TempFile::~TempFile() {
  SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
  DeleteFileW(path_.c_str());
}

std::string TempFile::Read() const {
  std::string bytes;
  DWORD error = 0;
  fw::ReadWholeFile(path_, bytes, &error);
  return bytes;
}

}  // namespace kestil::testing
