// The popup windows the controls open over their owner (the tooltip, the drop-down list): a
// top-most tool window that never takes activation, parented to the owner's top-level window.
#pragma once

#include <cstdint>
#include <string>

#include "platform/ui/window_manager.h"

namespace lattix::controls {

// Registers `className` with `proc` the first time, then creates a 1x1 popup of that class over
// the top-level window of `owner`. Returns 0 when the owner is not a window or creation fails.
ui::Hwnd CreateOwnedPopup(const std::string& className, ui::WndProc proc, ui::Hwnd owner, std::uint32_t style);

} // namespace lattix::controls
