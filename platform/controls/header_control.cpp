#include "platform/controls/header_control.h"
#include "platform/controls/control_window.h"

#include <algorithm>
#include <cstdlib>

#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_metrics.h"
#include "platform/gfx/text_draw.h"
#include "platform/theme/theme_data.h"
#include "platform/theme/theme_parts.h"

namespace lattix::controls {

using namespace ui;

namespace {

// Half the width of the zone around an item's right edge that grabs the divider.
constexpr int kDividerGrab = 4;

} // namespace

// The control object lives in the window's user data from WM_CREATE to WM_NCDESTROY.
Hwnd HeaderControl::Create(Hwnd parent, const Rect& rect, std::uint32_t style, int id) {
    WindowManager& wm = Wm();
    if (!wm.IsClassRegistered(kHeaderClassName)) {
        WindowClass c;
        c.name = kHeaderClassName;
        c.style = CS_DBLCLKS;
        c.background = gfx::kSystemColorFlag | gfx::COLOR_BTNFACE;
        c.proc = &HeaderControl::Proc;
        if (!wm.RegisterClass(c)) return 0;
    }
    CreateParams p;
    p.className = kHeaderClassName;
    p.style = style | WS_CHILD;
    p.rect = rect;
    p.parent = parent;
    p.id = id;
    return wm.CreateWindow(p);
}

HeaderControl* HeaderControl::FromWindow(Hwnd hwnd) { return ControlOf<HeaderControl>(hwnd, kHeaderClassName); }

LResult HeaderControl::Proc(Hwnd hwnd, MessageId message, WParam wParam, LParam lParam) {
    return RunControlProc<HeaderControl>(
        hwnd, message, wParam, lParam, [hwnd] { return new HeaderControl(hwnd); },
        [&](HeaderControl* self) { return self->Handle(message, wParam, lParam); });
}

std::uint32_t HeaderControl::Style() const { return Wm().GetStyle(hwnd_); }

bool HeaderControl::Themed() const { return Wm().IsWindowThemed(hwnd_) && Wm().GetSystemInfo().visualStylesInUse; }

void HeaderControl::Invalidate() { Wm().InvalidateRect(hwnd_, nullptr, false); }

// ---- items ----------------------------------------------------------------------------------

int HeaderControl::InsertItem(int index, const HeaderItem& item) {
    index = std::clamp(index, 0, ItemCount());
    HeaderItem copy = item;
    copy.width = std::max(0, copy.width);
    items_.insert(items_.begin() + index, std::move(copy));
    hot_ = pressed_ = -1;
    Invalidate();
    return index;
}

bool HeaderControl::DeleteItem(int index) {
    if (index < 0 || index >= ItemCount()) return false;
    items_.erase(items_.begin() + index);
    // A resize or drag of the removed item ends with it.
    if (tracking_ == index || pressed_ == index) {
        tracking_ = pressed_ = -1;
        dragging_ = false;
    }
    hot_ = -1;
    Invalidate();
    return true;
}

void HeaderControl::DeleteAllItems() {
    items_.clear();
    hot_ = pressed_ = tracking_ = -1;
    dragging_ = false;
    Invalidate();
}

const HeaderItem* HeaderControl::Item(int index) const {
    return index < 0 || index >= ItemCount() ? nullptr : &items_[static_cast<std::size_t>(index)];
}

bool HeaderControl::SetItem(int index, const HeaderItem& item) {
    if (index < 0 || index >= ItemCount()) return false;
    items_[static_cast<std::size_t>(index)] = item;
    items_[static_cast<std::size_t>(index)].width = std::max(0, item.width);
    Invalidate();
    return true;
}

bool HeaderControl::SetItemWidth(int index, int width) {
    if (index < 0 || index >= ItemCount()) return false;
    items_[static_cast<std::size_t>(index)].width = std::max(0, width);
    Invalidate();
    return true;
}

bool HeaderControl::MoveItem(int from, int to) {
    if (from < 0 || from >= ItemCount() || to < 0 || to >= ItemCount()) return false;
    HeaderItem item = std::move(items_[static_cast<std::size_t>(from)]);
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, std::move(item));
    Invalidate();
    return true;
}

Rect HeaderControl::ItemRect(int index) const {
    if (index < 0 || index >= ItemCount()) return {};
    int x = 0;
    for (int i = 0; i < index; ++i) x += items_[static_cast<std::size_t>(i)].width;
    int height = Wm().GetClientRect(hwnd_).height();
    return {x, 0, x + items_[static_cast<std::size_t>(index)].width, height};
}

HeaderHit HeaderControl::HitTest(Point pt) const {
    Rect client = Wm().GetClientRect(hwnd_);
    if (pt.y < 0 || pt.y >= client.height()) return {};
    // The divider nearest the pointer within the grab zone wins; of equal ones the later item,
    // so that an item of width 0 can still be widened.
    int x = 0, best = -1, bestDistance = kDividerGrab + 1;
    for (int i = 0; i < ItemCount(); ++i) {
        x += items_[static_cast<std::size_t>(i)].width;
        int d = std::abs(pt.x - x);
        if (d <= kDividerGrab && d <= bestDistance) best = i, bestDistance = d;
    }
    if (best >= 0) return {HeaderHitPart::Divider, best};
    x = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        int w = items_[static_cast<std::size_t>(i)].width;
        if (pt.x >= x && pt.x < x + w) return {HeaderHitPart::Item, i};
        x += w;
    }
    return {};
}

void HeaderControl::SetFont(gfx::FontPtr font) {
    font_ = std::move(font);
    Invalidate();
}

void HeaderControl::SetImageList(const gfx::ImageList* images) {
    images_ = images;
    Invalidate();
}

// ---- notifications and mouse ----------------------------------------------------------------

LResult HeaderControl::Notify(HeaderNotify& n, int code) {
    WindowManager& wm = Wm();
    n.hdr.hwndFrom = hwnd_;
    n.hdr.idFrom = static_cast<std::uintptr_t>(wm.GetDlgCtrlID(hwnd_));
    n.hdr.code = code;
    Hwnd parent = wm.GetParent(hwnd_);
    if (parent == 0) return 0;
    return wm.SendMessage(parent, WM_NOTIFY, n.hdr.idFrom, reinterpret_cast<LParam>(&n));
}

int HeaderControl::OrderAt(int x) const {
    // The insertion point is before the first item whose middle lies right of the pointer.
    int insert = 0, left = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        int w = items_[static_cast<std::size_t>(i)].width;
        if (x < left + w / 2) break;
        insert = i + 1;
        left += w;
    }
    return insert > pressed_ ? insert - 1 : insert;
}

void HeaderControl::SetHot(int item) {
    if (item == hot_) return;
    HeaderNotify n;
    n.item = item;
    n.oldItem = hot_;
    hot_ = item;
    if (Style() & HDS_HOTTRACK) Invalidate();
    Notify(n, kHeaderHotChanged);
}

void HeaderControl::OnMouseMove(Point pt) {
    WindowManager& wm = Wm();
    if (tracking_ >= 0) {
        HeaderNotify n;
        n.item = tracking_;
        n.pt = pt;
        n.width = std::max(0, pt.x - trackGrab_ - ItemRect(tracking_).left);
        Notify(n, kHeaderTrack);
        // The owner may have removed the item meanwhile.
        if (tracking_ >= 0 && tracking_ < ItemCount()) SetItemWidth(tracking_, n.width);
        return;
    }
    if (pressed_ >= 0) {
        if (!dragging_ && !dragRefused_ && (Style() & HDS_DRAGDROP) &&
            std::abs(pt.x - pressPoint_.x) > gfx::systemMetrics().dragWidth) {
            HeaderNotify n;
            n.item = pressed_;
            n.pt = pt;
            if (Notify(n, kHeaderBeginDrag) != 0)
                dragRefused_ = true;
            else if (pressed_ >= 0)
                dragging_ = true;
        }
        if (dragging_) {
            dragX_ = pt.x;
            dropOrder_ = OrderAt(pt.x);
            Invalidate();
            return;
        }
        HeaderHit hit = HitTest(pt);
        bool inside = hit.item == pressed_ && hit.part == HeaderHitPart::Item;
        if (inside != pressedInside_) {
            pressedInside_ = inside;
            Invalidate();
        }
        return;
    }
    HeaderHit hit = HitTest(pt);
    wm.SetCursor(hit.part == HeaderHitPart::Divider ? Cursor::SizeWE : Cursor::Arrow);
    if (!trackingLeave_) {
        trackingLeave_ = wm.TrackMouseEvent(TME_LEAVE, hwnd_);
    }
    SetHot(hit.part == HeaderHitPart::Item ? hit.item : -1);
}

void HeaderControl::OnButtonDown(Point pt) {
    WindowManager& wm = Wm();
    HeaderHit hit = HitTest(pt);
    if (hit.part == HeaderHitPart::Nowhere) return;
    if (hit.part == HeaderHitPart::Divider) {
        HeaderNotify n;
        n.item = hit.item;
        n.pt = pt;
        n.width = items_[static_cast<std::size_t>(hit.item)].width;
        if (Notify(n, kHeaderBeginTrack) != 0 || hit.item >= ItemCount()) return;
        tracking_ = hit.item;
        trackGrab_ = pt.x - ItemRect(hit.item).right;
        wm.SetCapture(hwnd_);
        return;
    }
    pressed_ = hit.item;
    pressedInside_ = true;
    pressPoint_ = pt;
    dragging_ = dragRefused_ = false;
    dropOrder_ = -1;
    wm.SetCapture(hwnd_);
    Invalidate();
}

void HeaderControl::OnButtonUp(Point pt) {
    WindowManager& wm = Wm();
    if (tracking_ >= 0) {
        int item = tracking_;
        tracking_ = -1;
        if (wm.GetCapture() == hwnd_) wm.ReleaseCapture();
        if (item < ItemCount()) {
            HeaderNotify n;
            n.item = item;
            n.pt = pt;
            n.width = items_[static_cast<std::size_t>(item)].width;
            Notify(n, kHeaderEndTrack);
        }
        return;
    }
    if (pressed_ < 0) return;
    int item = pressed_;
    bool dragged = dragging_, inside = pressedInside_;
    pressed_ = -1;
    dragging_ = false;
    if (wm.GetCapture() == hwnd_) wm.ReleaseCapture();
    Invalidate();
    if (dragged) {
        pressed_ = item; // OrderAt counts the dragged item out
        int order = OrderAt(pt.x);
        pressed_ = -1;
        dropOrder_ = -1;
        HeaderNotify n;
        n.item = item;
        n.pt = pt;
        n.order = order;
        if (Notify(n, kHeaderEndDrag) == 0 && order != item) MoveItem(item, order);
        return;
    }
    if (inside) {
        HeaderNotify n;
        n.item = item;
        n.pt = pt;
        n.button = 1;
        n.modifiers = wm.ModifierState();
        Notify(n, kHeaderItemClick);
    }
}

void HeaderControl::OnDoubleClick(Point pt) {
    HeaderHit hit = HitTest(pt);
    HeaderNotify n;
    n.item = hit.item;
    n.pt = pt;
    n.button = 1;
    n.modifiers = Wm().ModifierState();
    if (hit.part == HeaderHitPart::Divider)
        Notify(n, kHeaderDividerDblClick);
    else if (hit.part == HeaderHitPart::Item)
        Notify(n, kHeaderItemDblClick);
}

LResult HeaderControl::Handle(MessageId message, WParam wParam, LParam lParam) {
    WindowManager& wm = Wm();
    Point pt{GetXLParam(lParam), GetYLParam(lParam)};
    switch (message) {
    case WM_PAINT: {
        PaintStruct ps;
        if (gfx::DeviceContext* dc = wm.BeginPaint(hwnd_, ps)) {
            Paint(*dc);
            wm.EndPaint(hwnd_, ps);
        }
        return 0;
    }
    case WM_ERASEBKGND:
        return 1; // Paint covers every pixel
    case WM_MOUSEMOVE:
        OnMouseMove(pt);
        return 0;
    case WM_LBUTTONDOWN:
        OnButtonDown(pt);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(pt);
        return 0;
    case WM_LBUTTONDBLCLK:
        OnDoubleClick(pt);
        return 0;
    case WM_RBUTTONUP: {
        HeaderNotify n;
        HeaderHit hit = HitTest(pt);
        n.item = hit.part == HeaderHitPart::Item ? hit.item : -1;
        n.pt = pt;
        n.button = 2;
        n.modifiers = wm.ModifierState();
        Notify(n, kHeaderRightClick);
        return 0;
    }
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        if (pressed_ < 0 && tracking_ < 0) SetHot(-1);
        return 0;
    case WM_CAPTURECHANGED:
        // Capture taken away (not released by us): the resize or drag ends where it stands.
        if (tracking_ >= 0 || pressed_ >= 0) {
            tracking_ = pressed_ = -1;
            dragging_ = false;
            dropOrder_ = -1;
            Invalidate();
        }
        return 0;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE && (dragging_ || pressed_ >= 0)) {
            pressed_ = -1;
            dragging_ = false;
            dropOrder_ = -1;
            if (wm.GetCapture() == hwnd_) wm.ReleaseCapture();
            Invalidate();
            return 0;
        }
        break;
    default:
        break;
    }
    return wm.DefWindowProc(hwnd_, message, wParam, lParam);
}

// ---- painting -------------------------------------------------------------------------------

void HeaderControl::Paint(gfx::DeviceContext& dc) {
    WindowManager& wm = Wm();
    Rect client = wm.GetClientRect(hwnd_);
    bool themed = Themed();
    auto data = theme::ThemeData::Open("Header", themed ? theme::Look::Themed : theme::Look::Classic, Wm().GetSystemInfo().dpiX);
    int x = 0;
    for (int i = 0; i < ItemCount(); ++i) {
        Rect r{x, 0, x + items_[static_cast<std::size_t>(i)].width, client.height()};
        x = r.right;
        if (r.isEmpty() || r.right <= client.left || r.left >= client.right) continue;
        HeaderItemState state = HeaderItemState::Normal;
        if (i == pressed_ && pressedInside_ && !dragging_ && (Style() & HDS_BUTTONS))
            state = HeaderItemState::Pressed;
        else if (i == hot_ && (Style() & HDS_HOTTRACK) && pressed_ < 0 && tracking_ < 0)
            state = HeaderItemState::Hot;
        gfx::DeviceContextStateSaver saver(dc);
        dc.intersectClipRect(r);
        HeaderNotify n;
        n.item = i;
        n.dc = &dc;
        n.rect = r;
        n.state = state;
        if (Notify(n, kHeaderDrawItem) == 0) DrawItemDefault(dc, i, r, state);
    }
    // The space right of the last item is an empty item.
    if (x < client.right) {
        Rect rest{x, 0, client.right, client.height()};
        if (themed || !(Style() & HDS_FLAT))
            data->DrawBackground(dc, theme::kHeaderItem, theme::kStateNormal, rest);
        else
            dc.fillRect(rest, gfx::sysColor(gfx::COLOR_BTNFACE));
    }
    if (dragging_) DrawDragFeedback(dc);
}

void HeaderControl::DrawItemDefault(gfx::DeviceContext& dc, int index, const Rect& r, HeaderItemState state) {
    const HeaderItem& item = items_[static_cast<std::size_t>(index)];
    bool themed = Themed();
    auto data = theme::ThemeData::Open("Header", themed ? theme::Look::Themed : theme::Look::Classic, Wm().GetSystemInfo().dpiX);
    int part = theme::kHeaderItem, st = static_cast<int>(state);
    if (!themed && (Style() & HDS_FLAT)) {
        dc.fillRect(r, gfx::sysColor(gfx::COLOR_BTNFACE));
        dc.fillRect({r.right - 1, r.top, r.right, r.bottom}, gfx::sysColor(gfx::COLOR_BTNSHADOW));
    } else {
        data->DrawBackground(dc, part, st, r);
    }
    Rect content = data->ContentRect(part, st, r);
    if (state == HeaderItemState::Pressed) content = content.offsetBy(1, 1);
    if (images_ != nullptr && item.image >= 0 && item.image < images_->count()) {
        int y = content.top + (content.height() - images_->imageHeight()) / 2;
        images_->draw(dc, item.image, content.left, y);
        content.left += images_->imageWidth() + 3;
    }
    // Lines break at explicit line breaks only.
    dc.selectFont(font_);
    dc.setBkMode(gfx::BackgroundMode::Transparent);
    dc.setTextColor(themed ? theme::themedPalette().glyph : gfx::sysColor(gfx::COLOR_BTNTEXT));
    gfx::drawText(dc, item.text, content,
                  gfx::DT_LEFT | gfx::DT_VCENTER | gfx::DT_END_ELLIPSIS | gfx::DT_NOPREFIX);
}

// While an item is dragged: a translucent copy of it follows the pointer and a marker shows
// where it would land.
void HeaderControl::DrawDragFeedback(gfx::DeviceContext& dc) {
    if (pressed_ < 0 || pressed_ >= ItemCount()) return;
    Rect source = ItemRect(pressed_);
    // The copy is drawn only as wide as the window that holds the header can show: an item, like
    // the header itself, may be far wider than any bitmap could be.
    WindowManager& wm = Wm();
    const Hwnd holder = wm.GetParent(hwnd_) != 0 ? wm.GetParent(hwnd_) : hwnd_;
    const int shown = std::min(source.width(), std::max(1, wm.GetClientRect(holder).width()));
    gfx::Bitmap ghost(std::max(1, shown), std::max(1, source.height()));
    {
        gfx::DeviceContext gdc(ghost);
        gdc.setViewportOrigin({-source.left, 0});
        DrawItemDefault(gdc, pressed_, source, HeaderItemState::Pressed);
    }
    int left = source.left + (dragX_ - pressPoint_.x);
    dc.alphaBlend({left, source.top, left + ghost.width(), source.bottom}, ghost, ghost.bounds(), 160);
    // The marker: a two-pixel bar at the insertion point, with arrow heads at both ends.
    int order = dropOrder_;
    int x = 0;
    int insert = order >= pressed_ ? order + 1 : order;
    for (int i = 0; i < insert && i < ItemCount(); ++i) x += items_[static_cast<std::size_t>(i)].width;
    gfx::Color marker = Themed() ? theme::themedPalette().accent : gfx::sysColor(gfx::COLOR_HOTLIGHT);
    int h = source.height();
    dc.fillRect({x - 1, 0, x + 1, h}, marker);
    for (int k = 0; k < 3; ++k) {
        dc.fillRect({x - 1 - (3 - k), k, x + 1 + (3 - k), k + 1}, marker);
        dc.fillRect({x - 1 - (3 - k), h - 1 - k, x + 1 + (3 - k), h - k}, marker);
    }
}

} // namespace lattix::controls
