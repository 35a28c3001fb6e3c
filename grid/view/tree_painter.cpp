// Tree lines and tree buttons in the tree column of a row.
#include <algorithm>
#include <cmath>

#include "grid/lattix.h"
#include "grid/view/cell_look.h"
#include "grid/view/colors.h"
#include "grid/view/dc_handles.h"
#include "runtime/conversions.h"

namespace lattix {

namespace {
// Whether a later displayed row at `level` follows `row` before any displayed row of a lower level
// (the branch at that level continues below the row).
bool branchContinues(const Lattix& g, int32_t row, int32_t level) {
    const int32_t n = g.RowCount();
    for (int32_t r = row + 1; r <= n; ++r) {
        const RowRecord& rec = g.Row(r);
        if (!rec.displayed()) continue;
        if (rec.level <= level) return rec.level == level;
    }
    return false;
}

bool isFirstDisplayedRow(const Lattix& g, int32_t row) {
    for (int32_t r = row - 1; r >= 1; --r)
        if (g.Row(r).displayed()) return false;
    return true;
}

int32_t scaled(int32_t v, int dpi) {
    return static_cast<int32_t>(std::nearbyint(static_cast<double>(v) * dpi / 96.0));
}
} // namespace

void GridPainter::drawTreeLines(Pass& pass, CellLook& look) {
    gfx::DeviceContext& dc = rowBuffer_.dc();
    const PaintSettings& s = g_.paint_;
    const int32_t ind = scaled(g_.LevelIndent(), g_.ScreenDpiX());
    if (ind <= 0) return;
    const int32_t rgb = TranslateColor(s.treeLinesColor);
    if (rgb == -1) return;
    const gfx::Color colour = static_cast<gfx::Color>(rgb);
    const gfx::Rect& cell = look.cellRect;
    const int32_t top = cell.top, bottom = cell.bottom;
    const int32_t cy = top + (bottom - top - 1) / 2;
    const RowRecord& rec = g_.Row(look.row);
    const int32_t level = rec.level;
    const bool solid = s.treeLines == tree_lines::kSolid;
    // One pixel per 96 dpi, so the lines keep their weight on a finer screen; a dot is a square of
    // that side and the gaps between dots as wide.
    const int32_t t = std::max(1, g_.ScreenDpiX() / 96);
    const int32_t lead = (t - 1) / 2; // a line of t pixels is centred on its position
    const int32_t period = 2 * t;
    // Dots line up across rows: their phase follows the row's content y.
    const int32_t phase = static_cast<int32_t>(((rec.top % period) + period) % period);
    const int32_t dotStart = top + ((t - phase) % period + period) % period - lead;
    gfx::DeviceContextStateSaver saver(dc);
    dc.intersectClipRect(cell);
    const gfx::Brush brush = gfx::Brush::solid(colour);
    auto dot = [&](int32_t x, int32_t y) { dc.fillRect({x - lead, y, x - lead + t, y + t}, brush); };

    // Vertical lines from the row's middle up to its top and down to its bottom.
    auto up = [&](int32_t cx) {
        if (solid) {
            dc.fillRect({cx - lead, top, cx - lead + t, cy - lead + t}, brush);
        } else {
            for (int32_t y = dotStart; y <= cy; y += period) dot(cx, y);
        }
    };
    auto down = [&](int32_t cx) {
        if (solid) {
            dc.fillRect({cx - lead, cy - lead, cx - lead + t, bottom}, brush);
        } else {
            for (int32_t y = dotStart; y < bottom; y += period)
                if (y + lead >= cy) dot(cx, y);
        }
    };
    auto across = [&](int32_t cx, int32_t rightEnd) {
        if (solid) {
            dc.fillRect({cx - lead, cy - lead, rightEnd, cy - lead + t}, brush);
        } else {
            for (int32_t x = cx + period; x < rightEnd; x += period) dc.fillRect({x - lead, cy - lead, x - lead + t, cy - lead + t}, brush);
        }
    };
    const int32_t colWidth = cell.width();
    for (int32_t i = 0; i < level; ++i) {
        if ((i + 1) * ind >= colWidth) return;
        const int32_t cx = cell.left + i * ind + ind / 2;
        const int32_t rightEnd = std::min(cell.left + (i + 1) * ind, cell.right);
        if (rightEnd <= cx) continue;
        if (branchContinues(g_, look.row, i)) {
            up(cx);
            down(cx);
        }
    }
    if ((rec.flags & row_flags::kTreeButtonMask) == 0) return;
    const int32_t cx = cell.left + level * ind + ind / 2;
    const int32_t rightEnd = std::min(cell.left + (level + 1) * ind, cell.right);
    if (rightEnd <= cx) return;
    across(cx, rightEnd);
    if (level > 0 || !isFirstDisplayedRow(g_, look.row)) up(cx);
    if (branchContinues(g_, look.row, level)) down(cx);
    (void)pass;
}

void GridPainter::drawTreeButton(Pass& pass, CellLook& look) {
    // The cell's layout asked the host about custom drawing once; its answer is reused here.
    const bool custom = look.parts.treeButtonCustom;
    const gfx::Rect& full = look.parts.treeButtonFull;
    const gfx::Rect r = look.parts.treeButton;
    const bool expanded = g_.Row(look.row).flags & row_flags::kExpanded;
    gfx::DeviceContext& dc = rowBuffer_.dc();
    if (custom) {
        DcHandle hdc(dc);
        Variant args[] = {Variant(look.row), Variant(hdc.value()), Variant(r.left), Variant(r.top),
                          Variant(r.right), Variant(r.bottom), Variant(expanded)};
        g_.RaiseEvent(event_id::kCustomDrawTreeButton, args);
        return;
    }
    if (r.isEmpty()) return;
    const PaintSettings& s = g_.paint_;
    auto colour = [](int32_t ole, gfx::Color fallback) {
        const int32_t rgb = TranslateColor(ole);
        return rgb == -1 ? fallback : static_cast<gfx::Color>(rgb);
    };
    const int32_t size = full.width();
    if (size <= 0) return;
    gfx::DeviceContextStateSaver saver(dc);
    dc.intersectClipRect(r);
    if (pass.themed) {
        // The "Treeview" glyph, blended over the cell: a button clipped at the cell's edge keeps its
        // place; only the part inside shows. Tree lines stop at the button: its square takes the
        // colour of the cell around it (read at a corner, where no line runs).
        const gfx::Color around = dc.getPixel(r.left, r.top);
        if (around != gfx::CLR_INVALID) dc.fillRect(r, around);
        const gfx::Bitmap& glyph = glyphs_.themedTree(size, expanded);
        dc.alphaBlend(full, glyph, {0, 0, size, size}, 255, true);
        return;
    }
    const gfx::Bitmap& glyph = glyphs_.treeButton(size, expanded, colour(s.treeButtonBackColor, 0xFFFFFF),
                                                  colour(s.treeButtonBorderColor, 0x808080),
                                                  colour(s.treeButtonForeColor, 0));
    dc.bitBlt(full.left, full.top, size, size, glyph, 0, 0);
}

} // namespace lattix
