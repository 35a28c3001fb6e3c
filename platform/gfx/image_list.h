#pragma once
// A list of images ("icons") of one fixed size, each with its own alpha (a colour mask is
// turned into alpha when added). Drawn normal, selected (blended with the highlight colour)
// or disabled, at the list's size or at another one: a finer screen draws a 16x16 list at 32x32.
// A host may give the same images drawn for such sizes (a 2x strip); where none fits, the
// image is resized smoothly, once, and kept.
#include "platform/gfx/bitmap.h"
#include "platform/gfx/device_context.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
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

class ImageList;
// The size a list's images take on a screen of `dpi`: their size counts at 96 dpi.
Size iconSizeAtDpi(const ImageList& list, int dpi);

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

    // The same images drawn at a larger size, as a strip of images of one size whose height is
    // above the list's and whose aspect is the list's (for a 2x screen: twice the width and
    // height). Its images stand for the list's from index `first` on. Returns how many it holds.
    // Throws std::invalid_argument for another shape and std::out_of_range for a `first`
    // outside the list or a strip longer than the images from `first` on.
    int addLargerStrip(const Bitmap& strip, int first = 0);
    int addLargerStripFromPng(const std::string& path, int first = 0);
    // The sizes at which larger images were given, smallest first.
    std::vector<Size> largerSizes() const;

    // Throws std::out_of_range for a bad index.
    void replace(int index, const Bitmap& image);
    void remove(int index);
    void clear();
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

    // Image `index` at `size` (each side 1..4096): the list's own image, a larger image given
    // at exactly that size, or else the nearest larger (or the largest) one resized smoothly.
    // The reference holds until the list next changes or is drawn at another size.
    const Bitmap& imageAtSize(int index, Size size) const;
    // As drawEx with its whole image, and as drawDisabled, drawn at `size`.
    void drawAtSize(DeviceContext& dc, int index, int x, int y, Size size, Color bk, Color fg, std::uint32_t style) const;
    void drawDisabledAtSize(DeviceContext& dc, int index, int x, int y, Size size) const;

private:
    struct LargerImages {
        Size size;
        std::vector<Bitmap> images; // one per image of the list; an empty bitmap where none was given
    };

    void checkIndex(int index) const;
    std::vector<Bitmap> split(const Bitmap& strip) const;
    void drawImage(DeviceContext& dc, const Bitmap& img, int x, int y, int w, int h, Color bk, Color fg,
                   std::uint32_t style) const;
    void changed() { resized_.clear(); }

    int width_;
    int height_;
    Color background_ = CLR_NONE;
    std::vector<Bitmap> images_;
    std::vector<LargerImages> larger_; // by size, smallest first
    // Images resized for a size no strip was given at, by index and size.
    mutable std::unordered_map<std::uint64_t, Bitmap> resized_;
};

} // namespace lattix::gfx
