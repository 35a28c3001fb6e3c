#include "bindings/qt/widget_grid_window.h"

#include "platform/ui/window_manager.h"
#include "runtime/automation_error.h"

namespace lattix::ui::qt {

Hwnd CreateGridWindow(Lattix& grid, Hwnd host) {
    try {
        grid.AttachToWindow(host);
    } catch (const AutomationError&) {
        return 0;
    }
    return grid.WindowHandle();
}

SystemDescription DescribeDesktop() {
    SystemInfo info = Wm().GetSystemInfo();
    SystemDescription d;
    d.osMajor = info.osMajor;
    d.osMinor = info.osMinor;
    d.ntFamily = info.family == OsFamily::NT;
    d.hasCommonControlsVersion = info.commonControlsMajor != 0;
    d.commonControlsMajor = info.commonControlsMajor;
    d.commonControlsMinor = info.commonControlsMinor;
    d.appThemed = info.visualStylesInUse;
    d.bitsPerPixel = info.bitsPerPixel;
    d.dpiX = info.dpiX;
    return d;
}

} // namespace lattix::ui::qt
