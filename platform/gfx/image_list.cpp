#include "platform/gfx/image_list.h"

#include "platform/gfx/disabled_state.h"
#include "platform/gfx/png_reader.h"
#include "platform/gfx/system_colors.h"

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
    return first;
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
}

void ImageList::remove(int index) {
    checkIndex(index);
    images_.erase(images_.begin() + index);
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
    Rect area = rectOfSize(x, y, w, h);
    Color back = bk == CLR_DEFAULT ? background_ : bk;
    if (back != CLR_NONE && !(style & ILD_TRANSPARENT)) dc.fillRect(area, back);
    const Bitmap* img = &images_[std::size_t(index)];
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

} // namespace lattix::gfx
