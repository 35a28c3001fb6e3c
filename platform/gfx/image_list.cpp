#include "platform/gfx/image_list.h"

#include "platform/gfx/disabled_state.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/resample.h"
#include "platform/gfx/system_colors.h"

#include <algorithm>
#include <stdexcept>

namespace lattix::gfx {

namespace {

Bitmap masked(const Bitmap& src, Color maskColor) {
    Bitmap out = src;
    Pixel key = pixelOf(maskColor) & 0xFFFFFF;
    for (int y = 0; y < out.height(); ++y) {
        Pixel* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            Pixel p = row[x];
            row[x] = ((p & 0xFFFFFF) == key) ? 0 : (p | 0xFF000000u);
        }
    }
    return out;
}

// Mixes `fraction`/255 of the premultiplied colour c into every pixel, keeping its alpha.
Bitmap blended(const Bitmap& src, Color c, unsigned fraction) {
    Bitmap out = src;
    unsigned cr = redOf(c), cg = greenOf(c), cb = blueOf(c);
    for (int y = 0; y < out.height(); ++y) {
        Pixel* row = out.row(y);
        for (int x = 0; x < out.width(); ++x) {
            Pixel p = row[x];
            unsigned a = p >> 24;
            auto mix = [&](unsigned channel, unsigned colour) {
                unsigned premul = (colour * a + 127) / 255;
                return (channel * (255 - fraction) + premul * fraction + 127) / 255;
            };
            unsigned r = mix((p >> 16) & 0xFF, cr), g = mix((p >> 8) & 0xFF, cg), b = mix(p & 0xFF, cb);
            row[x] = (Pixel(a) << 24) | (r << 16) | (g << 8) | b;
        }
    }
    return out;
}

} // namespace

Size iconSizeAtDpi(const ImageList& list, int dpi) {
    if (dpi <= 0 || dpi == 96) return list.iconSize();
    auto scale = [dpi](int v) { return std::clamp(static_cast<int>((static_cast<long long>(v) * dpi + 48) / 96), 1, 4096); };
    return {scale(list.imageWidth()), scale(list.imageHeight())};
}

ImageList::ImageList(int imageWidth, int imageHeight) : width_(imageWidth), height_(imageHeight) {
    if (imageWidth < 1 || imageHeight < 1 || imageWidth > 1024 || imageHeight > 1024)
        throw std::invalid_argument("ImageList: image size out of range");
}

std::vector<Bitmap> ImageList::split(const Bitmap& strip) const {
    if (strip.height() != height_ || strip.width() == 0 || strip.width() % width_ != 0)
        throw std::invalid_argument("ImageList: image size does not fit the list");
    std::vector<Bitmap> parts;
    for (int x = 0; x < strip.width(); x += width_) parts.push_back(strip.copyRect({x, 0, x + width_, height_}));
    return parts;
}

int ImageList::add(const Bitmap& strip) {
    std::vector<Bitmap> parts = split(strip);
    int first = count();
    for (Bitmap& b : parts) images_.push_back(std::move(b));
    for (LargerImages& l : larger_) l.images.resize(images_.size());
    return first;
}

int ImageList::addLargerStrip(const Bitmap& strip, int first) {
    const int h = strip.height();
    // The image width follows from the height and the list's aspect.
    const long long scaledWidth = static_cast<long long>(width_) * h;
    if (h <= height_ || scaledWidth % height_ != 0 || strip.width() == 0)
        throw std::invalid_argument("ImageList: a larger strip must be taller than the list, in the list's proportions");
    const int w = static_cast<int>(scaledWidth / height_);
    if (strip.width() % w != 0) throw std::invalid_argument("ImageList: the strip is not a whole number of images");
    const int n = strip.width() / w;
    if (first < 0 || first >= count() || n > count() - first)
        throw std::out_of_range("ImageList: the strip holds images beyond the list");
    auto at = std::find_if(larger_.begin(), larger_.end(), [&](const LargerImages& l) { return l.size.cy >= h; });
    if (at == larger_.end() || at->size.cy != h) {
        LargerImages l{{w, h}, std::vector<Bitmap>(images_.size())};
        at = larger_.insert(at, std::move(l));
    }
    for (int i = 0; i < n; ++i) at->images[std::size_t(first + i)] = strip.copyRect({i * w, 0, (i + 1) * w, h});
    changed();
    return n;
}

int ImageList::addLargerStripFromPng(const std::string& path, int first) { return addLargerStrip(readPng(path), first); }

std::vector<Size> ImageList::largerSizes() const {
    std::vector<Size> sizes;
    for (const LargerImages& l : larger_) sizes.push_back(l.size);
    return sizes;
}

int ImageList::addMasked(const Bitmap& strip, Color maskColor) {
    split(strip); // size check before anything changes
    return add(masked(strip, maskColor));
}

int ImageList::addPixels(std::span<const std::uint32_t> argb, int width, int height, int stride) {
    if (width < 1 || height < 1 || stride < width || std::size_t(stride) * std::size_t(height - 1) + std::size_t(width) > argb.size())
        throw std::invalid_argument("ImageList: pixel data does not match its size");
    Bitmap b(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            std::uint32_t p = argb[std::size_t(y) * std::size_t(stride) + std::size_t(x)];
            unsigned a = p >> 24;
            auto pm = [a](unsigned c) { return (c * a + 127) / 255; };
            b.row(y)[x] = (Pixel(a) << 24) | (pm((p >> 16) & 0xFF) << 16) | (pm((p >> 8) & 0xFF) << 8) | pm(p & 0xFF);
        }
    }
    return add(b);
}

int ImageList::addFromPng(const std::string& path) { return add(readPng(path)); }
int ImageList::addFromPng(const std::string& path, Color maskColor) { return addMasked(readPng(path), maskColor); }

void ImageList::checkIndex(int index) const {
    if (index < 0 || index >= count()) throw std::out_of_range("ImageList: index out of range");
}

void ImageList::replace(int index, const Bitmap& image) {
    checkIndex(index);
    if (image.width() != width_ || image.height() != height_)
        throw std::invalid_argument("ImageList: image size does not fit the list");
    images_[std::size_t(index)] = image;
    // Larger images of the old picture no longer stand for it.
    for (LargerImages& l : larger_) l.images[std::size_t(index)] = Bitmap();
    changed();
}

void ImageList::remove(int index) {
    checkIndex(index);
    images_.erase(images_.begin() + index);
    for (LargerImages& l : larger_) l.images.erase(l.images.begin() + index);
    changed();
}

void ImageList::clear() {
    images_.clear();
    larger_.clear();
    changed();
}

const Bitmap& ImageList::image(int index) const {
    checkIndex(index);
    return images_[std::size_t(index)];
}

void ImageList::draw(DeviceContext& dc, int index, int x, int y, std::uint32_t style) const {
    drawEx(dc, index, x, y, 0, 0, CLR_NONE, CLR_DEFAULT, style);
}

void ImageList::drawEx(DeviceContext& dc, int index, int x, int y, int w, int h, Color bk, Color fg,
                       std::uint32_t style) const {
    checkIndex(index);
    if (w < 0 || h < 0) throw std::invalid_argument("ImageList: negative size");
    w = w == 0 ? width_ : std::min(w, width_);
    h = h == 0 ? height_ : std::min(h, height_);
    drawImage(dc, images_[std::size_t(index)], x, y, w, h, bk, fg, style);
}

void ImageList::drawImage(DeviceContext& dc, const Bitmap& image, int x, int y, int w, int h, Color bk, Color fg,
                          std::uint32_t style) const {
    Rect area = rectOfSize(x, y, w, h);
    Color back = bk == CLR_DEFAULT ? background_ : bk;
    if (back != CLR_NONE && !(style & ILD_TRANSPARENT)) dc.fillRect(area, back);
    const Bitmap* img = &image;
    Bitmap tinted;
    if (style & (ILD_BLEND25 | ILD_BLEND50)) {
        Color blend = fg == CLR_DEFAULT || fg == CLR_NONE ? sysColor(COLOR_HIGHLIGHT) : fg;
        tinted = blended(*img, blend, (style & ILD_BLEND50) ? 128 : 64);
        img = &tinted;
    }
    dc.alphaBlend(area, *img, {0, 0, w, h}, 255, true);
}

void ImageList::drawDisabled(DeviceContext& dc, int index, int x, int y) const {
    drawDisabledImage(dc, image(index), x, y);
}

const Bitmap& ImageList::imageAtSize(int index, Size size) const {
    checkIndex(index);
    if (size.cx < 1 || size.cy < 1 || size.cx > 4096 || size.cy > 4096)
        throw std::invalid_argument("ImageList: drawing size out of range");
    const Bitmap& own = images_[std::size_t(index)];
    if (size.cx == width_ && size.cy == height_) return own;
    // The source: an image given at exactly this size, else the smallest larger one, else the
    // largest there is (the list's own when no larger one was given for this image).
    const Bitmap* source = &own;
    for (const LargerImages& l : larger_) {
        const Bitmap& b = l.images[std::size_t(index)];
        if (b.isEmpty()) continue;
        source = &b;
        if (l.size.cx >= size.cx && l.size.cy >= size.cy) break;
    }
    if (source->width() == size.cx && source->height() == size.cy) return *source;
    const std::uint64_t key = (std::uint64_t(std::uint32_t(index)) << 26) | (std::uint64_t(size.cx) << 13) | std::uint64_t(size.cy);
    auto found = resized_.find(key);
    if (found != resized_.end()) return found->second;
    // Bounded: a list drawn at many sizes starts over rather than growing without end.
    if (resized_.size() >= 4096) resized_.clear();
    return resized_.emplace(key, resampleSmooth(*source, size.cx, size.cy)).first->second;
}

void ImageList::drawAtSize(DeviceContext& dc, int index, int x, int y, Size size, Color bk, Color fg,
                           std::uint32_t style) const {
    const Bitmap& img = imageAtSize(index, size);
    drawImage(dc, img, x, y, size.cx, size.cy, bk, fg, style);
}

void ImageList::drawDisabledAtSize(DeviceContext& dc, int index, int x, int y, Size size) const {
    drawDisabledImage(dc, imageAtSize(index, size), x, y);
}

} // namespace lattix::gfx
