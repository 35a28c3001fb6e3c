#include "platform/controls/drop_down_list.h"
#include "platform/controls/control_window.h"
#include "platform/controls/owned_popup.h"

#include <algorithm>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/device_context.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/text_draw.h"
#include "platform/theme/theme_data.h"
#include "platform/theme/theme_parts.h"
#include "platform/ui/non_client_painter.h"
#include "platform/ui/window_internals.h"

namespace lattix::controls {

using namespace ui;

namespace {

constexpr std::uintptr_t kFocusSubclassId = 0x7441;
constexpr int kWheelLines = 3;
// Text starts this far from the item's left edge (or from its icon).
constexpr int kTextMargin = 2;
constexpr int kIconGap = 4;
// The list's own border.
constexpr int kBorder = 1;
constexpr std::uint32_t kItemTextFlags =
    gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_SINGLELINE | gfx::DT_NOPREFIX | gfx::DT_END_ELLIPSIS;

ScrollBarState BarState(int count, int visible, int top) {
    ScrollBarState s;
    s.min = 0;
    s.max = std::max(0, count - 1);
    s.page = static_cast<unsigned>(std::max(1, visible));
    s.pos = top;
    s.trackPos = top;
    return s;
}

} // namespace

Hwnd DropDownList::Create(Hwnd owner) {
    // No window border: the list draws its own, in the look it has.
    Hwnd hwnd = CreateOwnedPopup(kDropDownListClassName, &DropDownList::Proc, owner, 0);
    return FromWindow(hwnd) != nullptr ? hwnd : 0;
}

DropDownList* DropDownList::FromWindow(Hwnd hwnd) { return ControlOf<DropDownList>(hwnd, kDropDownListClassName); }

LResult DropDownList::Proc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    return RunControlProc<DropDownList>(hwnd, message, wParam, lParam, [hwnd] { return new DropDownList(hwnd); },
                                        [&](DropDownList* self) { return self->Handle(message, wParam, lParam); });
}

LResult DropDownList::Handle(MessageId message, WParam wParam, LParam lParam) {
    WindowManager& wm = Wm();
    const Hwnd hwnd = hwnd_;
    const Point at{GetXLParam(lParam), GetYLParam(lParam)};
    switch (message) {
    case WM_DESTROY:
        open_ = false;
        StopWatchingFocus();
        if (wm.GetCapture() == hwnd) wm.ReleaseCapture();
        break;
    case WM_PAINT: {
        PaintStruct ps;
        if (gfx::DeviceContext* dc = wm.BeginPaint(hwnd, ps)) {
            Paint(*dc);
            wm.EndPaint(hwnd, ps);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return 3; // MA_NOACTIVATE: a click on the list leaves the focus where it is
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        OnButtonDown(at, true);
        return 0;
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnButtonDown(at, false);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(at);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(at);
        return 0;
    case WM_MOUSEWHEEL:
        if (open_) SetTopIndex(top_ - GetWheelDeltaWParam(wParam) / WHEEL_DELTA * kWheelLines);
        return 0;
    case WM_KEYDOWN:
        return HandleKey(static_cast<VirtualKey>(wParam), wm.ModifierState()) ? 0 : 1;
    case WM_CAPTURECHANGED:
        // Another window took the mouse: the list gives up.
        if (open_ && static_cast<Hwnd>(lParam) != hwnd) Dismiss(-1, false);
        return 0;
    default:
        break;
    }
    return wm.DefWindowProc(hwnd, message, wParam, lParam);
}

LResult DropDownList::FocusSubclass(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam, std::uintptr_t,
                                    std::uintptr_t refData) {
    const Hwnd list = static_cast<Hwnd>(refData);
    if (message == WM_KILLFOCUS || message == WM_DESTROY) {
        if (DropDownList* self = FromWindow(list); self != nullptr && self->open_) {
            if (message == WM_DESTROY) self->Hide();
            else self->Dismiss(-1, false);
        }
    }
    return Wm().DefSubclassProc(hwnd, message, wParam, lParam);
}

void DropDownList::StopWatchingFocus() {
    if (focusWindow_ != 0) Wm().RemoveWindowSubclass(focusWindow_, &DropDownList::FocusSubclass, kFocusSubclassId);
    focusWindow_ = 0;
}

// ---- items and geometry ----

void DropDownList::SetItems(std::vector<DropDownItem> items) {
    items_ = std::move(items);
    if (highlighted_ >= Count()) highlighted_ = -1;
    top_ = std::clamp(top_, 0, MaxTop());
    Invalidate();
}

void DropDownList::SetFont(gfx::FontPtr font) {
    font_ = std::move(font);
    Invalidate();
}

void DropDownList::SetImageList(std::shared_ptr<const gfx::ImageList> images, gfx::Size drawnSize) {
    images_ = std::move(images);
    iconSize_ = drawnSize;
    Invalidate();
}

void DropDownList::SetItemHeight(int pixels) {
    itemHeight_ = std::max(1, pixels);
    top_ = std::clamp(top_, 0, MaxTop());
    Invalidate();
}

void DropDownList::SetThemed(bool themed) {
    if (themed == themed_) return;
    themed_ = themed;
    Invalidate();
}

Rect DropDownList::InnerRect() const {
    Rect inner = Wm().GetClientRect(hwnd_).inflatedBy(-kBorder, -kBorder);
    if (inner.isEmpty()) inner.right = inner.left, inner.bottom = inner.top;
    return inner;
}

int DropDownList::VisibleItemCount() const { return std::max(1, InnerRect().height() / itemHeight_); }

bool DropDownList::HasScrollBar() const { return Count() > VisibleItemCount(); }

int DropDownList::MaxTop() const { return std::max(0, Count() - VisibleItemCount()); }

Rect DropDownList::ScrollBarRect() const {
    Rect inner = InnerRect();
    if (!HasScrollBar()) return {};
    return {std::max(inner.left, inner.right - internals::ScrollBarThicknessMetric()), inner.top, inner.right, inner.bottom};
}

int DropDownList::ItemsWidth() const {
    Rect bar = ScrollBarRect();
    Rect inner = InnerRect();
    return (bar.isEmpty() ? inner.right : bar.left) - inner.left;
}

Rect DropDownList::ItemRect(int index) const {
    Rect inner = InnerRect();
    const int y = inner.top + (index - top_) * itemHeight_;
    return {inner.left, y, inner.left + ItemsWidth(), y + itemHeight_};
}

int DropDownList::ItemAt(int x, int y) const {
    Rect inner = InnerRect();
    if (x < inner.left || x >= inner.left + ItemsWidth() || y < inner.top || y >= inner.bottom) return -1;
    const int index = top_ + (y - inner.top) / itemHeight_;
    return index < Count() ? index : -1;
}

void DropDownList::SetTopIndex(int index) {
    const int top = std::clamp(index, 0, MaxTop());
    if (top == top_) return;
    top_ = top;
    Invalidate();
}

void DropDownList::SetHighlighted(int index, bool notify) {
    if (index < 0 || index >= Count()) index = -1;
    if (index >= 0) {
        const int visible = VisibleItemCount();
        if (index < top_) SetTopIndex(index);
        else if (index >= top_ + visible) SetTopIndex(index - visible + 1);
    }
    if (index == highlighted_) return;
    highlighted_ = index;
    Invalidate();
    if (notify) Notify({DropDownEvent::HighlightChanged, index, false});
}

void DropDownList::Invalidate() {
    if (Wm().IsWindowVisible(hwnd_)) Wm().InvalidateRect(hwnd_, nullptr, false);
}

// ---- showing and closing ----

void DropDownList::Show(const Rect& screenRect, Hwnd focusWindow) {
    WindowManager& wm = Wm();
    StopWatchingFocus();
    wm.SetWindowPos(hwnd_, HWND_TOPMOST, screenRect.left, screenRect.top, std::max(1, screenRect.width()),
                    std::max(1, screenRect.height()), SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // The lit item stands at the top, as far as the items below it allow.
    top_ = std::clamp(std::max(0, highlighted_), 0, MaxTop());
    open_ = true;
    pressOnItems_ = draggingThumb_ = false;
    pressedPart_ = 0;
    if (wm.IsWindow(focusWindow) &&
        wm.SetWindowSubclass(focusWindow, &DropDownList::FocusSubclass, kFocusSubclassId, static_cast<std::uintptr_t>(hwnd_)))
        focusWindow_ = focusWindow;
    wm.SetCapture(hwnd_);
    wm.InvalidateRect(hwnd_, nullptr, false);
}

void DropDownList::Hide() {
    WindowManager& wm = Wm();
    const bool wasOpen = open_;
    open_ = false; // first: the capture change below is our own
    pressOnItems_ = draggingThumb_ = false;
    pressedPart_ = 0;
    StopWatchingFocus();
    if (wm.GetCapture() == hwnd_) wm.ReleaseCapture();
    if (wasOpen || wm.IsWindowVisible(hwnd_)) wm.ShowWindow(hwnd_, SW_HIDE);
}

bool DropDownList::Notify(const DropDownEvent& e) {
    const Hwnd self = hwnd_;
    if (listener_) {
        Listener keep = listener_; // the listener may replace itself
        keep(e);
    }
    return FromWindow(self) == this;
}

void DropDownList::Dismiss(int chosen, bool byMouse) {
    if (!open_) return;
    Hide();
    Notify({DropDownEvent::Closed, chosen, byMouse});
}

void DropDownList::Choose(int index, bool byMouse) {
    if (!open_ || index < 0 || index >= Count()) return;
    if (index != highlighted_) {
        highlighted_ = index;
        Invalidate();
    }
    if (!Notify({DropDownEvent::Chosen, index, byMouse})) return;
    Dismiss(index, byMouse);
}

// ---- keys ----

bool DropDownList::HandleKey(VirtualKey key, unsigned mods) {
    if (!open_) return false;
    (void)mods;
    const int count = Count();
    const int visible = VisibleItemCount();
    const int cur = highlighted_;
    int target = cur;
    switch (key) {
    case VK_UP:
    case VK_LEFT: target = cur < 0 ? 0 : cur - 1; break;
    case VK_DOWN:
    case VK_RIGHT: target = cur < 0 ? 0 : cur + 1; break;
    case VK_HOME: target = 0; break;
    case VK_END: target = count - 1; break;
    case VK_PRIOR:
        // First to the top of the page, then a page up.
        target = cur < 0 ? 0 : (cur != top_ ? top_ : cur - (visible - 1));
        break;
    case VK_NEXT: {
        const int bottom = std::min(count, top_ + visible) - 1;
        target = cur < 0 ? 0 : (cur != bottom ? bottom : cur + (visible - 1));
        break;
    }
    case VK_RETURN:
        if (cur >= 0) Choose(cur, false);
        else Dismiss(-1, false);
        return true;
    case VK_ESCAPE:
        Dismiss(-1, false);
        return true;
    default: return false;
    }
    if (count == 0) return true;
    SetHighlighted(std::clamp(target, 0, count - 1), true);
    return true;
}

// ---- mouse ----

void DropDownList::OnButtonDown(Point client, bool left) {
    if (!open_) return;
    WindowManager& wm = Wm();
    Point screen = client;
    wm.ClientToScreen(hwnd_, screen);
    if (!wm.GetWindowRect(hwnd_).contains(screen)) {
        Dismiss(-1, true);
        return;
    }
    if (!left) return;
    Rect bar = ScrollBarRect();
    if (!bar.isEmpty() && bar.contains(client)) {
        const ScrollBarState state = BarState(Count(), VisibleItemCount(), top_);
        const internals::ScrollLayout l = internals::LayoutScrollBar(state, bar.height(), bar.width());
        const int along = client.y - bar.top;
        pressedPart_ = internals::ScrollPartAt(l, along);
        const int page = VisibleItemCount();
        switch (pressedPart_) {
        case internals::kPartLineUp: SetTopIndex(top_ - 1); break;
        case internals::kPartLineDown: SetTopIndex(top_ + 1); break;
        case internals::kPartPageUp: SetTopIndex(top_ - page); break;
        case internals::kPartPageDown: SetTopIndex(top_ + page); break;
        case internals::kPartThumb:
            draggingThumb_ = true;
            thumbGrab_ = along - l.thumbStart;
            break;
        default: break;
        }
        Invalidate();
        return;
    }
    const int index = ItemAt(client.x, client.y);
    pressOnItems_ = true;
    if (index >= 0 && index != highlighted_) {
        highlighted_ = index;
        Invalidate();
        Notify({DropDownEvent::HighlightChanged, index, true});
    }
}

void DropDownList::OnButtonUp(Point client) {
    if (!open_) return;
    const bool onItems = pressOnItems_;
    pressOnItems_ = draggingThumb_ = false;
    if (pressedPart_ != 0) {
        pressedPart_ = 0;
        Invalidate();
    }
    if (!onItems) return;
    const int index = ItemAt(client.x, client.y);
    if (index >= 0) Choose(index, true);
}

void DropDownList::OnMouseMove(Point client) {
    if (!open_) return;
    if (draggingThumb_) {
        Rect bar = ScrollBarRect();
        const ScrollBarState state = BarState(Count(), VisibleItemCount(), top_);
        const internals::ScrollLayout l = internals::LayoutScrollBar(state, bar.height(), bar.width());
        SetTopIndex(internals::PositionForThumb(state, l, client.y - bar.top - thumbGrab_));
        return;
    }
    const int index = ItemAt(client.x, client.y);
    if (index < 0 || index == highlighted_) return;
    highlighted_ = index;
    Invalidate();
    Notify({DropDownEvent::HighlightChanged, index, true});
}

// ---- painting ----

void DropDownList::Paint(gfx::DeviceContext& target) {
    Rect client = Wm().GetClientRect(hwnd_);
    if (client.isEmpty()) return;
    // Drawn off screen, then copied in one piece.
    gfx::Bitmap buffer(client.width(), client.height());
    gfx::DeviceContext dc(buffer);
    auto look = theme::ThemeData::Open("Listbox", themed_ ? theme::Look::Themed : theme::Look::Classic);
    look->DrawBackground(dc, theme::kListBorder, theme::kStateNormal, client);
    // Items and the scroll bar stay inside the border.
    dc.intersectClipRect(InnerRect());
    dc.selectFont(font_);
    dc.setBkMode(gfx::BackgroundMode::Transparent);
    const int last = std::min(Count(), top_ + VisibleItemCount() + 1);
    for (int i = top_; i < last; ++i) {
        const DropDownItem& item = items_[static_cast<size_t>(i)];
        Rect r = ItemRect(i);
        const bool lit = i == highlighted_;
        if (lit) look->DrawBackground(dc, theme::kListItem, theme::kListItemSelected, r);
        int x = r.left + kTextMargin;
        if (item.icon >= 0 && images_ && item.icon < images_->count()) {
            const gfx::Size icon = iconSize_.cx > 0 ? iconSize_ : images_->iconSize();
            images_->drawAtSize(dc, item.icon, x, r.top + (r.height() - icon.cy) / 2, icon, gfx::CLR_NONE, gfx::CLR_DEFAULT,
                                lit ? gfx::ILD_SELECTED : gfx::ILD_TRANSPARENT);
            x += icon.cx + kIconGap;
        }
        dc.setTextColor(!lit     ? gfx::sysColor(gfx::COLOR_WINDOWTEXT)
                        : themed_ ? theme::themedPalette().accentText
                                  : gfx::sysColor(gfx::COLOR_HIGHLIGHTTEXT));
        gfx::drawText(dc, item.text, Rect{x, r.top, r.right - kTextMargin, r.bottom}, kItemTextFlags);
    }
    Rect bar = ScrollBarRect();
    if (!bar.isEmpty()) {
        const ScrollBarState state = BarState(Count(), VisibleItemCount(), top_);
        const internals::ScrollLayout l = internals::LayoutScrollBar(state, bar.height(), bar.width());
        NonClientPainter painter(buffer, InnerRect());
        painter.DrawScrollBar(bar, true, state, l, FSB_REGULAR_MODE, pressedPart_, Wm().GetSystemInfo().visualStylesInUse);
    }
    target.bitBlt(0, 0, client.width(), client.height(), buffer, 0, 0);
}

} // namespace lattix::controls
