#pragma once
// PNG output of bitmaps (8-bit RGBA, straight alpha).
#include "platform/gfx/bitmap.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lattix::gfx {

// Encodes the bitmap; throws std::invalid_argument for an empty bitmap and std::runtime_error
// when encoding fails.
std::vector<std::uint8_t> encodePng(const Bitmap& bitmap);
// Writes the bitmap to a file; throws like encodePng, and std::runtime_error when the file
// cannot be written (nothing is left behind then).
void writePng(const Bitmap& bitmap, const std::string& path);

} // namespace lattix::gfx
