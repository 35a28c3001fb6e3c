#pragma once
// Smooth resizing of a premultiplied bitmap: a tent filter that is bilinear when enlarging and
// averages the covered pixels when shrinking, so an icon drawn at 1.5x or 2x stays soft-edged
// rather than blocky, and one drawn smaller keeps its thin lines.
#include "platform/gfx/bitmap.h"

namespace lattix::gfx {

// `src` at width x height (each 1..32768). An empty source, or the same size, gives a copy.
// Throws std::invalid_argument for a size outside that range.
Bitmap resampleSmooth(const Bitmap& src, int width, int height);

} // namespace lattix::gfx
