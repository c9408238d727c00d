// The program's own file commands: the two new commands on the frame, open
// and save-and-browse on the view (whose open replaces the framework's).
#pragma once

#include <cstdint>
#include <functional>

#include "app/options.h"
#include "fw/edit_view.h"
#include "fw/frame.h"

namespace kestil {

// file_new: the application's new step for a kind of document (0 empty,
// 1 HTML skeleton).
void InstallFileCommands(fw::FrameWindow& frame, fw::EditView& view, KestilOptions& options,
                         const std::function<void(std::uint8_t kind)>& file_new);

}  // namespace kestil
