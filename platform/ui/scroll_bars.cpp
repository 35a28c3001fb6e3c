// Non-client scroll bars: state, geometry, and the mouse handling that turns presses and drags on
// them into WM_HSCROLL / WM_VSCROLL notifications.
#include <algorithm>

#include "platform/gfx/system_metrics.h"

#include "platform/ui/window_internals.h"
#include "platform/ui/window_manager.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

namespace internals {

int BorderWidth(std::uint32_t style, std::uint32_t exStyle) {
    const gfx::SystemMetrics& m = gfx::systemMetrics();
    int width = 0;
    if (style & WS_BORDER) width += m.borderWidth;
    if (exStyle & WS_EX_CLIENTEDGE) width += m.edgeWidth;
    return width;
}

int ScrollBarThicknessMetric() { return gfx::systemMetrics().verticalScrollBarWidth; }

std::optional<gfx::Color> ClassBackground(const WindowClass& windowClass) {
    if (windowClass.background == gfx::CLR_NONE) return std::nullopt;
    return gfx::systemColors().translate(windowClass.background);
}

int MinThumbLength() { return std::max(1, gfx::systemMetrics().minimumThumbSize); }

int MaxScrollPos(const ScrollBarState& bar) {
    int top = bar.page > 0 ? bar.max - static_cast<int>(bar.page) + 1 : bar.max;
    return std::max(bar.min, top);
}

bool ScrollBarActive(const ScrollBarState& bar) {
    return bar.arrows != ESB_DISABLE_BOTH && MaxScrollPos(bar) > bar.min;
}

ScrollLayout LayoutScrollBar(const ScrollBarState& bar, int length, int thickness) {
    ScrollLayout l;
    l.length = std::max(0, length);
    l.arrow = std::min(thickness, l.length / 2);
    l.trackStart = l.arrow;
    l.trackLength = std::max(0, l.length - 2 * l.arrow);
    if (!ScrollBarActive(bar) || l.trackLength < MinThumbLength()) return l;
    long long range = static_cast<long long>(bar.max) - bar.min + 1;
    long long thumb = bar.page > 0 ? l.trackLength * static_cast<long long>(bar.page) / range : thickness;
    l.thumbLength = static_cast<int>(std::clamp<long long>(thumb, MinThumbLength(), l.trackLength));
    int travel = l.trackLength - l.thumbLength;
    int span = MaxScrollPos(bar) - bar.min;
    int offset = span > 0 ? static_cast<int>(static_cast<long long>(travel) * (bar.pos - bar.min) / span) : 0;
    l.thumbStart = l.trackStart + std::clamp(offset, 0, travel);
    return l;
}

ScrollPart ScrollPartAt(const ScrollLayout& l, int along) {
    if (along < 0 || along >= l.length) return kPartNone;
    if (along < l.arrow) return kPartLineUp;
    if (along >= l.length - l.arrow) return kPartLineDown;
    if (l.thumbLength == 0) return kPartNone;
    if (along < l.thumbStart) return kPartPageUp;
    if (along < l.thumbStart + l.thumbLength) return kPartThumb;
    return kPartPageDown;
}

int PositionForThumb(const ScrollBarState& bar, const ScrollLayout& l, int thumbStart) {
    int travel = l.trackLength - l.thumbLength;
    int span = MaxScrollPos(bar) - bar.min;
    if (travel <= 0 || span <= 0) return bar.min;
    int offset = std::clamp(thumbStart - l.trackStart, 0, travel);
    // Rounded to the nearest position.
    return bar.min + static_cast<int>((static_cast<long long>(offset) * span + travel / 2) / travel);
}

} // namespace internals

using namespace internals;

namespace {
bool ValidBar(int bar) { return bar == SB_HORZ || bar == SB_VERT; }
} // namespace

void WindowManager::InvalidateNonClient(WindowRecord& w) { NotifyTopLevelChanged(w); }

int WindowManager::SetScrollInfo(Hwnd hwnd, int bar, const ScrollInfo& info, bool redraw) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || !ValidBar(bar)) return 0;
    if ((info.mask & SIF_RANGE) && info.max < info.min) return w->bars[bar].pos;
    ScrollBarState& s = w->bars[bar];
    if (info.mask & SIF_RANGE) {
        s.min = info.min;
        s.max = info.max;
    }
    if (info.mask & SIF_PAGE) s.page = info.page;
    if (s.page > static_cast<unsigned>(s.max - s.min + 1)) s.page = static_cast<unsigned>(s.max - s.min + 1);
    if (info.mask & SIF_POS) s.pos = info.pos;
    s.pos = std::clamp(s.pos, s.min, MaxScrollPos(s));
    if (!(scrollTrack_ && scrollTrack_->hwnd == hwnd && scrollTrack_->bar == bar)) s.trackPos = s.pos;
    if (redraw) InvalidateNonClient(*w);
    return s.pos;
}

bool WindowManager::GetScrollInfo(Hwnd hwnd, int bar, ScrollInfo& info) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr || !ValidBar(bar)) return false;
    const ScrollBarState& s = w->bars[bar];
    if (info.mask & SIF_RANGE) {
        info.min = s.min;
        info.max = s.max;
    }
    if (info.mask & SIF_PAGE) info.page = s.page;
    if (info.mask & SIF_POS) info.pos = s.pos;
    if (info.mask & SIF_TRACKPOS) info.trackPos = s.trackPos;
    return true;
}

int WindowManager::SetScrollPos(Hwnd hwnd, int bar, int pos, bool redraw) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || !ValidBar(bar)) return 0;
    int old = w->bars[bar].pos;
    ScrollInfo info;
    info.mask = SIF_POS;
    info.pos = pos;
    SetScrollInfo(hwnd, bar, info, redraw);
    return old;
}

int WindowManager::GetScrollPos(Hwnd hwnd, int bar) const {
    const WindowRecord* w = Find(hwnd);
    return (w == nullptr || !ValidBar(bar)) ? 0 : w->bars[bar].pos;
}

bool WindowManager::SetScrollRange(Hwnd hwnd, int bar, int min, int max, bool redraw) {
    if (Find(hwnd) == nullptr || !ValidBar(bar) || max < min) return false;
    ScrollInfo info;
    info.mask = SIF_RANGE;
    info.min = min;
    info.max = max;
    SetScrollInfo(hwnd, bar, info, redraw);
    return true;
}

bool WindowManager::ShowScrollBar(Hwnd hwnd, int bar, bool show) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || (!ValidBar(bar) && bar != SB_BOTH)) return false;
    std::uint32_t bits = bar == SB_HORZ ? WS_HSCROLL : bar == SB_VERT ? WS_VSCROLL : (WS_HSCROLL | WS_VSCROLL);
    std::uint32_t before = w->style;
    if (show)
        w->style |= bits;
    else
        w->style &= ~bits;
    if (w->style != before) {
        if (!show && scrollTrack_ && scrollTrack_->hwnd == hwnd) scrollTrack_.reset();
        RecomputeClient(*w, true);
        if (WindowRecord* again = Find(hwnd)) InvalidateNonClient(*again);
    }
    return true;
}

bool WindowManager::IsScrollBarShown(Hwnd hwnd, int bar) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr || !ValidBar(bar)) return false;
    return (w->style & (bar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0;
}

bool WindowManager::EnableScrollBar(Hwnd hwnd, int bar, int arrows) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || (!ValidBar(bar) && bar != SB_BOTH) || arrows < ESB_ENABLE_BOTH || arrows > ESB_DISABLE_BOTH)
        return false;
    bool changed = false;
    for (int b = SB_HORZ; b <= SB_VERT; ++b)
        if (bar == SB_BOTH || bar == b) {
            changed |= w->bars[b].arrows != arrows;
            w->bars[b].arrows = arrows;
        }
    if (changed) InvalidateNonClient(*w);
    return changed;
}

int WindowManager::GetScrollBarArrowState(Hwnd hwnd, int bar) const {
    const WindowRecord* w = Find(hwnd);
    return (w == nullptr || !ValidBar(bar)) ? ESB_DISABLE_BOTH : w->bars[bar].arrows;
}

bool WindowManager::InitializeFlatScrollBars(Hwnd hwnd) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    w->flatScrollBars = true;
    InvalidateNonClient(*w);
    return true;
}

bool WindowManager::UninitializeFlatScrollBars(Hwnd hwnd) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || !w->flatScrollBars) return false;
    w->flatScrollBars = false;
    w->bars[SB_HORZ].flatMode = w->bars[SB_VERT].flatMode = FSB_REGULAR_MODE;
    InvalidateNonClient(*w);
    return true;
}

bool WindowManager::HasFlatScrollBars(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w != nullptr && w->flatScrollBars;
}

bool WindowManager::SetFlatScrollBarMode(Hwnd hwnd, int bar, int mode) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || !w->flatScrollBars || (!ValidBar(bar) && bar != SB_BOTH) || mode < FSB_REGULAR_MODE ||
        mode > FSB_FLAT_MODE)
        return false;
    for (int b = SB_HORZ; b <= SB_VERT; ++b)
        if (bar == SB_BOTH || bar == b) w->bars[b].flatMode = mode;
    InvalidateNonClient(*w);
    return true;
}

int WindowManager::GetFlatScrollBarMode(Hwnd hwnd, int bar) const {
    const WindowRecord* w = Find(hwnd);
    return (w == nullptr || !ValidBar(bar)) ? FSB_REGULAR_MODE : w->bars[bar].flatMode;
}

bool WindowManager::SetWindowTheme(Hwnd hwnd, bool themed) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    if (w->themed != themed) {
        w->themed = themed;
        InvalidateNonClient(*w);
    }
    return true;
}

bool WindowManager::IsWindowThemed(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w != nullptr && w->themed;
}

Rect WindowManager::GetScrollBarRect(Hwnd hwnd, int bar) const {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr || !ValidBar(bar)) return {};
    int b = BorderWidth(w->style, w->exStyle);
    const int tv = ScrollBarThickness(SB_VERT), th = ScrollBarThickness(SB_HORZ);
    int width = w->rect.width(), height = w->rect.height();
    bool h = (w->style & WS_HSCROLL) != 0, v = (w->style & WS_VSCROLL) != 0;
    Rect r;
    if (bar == SB_VERT && v)
        r = {width - b - tv, b, width - b, height - b - (h ? th : 0)};
    else if (bar == SB_HORZ && h)
        r = {b, height - b - th, width - b - (v ? tv : 0), height - b};
    return r.isEmpty() ? Rect{} : r;
}

// ---- Mouse on the bars -----------------------------------------------------------------------

namespace {
MessageId ScrollMessage(int bar) { return bar == SB_HORZ ? WM_HSCROLL : WM_VSCROLL; }
int CodeForPart(int part) {
    switch (part) {
    case kPartLineUp:
        return SB_LINEUP;
    case kPartLineDown:
        return SB_LINEDOWN;
    case kPartPageUp:
        return SB_PAGEUP;
    case kPartPageDown:
        return SB_PAGEDOWN;
    default:
        return SB_ENDSCROLL;
    }
}
} // namespace

bool WindowManager::HandleScrollBarPress(Hwnd hwnd, int hit, Point screen) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || (hit != HTVSCROLL && hit != HTHSCROLL)) return false;
    int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
    Rect r = GetScrollBarRect(hwnd, bar);
    Point o = WindowOriginOnScreen(*w);
    Point local{screen.x - o.x - r.left, screen.y - o.y - r.top};
    ScrollBarState& s = w->bars[bar];
    if (!ScrollBarActive(s)) return true; // a disabled bar swallows the press
    int length = bar == SB_VERT ? r.height() : r.width();
    ScrollLayout layout = LayoutScrollBar(s, length, ScrollBarThickness());
    int along = bar == SB_VERT ? local.y : local.x;
    ScrollPart part = ScrollPartAt(layout, along);
    if (part == kPartNone) return true;
    scrollTrack_ = std::make_unique<ScrollTrack>();
    scrollTrack_->hwnd = hwnd;
    scrollTrack_->bar = bar;
    scrollTrack_->part = part;
    if (part == kPartThumb) {
        scrollTrack_->grabOffset = along - layout.thumbStart;
        s.trackPos = s.pos;
        return true;
    }
    SendMessage(hwnd, ScrollMessage(bar), static_cast<WParam>(CodeForPart(part)), 0);
    // Holding the button repeats the step: first after 400 ms, then every 50 ms.
    if (scrollTrack_ && scrollTrack_->hwnd == hwnd)
        scrollTrack_->repeatTimer = SetTimer(0, 0, 400, [this](Hwnd, TimerId, std::uint32_t) { ScrollBarRepeat(); });
    return true;
}

void WindowManager::UpdateScrollHot(Hwnd under, int hit, Point screen) {
    ScrollHot now;
    WindowRecord* w = (hit == HTVSCROLL || hit == HTHSCROLL) ? Find(under) : nullptr;
    if (w != nullptr) {
        int bar = hit == HTVSCROLL ? SB_VERT : SB_HORZ;
        Rect r = GetScrollBarRect(under, bar);
        Point o = WindowOriginOnScreen(*w);
        const ScrollBarState& s = w->bars[bar];
        if (ScrollBarActive(s)) {
            int length = bar == SB_VERT ? r.height() : r.width();
            int along = bar == SB_VERT ? screen.y - o.y - r.top : screen.x - o.x - r.left;
            ScrollPart part = ScrollPartAt(LayoutScrollBar(s, length, ScrollBarThickness()), along);
            // Only the arrows and the thumb have a hot look.
            if (part == kPartLineUp || part == kPartLineDown || part == kPartThumb) now = {under, bar, part};
        }
    }
    if (now.hwnd == scrollHot_.hwnd && now.bar == scrollHot_.bar && now.part == scrollHot_.part) return;
    ScrollHot old = scrollHot_;
    scrollHot_ = now;
    if (old.hwnd != 0)
        if (WindowRecord* ow = Find(old.hwnd)) InvalidateNonClient(*ow);
    if (now.hwnd != 0 && now.hwnd != old.hwnd) InvalidateNonClient(*w);
}

int WindowManager::ScrollHotPart(Hwnd hwnd, int bar) const {
    return scrollHot_.hwnd == hwnd && scrollHot_.bar == bar ? scrollHot_.part : kPartNone;
}

void WindowManager::ScrollBarRepeat() {
    if (!scrollTrack_) return;
    ScrollTrack& t = *scrollTrack_;
    WindowRecord* w = Find(t.hwnd);
    if (w == nullptr) {
        scrollTrack_.reset();
        return;
    }
    SetTimer(0, t.repeatTimer, 50, [this](Hwnd, TimerId, std::uint32_t) { ScrollBarRepeat(); });
    if (!t.inside) return;
    // A page step stops once the thumb has reached the pointer.
    if (t.part == kPartPageUp || t.part == kPartPageDown) {
        Rect r = GetScrollBarRect(t.hwnd, t.bar);
        Point o = WindowOriginOnScreen(*w);
        int along = t.bar == SB_VERT ? cursorPos_.y - o.y - r.top : cursorPos_.x - o.x - r.left;
        ScrollLayout layout = LayoutScrollBar(w->bars[t.bar], t.bar == SB_VERT ? r.height() : r.width(),
                                              ScrollBarThickness());
        if (ScrollPartAt(layout, along) != t.part) return;
    }
    SendMessage(t.hwnd, ScrollMessage(t.bar), static_cast<WParam>(CodeForPart(t.part)), 0);
}

void WindowManager::HandleScrollTrackMove(Point screen) {
    ScrollTrack& t = *scrollTrack_;
    WindowRecord* w = Find(t.hwnd);
    if (w == nullptr) {
        scrollTrack_.reset();
        return;
    }
    Rect r = GetScrollBarRect(t.hwnd, t.bar);
    Point o = WindowOriginOnScreen(*w);
    Rect onScreen = r.offsetBy(o.x, o.y);
    t.inside = onScreen.contains(screen);
    if (t.part != kPartThumb) return;
    ScrollBarState& s = w->bars[t.bar];
    int length = t.bar == SB_VERT ? r.height() : r.width();
    ScrollLayout layout = LayoutScrollBar(s, length, ScrollBarThickness());
    int along = t.bar == SB_VERT ? screen.y - onScreen.top : screen.x - onScreen.left;
    int pos = PositionForThumb(s, layout, along - t.grabOffset);
    if (pos == s.trackPos) return;
    s.trackPos = pos;
    SendMessage(t.hwnd, ScrollMessage(t.bar), MakeWParam(SB_THUMBTRACK, pos), 0);
}

void WindowManager::HandleScrollTrackRelease() {
    ScrollTrack t = *scrollTrack_;
    scrollTrack_.reset();
    if (t.repeatTimer != 0) KillTimer(0, t.repeatTimer);
    WindowRecord* w = Find(t.hwnd);
    if (w == nullptr) return;
    if (t.part == kPartThumb) {
        int pos = w->bars[t.bar].trackPos;
        SendMessage(t.hwnd, ScrollMessage(t.bar), MakeWParam(SB_THUMBPOSITION, pos), 0);
        if (WindowRecord* again = Find(t.hwnd)) again->bars[t.bar].trackPos = again->bars[t.bar].pos;
    }
    SendMessage(t.hwnd, ScrollMessage(t.bar), static_cast<WParam>(SB_ENDSCROLL), 0);
}

} // namespace lattix::ui
