#include "grid/view/row_buffer.h"

namespace lattix {

bool RowBuffer::ensure(int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (dc_ && bitmap_.width() == width && bitmap_.height() == height) {
        // A fresh state for every use: nothing a host handler selected survives.
        dc_.emplace(bitmap_);
        return true;
    }
    dc_.reset();
    bitmap_.resize(width, height, gfx::pixelOf(0xFFFFFF));
    dc_.emplace(bitmap_);
    return true;
}

void RowBuffer::blitTo(gfx::DeviceContext& target, int x, int y, int width, int height) const {
    if (width <= 0 || height <= 0) return;
    target.bitBlt(x, y, width, height, bitmap_, 0, 0);
}

void RowBuffer::release() {
    dc_.reset();
    bitmap_ = gfx::Bitmap();
}

} // namespace lattix
