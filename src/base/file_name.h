// Names Windows refuses for a file, told apart so that a save or an open can
// say why: the platform's own errors for them read as "not found", "access
// denied" or an unexpected error.
#pragma once

#include <string_view>

namespace kestil {

enum class FileNameProblem {
  kNone,
  kReservedDevice,      // CON, NUL, AUX, COM1 ... with or without an extension
  kForbiddenCharacter,  // < > : " | ? * or a control character
};

// The problem of the last part of a path (after the last \ or /).
FileNameProblem ProblemOfFileName(std::u16string_view path);

}  // namespace kestil
