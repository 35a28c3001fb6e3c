// An off-screen buffer: a bitmap with a device context drawing into it. The painter keeps two, the
// row buffer (one row at a time) and the full-view buffer (the whole client area).
#pragma once

#include <optional>

#include "platform/gfx/bitmap.h"
#include "platform/gfx/device_context.h"

namespace lattix {

class RowBuffer {
public:
    // Makes sure the buffer is width x height; a new size recreates it (and its context, whose
    // state starts fresh). Returns false for an empty size: then there is nothing to draw into.
    bool ensure(int width, int height);
    gfx::DeviceContext& dc() { return *dc_; }
    const gfx::Bitmap& bitmap() const { return bitmap_; }
    int width() const { return bitmap_.width(); }
    int height() const { return bitmap_.height(); }
    // Copies the top-left width x height of the buffer to (x, y) of the target in one block.
    void blitTo(gfx::DeviceContext& target, int x, int y, int width, int height) const;
    void release();

private:
    gfx::Bitmap bitmap_;
    std::optional<gfx::DeviceContext> dc_;
};

} // namespace lattix
