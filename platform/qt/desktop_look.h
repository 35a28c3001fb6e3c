// The desktop's look as the drawing layer's system facts: the 31 system colours taken from a Qt
// palette, and the scroll-bar thickness taken from a Qt style.
#pragma once

#include <array>

#include "platform/gfx/color.h"
#include "platform/gfx/system_colors.h"

class QPalette;
class QStyle;

namespace lattix::ui::qt {

using SystemColorTable = std::array<gfx::Color, gfx::kSystemColorCount>;

// Window, base, alternate base, text, highlight, button, tooltip and link roles of the active group,
// grey text from the disabled group, and 3-D shades from the light and dark roles.
SystemColorTable SystemColorsOf(const QPalette& palette);

// The style's scroll-bar extent in device pixels: the style measures in logical pixels, which are
// `devicePixelRatio` device pixels each.
int ScrollBarThicknessOf(const QStyle& style, double devicePixelRatio);

} // namespace lattix::ui::qt
