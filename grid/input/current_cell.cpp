// The current cell: its store, the pending change events, programmatic and interactive moves.
//
// Every move, from the host (CurRow, CurCol, SetCurCell, CellSelected) or from input (keyboard and
// mouse through UserMove), runs the selection rule for the target first and then commits the move:
// SetCurrentCell records the new cell and flags what changed, the cell is scrolled into view and
// FlushPendingEvents raises CurCellChange, CurRowChange, CurColChange and the pending
// AfterSelectionChange, in that order. Each flag is cleared before its event is raised, so a handler
// that moves the current cell again starts a new round of events.
#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/view/painter.h"
#include "runtime/conversions.h"

namespace lattix {

void Lattix::SetCurrentCell(int32_t row, int32_t col) {
    cellChanged_ = rowChanged_ = colChanged_ = false;
    prevRow_ = curRow_;
    prevCol_ = curCol_;
    if (validCell(curRow_, curCol_)) Cell(curRow_, curCol_).markChanged();
    if (col != curCol_) {
        curCol_ = col;
        cellChanged_ = colChanged_ = true;
    }
    if (row != curRow_) {
        curRow_ = row;
        cellChanged_ = rowChanged_ = true;
    }
    if (cellChanged_ && validCell(curRow_, curCol_)) Cell(curRow_, curCol_).markChanged();
}

// The pending events of the operation are taken (flags and arguments) before the first is raised, so
// a handler that starts another selection operation or move gets a complete round of its own.
void Lattix::FlushPendingEvents() {
    const bool cell = cellChanged_, row = rowChanged_, col = colChanged_, sel = selChangePending_;
    const bool contents = selContentsChanged_;
    const int32_t newRow = curRow_, newCol = curCol_, oldRow = prevRow_, oldCol = prevCol_;
    cellChanged_ = rowChanged_ = colChanged_ = selChangePending_ = selContentsChanged_ = false;
    if (cell) {
        std::array<Variant, 4> a{Variant(newRow), Variant(newCol), Variant(oldRow), Variant(oldCol)};
        RaiseEvent(event_id::kCurCellChange, a);
    }
    if (row) {
        std::array<Variant, 2> a{Variant(newRow), Variant(oldRow)};
        RaiseEvent(event_id::kCurRowChange, a);
    }
    if (col) {
        std::array<Variant, 2> a{Variant(newCol), Variant(oldCol)};
        RaiseEvent(event_id::kCurColChange, a);
    }
    if (sel) {
        std::array<Variant, 1> a{Variant(contents)};
        RaiseEvent(event_id::kAfterSelectionChange, a);
    }
}

// Scrolls the new current cell into view (in row mode only its row, vertically) and redraws the
// grid unless scrolling did.
void Lattix::ensureMoveVisible(int32_t row, int32_t col) {
    bool scrolled = false;
    if (rowMode_) {
        if (row >= 1 && row <= rows_.count()) {
            const int32_t before = view_.scrollY;
            EnsureVisibleRow(Variant(row));
            scrolled = view_.scrollY != before;
        }
    } else if (validCell(row, col)) {
        scrolled = EnsureCellVisibleAuto(row, col);
    }
    if (!scrolled) RelayoutAndRedraw();
    else redrawChangedCells(); // scrolling painted the rows that came into view
}

void Lattix::redrawChangedCells() {
    if (beginUpdateCount_ == 0) painter_->Draw();
}

void Lattix::CommitMove(int32_t row, int32_t col) {
    // A handler that ran since the target was chosen (unlocked, after the selection walk) may have
    // removed its row or column: the move ends with what is pending.
    if (row > rows_.count() || col > colCount_ + 1) {
        FlushPendingEvents();
        return;
    }
    SetCurrentCell(row, col);
    ensureMoveVisible(row, col);
    FlushPendingEvents();
}

void Lattix::UserMove(int32_t row, int32_t col, int32_t shift, MoveInput how) {
    if (row < 0 || col < 0 || rows_.count() == 0 || colCount_ == 0) return;
    ApplyMoveSelection(row, col, shift, how);
    CommitMove(row, col);
}

// A move requested by the host: any custom editor and any edit end first, then the selection follows
// the current cell as for an unmodified move.
void Lattix::programmaticMove(int32_t row, int32_t col) {
    if (rows_.count() == 0 || colCount_ == 0) {
        // A grid without rows or columns has no cell to move to: a move there does nothing, and only
        // a leftover current cell can still be dropped.
        if (row != 0 || col != 0 || (curRow_ == 0 && curCol_ == 0)) return;
        RaiseEvent(event_id::kQuitCustomEdit, {});
        endEditQuietly();
        CommitMove(0, 0);
        return;
    }
    RaiseEvent(event_id::kQuitCustomEdit, {});
    endEditQuietly();
    ApplyMoveSelection(row, col, 0, MoveInput::Keyboard);
    CommitMove(row, col);
}

void Lattix::SetCurRow(int32_t lRow) {
    if (lRow != 0 && (lRow < 1 || lRow > rows_.count())) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    RefuseDuringStructuralChange();
    if (lRow == curRow_) return;
    int32_t col = curCol_;
    if (col == 0 && rowMode_) col = 1;
    programmaticMove(lRow, col);
}

void Lattix::SetCurCol(int32_t lCol) {
    if (lCol < 0 || lCol > colCount_ + 1) RaiseLattixError(lattix_error::kSubscriptOutOfRange);
    RefuseDuringStructuralChange();
    if (lCol == curCol_) return;
    programmaticMove(curRow_, lCol);
}

namespace {
// An address of 0 (a number) means "no row" or "no column" and is not resolved.
bool isZeroAddress(const Variant& v) {
    const Variant& d = v.deref();
    return d.isNumeric() && ToDouble(d) == 0.0;
}
} // namespace

void Lattix::SetCurCell(const Variant& vrow, const Variant& vCol) {
    const int32_t row = isZeroAddress(vrow) ? 0 : ResolveRow(vrow);
    const int32_t col = isZeroAddress(vCol) ? 0 : ResolveColIndex(vCol);
    RefuseDuringStructuralChange();
    if (row == curRow_ && col == curCol_) {
        ensureMoveVisible(row, col);
        return;
    }
    programmaticMove(row, col);
}

} // namespace lattix
