// The desktop's drag and drop for the window manager's windows: drags that a window starts run as a
// QDrag (text/plain and text/tab-separated-values), and Qt drags over a window surface reach the
// drop target registered for the window under the mouse.
#pragma once

class QWidget;

namespace lattix::ui::qt {

// Makes the window manager's drags run as Qt drags.
void InstallQtDragPerformer();
// Lets the surface take Qt drops for the windows it shows.
void AcceptDropsOn(QWidget* surface);

} // namespace lattix::ui::qt
