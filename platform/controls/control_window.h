// The C++ object behind a control's window: it lives in the window's user data from WM_CREATE to
// WM_NCDESTROY. These two helpers are the part every control's window procedure shares.
#pragma once

#include <cstdint>
#include <string_view>

#include "platform/ui/messages.h"
#include "platform/ui/window_manager.h"

namespace lattix::controls {

// The object of a window of the given class, or nullptr for any other window.
template <class T> T* ControlOf(ui::Hwnd hwnd, std::string_view className) {
    ui::WindowManager& wm = ui::Wm();
    if (!wm.IsWindow(hwnd) || wm.GetClassName(hwnd) != className) return nullptr;
    return reinterpret_cast<T*>(wm.GetUserData(hwnd));
}

// Makes the object on WM_CREATE (make() returns it, new), deletes it on WM_NCDESTROY, and hands
// every message in between to handle(self); without an object the default handling runs.
template <class T, class Make, class Handle>
ui::LResult RunControlProc(ui::Hwnd hwnd, ui::MessageId message, ui::WParam wParam, ui::LParam lParam, Make&& make,
                           Handle&& handle) {
    ui::WindowManager& wm = ui::Wm();
    if (message == ui::WM_CREATE) {
        wm.SetUserData(hwnd, reinterpret_cast<std::intptr_t>(make()));
        return 0;
    }
    auto* self = reinterpret_cast<T*>(wm.GetUserData(hwnd));
    if (self == nullptr) return wm.DefWindowProc(hwnd, message, wParam, lParam);
    if (message == ui::WM_NCDESTROY) {
        wm.SetUserData(hwnd, 0);
        delete self;
        return wm.DefWindowProc(hwnd, message, wParam, lParam);
    }
    return handle(self);
}

} // namespace lattix::controls
