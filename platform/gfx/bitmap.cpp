#include "platform/gfx/bitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace lattix::gfx {

namespace {
constexpr int kMaxSide = 32768;

void checkSize(int width, int height) {
    if (width < 0 || height < 0 || width > kMaxSide || height > kMaxSide)
        throw std::invalid_argument("Bitmap: size out of range");
}
} // namespace

Bitmap::Bitmap(int width, int height, Pixel fill) {
    checkSize(width, height);
    width_ = width;
    height_ = height;
    pixels_.assign(std::size_t(width) * std::size_t(height), fill);
}

Pixel Bitmap::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("Bitmap: pixel outside");
    return row(y)[x];
}

void Bitmap::setPixel(int x, int y, Pixel p) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) throw std::out_of_range("Bitmap: pixel outside");
    row(y)[x] = p;
}

void Bitmap::fill(Pixel p) { std::fill_n(data(), std::size_t(width_) * std::size_t(height_), p); }

void Bitmap::resize(int width, int height, Pixel fill) {
    checkSize(width, height);
    const std::size_t n = std::size_t(width) * std::size_t(height);
    // A window's surface changes size back and forth (scroll bars shown and hidden, a move between
    // screens): memory it already has is reused unless it would hold more than twice the picture.
    if (n <= pixels_.capacity() && n * 2 >= pixels_.capacity()) {
        pixels_.assign(n, fill);
    } else {
        std::vector<Pixel> fresh(n, fill);
        pixels_.swap(fresh);
    }
    start_ = 0;
    width_ = width;
    height_ = height;
}

bool operator==(const Bitmap& a, const Bitmap& b) {
    if (a.width_ != b.width_ || a.height_ != b.height_) return false;
    const std::size_t n = std::size_t(a.width_) * std::size_t(a.height_);
    return std::equal(a.data(), a.data() + n, b.data());
}

void Bitmap::moveRows(const Rect& b, int dy) {
    const std::size_t bytes = std::size_t(b.width()) * sizeof(Pixel);
    const int moved = b.height() - std::abs(dy);
    if (dy > 0) {
        for (int y = b.top; y < b.top + moved; ++y) std::memmove(row(y) + b.left, row(y + dy) + b.left, bytes);
    } else {
        for (int y = b.bottom - 1; y >= b.bottom - moved; --y)
            std::memmove(row(y) + b.left, row(y + dy) + b.left, bytes);
    }
}

void Bitmap::makeSpareRows(int rows, bool after) {
    const std::size_t w = std::size_t(width_), picture = w * std::size_t(height_);
    const std::size_t before = start_ / w, behind = (pixels_.size() - start_ - picture) / w;
    if ((after ? behind : before) >= std::size_t(rows)) return;
    // The picture goes to the middle of a store with spare rows on both sides: a quarter of its
    // height each (and at least the rows asked for), so that many scrolls pass between two moves.
    const std::size_t spare = std::max<std::size_t>({std::size_t(rows), std::size_t(height_) / 4, 16});
    if (before + behind < 2 * spare) {
        std::vector<Pixel> fresh((std::size_t(height_) + 2 * spare) * w);
        std::copy_n(data(), picture, fresh.data() + spare * w);
        pixels_.swap(fresh);
    } else {
        std::memmove(pixels_.data() + spare * w, data(), picture * sizeof(Pixel));
    }
    start_ = spare * w;
}

void Bitmap::scrollBlock(const Rect& block, int dy) {
    const Rect b = intersect(block, bounds());
    if (b.isEmpty() || dy == 0 || std::abs(dy) >= b.height()) return;
    // Shifting the picture copies back what lies outside the block; moving copies the block.
    const std::int64_t outside = std::int64_t(width_) * (height_ - b.height()) +
                                 std::int64_t(width_ - b.width()) * b.height();
    const std::int64_t inside = std::int64_t(b.width()) * (b.height() - std::abs(dy));
    if (outside * 2 >= inside) {
        moveRows(b, dy);
        return;
    }
    makeSpareRows(std::abs(dy), dy > 0);
    const std::size_t w = std::size_t(width_);
    const Pixel* old = data(); // row y was at old + y * w
    if (dy > 0) start_ += std::size_t(dy) * w;
    else start_ -= std::size_t(-dy) * w;
    // Row y now lies where row y + dy was. Each row outside the block (and the parts of block
    // rows left and right of it) is copied from where it was; going against the direction of the
    // shift, a row is overwritten only after its own pixels have been copied.
    auto restore = [&](int y) {
        const Pixel* from = old + std::size_t(y) * w;
        Pixel* to = row(y);
        if (y < b.top || y >= b.bottom) {
            std::memcpy(to, from, w * sizeof(Pixel));
            return;
        }
        if (b.left > 0) std::memcpy(to, from, std::size_t(b.left) * sizeof(Pixel));
        if (b.right < width_) std::memcpy(to + b.right, from + b.right, std::size_t(width_ - b.right) * sizeof(Pixel));
    };
    if (dy > 0)
        for (int y = height_ - 1; y >= 0; --y) restore(y);
    else
        for (int y = 0; y < height_; ++y) restore(y);
}

Bitmap Bitmap::copyRect(const Rect& r) const {
    Rect c = intersect(r, bounds());
    Bitmap out(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        std::copy_n(row(c.top + y) + c.left, c.width(), out.row(y));
    return out;
}

} // namespace lattix::gfx
