#pragma once
// Colours as the drawing API sees them, and their conversion to bitmap pixels.
//
// API colours are 32-bit values 0x00BBGGRR (red in the low byte), the form the grid and its
// host pass around. Bitmap pixels are 32-bit premultiplied 0xAARRGGBB words (in memory on a
// little-endian machine: B, G, R, A), the layout a toolkit image can wrap without copying.
// Everything the device context draws is opaque (alpha 0xFF).
#include <cstdint>

namespace lattix::gfx {

using Color = std::uint32_t;
using Pixel = std::uint32_t;

// "No colour": transparent background in image-list drawing.
inline constexpr Color CLR_NONE = 0xFFFFFFFFu;
// "Default colour": the image list's own background, or the highlight colour for blending.
inline constexpr Color CLR_DEFAULT = 0xFF000000u;

constexpr Color rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return Color(r) | (Color(g) << 8) | (Color(b) << 16);
}
constexpr std::uint8_t redOf(Color c) { return std::uint8_t(c & 0xFF); }
constexpr std::uint8_t greenOf(Color c) { return std::uint8_t((c >> 8) & 0xFF); }
constexpr std::uint8_t blueOf(Color c) { return std::uint8_t((c >> 16) & 0xFF); }

// Opaque pixel of an API colour (the top byte of the colour is ignored).
constexpr Pixel pixelOf(Color c) {
    return 0xFF000000u | (Pixel(redOf(c)) << 16) | (Pixel(greenOf(c)) << 8) | Pixel(blueOf(c));
}
// API colour of a pixel (alpha dropped; for a premultiplied translucent pixel this is the
// premultiplied colour).
constexpr Color colorOf(Pixel p) { return rgb(std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)); }

constexpr std::uint8_t alphaOf(Pixel p) { return std::uint8_t(p >> 24); }

} // namespace lattix::gfx
