// One way from a font description (the grid's, a cell's, the header's) to a font to draw with.
#pragma once

#include "grid/objects/font_object.h"
#include "platform/gfx/font.h"

namespace lattix {

// The font of description `d` at `dpi`: a size of 0 or less counts as 8 points, sizes are kept
// within 1..500 points, a weight of 0 is normal (400) and the dpi stays within 24..1200. A font
// that cannot be made falls back to the default font.
gfx::FontSpec FontRequestOf(const FontDescription& d, int dpi);
gfx::FontPtr CreateFontOf(const FontDescription& d, int dpi);

} // namespace lattix
