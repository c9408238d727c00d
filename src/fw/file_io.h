// Whole-file reading and a save that never destroys the old file: the text
// goes to a temporary file in the same folder, which replaces the original
// in one rename once every byte is on disk. A crash leaves the old file or
// the new one, and at worst a temporary file that the next successful save
// in that folder removes.
#pragma once

#include <string>

#include "fw/win.h"

namespace fw {

// Files larger than this are refused as too large for the editor.
constexpr unsigned long long kMaxFileBytes = 256ull << 20;
// The error given for a file over that size.
constexpr DWORD kErrorFileTooLarge = ERROR_FILE_TOO_LARGE;
// The errors given for a name Windows refuses, which its own calls report
// as a missing file, a denied access or an unexpected error. (Bit 29 marks
// an application's own code.)
constexpr DWORD kErrorReservedName = 0x20000000 | 1;
constexpr DWORD kErrorForbiddenCharacter = 0x20000000 | 2;

// On failure, *error holds the Windows error code.
bool ReadWholeFile(const std::wstring& path, std::string& bytes, DWORD* error);
bool WriteFileSafely(const std::wstring& path, const std::string& bytes, DWORD* error);

// The reason for an error code, in Japanese, for the load and save messages.
std::wstring ErrorReason(DWORD error);

// The file name part of a path.
std::wstring FileTitle(const std::wstring& path);
// The folder part of a path, without the last backslash; empty if none.
std::wstring FolderOf(const std::wstring& path);

}  // namespace fw
