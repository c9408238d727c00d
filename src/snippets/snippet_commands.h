// The snippet commands, installed on the view: the sixteen slots with their
// menu items, and the list dialog.
#pragma once

#include "app/options.h"
#include "fw/edit_view.h"
#include "fw/font.h"

namespace kestil {

// editor_font: the font of the edit dialog's body.
void InstallSnippetCommands(fw::EditView& view, KestilOptions& options,
                            const fw::FontHandle& editor_font);

}  // namespace kestil
