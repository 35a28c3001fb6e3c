#pragma once
// The disabled ("embossed") look of images and texts: the shape drawn once in the button
// highlight colour one pixel down and right, then in the button shadow colour in place.
#include "platform/gfx/device_context.h"

#include <cstdint>
#include <string_view>

namespace lattix::gfx {

// The shape of an image is every pixel that is at least half opaque and not white.
void drawDisabledImage(DeviceContext& dc, const Bitmap& image, int x, int y);
// Text with text_draw flags; returns the height as drawText does.
int drawDisabledText(DeviceContext& dc, std::string_view utf8, const Rect& rect, std::uint32_t flags);

} // namespace lattix::gfx
