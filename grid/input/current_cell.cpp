// The current cell: its store, the pending change events, and programmatic moves.
#include "grid/lattix.h"
#include "grid/lattix_error.h"

namespace lattix {

void Lattix::SetCurrentCell(int32_t row, int32_t col) {
    cellChanged_ = rowChanged_ = colChanged_ = false;
    prevRow_ = curRow_;
    prevCol_ = curCol_;
    auto valid = [&](int32_t r, int32_t c) { return r >= 1 && r <= rows_.count() && c >= 1 && c <= colCount_ + 1; };
    if (valid(curRow_, curCol_)) Cell(curRow_, curCol_).markChanged();
    if (col != curCol_) {
        curCol_ = col;
        cellChanged_ = colChanged_ = true;
    }
    if (row != curRow_) {
        curRow_ = row;
        cellChanged_ = rowChanged_ = true;
    }
    if (cellChanged_ && valid(curRow_, curCol_)) Cell(curRow_, curCol_).markChanged();
}

void Lattix::fireCurrentCellEvents() {
    if (cellChanged_) {
        cellChanged_ = false;
        std::array<Variant, 4> a{Variant(curRow_), Variant(curCol_), Variant(prevRow_), Variant(prevCol_)};
        RaiseEvent(event_id::kCurCellChange, a);
    }
    if (rowChanged_) {
        rowChanged_ = false;
        std::array<Variant, 2> a{Variant(curRow_), Variant(prevRow_)};
        RaiseEvent(event_id::kCurRowChange, a);
    }
    if (colChanged_) {
        colChanged_ = false;
        std::array<Variant, 2> a{Variant(curCol_), Variant(prevCol_)};
        RaiseEvent(event_id::kCurColChange, a);
    }
}

void Lattix::FlushPendingEvents() {
    fireCurrentCellEvents();
    if (selChangePending_) {
        selChangePending_ = false;
        std::array<Variant, 1> a{Variant(selContentsChanged_)};
        selContentsChanged_ = false;
        RaiseEvent(event_id::kAfterSelectionChange, a);
    }
}

void Lattix::selectCell(int32_t row, int32_t colIndex, bool select) {
    CellRecord& cell = Cell(row, colIndex);
    if (cell.selected() == select) return;
    if (select && !cell.selectable()) return;
    BeforeSelectionBookkeeping();
    cell.setSelected(select);
    cell.markChanged();
    if (select) selection_.add(row, rowMode_ ? 1 : colIndex);
    else selection_.remove(row, rowMode_ ? 1 : colIndex);
    std::array<Variant, 3> a{Variant(row), Variant(colIndex), Variant(select)};
    RaiseEvent(event_id::kCellSelectionChange, a);
}

// A move requested by the host: the single-selection rule follows the current cell.
void Lattix::programmaticMove(int32_t row, int32_t col) {
    RaiseEvent(event_id::kQuitCustomEdit, {});
    EndEditing();
    if (row != curRow_ || col != curCol_) {
        BeforeSelectionBookkeeping();
        if (curRow_ > 0 && curCol_ > 0) selectCell(curRow_, curCol_, false);
        if (row > 0 && col > 0) selectCell(row, col, true);
        selContentsChanged_ = true;
    }
    SetCurrentCell(row, col);
    RedrawRow(row);
    FlushPendingEvents();
}

void Lattix::SetCurRow(int32_t lRow) {
    if (lRow != 0 && (lRow < 1 || lRow > rows_.count())) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    if (lRow == curRow_) return;
    int32_t col = curCol_;
    if (col == 0 && rowMode_) col = 1;
    programmaticMove(lRow, col);
}

void Lattix::SetCurCol(int32_t lCol) {
    if (lCol < 0 || lCol > colCount_ + 1) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    if (lCol == curCol_) return;
    programmaticMove(curRow_, lCol);
}

} // namespace lattix
