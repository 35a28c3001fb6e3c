#pragma once
// PNG input into bitmaps (any PNG colour type; pixels become premultiplied 0xAARRGGBB).
#include "platform/gfx/bitmap.h"

#include <cstdint>
#include <span>
#include <string>

namespace lattix::gfx {

// Throws std::runtime_error when the file cannot be read or is not a PNG.
Bitmap readPng(const std::string& path);
Bitmap decodePng(std::span<const std::uint8_t> data);

} // namespace lattix::gfx
