// The window a grid lives in, made inside a host window of the window manager.
#pragma once

#include "bindings/qt/lattix_widget.h"
#include "platform/ui/types.h"

namespace lattix::ui::qt {

// Attaches the grid to a window of its own, a visible child filling `host`. Returns 0 when the
// grid already has a window or the window cannot be made.
Hwnd CreateGridWindow(Lattix& grid, Hwnd host);

// The system facts the grid measures at creation, as the desktop reports them.
SystemDescription DescribeDesktop();

} // namespace lattix::ui::qt
