// The colour and gradient commands, installed on the view.
#pragma once

#include "app/options.h"
#include "base/profile.h"
#include "fw/edit_view.h"

namespace kestil {

// profile: where the gradient dialog keeps its stored pairs.
void InstallGradientCommands(fw::EditView& view, KestilOptions& options, Profile& profile);

}  // namespace kestil
