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
    case ui::WM_KILLFOCUS:
        // The editor or the validation message box taking the focus is not the grid losing it.
        if (editing_) FocusLeftGrid(static_cast<ui::Hwnd>(wParam));
        break;
    case ui::WM_COMMAND:
        if (editing_ && static_cast<ui::Hwnd>(lParam) == editor_.hwnd &&
            ui::HiWord(static_cast<std::uintptr_t>(wParam)) == 0x0300 /* EN_CHANGE */) {
            editorTextChanged();
            handled = true;
            return 0;
        }
        break;
    default: break;
    }
    if (ui::LResult result = 0; handleCompositionMessage(message, wParam, lParam, result)) {
        handled = true;
        return result;
    }
    if (handleKeyMessage(message, wParam, lParam)) {
        handled = true;
        return 0;
    }
    if (handleMouseMessage(message, wParam, lParam)) handled = true;
    return 0;
}

} // namespace lattix
