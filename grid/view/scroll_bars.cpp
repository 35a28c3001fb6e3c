#include "grid/view/scroll_bars.h"

#include <algorithm>
#include <limits>

namespace lattix {

using namespace ui;

namespace {
constexpr std::uintptr_t kSubclassId = 0x5C801;
// Flat bar properties: the style of the horizontal and of the vertical bar.
constexpr int kFlatHorzStyle = 512;
constexpr int kFlatVertStyle = 256;
} // namespace

int32_t WheelLinesPerNotch() {
    int n = Wm().GetWheelScrollLines();
    if (n == -1) return -1; // all ones: a page per notch
    return n < 1 ? 3 : n;
}

cScrollBars::cScrollBars(Hwnd hwnd, ScrollBarsListener* listener, bool useFlat, int32_t style)
    : hwnd_(hwnd), listener_(listener), style_(style) {
    WindowManager& wm = Wm();
    wm.SetWindowSubclass(hwnd_, &cScrollBars::Subclass, kSubclassId, reinterpret_cast<std::uintptr_t>(this));
    SetUseFlat(useFlat);
    for (int b = kBarH; b <= kBarV; ++b) {
        Bar& s = mutableBar(b);
        s.smallChange = 1;
        s.largeChange = 10;
        s.max = 100;
        ApplyRange(b);
        // The window may keep a disabled bar from bars made before these (of another thickness).
        wm.EnableScrollBar(hwnd_, SbOf(b), ESB_ENABLE_BOTH);
    }
    // Shown and hidden once, so that both start in a known state.
    wm.ShowScrollBar(hwnd_, SB_BOTH, true);
    wm.ShowScrollBar(hwnd_, SB_BOTH, false);
}

cScrollBars::~cScrollBars() {
    *alive_ = false;
    WindowManager& wm = Wm();
    if (!wm.IsWindow(hwnd_)) return;
    wm.RemoveWindowSubclass(hwnd_, &cScrollBars::Subclass, kSubclassId);
    if (flat_) wm.UninitializeFlatScrollBars(hwnd_);
}

int32_t cScrollBars::Thickness(int b) const { return Wm().ScrollBarThickness(SbOf(b)); }

void cScrollBars::SetUseFlat(bool flat) {
    WindowManager& wm = Wm();
    if (flat && !flat_) {
        flat_ = wm.InitializeFlatScrollBars(hwnd_);
        if (flat_) SetStyle(style_);
    } else if (!flat && flat_) {
        wm.UninitializeFlatScrollBars(hwnd_);
        flat_ = false;
    }
}

void cScrollBars::SetStyle(int32_t style) {
    style_ = style;
    if (!flat_) return;
    int mode = style == lxScrollBarFlat ? FSB_FLAT_MODE : style == lxScrollBarEncarta ? FSB_ENCARTA_MODE : FSB_REGULAR_MODE;
    // Both bars take the style (the horizontal and the vertical style property).
    for (int prop : {kFlatHorzStyle, kFlatVertStyle})
        Wm().SetFlatScrollBarMode(hwnd_, prop == kFlatHorzStyle ? SB_HORZ : SB_VERT, mode);
}

void cScrollBars::SetThemed(bool themed) { Wm().SetWindowTheme(hwnd_, themed); }

void cScrollBars::ApplyRange(int b) {
    const Bar& s = bar(b);
    ScrollInfo info;
    info.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.min = 0;
    long long top = static_cast<long long>(s.max) + s.largeChange - 1;
    info.max = static_cast<int>(std::min<long long>(top, std::numeric_limits<int>::max()));
    info.page = static_cast<unsigned>(std::max(0, s.largeChange));
    info.pos = s.value;
    Wm().SetScrollInfo(hwnd_, SbOf(b), info, true);
}

void cScrollBars::SetValue(int b, int32_t v) {
    Bar& s = mutableBar(b);
    v = std::clamp(v, 0, std::max(0, s.max));
    if (v == s.value) return;
    s.value = v;
    Wm().SetScrollPos(hwnd_, SbOf(b), v, true);
    if (listener_) listener_->OnValueChanged(b, v);
}

void cScrollBars::SyncValue(int b, int32_t v) {
    Bar& s = mutableBar(b);
    v = std::clamp(v, 0, std::max(0, s.max));
    if (v == s.value) return;
    s.value = v;
    Wm().SetScrollPos(hwnd_, SbOf(b), v, true);
}

void cScrollBars::SetMax(int b, int32_t m) {
    Bar& s = mutableBar(b);
    s.max = std::max(0, m);
    ApplyRange(b);
    if (s.value > s.max) {
        s.value = s.max;
        Wm().SetScrollPos(hwnd_, SbOf(b), s.value, true);
        if (listener_) listener_->OnValueChanged(b, s.value);
    }
}

void cScrollBars::SetLargeChange(int b, int32_t p) {
    mutableBar(b).largeChange = std::max(1, p);
    ApplyRange(b);
}

void cScrollBars::Show(int b, bool visible) {
    mutableBar(b).visible = visible;
    Wm().ShowScrollBar(hwnd_, SbOf(b), visible);
}

void cScrollBars::Enable(int b, bool enabled) {
    mutableBar(b).enabled = enabled;
    Wm().EnableScrollBar(hwnd_, SbOf(b), enabled ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
}

void cScrollBars::SetDisplayMode(int b, int32_t mode) { mutableBar(b).displayMode = mode; }

// ---- scrolling ---------------------------------------------------------------------------------

void cScrollBars::Scroll(int b, int code, bool wheel, int32_t lines) {
    Bar& s = mutableBar(b);
    if (code == SB_ENDSCROLL) {
        if (listener_) listener_->OnEndScroll(b);
        return;
    }
    if (code >= SB_LINEUP && code <= SB_PAGEDOWN) {
        bool allowed = s.enabled && (s.visible || (wheel && s.scrollable && s.wheelWhenHidden));
        if (!allowed) return;
        // 64-bit arithmetic: a large step near the ends never wraps around.
        long long v = s.value;
        long long step = code <= SB_LINEDOWN ? static_cast<long long>(s.smallChange) * std::max(1, lines) : s.largeChange;
        v += (code == SB_LINEUP || code == SB_PAGEUP) ? -step : step;
        int32_t nv = static_cast<int32_t>(std::clamp<long long>(v, 0, std::max(0, s.max)));
        if (listener_ && !listener_->OnBeforeScroll(b, code, wheel, nv)) return;
        SetValue(b, nv);
        return;
    }
    if (code == SB_THUMBPOSITION || code == SB_THUMBTRACK) {
        ScrollInfo info;
        info.mask = SIF_TRACKPOS;
        Wm().GetScrollInfo(hwnd_, SbOf(b), info);
        int32_t nv = info.trackPos;
        if (listener_ && !listener_->OnBeforeScroll(b, code, false, nv)) return;
        SetValue(b, nv);
        if (code == SB_THUMBTRACK && listener_) listener_->OnThumbTrack(b, bar(b).value);
    }
}

void cScrollBars::Wheel(int delta, unsigned keyState, Point client, bool horizontal) {
    if (delta == 0) return;
    WheelRest& rest = wheelRest_[horizontal ? 1 : 0];
    std::uint32_t now = Wm().GetTickCount();
    if (rest.delta != 0 && ((rest.delta < 0) != (delta < 0) || now - rest.at >= kWheelPauseMs)) rest.delta = 0;
    rest.at = now;
    // Deltas of one direction only: the sum stays below one notch plus one message's delta.
    long long sum = static_cast<long long>(rest.delta) + delta;
    long long notches = sum / WHEEL_DELTA;
    rest.delta = static_cast<int>(sum - notches * WHEEL_DELTA);
    // A vertical delta below zero turns the wheel towards the user (down); a horizontal one
    // tilts it to the left, which scrolls as Shift with the wheel turned away from the user.
    bool towardsUser = horizontal ? notches > 0 : notches < 0;
    std::shared_ptr<bool> alive = alive_;
    for (long long i = 0, n = notches < 0 ? -notches : notches; i < n; ++i)
        if (!WheelNotch(towardsUser, keyState, client, horizontal) || !*alive) return;
}

bool cScrollBars::WheelNotch(bool towardsUser, unsigned keyState, Point client, bool horizontal) {
    std::shared_ptr<bool> alive = alive_;
    int32_t n = WheelLinesPerNotch();
    int32_t lines = n == -1 ? 1 : n;
    int32_t distance = towardsUser ? -lines : lines;
    int32_t button = ((keyState & MK_LBUTTON) ? 1 : 0) | ((keyState & MK_RBUTTON) ? 2 : 0) | ((keyState & MK_MBUTTON) ? 4 : 0);
    int32_t shift = static_cast<int32_t>(Wm().ModifierState());
    // The horizontal wheel reaches the host as the wheel with Shift.
    if (horizontal) shift |= 1;
    if (listener_ && !listener_->OnMouseWheel(distance, button, shift, static_cast<float>(client.x), static_cast<float>(client.y)))
        return *alive;
    if (!*alive) return false;
    int b;
    if (shift == 0)
        b = kBarV;
    else if (shift == 1)
        b = kBarH;
    else
        return true;
    // One step of N lines, one repaint. A setting that reaches beyond the page scrolls a page.
    const Bar& s = bar(b);
    bool page = n == -1 || static_cast<long long>(lines) * s.smallChange > s.largeChange;
    if (page)
        Scroll(b, towardsUser ? SB_PAGEDOWN : SB_PAGEUP, true);
    else
        Scroll(b, towardsUser ? SB_LINEDOWN : SB_LINEUP, true, lines);
    return *alive;
}

LResult cScrollBars::Subclass(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam, std::uintptr_t,
                              std::uintptr_t ref) {
    auto* self = reinterpret_cast<cScrollBars*>(ref);
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
        self->Scroll(message == WM_HSCROLL ? kBarH : kBarV, LoWord(wParam));
        break;
    case WM_MOUSEWHEEL:
    case WM_MOUSEHWHEEL: {
        Point pt{GetXLParam(lParam), GetYLParam(lParam)};
        Wm().ScreenToClient(hwnd, pt);
        self->Wheel(GetWheelDeltaWParam(wParam), GetKeyStateWParam(wParam), pt, message == WM_MOUSEHWHEEL);
        break;
    }
    default:
        break;
    }
    return Wm().DefSubclassProc(hwnd, message, wParam, lParam);
}

// ---- adjusting to the geometry -----------------------------------------------------------------

ScrollAdjustResult cScrollBars::Adjust(const ScrollGeometry& g, bool raiseVisibilityEvents) {
    ScrollAdjustResult r;
    if (adjusting_) {
        r.hShown = bar(kBarH).visible;
        r.vShown = bar(kBarV).visible;
        r.scrollY = bar(kBarV).value;
        return r;
    }
    adjusting_ = true;
    int32_t hThick = Thickness(kBarH), vThick = Thickness(kBarV);
    int32_t viewWidth = g.cellsWidth, viewHeight = g.cellsHeight;
    int32_t shownCount = static_cast<int32_t>(g.scrollableWidths.size());
    Bar& h = mutableBar(kBarH);
    Bar& v = mutableBar(kBarV);

    bool hShow = false, hEnable = false, hScrollable = false;
    bool hCountedInHeight = false;
    auto decideH = [&] {
        int32_t avail = viewWidth - g.frozenWidth;
        if (g.scrollableWidth <= avail) {
            hScrollable = false;
            hShow = h.displayMode == lxScrollBarDisplayAlways;
            hEnable = false;
        } else {
            hScrollable = true;
            hShow = h.displayMode != lxScrollBarDisplayNever;
            hEnable = !(g.frozenCols >= 1 && (shownCount <= 1 || avail < 1));
        }
        if (hShow && !hCountedInHeight) {
            viewHeight -= hThick;
            hCountedInHeight = true;
        }
    };
    decideH();
    bool vShow, vEnable, vScrollable;
    if (g.contentHeight <= viewHeight) {
        vScrollable = false;
        vShow = v.displayMode == lxScrollBarDisplayAlways;
        vEnable = false;
    } else {
        vScrollable = true;
        vShow = v.displayMode != lxScrollBarDisplayNever;
        vEnable = true;
    }
    if (vShow) {
        viewWidth -= vThick;
        decideH();
    }
    h.scrollable = hScrollable;
    v.scrollable = vScrollable;
    r.viewWidth = std::max(0, viewWidth);
    r.viewHeight = std::max(0, viewHeight);
    r.hShown = hShow;
    r.vShown = vShow;
    if (g.updatesSuspended) {
        r.scrollX = g.frozenCols >= 1 ? 0 : h.value;
        r.scrollY = v.value;
        adjusting_ = false;
        return r;
    }
    // Enabled states, horizontal first.
    bool enable[2] = {hEnable && h.objectEnabled, vEnable && v.objectEnabled};
    for (int b = kBarH; b <= kBarV; ++b)
        if (bar(b).enabled != enable[b]) {
            Enable(b, enable[b]);
            if (listener_) listener_->OnEnabledChanged(b, enable[b]);
        }
    // Visibility, horizontal first; a hidden bar goes back to 0 unless its mode is Never.
    bool show[2] = {hShow, vShow};
    for (int b = kBarH; b <= kBarV; ++b) {
        if (bar(b).visible == show[b]) continue;
        if (!show[b] && bar(b).displayMode != lxScrollBarDisplayNever) {
            SetValue(b, 0);
            if (b == kBarH && listener_) listener_->OnHeaderReposition();
        }
        Show(b, show[b]);
        if (raiseVisibilityEvents && listener_) listener_->OnVisibilityChanged(b, show[b]);
    }
    // Horizontal range.
    if (hScrollable && h.enabled) {
        int32_t oldMax = h.max;
        int32_t max;
        if (g.frozenCols < 1) {
            max = g.scrollableWidth - r.viewWidth;
            SetSmallChange(kBarH, h.smallChangeDesired != 0 ? h.smallChangeDesired : 5);
            if (r.viewWidth > 0) SetLargeChange(kBarH, r.viewWidth);
        } else {
            int32_t step = h.smallChangeDesired != 0 ? h.smallChangeDesired : 1;
            SetSmallChange(kBarH, step);
            SetLargeChange(kBarH, step);
            int32_t avail = r.viewWidth - g.frozenWidth;
            long long sum = 0;
            int32_t k = 0;
            max = 0;
            for (int32_t i = shownCount - 1; i >= 0; --i) {
                ++k;
                sum += g.scrollableWidths[static_cast<std::size_t>(i)];
                if (sum > avail) {
                    max = k == 1 ? shownCount - k : shownCount - k + 1;
                    break;
                }
            }
        }
        if (max != oldMax) {
            SetMax(kBarH, max);
            if (listener_) listener_->OnHeaderReposition();
        }
    }
    r.scrollX = g.frozenCols >= 1 ? 0 : h.value;
    // Vertical range.
    if (vScrollable && v.enabled && r.viewHeight > 0) {
        SetSmallChange(kBarV, v.smallChangeDesired != 0 ? v.smallChangeDesired : g.defaultRowHeight);
        SetLargeChange(kBarV, r.viewHeight);
        SetMax(kBarV, g.contentHeight - r.viewHeight);
    }
    r.scrollY = v.value;
    adjusting_ = false;
    return r;
}

} // namespace lattix
