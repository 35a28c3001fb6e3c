// Where the painter's finished rows go: the client area of the grid's window, or, for a grid that
// has no window, a bitmap the painter keeps (tests and window-less hosts read it back).
#pragma once

#include <functional>
#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/device_context.h"
#include "platform/ui/types.h"

namespace lattix {

class PaintSurface {
public:
    virtual ~PaintSurface() = default;
    // Width and height of the client area in pixels.
    virtual gfx::Size clientSize() const = 0;
    // A device context on the client area, valid until end(); nullptr when it cannot be drawn.
    virtual gfx::DeviceContext* begin() = 0;
    virtual void end(gfx::DeviceContext* dc) = 0;
    // Whether what is drawn shows on the screen at once. The surfaces here are retained pictures
    // (a window keeps the picture of its client area and the screen shows it only after the
    // paint), so a full repaint may compose its rows straight into them; a surface that showed
    // every step would need the full-view buffer to keep a full repaint from flickering.
    virtual bool showsWhileDrawing() const { return false; }
};

// A bitmap of the size the grid's view reports.
class BitmapSurface final : public PaintSurface {
public:
    explicit BitmapSurface(std::function<gfx::Size()> size) : size_(std::move(size)) {}
    gfx::Size clientSize() const override { return size_(); }
    gfx::DeviceContext* begin() override;
    void end(gfx::DeviceContext*) override { dc_.reset(); }
    const gfx::Bitmap& bitmap() const { return bitmap_; }

private:
    std::function<gfx::Size()> size_;
    gfx::Bitmap bitmap_;
    std::optional<gfx::DeviceContext> dc_;
};

// The client area of a window, through the window manager's device contexts.
class WindowSurface final : public PaintSurface {
public:
    explicit WindowSurface(ui::Hwnd hwnd) : hwnd_(hwnd) {}
    gfx::Size clientSize() const override;
    gfx::DeviceContext* begin() override;
    void end(gfx::DeviceContext* dc) override;

private:
    ui::Hwnd hwnd_;
};

// A device context handed in by the window's paint message.
class GivenSurface final : public PaintSurface {
public:
    GivenSurface(gfx::DeviceContext& dc, gfx::Size size) : dc_(dc), size_(size) {}
    gfx::Size clientSize() const override { return size_; }
    gfx::DeviceContext* begin() override { return &dc_; }
    void end(gfx::DeviceContext*) override {}

private:
    gfx::DeviceContext& dc_;
    gfx::Size size_;
};

} // namespace lattix
