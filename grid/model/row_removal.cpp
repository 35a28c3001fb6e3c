// Removing rows and columns: RemoveRow, RemoveCol, Clear and the internal RemoveRowRange.
#include "grid/lattix.h"
#include "grid/automation/error_table.h"
#include "grid/objects/aggr_funcs_object.h"
#include "grid/ops/sort_state.h"

namespace lattix {

using namespace lattix_error;

void Lattix::RemoveRowRange(int32_t first, int32_t count) {
    const int32_t last = first + count - 1;
    for (int32_t r = first; r <= last; ++r) {
        const RowRecord& row = rows_[r];
        if (row.isGroup()) --groupRows_;
        freeSlots_.push_back(row.cellSlot);
        if (row.displayed()) --displayedRows_;
    }
    // The later records close the gap as one block; keys and tags of the removed rows are released.
    rows_.erase(first, count);
    keyIndex_.positionsChanged();
}

void Lattix::clearAll(bool removeCols) {
    MarkLayout(1);
    EndEditing();
    clearRows(removeCols);
    SetCurrentCell(0, 0);
    RelayoutAndRedraw();
    FlushPendingEvents();
}

void Lattix::Clear(bool bRemoveCols) {
    StructuralScope scope(*this);
    clearAll(bRemoveCols);
}

void Lattix::RemoveRow(const Variant& vrow, int32_t lCount) {
    const int32_t first = ResolveRow(vrow);
    int32_t count = LastNestedOf(first) - first + 1;
    if (count == 1) {
        // Without nested rows the count is the caller's.
        if (lCount < 1 || static_cast<int64_t>(first) + lCount - 1 > rows_.count()) RaiseLattixError(kInvalidArgument);
        count = lCount;
    }
    StructuralScope scope(*this);
    if (count == rows_.count()) {
        clearAll(false);
        return;
    }
    MarkLayout(1);
    EndEditing();
    const int32_t last = first + count - 1;
    for (int32_t r = first; r <= last; ++r)
        if (rows_[r].key) keyIndex_.remove(*rows_[r].key);
    const int32_t parent = rows_[first].level > 0 ? ParentOf(first) : 0;

    // Selected cells of the removed rows go; the cells keep nothing of the selection behind them.
    bool selectionAffected = false;
    if (selection_.count() > 0) {
        selectionAffected = selection_.anyInRows(first, INT32_MAX);
        if (selectionAffected) {
            BeforeSelectionBookkeeping();
            int32_t dropped = selection_.remap([&](SelItem& s) {
                if (s.row >= first && s.row <= last) {
                    if (rowMode_)
                        for (int32_t c = 1; c <= colCount_ + 1; ++c) Cell(s.row, c).setSelected(false);
                    else if (s.col >= 1 && s.col <= colCount_ + 1)
                        Cell(s.row, s.col).setSelected(false);
                    return false;
                }
                if (s.row > last) s.row -= count;
                return true;
            });
            if (dropped) SelectionDropped();
        }
    }

    const int32_t displayedBefore = displayedRows_;
    RemoveRowRange(first, count);
    if (parent > 0) {
        RowRecord& p = rows_[parent];
        const bool hasNested = parent < rows_.count() && rows_[parent + 1].level > p.level;
        if ((p.flags & row_flags::kTreeButtonMask) == 2 && !hasNested)
            p.flags = static_cast<uint8_t>((p.flags & ~row_flags::kTreeButtonMask) | 1);
    }
    if (displayedRows_ != displayedBefore) LayoutRowsFrom(first);

    int32_t newRow = curRow_;
    if (curRow_ > last) newRow = curRow_ - count;
    else if (curRow_ >= first) newRow = 0;
    SetCurrentCell(newRow, curCol_);
    GroupedRowsChanged();
    RelayoutAndRedraw();
    FlushPendingEvents();
}

void Lattix::RemoveCol(const Variant& vCol, int32_t lCount) {
    const int32_t P = ResolveColPos(vCol);
    if (lCount < 1) RaiseLattixError(kInvalidArgument);
    const int32_t I = cols_[static_cast<size_t>(P)].index;
    // Also rejects the row text column, whose index is ColCount + 1.
    if (static_cast<int64_t>(I) + lCount - 1 > colCount_) RaiseLattixError(kInvalidArgument);
    const int32_t L = I + lCount - 1;
    StructuralScope scope(*this);
    MarkLayout(1);
    EndEditing();
    int32_t newCol = curCol_;
    if (curCol_ > L) newCol = curCol_ - lCount;
    else if (curCol_ >= I) newCol = 0;
    // Sort, grouping and aggregate criteria keep naming the same columns.
    if (sortState_)
        for (const auto& criteria : {sortState_->sort, sortState_->group, sortState_->effective})
            if (criteria) criteria->criteria().columnsRemoved(I, lCount);
    if (aggrFuncs_) aggrFuncs_->ColumnsRemoved(I, lCount);
    if (lCount == colCount_) {
        // Every row goes with the last column: nothing is left to be current.
        clearRows(true);
        SetCurrentCell(0, 0);
    } else {
        removeColumnsByIndex(I, L);
        SetCurrentCell(curRow_, newCol);
    }
    RelayoutAndRedraw();
    FlushPendingEvents();
}

} // namespace lattix
