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

    Pixel* data() { return pixels_.data() + start_; }
    const Pixel* data() const { return pixels_.data() + start_; }
    Pixel* row(int y) { return data() + std::size_t(y) * std::size_t(width_); }
    const Pixel* row(int y) const { return data() + std::size_t(y) * std::size_t(width_); }

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

    // Scrolls the pixels of `block` (clipped to the bitmap) by dy rows: with a positive dy row y
    // of the block takes the pixels row y + dy had (the picture moves up), with a negative dy
    // those of row y - |dy|. The |dy| rows the move uncovers at one end of the block hold stale
    // pixels until they are drawn again; everything outside the block keeps its pixels.
    // A bitmap that has scrolled keeps spare rows above and below its picture, so that a block
    // spanning most of the picture moves by shifting where the picture starts: only the pixels
    // outside the block are then copied back, not the block itself.
    void scrollBlock(const Rect& block, int dy);

    friend bool operator==(const Bitmap& a, const Bitmap& b);

private:
    // Moves the block's rows one by one.
    void moveRows(const Rect& block, int dy);
    // Makes sure `rows` spare rows lie before (dy < 0) or after (dy > 0) the picture.
    void makeSpareRows(int rows, bool after);

    int width_ = 0;
    int height_ = 0;
    std::size_t start_ = 0; // index of the first pixel of row 0 in pixels_
    std::vector<Pixel> pixels_;
};

} // namespace lattix::gfx
