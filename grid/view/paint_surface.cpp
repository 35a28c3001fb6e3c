#include "grid/view/paint_surface.h"

#include "platform/ui/window_manager.h"

namespace lattix {

gfx::DeviceContext* BitmapSurface::begin() {
    const gfx::Size s = size_();
    if (s.cx <= 0 || s.cy <= 0) return nullptr;
    if (bitmap_.width() != s.cx || bitmap_.height() != s.cy) {
        dc_.reset();
        bitmap_.resize(s.cx, s.cy, gfx::pixelOf(0xFFFFFF));
    }
    dc_.emplace(bitmap_);
    return &*dc_;
}

gfx::Size WindowSurface::clientSize() const {
    const ui::Rect r = ui::Wm().GetClientRect(hwnd_);
    return {r.width(), r.height()};
}

gfx::DeviceContext* WindowSurface::begin() { return ui::Wm().GetDC(hwnd_); }

void WindowSurface::end(gfx::DeviceContext* dc) { ui::Wm().ReleaseDC(hwnd_, dc); }

} // namespace lattix
