#pragma once
// Points, sizes and rectangles in pixels. A rectangle covers the pixels x in [left, right) and
// y in [top, bottom): right and bottom are exclusive.
#include <algorithm>

namespace lattix::gfx {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int cx = 0;
    int cy = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    constexpr bool isEmpty() const { return right <= left || bottom <= top; }
    constexpr bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    constexpr Rect offsetBy(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr Rect inflatedBy(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

constexpr Rect rectOfSize(int x, int y, int width, int height) { return {x, y, x + width, y + height}; }

// The common part of two rectangles; an empty rectangle when they do not overlap.
constexpr Rect intersect(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
           std::min(a.bottom, b.bottom)};
    if (r.isEmpty()) return {};
    return r;
}

// The smallest rectangle holding both; an empty rectangle does not count.
constexpr Rect unite(const Rect& a, const Rect& b) {
    if (a.isEmpty()) return b;
    if (b.isEmpty()) return a;
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace lattix::gfx
