#pragma once
// A list of images ("icons") of one fixed size, each with its own alpha (a colour mask is
// turned into alpha when added). Drawn normal, selected (blended with the highlight colour)
// or disabled.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/device_context.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lattix::gfx {

// Drawing styles, with their classic numeric values.
inline constexpr std::uint32_t ILD_NORMAL = 0x0;
inline constexpr std::uint32_t ILD_TRANSPARENT = 0x1;
inline constexpr std::uint32_t ILD_BLEND25 = 0x2; // 25 % of the blend colour
inline constexpr std::uint32_t ILD_FOCUS = ILD_BLEND25;
inline constexpr std::uint32_t ILD_BLEND50 = 0x4; // 50 % of the blend colour
inline constexpr std::uint32_t ILD_SELECTED = ILD_BLEND50;
inline constexpr std::uint32_t ILD_BLEND = ILD_BLEND50;

class ImageList {
public:
    // Throws std::invalid_argument for a side outside 1..1024.
    ImageList(int imageWidth, int imageHeight);

    int imageWidth() const { return width_; }
    int imageHeight() const { return height_; }
    Size iconSize() const { return {width_, height_}; }
    int count() const { return int(images_.size()); }

    // Adds an image, or a horizontal strip of images, of the list's height and a width that is
    // a multiple of the list's width; premultiplied alpha is kept. Returns the index of the
    // first image added. Throws std::invalid_argument for another size.
    int add(const Bitmap& strip);
    // As add, with the pixels of `maskColor` made transparent and the rest opaque.
    int addMasked(const Bitmap& strip, Color maskColor);
    // From straight (not premultiplied) 0xAARRGGBB pixels, `stride` pixels per row.
    int addPixels(std::span<const std::uint32_t> argb, int width, int height, int stride);
    // From a PNG file holding one image or a strip. Throws std::runtime_error when it cannot be
    // read and std::invalid_argument for a size that does not fit.
    int addFromPng(const std::string& path);
    int addFromPng(const std::string& path, Color maskColor);

    // Throws std::out_of_range for a bad index.
    void replace(int index, const Bitmap& image);
    void remove(int index);
    void clear() { images_.clear(); }
    const Bitmap& image(int index) const;
    // A copy of one image.
    Bitmap icon(int index) const { return image(index); }

    // Background used with CLR_DEFAULT in drawEx (CLR_NONE, transparent, by default).
    Color backgroundColor() const { return background_; }
    void setBackgroundColor(Color c) { background_ = c; }

    // Draws image `index` at (x, y) composed over the destination.
    void draw(DeviceContext& dc, int index, int x, int y, std::uint32_t style = ILD_TRANSPARENT) const;
    // The full call: the top-left w x h of the image (0 for its whole size); `bk` fills the
    // image area first unless it is CLR_NONE (CLR_DEFAULT: the list's background colour);
    // `fg` is the blend colour of ILD_BLEND25/50 (CLR_DEFAULT: the system highlight colour).
    void drawEx(DeviceContext& dc, int index, int x, int y, int w, int h, Color bk, Color fg,
                std::uint32_t style) const;
    // The embossed disabled look.
    void drawDisabled(DeviceContext& dc, int index, int x, int y) const;

private:
    void checkIndex(int index) const;
    std::vector<Bitmap> split(const Bitmap& strip) const;

    int width_;
    int height_;
    Color background_ = CLR_NONE;
    std::vector<Bitmap> images_;
};

} // namespace lattix::gfx
