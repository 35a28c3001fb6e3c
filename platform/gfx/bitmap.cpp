#include "platform/gfx/bitmap.h"

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

void Bitmap::fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

void Bitmap::resize(int width, int height, Pixel fill) {
    checkSize(width, height);
    std::vector<Pixel> fresh(std::size_t(width) * std::size_t(height), fill);
    pixels_.swap(fresh);
    width_ = width;
    height_ = height;
}

Bitmap Bitmap::copyRect(const Rect& r) const {
    Rect c = intersect(r, bounds());
    Bitmap out(c.width(), c.height());
    for (int y = 0; y < c.height(); ++y)
        std::copy_n(row(c.top + y) + c.left, c.width(), out.row(y));
    return out;
}

} // namespace lattix::gfx
