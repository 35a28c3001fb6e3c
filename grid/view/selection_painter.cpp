// Selection looks (opaque and alpha-blended) and the focus rectangle.
#include "grid/lattix.h"
#include "grid/view/cell_look.h"
#include "grid/view/colors.h"

#include <algorithm>

namespace lattix {

bool GridPainter::selectedLook(const Pass& pass, const CellRecord& cell) const {
    return !pass.disabledLook && cell.selected() && pass.highlightOn;
}

gfx::Rect GridPainter::selectionRect(const Pass& pass, CellLook& look) const {
    (void)pass;
    const ColumnTotals& t = g_.ColTotals();
    if (look.rowTextCell || look.pos != t.firstShownPos) return look.cellRect;
    // A selected row in row mode with FullRowSelect is selected from its left edge.
    if (g_.RowMode() && g_.FullRowSelect()) return look.cellRect;
    // The first column's selection leaves the tree indentation (and the button's step) out.
    gfx::Rect r = look.cellRect;
    r.left = look.parts.indented.left;
    if (g_.TreeCol() == look.colIndex && (g_.Row(look.row).flags & row_flags::kTreeButtonMask) != 0)
        r.left += g_.LevelIndentPx();
    if (r.left > r.right) r.left = r.right;
    return r;
}

void GridPainter::fillSelection(Pass& pass, CellLook& look) {
    if (!pass.selectionColor) return;
    gfx::Rect r = look.selRect;
    r.right -= look.lines.right;
    r.bottom -= look.lines.bottom;
    if (!r.isEmpty()) rowBuffer_.dc().fillRect(r, *pass.selectionColor);
}

void GridPainter::blendSelection(Pass& pass, CellLook& look) {
    if (pass.alphaSource.isEmpty()) return;
    gfx::Rect r = look.selRect;
    r.right -= look.lines.right;
    r.bottom -= look.lines.bottom;
    if (r.isEmpty()) return;
    // The source is one flat colour: any part of it of the destination's size will do.
    const gfx::Rect src{0, 0, std::min(r.width(), pass.alphaSource.width()), std::min(r.height(), pass.alphaSource.height())};
    rowBuffer_.dc().alphaBlend(r, pass.alphaSource, src, g_.paint_.selectionAlphaBlend);
}

void GridPainter::drawFocusRect(Pass& pass, gfx::Rect r, const CellLines& lines) {
    const PaintSettings& s = g_.paint_;
    if (!s.enabled) return;
    if (pass.focused ? (!g_.FocusRect() || g_.IsEditing()) : !s.focusRectNoFocus) return;
    r.bottom -= lines.bottom;
    r.right -= lines.right;
    if (r.isEmpty()) return;
    auto colour = [](int32_t ole, gfx::Color fallback) {
        const int32_t rgb = TranslateColor(ole);
        return rgb == -1 ? fallback : static_cast<gfx::Color>(rgb);
    };
    gfx::DeviceContext& dc = rowBuffer_.dc();
    gfx::DeviceContextStateSaver saver(dc);
    dc.setBkColor(colour(pass.focused ? s.focusRectColor1 : s.focusRectNoFocusColor1, 0xFFFFFF));
    dc.setTextColor(colour(pass.focused ? s.focusRectColor2 : s.focusRectNoFocusColor2, 0));
    // One dotted ring per 96 dpi, so that the rectangle keeps its weight on a finer screen.
    const int rings = std::max(1, g_.ScreenDpiX() / 96);
    for (int k = 0; k < rings && !r.isEmpty(); ++k) {
        dc.frameRect(r, gfx::Brush::solid(0));
        dc.drawFocusRect(r);
        r = r.inflatedBy(-1, -1);
    }
}

} // namespace lattix
