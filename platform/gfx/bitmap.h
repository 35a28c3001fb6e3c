#pragma once
// A 32-bit off-screen picture: width x height premultiplied 0xAARRGGBB pixels, rows stored top
// to bottom without padding (the stride is width * 4 bytes).
#include "platform/gfx/color.h"
#include "platform/gfx/geometry.h"

#include <cstdint>
#include <vector>

namespace lattix::gfx {

class Bitmap {
public:
    Bitmap() = default;
    // A bitmap of the given size with every pixel set to `fill` (transparent black by default).
    // Throws std::invalid_argument for a negative size or one above 32768 on a side.
    Bitmap(int width, int height, Pixel fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    Rect bounds() const { return {0, 0, width_, height_}; }
    int strideBytes() const { return width_ * 4; }

    Pixel* data() { return pixels_.data(); }
    const Pixel* data() const { return pixels_.data(); }
    Pixel* row(int y) { return pixels_.data() + std::size_t(y) * std::size_t(width_); }
    const Pixel* row(int y) const { return pixels_.data() + std::size_t(y) * std::size_t(width_); }

    // Checked pixel access: throws std::out_of_range outside the bitmap.
    Pixel pixel(int x, int y) const;
    void setPixel(int x, int y, Pixel p);
    // API colour of a pixel (alpha dropped).
    Color colorAt(int x, int y) const { return colorOf(pixel(x, y)); }

    void fill(Pixel p);
    // Changes the size; the content is lost and every pixel becomes `fill`.
    void resize(int width, int height, Pixel fill = 0);
    // A copy of part of the bitmap (clipped to the bitmap).
    Bitmap copyRect(const Rect& r) const;

    friend bool operator==(const Bitmap&, const Bitmap&) = default;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

} // namespace lattix::gfx
