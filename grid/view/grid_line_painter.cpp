// Grid lines, the frozen-columns edge and the empty area below the last row.
#include <algorithm>

#include "grid/lattix.h"
#include "grid/view/cell_look.h"

namespace lattix {

GridPainter::CellLines GridPainter::cellLines(const Pass& pass, int32_t pos, bool rowTextCell,
                                              bool aboveRowText) const {
    (void)pass;
    CellLines out;
    if ((g_.GridLines() & grid_lines::kHorizontal) && (!aboveRowText || g_.GridLines() == grid_lines::kBoth))
        out.bottom = std::max(0, g_.GridLineThicknessH());
    // The frozen edge is the last frozen column, or the row-text cell when no scrollable column shows.
    const ColumnTotals& t = g_.ColTotals();
    if (g_.FrozenCols() > 0) {
        if (rowTextCell) out.frozenEdge = t.scrollableShownCount == 0;
        else out.frozenEdge = pos == t.lastFrozenPos;
    }
    if ((g_.GridLines() & grid_lines::kVertical) || (out.frozenEdge && g_.FrozenColsEdgeDrawAlways()))
        out.right = std::max(0, out.frozenEdge ? g_.FrozenColsEdgeWidth() : g_.GridLineThicknessV());
    return out;
}

void GridPainter::drawVerticalLine(Pass& pass, const gfx::Rect& cellRect, const CellLines& lines) {
    if (lines.right <= 0) return;
    const std::optional<gfx::Color>& colour = lines.frozenEdge ? pass.frozenEdgeColor : pass.gridLineColor;
    if (!colour) return;
    rowBuffer_.dc().fillRect({cellRect.right - lines.right, cellRect.top, cellRect.right, cellRect.bottom}, *colour);
}

void GridPainter::drawRowLines(Pass& pass, int32_t row, int32_t h, int32_t& treeLineX) {
    gfx::DeviceContext& dc = rowBuffer_.dc();
    const RowRecord& rec = g_.Row(row);
    treeLineX = 0;
    // The line left of the tree indentation, when the first column is the tree column.
    if (g_.TreeCol() == 0 && rec.level > 0) {
        treeLineX = g_.LevelIndentPx() * rec.level - pass.scrollX;
        if (!rec.isGroup() && (g_.GridLines() & grid_lines::kVertical) && pass.gridLineColor)
            dc.fillRect({treeLineX - g_.GridLineThicknessV(), 0, treeLineX, h}, *pass.gridLineColor);
    }
    if (!(g_.GridLines() & grid_lines::kHorizontal) || !pass.gridLineColor) return;
    const int32_t right = (g_.GridLinesExtend() & 1) ? std::max(pass.viewWidth, pass.contentRight) : pass.contentRight;
    dc.fillRect({treeLineX, h - g_.GridLineThicknessH(), right, h}, *pass.gridLineColor);
    if (g_.GridLines() == grid_lines::kBoth && g_.DrawRowText() && !rec.isGroup() && rec.normalCellHeight < h) {
        const int32_t start = g_.Column(g_.RowTextStartPos()).left - pass.scrollX;
        dc.fillRect({start, rec.normalCellHeight - g_.GridLineThicknessH(), pass.contentRight, rec.normalCellHeight},
                    *pass.gridLineColor);
    }
}

void GridPainter::paintBelowRows(Pass& pass) {
    const int32_t bottom = pass.paintedBottom;
    if (bottom + 1 > pass.clientHeight) return;
    const bool extendDown = g_.GridLines() != 0 && (g_.GridLinesExtend() & 2);
    if (!extendDown) {
        fillBackground(*pass.target, {0, bottom, pass.viewWidth + 32, pass.clientHeight}, 0, -pass.headerHeight, pass);
        return;
    }
    // Empty rows of the default height with their grid lines, down to the bottom of the window.
    const int32_t h = std::max<int32_t>(1, g_.DefaultRowHeight());
    if (h > rowBuffer_.height() && !rowBuffer_.ensure(rowBuffer_.width(), h)) return;
    const VisibleRange& vr = g_.VisRange();
    const ColumnTotals& t = g_.ColTotals();
    for (int32_t top = bottom; top < pass.clientHeight; top += h) {
        gfx::DeviceContext& dc = rowBuffer_.dc();
        fillBackground(dc, {0, 0, rowBuffer_.width(), h}, 0, top - pass.headerHeight, pass);
        if ((g_.GridLines() & grid_lines::kHorizontal) && pass.gridLineColor) {
            const int32_t right = g_.GridLinesExtend() == 3 ? std::max(pass.viewWidth, pass.contentRight) : pass.contentRight;
            dc.fillRect({0, h - g_.GridLineThicknessH(), right, h}, *pass.gridLineColor);
        }
        for (int32_t p = std::max(1, vr.firstCol); p <= vr.lastCol && p <= g_.ColCount(); ++p) {
            const ColumnRecord& c = g_.Column(p);
            if (!c.laidOut) continue;
            CellLines lines;
            lines.frozenEdge = g_.FrozenCols() > 0 && p == g_.FrozenCols();
            if ((g_.GridLines() & grid_lines::kVertical) || (lines.frozenEdge && g_.FrozenColsEdgeDrawAlways()))
                lines.right = lines.frozenEdge ? g_.FrozenColsEdgeWidth() : g_.GridLineThicknessV();
            const int32_t left = c.left - pass.scrollX;
            drawVerticalLine(pass, {left, 0, left + c.width, h}, lines);
        }
        (void)t;
        rowBuffer_.blitTo(*pass.target, 0, top, pass.viewWidth > 0 ? pass.viewWidth : rowBuffer_.width(),
                          std::min(h, pass.clientHeight - top));
    }
}

} // namespace lattix
