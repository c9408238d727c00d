// The File menu's encoding and line ending commands and the two status bar
// panes that show them.
#pragma once

#include "fw/document.h"

namespace kestil {

void InstallEncodingCommands(fw::Document& document);

}  // namespace kestil
