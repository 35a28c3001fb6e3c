// The published hit-testing members: HitTest, CellBoundary, CellTextBoundary, and the Sys values
// of the view.
#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"

namespace lattix {

using namespace lattix_error;

int32_t Lattix::HitTest(int32_t xPixels, int32_t yPixels, int32_t lRow, int32_t lCol) {
    // Given cells must exist; a missing one is found under the point.
    if (lRow != 0 && (lRow < 1 || lRow > rows_.count())) RaiseLattixError(kSubscriptOutOfRange);
    if (lCol != 0 && (lCol < 1 || lCol > colCount_ + 1)) RaiseLattixError(kSubscriptOutOfRange);
    int32_t row = lRow, col = lCol;
    if (row == 0 || col == 0) {
        const CellHit hit = CellAtWindowPoint(xPixels, yPixels);
        if (row == 0) row = hit.row;
        if (col == 0) col = hit.col;
    }
    if (row == 0 || col == 0) return cell_part::kNone;
    // A group row is one cell: its row-text cell.
    if (rows_[row].isGroup()) col = RowTextCol();
    return HitTestCell(xPixels, yPixels, row, col);
}

gfx::Rect Lattix::CellBoundary(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    RecalcVisibleRange();
    return CellRectInWindow(row, col);
}

gfx::Rect Lattix::CellTextBoundary(const Variant& vrow, const Variant& vCol) {
    auto [row, col] = resolveCell(vrow, vCol);
    RecalcVisibleRange();
    return CellTextRect(row, col);
}

Variant Lattix::Sys(int32_t eSysParm) const {
    if (eSysParm < 0 || eSysParm > 25) RaiseLattixError(kInvalidArgument);
    // The visible range is a cache of the layout: bringing it up to date changes nothing visible.
    Lattix& self = const_cast<Lattix&>(*this);
    const VisibleRange& v = self.VisRange();
    const ColumnTotals& t = colTotals_;
    const int32_t hh = CellsAreaTop();
    const auto indexAt = [&](int32_t pos) {
        return pos >= 1 && pos <= colCount_ + 1 ? cols_[static_cast<size_t>(pos)].index : 0;
    };
    const bool anyRow = v.firstRow > 0;
    switch (eSysParm) {
    case 0: return Variant(v.firstRow);
    case 1: return Variant(anyRow ? hh + v.firstRowHidden : 0);
    case 2: return Variant(indexAt(v.firstCol));
    case 3: return Variant(v.firstColHidden);
    case 4: return Variant(anyRow ? v.lastRow : 0);
    case 5: return Variant(anyRow ? hh + v.lastRowBottom : 0);
    case 6: return Variant(indexAt(v.lastCol));
    case 7: return Variant(v.lastColRight);
    case 8: return Variant(view_.viewWidth);
    case 9: return Variant(view_.viewHeight);
    case 10: return Variant(view_.clientWidth);
    case 11: return Variant(view_.clientHeight);
    case 12: return Variant(indexAt(t.firstShownPos));
    case 13: return Variant(indexAt(t.lastShownPos));
    case 14: return Variant(indexAt(t.lastFrozenPos));
    case 15: return Variant(indexAt(t.firstScrollablePos));
    case 16: return Variant(t.frozenShownCount);
    case 17: return Variant(t.scrollableShownCount);
    case 18: return Variant(t.frozenWidth);
    case 19: return Variant(t.scrollableWidth);
    case 20: return Variant(displayedRows_ > 0 ? RowAtContentY(0) : 0);
    case 21: return Variant(displayedRows_ > 0 ? RowAtContentY(ContentHeight() - 1) : 0);
    case 22: return Variant(displayedRows_);
    case 23: return Variant(ContentHeight());
    case 24: return Variant(groupRows_);
    default: return Variant(allocatedRows_);
    }
}

} // namespace lattix
