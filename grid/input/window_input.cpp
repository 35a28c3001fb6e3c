// Mouse and keyboard messages of the grid window. The interaction code handles them here; a
// message left unhandled goes to the default window procedure.
#include "grid/lattix.h"
#include "platform/ui/window_manager.h"

namespace lattix {

ui::LResult Lattix::HandleInputMessage(ui::MessageId message, ui::WParam wParam, ui::LParam lParam, bool& handled) {
    handled = false;
    if (handleDropDownMessage(message, wParam, lParam)) {
        handled = true;
        return 0;
    }
    switch (message) {
    case ui::WM_LBUTTONDOWN:
    case ui::WM_RBUTTONDOWN:
    case ui::WM_MBUTTONDOWN:
    case ui::WM_LBUTTONDBLCLK:
        // A click gives the grid the focus.
        if (hwnd_ != 0 && ui::Wm().GetFocus() != hwnd_) ui::Wm().SetFocus(hwnd_);
        break;
    default: break;
    }
    if (handleMouseMessage(message, wParam, lParam)) handled = true;
    return 0;
}

} // namespace lattix
