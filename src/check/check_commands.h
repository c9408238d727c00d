// The markup check's commands, installed on the view: HTML の検査 (F8, or
// the next finding while the findings are those of the text as it is) and
// 次の問題.
#pragma once

#include "app/options.h"
#include "fw/edit_view.h"

namespace kestil {

// options: while the commands write the classic markup, its elements and
// attributes are no finding.
void InstallCheckCommands(fw::EditView& view, const KestilOptions& options);

}  // namespace kestil
