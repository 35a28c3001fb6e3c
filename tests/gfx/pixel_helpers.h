#pragma once
#include "platform/gfx/bitmap.h"

#include <functional>

namespace lattix::gfx::test {

// Number of pixels in r (clipped to the bitmap) for which pred holds.
inline int countPixels(const Bitmap& b, const Rect& r, const std::function<bool(Color)>& pred) {
    Rect c = intersect(r, b.bounds());
    int n = 0;
    for (int y = c.top; y < c.bottom; ++y)
        for (int x = c.left; x < c.right; ++x)
            if (pred(b.colorAt(x, y))) ++n;
    return n;
}

// Bounding box of the pixels that differ from `background`.
inline Rect inkBounds(const Bitmap& b, Color background) {
    Rect box{};
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x)
            if (b.colorAt(x, y) != background) box = unite(box, Rect{x, y, x + 1, y + 1});
    return box;
}

constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr Color kRed = 0x0000FF;
constexpr Color kBlue = 0xFF0000;

} // namespace lattix::gfx::test
