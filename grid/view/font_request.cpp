#include "grid/view/font_request.h"

#include <algorithm>

namespace lattix {

gfx::FontSpec FontRequestOf(const FontDescription& d, int dpi) {
    gfx::FontSpec request;
    request.family = d.name;
    const double points = d.size.toDouble();
    request.pointSize = points <= 0 ? 8.0 : std::clamp(points, 1.0, 500.0);
    request.weight = std::clamp<int>(d.weight == 0 ? 400 : d.weight, 1, 1000);
    request.italic = d.italic;
    request.underline = d.underline;
    request.strikeout = d.strikethrough;
    request.dpi = std::clamp(dpi, 24, 1200);
    return request;
}

gfx::FontPtr CreateFontOf(const FontDescription& d, int dpi) {
    try {
        return gfx::Font::create(FontRequestOf(d, dpi));
    } catch (...) {
        return gfx::Font::defaultFont();
    }
}

} // namespace lattix
