// PNG encoding and decoding through libpng's simplified interface (no longjmp crosses C++ code).
#include "platform/gfx/png_reader.h"
#include "platform/gfx/png_writer.h"

#include <png.h>

#include <cstdio>
#include <memory>
#include <stdexcept>

namespace lattix::gfx {

namespace {

// Premultiplied 0xAARRGGBB to straight 8-bit B, G, R, A bytes.
std::vector<std::uint8_t> toStraightBgra(const Bitmap& bitmap) {
    std::vector<std::uint8_t> out(std::size_t(bitmap.width()) * std::size_t(bitmap.height()) * 4);
    std::uint8_t* o = out.data();
    for (int y = 0; y < bitmap.height(); ++y) {
        const Pixel* row = bitmap.row(y);
        for (int x = 0; x < bitmap.width(); ++x, o += 4) {
            Pixel p = row[x];
            unsigned a = p >> 24, r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
            if (a != 255 && a != 0) {
                r = std::min(255u, (r * 255 + a / 2) / a);
                g = std::min(255u, (g * 255 + a / 2) / a);
                b = std::min(255u, (b * 255 + a / 2) / a);
            } else if (a == 0) {
                r = g = b = 0;
            }
            o[0] = std::uint8_t(b), o[1] = std::uint8_t(g), o[2] = std::uint8_t(r), o[3] = std::uint8_t(a);
        }
    }
    return out;
}

Bitmap fromStraightBgra(const std::vector<std::uint8_t>& data, int width, int height) {
    Bitmap bitmap(width, height);
    const std::uint8_t* s = data.data();
    for (int y = 0; y < height; ++y) {
        Pixel* row = bitmap.row(y);
        for (int x = 0; x < width; ++x, s += 4) {
            unsigned b = s[0], g = s[1], r = s[2], a = s[3];
            if (a != 255) {
                r = (r * a + 127) / 255;
                g = (g * a + 127) / 255;
                b = (b * a + 127) / 255;
            }
            row[x] = (Pixel(a) << 24) | (Pixel(r) << 16) | (Pixel(g) << 8) | Pixel(b);
        }
    }
    return bitmap;
}

struct ImageGuard {
    png_image* image;
    ~ImageGuard() { png_image_free(image); }
};

Bitmap finishRead(png_image& image) {
    image.format = PNG_FORMAT_BGRA;
    if (image.width == 0 || image.height == 0 || image.width > 32768 || image.height > 32768)
        throw std::runtime_error("PNG: unsupported size");
    std::vector<std::uint8_t> buffer(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, buffer.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG: ") + image.message);
    return fromStraightBgra(buffer, int(image.width), int(image.height));
}

void prepareWrite(const Bitmap& bitmap, png_image& image) {
    if (bitmap.isEmpty()) throw std::invalid_argument("PNG: empty bitmap");
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(bitmap.width());
    image.height = png_uint_32(bitmap.height());
    image.format = PNG_FORMAT_BGRA;
}

} // namespace

std::vector<std::uint8_t> encodePng(const Bitmap& bitmap) {
    png_image image{};
    prepareWrite(bitmap, image);
    ImageGuard guard{&image};
    std::vector<std::uint8_t> pixels = toStraightBgra(bitmap);
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG: ") + image.message);
    std::vector<std::uint8_t> out(size);
    if (!png_image_write_to_memory(&image, out.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG: ") + image.message);
    out.resize(size);
    return out;
}

void writePng(const Bitmap& bitmap, const std::string& path) {
    std::vector<std::uint8_t> data = encodePng(bitmap);
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), &std::fclose);
    if (!file) throw std::runtime_error("PNG: cannot create " + path);
    bool ok = std::fwrite(data.data(), 1, data.size(), file.get()) == data.size();
    ok = (std::fclose(file.release()) == 0) && ok;
    if (!ok) {
        std::remove(path.c_str());
        throw std::runtime_error("PNG: cannot write " + path);
    }
}

Bitmap readPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ImageGuard guard{&image};
    if (!png_image_begin_read_from_file(&image, path.c_str()))
        throw std::runtime_error("PNG: cannot read " + path + ": " + image.message);
    return finishRead(image);
}

Bitmap decodePng(std::span<const std::uint8_t> data) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    ImageGuard guard{&image};
    if (data.empty() || !png_image_begin_read_from_memory(&image, data.data(), data.size()))
        throw std::runtime_error(std::string("PNG: cannot decode: ") + image.message);
    return finishRead(image);
}

} // namespace lattix::gfx
