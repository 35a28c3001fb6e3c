// Input routing: the pointer (capture, double clicks, cursor, mouse-leave and hover tracking,
// non-client scroll bars) and the keyboard (key state, focus, character translation).
#include <algorithm>
#include <cstdlib>

#include "platform/gfx/system_metrics.h"

#include "platform/ui/window_internals.h"
#include "platform/ui/window_manager.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

namespace {

bool IsButton(VirtualKey b) { return b == VK_LBUTTON || b == VK_RBUTTON || b == VK_MBUTTON; }

MessageId ButtonMessage(VirtualKey button, bool down, bool doubleClick) {
    MessageId base = button == VK_LBUTTON ? WM_LBUTTONDOWN : button == VK_RBUTTON ? WM_RBUTTONDOWN : WM_MBUTTONDOWN;
    if (!down) return base + 1;
    return doubleClick ? base + 2 : base;
}

} // namespace

std::int16_t WindowManager::GetKeyState(VirtualKey key) const {
    if (key > 0xFF) return 0;
    int state = (keyDown_[key] ? 0x8000 : 0) | (keyToggled_[key] ? 1 : 0);
    return static_cast<std::int16_t>(state);
}

unsigned WindowManager::ModifierState() const {
    unsigned m = 0;
    if (keyDown_[VK_SHIFT]) m |= kModShift;
    if (keyDown_[VK_CONTROL]) m |= kModCtrl;
    if (keyDown_[VK_MENU]) m |= kModAlt;
    return m;
}

WParam WindowManager::MouseKeyState() const {
    WParam k = 0;
    if (keyDown_[VK_LBUTTON]) k |= MK_LBUTTON;
    if (keyDown_[VK_RBUTTON]) k |= MK_RBUTTON;
    if (keyDown_[VK_MBUTTON]) k |= MK_MBUTTON;
    if (keyDown_[VK_SHIFT]) k |= MK_SHIFT;
    if (keyDown_[VK_CONTROL]) k |= MK_CONTROL;
    return k;
}

char32_t WindowManager::CharForKey(VirtualKey key, bool shift, bool ctrl) {
    if (key >= VK_A && key <= VK_A + 25) {
        if (ctrl) return static_cast<char32_t>(key - VK_A + 1); // Ctrl+A = 1 ... Ctrl+Z = 26
        return static_cast<char32_t>(shift ? key : key + 32);
    }
    if (ctrl) return key == VK_RETURN ? U'\n' : 0;
    if (key >= VK_0 && key <= VK_0 + 9) {
        static const char32_t shifted[] = U")!@#$%^&*(";
        return shift ? shifted[key - VK_0] : static_cast<char32_t>(key);
    }
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD0 + 9) return static_cast<char32_t>(U'0' + (key - VK_NUMPAD0));
    switch (key) {
    case VK_RETURN:
        return U'\r';
    case VK_ESCAPE:
        return 27;
    case VK_BACK:
        return 8;
    case VK_TAB:
        return U'\t';
    case VK_SPACE:
        return U' ';
    case VK_MULTIPLY:
        return U'*';
    case VK_ADD:
        return U'+';
    case VK_SUBTRACT:
        return U'-';
    case VK_DECIMAL:
        return U'.';
    case VK_DIVIDE:
        return U'/';
    default:
        return 0;
    }
}

bool WindowManager::TrackMouseEvent(unsigned flags, Hwnd hwnd, unsigned hoverTimeMs) {
    if (Find(hwnd) == nullptr || (flags & (TME_LEAVE | TME_HOVER)) == 0) return false;
    bool cancel = (flags & TME_CANCEL) != 0;
    if (flags & TME_LEAVE) {
        leaveTracking_.erase(std::remove(leaveTracking_.begin(), leaveTracking_.end(), hwnd), leaveTracking_.end());
        if (!cancel) {
            Hwnd under = WindowFromPoint(cursorPos_);
            if (under == hwnd && HitTestNonClient(hwnd, cursorPos_) == HTCLIENT)
                leaveTracking_.push_back(hwnd);
            else
                PostMessage(hwnd, WM_MOUSELEAVE);
        }
    }
    if (flags & TME_HOVER) {
        if (hoverTimer_ != 0) KillTimer(0, hoverTimer_);
        hoverTimer_ = 0;
        hover_ = {};
        if (!cancel) {
            unsigned time = hoverTimeMs == HOVER_DEFAULT ? static_cast<unsigned>(gfx::systemMetrics().mouseHoverTimeMs) : hoverTimeMs;
            hover_ = {hwnd, time};
            hoverTimer_ = SetTimer(0, 0, time, [this](Hwnd, TimerId, std::uint32_t) {
                Hwnd target = hover_.hwnd;
                KillTimer(0, hoverTimer_);
                hoverTimer_ = 0;
                hover_ = {};
                Point pt = cursorPos_;
                if (WindowFromPoint(pt) == target && ScreenToClient(target, pt))
                    PostMessage(target, WM_MOUSEHOVER, MouseKeyState(), MakeLParam(pt.x, pt.y));
            });
        }
    }
    return true;
}

bool WindowManager::IsTrackingMouseLeave(Hwnd hwnd) const {
    return std::find(leaveTracking_.begin(), leaveTracking_.end(), hwnd) != leaveTracking_.end();
}

void WindowManager::UpdateMouseLeave(Hwnd hoverClient) {
    std::vector<Hwnd> left;
    for (Hwnd h : leaveTracking_)
        if (h != hoverClient) left.push_back(h);
    for (Hwnd h : left) {
        leaveTracking_.erase(std::remove(leaveTracking_.begin(), leaveTracking_.end(), h), leaveTracking_.end());
        PostMessage(h, WM_MOUSELEAVE);
    }
}

void WindowManager::RouteMouse(MessageId message, Point screen, Hwnd target) {
    Point client = screen;
    if (!ScreenToClient(target, client)) return;
    PostMessage(target, message, MouseKeyState(), MakeLParam(client.x, client.y));
}

void WindowManager::InjectMouseMove(Point screen) {
    if (backend_ == nullptr) return;
    bool moved = screen != cursorPos_;
    cursorPos_ = screen;
    if (scrollTrack_) {
        HandleScrollTrackMove(screen);
        PumpMessages();
        return;
    }
    Hwnd under = WindowFromPoint(screen);
    int hit = under != 0 ? HitTestNonClient(under, screen) : HTNOWHERE;
    UpdateMouseLeave(hit == HTCLIENT ? under : 0);
    UpdateScrollHot(under, hit, screen);
    if (hover_.hwnd != 0 && hoverTimer_ != 0 && moved) {
        // Hover waits for the pointer to rest: every move starts the wait again.
        if (under == hover_.hwnd) TrackMouseEvent(TME_HOVER, hover_.hwnd, hover_.timeMs);
    }
    if (capture_ != 0) {
        if (moved) RouteMouse(WM_MOUSEMOVE, screen, capture_);
    } else if (under != 0 && IsWindowEnabled(under)) {
        SendMessage(under, WM_SETCURSOR, under, MakeLParam(hit, WM_MOUSEMOVE));
        if (moved && hit == HTCLIENT) RouteMouse(WM_MOUSEMOVE, screen, under);
        if (moved && hit != HTCLIENT) {
            Point c = screen;
            PostMessage(under, WM_NCMOUSEMOVE, static_cast<WParam>(hit), MakeLParam(c.x, c.y));
        }
    }
    PumpMessages();
}

void WindowManager::InjectMouseButton(VirtualKey button, bool down, Point screen) {
    if (backend_ == nullptr || !IsButton(button)) return;
    if (screen != cursorPos_) InjectMouseMove(screen);
    bool wasDown = keyDown_[button] != 0;
    keyDown_[button] = down ? 1 : 0;
    if (down && !wasDown) keyToggled_[button] ^= 1;
    if (!down && scrollTrack_) {
        if (button == VK_LBUTTON) HandleScrollTrackRelease();
        PumpMessages();
        return;
    }
    Hwnd target = capture_;
    int hit = HTCLIENT;
    if (target == 0) {
        target = WindowFromPoint(screen);
        if (target == 0 || !IsWindowEnabled(target)) {
            PumpMessages();
            return;
        }
        hit = HitTestNonClient(target, screen);
    }
    if (down) {
        Hwnd root = GetAncestorRoot(target);
        if (root != active_ && (GetExStyle(root) & WS_EX_NOACTIVATE) == 0) SetActiveWindow(root);
        if (!IsWindow(target)) {
            PumpMessages();
            return;
        }
        if (capture_ == 0) SendMessage(target, WM_SETCURSOR, target, MakeLParam(hit, ButtonMessage(button, true, false)));
    }
    if (hit == HTVSCROLL || hit == HTHSCROLL) {
        if (down && button == VK_LBUTTON) HandleScrollBarPress(target, hit, screen);
        PumpMessages();
        return;
    }
    if (hit != HTCLIENT) {
        PumpMessages();
        return;
    }
    bool doubleClick = false;
    if (down) {
        const WindowRecord* w = Find(target);
        std::uint64_t now = backend_->NowMs();
        const gfx::SystemMetrics& metrics = gfx::systemMetrics();
        bool classWantsDouble = w != nullptr && (w->windowClass->style & CS_DBLCLKS) != 0;
        if (classWantsDouble && lastClick_.valid && lastClick_.hwnd == target && lastClick_.button == button &&
            now - lastClick_.time <= GetDoubleClickTime() &&
            std::abs(screen.x - lastClick_.pos.x) <= metrics.doubleClickWidth / 2 &&
            std::abs(screen.y - lastClick_.pos.y) <= metrics.doubleClickHeight / 2) {
            doubleClick = true;
            lastClick_ = {};
        } else {
            lastClick_ = {target, button, now, screen, true};
        }
    }
    RouteMouse(ButtonMessage(button, down, doubleClick), screen, target);
    PumpMessages();
}

void WindowManager::InjectMouseWheel(int delta, Point screen, bool horizontal) {
    if (backend_ == nullptr) return;
    if (screen != cursorPos_) InjectMouseMove(screen);
    Hwnd target = capture_ != 0 ? capture_ : WindowFromPoint(screen);
    if (target == 0) target = focus_;
    if (target != 0 && IsWindowEnabled(target))
        PostMessage(target, horizontal ? WM_MOUSEHWHEEL : WM_MOUSEWHEEL,
                    MakeWParam(static_cast<int>(MouseKeyState()), delta), MakeLParam(screen.x, screen.y));
    PumpMessages();
}

void WindowManager::InjectKey(VirtualKey key, bool down) {
    if (backend_ == nullptr || key == 0 || key > 0xFF) return;
    bool wasDown = keyDown_[key] != 0;
    keyDown_[key] = down ? 1 : 0;
    if (down && !wasDown) keyToggled_[key] ^= 1;
    // Left and right variants follow the generic modifier keys.
    if (key == VK_SHIFT) keyDown_[VK_LSHIFT] = keyDown_[key];
    if (key == VK_CONTROL) keyDown_[VK_LCONTROL] = keyDown_[key];
    if (key == VK_MENU) keyDown_[VK_LMENU] = keyDown_[key];
    Hwnd target = focus_ != 0 ? focus_ : active_;
    if (target != 0 && IsWindow(target)) {
        bool alt = keyDown_[VK_MENU] != 0 || (key == VK_MENU && !down);
        bool sys = alt && !keyDown_[VK_CONTROL];
        MessageId message = down ? (sys ? WM_SYSKEYDOWN : WM_KEYDOWN) : (sys ? WM_SYSKEYUP : WM_KEYUP);
        bool extended = (key >= VK_PRIOR && key <= VK_DOWN) || key == VK_INSERT || key == VK_DELETE;
        std::uint32_t lp = 1u | (extended ? (1u << 24) : 0u) | (alt ? (1u << 29) : 0u) |
                           ((wasDown || !down) ? (1u << 30) : 0u) | (down ? 0u : (1u << 31));
        PostMessage(target, message, key, static_cast<LParam>(static_cast<std::int32_t>(lp)));
    }
    PumpMessages();
}

void WindowManager::InjectChar(char32_t ch) {
    if (backend_ == nullptr || ch == 0) return;
    Hwnd target = focus_ != 0 ? focus_ : active_;
    if (target != 0 && IsWindow(target)) {
        bool sys = keyDown_[VK_MENU] != 0 && !keyDown_[VK_CONTROL];
        PostMessage(target, sys ? WM_SYSCHAR : WM_CHAR, static_cast<WParam>(ch), 1);
    }
    PumpMessages();
}

// ---- input methods ----

void WindowManager::InjectCompositionStart() {
    if (backend_ == nullptr) return;
    Hwnd target = focus_ != 0 ? focus_ : active_;
    if (target == 0 || !IsWindow(target) || target == compositionTarget_) return;
    compositionTarget_ = target;
    SendMessage(target, WM_IME_STARTCOMPOSITION, 0, 0);
    PumpMessages();
}

void WindowManager::InjectComposition(const CompositionText& text) {
    if (backend_ == nullptr) return;
    if (text.preedit.empty() && text.commit.empty() && text.replaceLength <= 0 && compositionTarget_ == 0) return;
    InjectCompositionStart();
    Hwnd target = focus_ != 0 ? focus_ : active_;
    if (target == 0 || !IsWindow(target)) return;
    // The text travels by pointer: sent, not posted.
    CompositionText copy = text;
    SendMessage(target, WM_IME_COMPOSITION, 0, reinterpret_cast<LParam>(&copy));
    PumpMessages();
    // The receiver may have passed the composition on to a window it focused (a grid to its
    // editor): that window now holds it, and closing it ends the composition.
    if (compositionTarget_ != 0 && focus_ != 0 && IsWindow(focus_)) compositionTarget_ = focus_;
    if (text.preedit.empty()) InjectCompositionEnd();
}

void WindowManager::InjectCompositionEnd() {
    if (backend_ == nullptr || compositionTarget_ == 0) return;
    compositionTarget_ = 0;
    // The end goes where the focus is now: a window that took the focus mid-way shows the text.
    Hwnd target = focus_ != 0 ? focus_ : active_;
    if (target != 0 && IsWindow(target)) SendMessage(target, WM_IME_ENDCOMPOSITION, 0, 0);
    PumpMessages();
}

Hwnd WindowManager::QueryInputMethod(InputMethodQuery& query) {
    query = InputMethodQuery{};
    Hwnd target = focus_ != 0 ? focus_ : active_;
    if (backend_ == nullptr || target == 0 || !IsWindow(target)) return 0;
    if (SendMessage(target, WM_IME_REQUEST, 0, reinterpret_cast<LParam>(&query)) == 0) {
        query = InputMethodQuery{};
        return 0;
    }
    Point topLeft{query.caret.left, query.caret.top};
    ClientToScreen(target, topLeft);
    query.caret = Rect{topLeft.x, topLeft.y, topLeft.x + query.caret.width(), topLeft.y + query.caret.height()};
    return target;
}

} // namespace lattix::ui
