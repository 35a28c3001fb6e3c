// Invalidation, paint, device contexts and the composition of a window tree into one picture.
//
// Every window keeps the picture of its own client area; a frame (border and scroll bars) is drawn
// when the tree is composed. Moving or uncovering a window therefore needs no repaint, and only
// windows whose contents changed paint again.
#include <algorithm>
#include <array>

#include "platform/gfx/device_context.h"
#include "platform/ui/non_client_painter.h"
#include "platform/ui/window_internals.h"
#include "platform/ui/window_manager.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

using namespace internals;

namespace {
gfx::Pixel BackgroundPixel(const WindowRecord& w) {
    return gfx::pixelOf(internals::ClassBackground(*w.windowClass).value_or(gfx::sysColor(gfx::COLOR_WINDOW)));
}
} // namespace

void WindowManager::NotifyTopLevelChanged(const WindowRecord& w) {
    if (backend_ == nullptr) return;
    Hwnd root = GetAncestorRoot(w.handle);
    backend_->TopLevelChanged(root);
    if (const WindowRecord* r = Find(root); r != nullptr && r->owner != 0) backend_->TopLevelChanged(r->owner);
}

bool WindowManager::InvalidateRect(Hwnd hwnd, const Rect* rect, bool erase) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    Rect all{0, 0, w->client.width(), w->client.height()};
    Rect r = rect == nullptr ? all : intersect(*rect, all);
    if (r.isEmpty()) return true;
    w->update = unite(w->update, r);
    w->erasePending = w->erasePending || erase;
    if (backend_ != nullptr) backend_->MessagesPending();
    return true;
}

bool WindowManager::ValidateRect(Hwnd hwnd, const Rect* rect) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    // The update area is kept as one rectangle: validating part of it keeps the rest whole
    // unless the validated part covers a full side.
    if (rect == nullptr) {
        w->update = {};
        w->erasePending = false;
        return true;
    }
    Rect u = w->update;
    Rect v = intersect(*rect, u);
    if (v == u) {
        w->update = {};
        w->erasePending = false;
    } else if (!v.isEmpty() && v.left == u.left && v.right == u.right) {
        if (v.top == u.top) u.top = v.bottom;
        else if (v.bottom == u.bottom) u.bottom = v.top;
        w->update = u;
    } else if (!v.isEmpty() && v.top == u.top && v.bottom == u.bottom) {
        if (v.left == u.left) u.left = v.right;
        else if (v.right == u.right) u.right = v.left;
        w->update = u;
    }
    return true;
}

Rect WindowManager::GetUpdateRect(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? Rect{} : w->update;
}

bool WindowManager::IsRedrawEnabled(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w != nullptr && w->redraw;
}

bool WindowManager::UpdateWindow(Hwnd hwnd) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    if (!w->update.isEmpty() && !w->painting && w->redraw && IsWindowVisible(hwnd)) {
        SendMessage(hwnd, WM_PAINT);
        if (WindowRecord* again = Find(hwnd); again != nullptr && !again->painting) ValidateRect(hwnd, nullptr);
    }
    return true;
}

bool WindowManager::RedrawWindow(Hwnd hwnd, const Rect* rect, unsigned flags) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    if (flags & RDW_INVALIDATE) InvalidateRect(hwnd, rect, (flags & RDW_ERASE) != 0);
    if (flags & RDW_FRAME) InvalidateNonClient(*w);
    if (flags & RDW_ALLCHILDREN)
        for (Hwnd c : GetChildren(hwnd)) RedrawWindow(c, nullptr, flags & ~RDW_UPDATENOW);
    if (flags & RDW_UPDATENOW) {
        UpdateWindow(hwnd);
        if (flags & RDW_ALLCHILDREN)
            for (Hwnd c : GetChildren(hwnd)) RedrawWindow(c, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return true;
}

bool WindowManager::PaintOne() {
    for (Hwnd h : AllWindowsParentsFirst()) {
        WindowRecord* w = Find(h);
        if (w == nullptr || w->update.isEmpty() || w->painting || !w->redraw || !IsWindowVisible(h)) continue;
        SendMessage(h, WM_PAINT);
        // A handler that did not paint would be asked again forever; its update area is dropped.
        if (WindowRecord* again = Find(h); again != nullptr && !again->painting) ValidateRect(h, nullptr);
        return true;
    }
    return false;
}

namespace {
// Up to this side a surface holds the whole client area; beyond it only the part the parents show.
constexpr int kWholeSurfaceSide = 8192;

bool KeepsWholeSurface(const WindowRecord& w) {
    return w.client.width() <= kWholeSurfaceSide && w.client.height() <= kWholeSurfaceSide;
}

Rect WholeClient(const WindowRecord& w) { return {0, 0, w.client.width(), w.client.height()}; }

// The part of the client area the surface holds now, in client coordinates.
Rect KeptRect(const WindowRecord& w) {
    return rectOfSize(w.surfaceOrigin.x, w.surfaceOrigin.y, w.surface.width(), w.surface.height());
}
} // namespace

Rect WindowManager::SurfaceRectNeeded(const WindowRecord& w) const {
    const Rect whole = WholeClient(w);
    if (KeepsWholeSurface(w)) return whole;
    const Point origin = ClientOriginOnScreen(w);
    Rect shown = whole.offsetBy(origin.x, origin.y);
    for (const WindowRecord* p = w.IsChildWindow() ? Find(w.parent) : nullptr; p != nullptr && !shown.isEmpty();
         p = p->IsChildWindow() ? Find(p->parent) : nullptr) {
        const Point po = ClientOriginOnScreen(*p);
        shown = intersect(shown, Rect{0, 0, p->client.width(), p->client.height()}.offsetBy(po.x, po.y));
    }
    shown = shown.isEmpty() ? Rect{} : shown.offsetBy(-origin.x, -origin.y);
    // A top-level window so large is clipped to the largest bitmap side.
    return intersect(shown, Rect{shown.left, shown.top, shown.left + kWholeSurfaceSide, shown.top + kWholeSurfaceSide});
}

bool WindowManager::EnsureSurface(WindowRecord& w) {
    const Rect needed = SurfaceRectNeeded(w);
    if (KeptRect(w) == needed) return false;
    const Point origin{needed.left, needed.top};
    const bool moved = !(w.surfaceOrigin == origin) || !KeepsWholeSurface(w);
    w.surface.resize(needed.width(), needed.height(), BackgroundPixel(w));
    w.surfaceOrigin = origin;
    return moved;
}

void WindowManager::RefreshPartialSurfaces(WindowRecord& w) {
    if (w.destroyed) return;
    if (!KeepsWholeSurface(w) && !(SurfaceRectNeeded(w) == KeptRect(w))) InvalidateRect(w.handle, nullptr, true);
    for (Hwnd c : std::vector<Hwnd>(w.children))
        if (WindowRecord* child = Find(c)) RefreshPartialSurfaces(*child);
}

gfx::DeviceContext* WindowManager::BeginPaint(Hwnd hwnd, PaintStruct& ps) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || w->painting) return nullptr;
    const bool fresh = EnsureSurface(*w);
    auto dc = std::make_unique<gfx::DeviceContext>(w->surface);
    gfx::DeviceContext* raw = dc.get();
    // Drawing stays in client coordinates whatever part of the client the surface keeps.
    raw->setViewportOrigin({-w->surfaceOrigin.x, -w->surfaceOrigin.y});
    Rect area = intersect(fresh ? WholeClient(*w) : w->update, KeptRect(*w));
    bool erase = w->erasePending || fresh;
    w->update = {};
    w->erasePending = false;
    w->painting = true;
    w->dcs.push_back(std::move(dc));
    const Rect deviceArea = area.offsetBy(-w->surfaceOrigin.x, -w->surfaceOrigin.y);
    raw->setClipRect(deviceArea);
    ps.hwnd = hwnd;
    ps.dc = raw;
    ps.rcPaint = area;
    ps.erase = erase;
    if (erase) {
        // fErase stays set when the erase handler declined the work.
        ps.erase = SendMessage(hwnd, WM_ERASEBKGND, reinterpret_cast<WParam>(raw), 0) == 0;
        raw->clearClipRect();
        raw->setClipRect(deviceArea);
    }
    return raw;
}

bool WindowManager::EndPaint(Hwnd hwnd, const PaintStruct& ps) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || !w->painting) return false;
    w->painting = false;
    auto it = std::find_if(w->dcs.begin(), w->dcs.end(), [&](const auto& p) { return p.get() == ps.dc; });
    if (it != w->dcs.end()) w->dcs.erase(it);
    NotifyTopLevelChanged(*w);
    return true;
}

gfx::DeviceContext* WindowManager::GetDC(Hwnd hwnd) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr) return nullptr;
    // What the surface held before a move is gone: the window paints again.
    if (EnsureSurface(*w)) InvalidateRect(hwnd, nullptr, true);
    w->dcs.push_back(std::make_unique<gfx::DeviceContext>(w->surface));
    w->dcs.back()->setViewportOrigin({-w->surfaceOrigin.x, -w->surfaceOrigin.y});
    return w->dcs.back().get();
}

bool WindowManager::ReleaseDC(Hwnd hwnd, gfx::DeviceContext* dc) {
    WindowRecord* w = Find(hwnd);
    if (w == nullptr || dc == nullptr) return false;
    auto it = std::find_if(w->dcs.begin(), w->dcs.end(), [&](const auto& p) { return p.get() == dc; });
    if (it == w->dcs.end()) return false;
    w->dcs.erase(it);
    NotifyTopLevelChanged(*w);
    return true;
}

const gfx::Bitmap* WindowManager::GetClientBitmap(Hwnd hwnd) const {
    const WindowRecord* w = Find(hwnd);
    return w == nullptr ? nullptr : &w->surface;
}

void WindowManager::DrawNonClient(const WindowRecord& w, gfx::Bitmap& out, Point windowOrigin, const Rect& clip) {
    NonClientPainter painter(out, clip);
    Rect frame = rectOfSize(windowOrigin.x, windowOrigin.y, w.rect.width(), w.rect.height());
    painter.DrawBorder(frame, w.style, w.exStyle);
    Rect v = GetScrollBarRect(w.handle, SB_VERT);
    Rect h = GetScrollBarRect(w.handle, SB_HORZ);
    int thick = ScrollBarThickness();
    bool tracking = scrollTrack_ && scrollTrack_->hwnd == w.handle;
    bool themed = w.themed && GetSystemInfo().visualStylesInUse;
    for (int bar = SB_HORZ; bar <= SB_VERT; ++bar) {
        Rect r = bar == SB_VERT ? v : h;
        if (r.isEmpty()) continue;
        const ScrollBarState& s = w.bars[bar];
        int mode = w.flatScrollBars ? s.flatMode : FSB_REGULAR_MODE;
        // While the thumb is dragged it follows the tracking position.
        ScrollBarState shown = s;
        if (tracking && scrollTrack_->bar == bar && scrollTrack_->part == kPartThumb) shown.pos = s.trackPos;
        int pressed = tracking && scrollTrack_->bar == bar ? scrollTrack_->part : kPartNone;
        // Nothing is hot while a part is held.
        int hot = tracking ? kPartNone : ScrollHotPart(w.handle, bar);
        painter.DrawScrollBar(r.offsetBy(windowOrigin.x, windowOrigin.y), bar == SB_VERT, shown,
                              LayoutScrollBar(shown, bar == SB_VERT ? r.height() : r.width(), thick), mode,
                              pressed, themed, hot);
    }
    if (!v.isEmpty() && !h.isEmpty())
        painter.DrawSizeCorner(Rect{v.left, h.top, v.right, h.bottom}.offsetBy(windowOrigin.x, windowOrigin.y), themed);
}

void WindowManager::ComposeInto(const WindowRecord& w, gfx::Bitmap& out, Point outOrigin, const Rect& clip) {
    Point wo = WindowOriginOnScreen(w);
    Point local{wo.x - outOrigin.x, wo.y - outOrigin.y};
    Rect windowArea = intersect(clip, rectOfSize(local.x, local.y, w.rect.width(), w.rect.height()));
    if (windowArea.isEmpty()) return;
    DrawNonClient(w, out, local, windowArea);
    Rect clientArea = w.client.offsetBy(local.x, local.y);
    Rect visibleClient = intersect(windowArea, clientArea);
    if (visibleClient.isEmpty()) return;
    gfx::DeviceContext dc(out);
    dc.setClipRect(visibleClient);
    const Rect kept = KeptRect(w);
    // A surface not yet painted at the window's present size and place shows the background.
    const bool current = !w.surface.isEmpty() && kept == SurfaceRectNeeded(w);
    if (!current || !(kept == WholeClient(w)))
        dc.fillRect(clientArea, gfx::colorOf(BackgroundPixel(w)));
    if (current)
        dc.bitBlt(clientArea.left + kept.left, clientArea.top + kept.top, kept.width(), kept.height(), w.surface, 0, 0);
    for (auto it = w.children.rbegin(); it != w.children.rend(); ++it) {
        const WindowRecord* child = Find(*it);
        if (child != nullptr && child->Visible()) ComposeInto(*child, out, outOrigin, visibleClient);
    }
}

gfx::Bitmap WindowManager::RenderWindow(Hwnd hwnd, Point* originOut) {
    PumpMessages();
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return {};
    Rect area = GetWindowRect(hwnd);
    std::vector<const WindowRecord*> popups;
    if (!w->IsChildWindow()) {
        for (auto it = topLevels_.rbegin(); it != topLevels_.rend(); ++it) {
            const WindowRecord* p = Find(*it);
            if (p != nullptr && p->owner == hwnd && p->Visible()) {
                popups.push_back(p);
                area = unite(area, GetWindowRect(p->handle));
            }
        }
    }
    if (area.isEmpty()) return {};
    gfx::Bitmap out(area.width(), area.height(), gfx::pixelOf(NonClientPainter::DesktopColor()));
    Point origin{area.left, area.top};
    Rect all{0, 0, area.width(), area.height()};
    if (w->Visible()) ComposeInto(*w, out, origin, all);
    for (const WindowRecord* p : popups) ComposeInto(*p, out, origin, all);
    if (originOut != nullptr) *originOut = origin;
    return out;
}

bool WindowManager::ComposeWindow(Hwnd hwnd, gfx::Bitmap& out) {
    const WindowRecord* w = Find(hwnd);
    if (w == nullptr) return false;
    const int width = w->rect.width(), height = w->rect.height();
    if (out.width() != width || out.height() != height)
        out.resize(width, height, gfx::pixelOf(NonClientPainter::DesktopColor()));
    if (width == 0 || height == 0) return true;
    ComposeInto(*w, out, WindowOriginOnScreen(*w), Rect{0, 0, width, height});
    return true;
}

} // namespace lattix::ui
