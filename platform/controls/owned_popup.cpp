#include "platform/controls/owned_popup.h"

namespace lattix::controls {

using namespace ui;

Hwnd CreateOwnedPopup(const std::string& className, WndProc proc, Hwnd owner, std::uint32_t style) {
    WindowManager& wm = Wm();
    if (!wm.IsWindow(owner)) return 0;
    if (!wm.IsClassRegistered(className)) {
        WindowClass c;
        c.name = className;
        c.proc = proc;
        c.background = gfx::CLR_NONE;
        if (!wm.RegisterClass(c)) return 0;
    }
    CreateParams p;
    p.className = className;
    p.style = WS_POPUP | style;
    p.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    p.rect = {0, 0, 1, 1};
    p.parent = wm.GetAncestorRoot(owner);
    return wm.CreateWindow(p);
}

} // namespace lattix::controls
