#include "platform/qt/grid_window.h"

#include "platform/ui/window_manager.h"

namespace lattix::ui::qt {

namespace {

constexpr const char* kGridWindowClass = "LattixGridWindow";
constexpr const char* kGridProp = "Lattix.Grid";

LResult GridWindowProc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    return Wm().DefWindowProc(hwnd, message, wParam, lParam);
}

} // namespace

Hwnd CreateGridWindow(Lattix& grid, Hwnd host) {
    WindowManager& wm = Wm();
    if (!wm.IsClassRegistered(kGridWindowClass)) {
        WindowClass cls;
        cls.name = kGridWindowClass;
        cls.proc = &GridWindowProc;
        cls.style = CS_DBLCLKS;
        wm.RegisterClass(cls);
    }
    Rect client = wm.GetClientRect(host);
    CreateParams params;
    params.className = kGridWindowClass;
    params.style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPCHILDREN;
    params.rect = client;
    params.parent = host;
    Hwnd hwnd = wm.CreateWindow(params);
    if (hwnd != 0) wm.SetProp(hwnd, kGridProp, reinterpret_cast<std::intptr_t>(&grid));
    return hwnd;
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
