// Selection rules: which cells are selected when the current cell moves, range extension from the
// anchor, and the public selection operations.
//
// Every change of one cell's selected state goes through selectCell, which raises
// BeforeSelectionChange before the first change of an operation (the pending flag keeps it to one per
// operation) and CellSelectionChange after each change. The operation ends with FlushPendingEvents,
// which raises the pending AfterSelectionChange.
//
// The walks hold the structure lock: a handler of BeforeSelectionChange or CellSelectionChange that
// adds, removes or moves rows or columns gets 522, so the rows, columns and items a walk has taken
// stay valid to its end. AfterSelectionChange and the current-cell events come after the walk,
// unlocked.
#include <algorithm>
#include <optional>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"

namespace lattix {

namespace {
// The visible columns in display order (positions 1..ColCount + 1), by column index.
std::vector<int32_t> visibleColumnIndices(const Lattix& g) {
    std::vector<int32_t> out;
    out.reserve(static_cast<size_t>(g.ColCount()) + 1);
    for (int32_t p = 1; p <= g.ColCount() + 1; ++p)
        if (g.Column(p).visible) out.push_back(g.Column(p).index);
    return out;
}
} // namespace

// ---- primitives ----

void Lattix::selectCell(int32_t row, int32_t colIndex, bool select, bool updateSet, bool mayRaiseBefore) {
    CellRecord& cell = Cell(row, colIndex);
    if (cell.selected() == select) return;
    if (select && !cell.selectable()) return;
    if (mayRaiseBefore) BeforeSelectionBookkeeping();
    cell.setSelected(select);
    cell.markChanged();
    if (updateSet) {
        if (select) selection_.add(row, rowMode_ ? 1 : colIndex);
        else selection_.remove(row, rowMode_ ? 1 : colIndex);
    }
    if (events_.hasSinks()) {
        std::array<Variant, 3> a{Variant(row), Variant(colIndex), Variant(select)};
        RaiseLockedEvent(event_id::kCellSelectionChange, a);
    }
}

void Lattix::selectRow(int32_t row, bool select, bool updateSet) {
    if (rows_[row].isGroup()) {
        selectCell(row, colCount_ + 1, select, updateSet);
        return;
    }
    for (int32_t p = 1; p <= colCount_ + 1; ++p) {
        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (c.visible) selectCell(row, c.index, select, updateSet);
    }
}

void Lattix::invertRow(int32_t row) {
    if (rows_[row].isGroup()) {
        selectCell(row, colCount_ + 1, !Cell(row, colCount_ + 1).selected());
        return;
    }
    for (int32_t p = 1; p <= colCount_ + 1; ++p) {
        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (c.visible) selectCell(row, c.index, !Cell(row, c.index).selected());
    }
}

bool Lattix::rowHasSelectedCell(int32_t row) const {
    for (int32_t c = 1; c <= colCount_ + 1; ++c)
        if (Cell(row, c).selected()) return true;
    return false;
}

// ---- rules for a move to (row, col) ----

void Lattix::applySingleSelectionRule(int32_t row, int32_t col) {
    if (rowMode_) {
        if (row == curRow_) return;
        BeforeSelectionBookkeeping();
        if (curRow_ >= 1 && curRow_ <= rows_.count()) selectRow(curRow_, false);
        if (row >= 1 && row <= rows_.count()) selectRow(row, true);
    } else {
        if (row == curRow_ && col == curCol_) return;
        BeforeSelectionBookkeeping();
        if (validCell(curRow_, curCol_)) selectCell(curRow_, curCol_, false);
        if (validCell(row, col)) selectCell(row, col, true);
    }
    selContentsChanged_ = true;
}

void Lattix::deselectAllButTarget(int32_t row, int32_t col) {
    if (selection_.count() == 0) return;
    const int32_t rowCount = rows_.count();
    // Walk a copy of the set: deselecting does not touch the set here (it is emptied afterwards), but
    // a handler of the events on the way may.
    std::vector<SelItem> items;
    items.reserve(static_cast<size_t>(selection_.count()));
    selection_.forEachSorted(1, rowCount, 1, colCount_ + 1, [&](SelItem s) { items.push_back(s); });
    for (const SelItem& s : items) {
        if (rowMode_) {
            if (s.row == row) continue;
            for (int32_t c = 1; c <= colCount_ + 1; ++c) selectCell(s.row, c, false, false);
        } else if (s.row != row || s.col != col) {
            selectCell(s.row, s.col, false, false);
        }
    }
}

void Lattix::applyMultiNoModifiers(int32_t row, int32_t col) {
    deselectAllButTarget(row, col);
    selection_.clear();
    if (row >= 1 && row <= rows_.count()) {
        if (rowMode_) {
            selectRow(row, true);
            if (rowHasSelectedCell(row)) selection_.add(row, 1);
        } else if (validCell(row, col)) {
            selectCell(row, col, true);
            if (Cell(row, col).selected()) selection_.add(row, col);
        }
    }
    if (selChangePending_) selContentsChanged_ = true;
}

void Lattix::extendRange(int32_t row, int32_t col, bool addMode) {
    const int32_t rowCount = rows_.count();
    if (anchorRow_ < 1 || anchorRow_ > rowCount || anchorCol_ < 1 || anchorCol_ > colCount_ + 1) {
        anchorRow_ = row;
        anchorCol_ = col;
        anchorState_ = true;
    }
    const int32_t r0 = std::max(1, std::min(anchorRow_, row));
    const int32_t r1 = std::min(rowCount, std::max(anchorRow_, row));
    // Columns of the range by display position; in row mode the whole row.
    int32_t p0 = 1, p1 = colCount_ + 1;
    if (!rowMode_) {
        const int32_t pa = PositionOfIndex(anchorCol_), pt = PositionOfIndex(std::max(col, 1));
        p0 = std::min(pa, pt);
        p1 = std::max(pa, pt);
    }
    struct Col {
        int32_t index;
        bool inRange;
    };
    std::vector<Col> columns;
    for (int32_t p = 1; p <= colCount_ + 1; ++p)
        if (cols_[static_cast<size_t>(p)].visible) columns.push_back({cols_[static_cast<size_t>(p)].index, p >= p0 && p <= p1});
    const int32_t rowText = colCount_ + 1;

    if (addMode) {
        for (int32_t r = r0; r <= r1; ++r) {
            if (!rows_[r].displayed()) continue;
            if (rows_[r].isGroup()) {
                selectCell(r, rowText, anchorState_);
                continue;
            }
            for (const Col& c : columns)
                if (c.inRange) selectCell(r, c.index, anchorState_);
        }
    } else {
        // Only rows that may hold selected cells are visited.
        int32_t v0 = 1, v1 = rowCount;
        if (selection_.count() == 1) {
            v0 = r0;
            v1 = r1;
        } else if (lastExtension_.anchorRow == anchorRow_ && lastExtension_.anchorCol == anchorCol_ &&
                   lastExtension_.lowRow <= lastExtension_.highRow) {
            v0 = std::max(1, std::min(r0, lastExtension_.lowRow));
            v1 = std::min(rowCount, std::max(r1, lastExtension_.highRow));
        }
        for (int32_t r = v0; r <= v1; ++r) {
            if (!rows_[r].displayed()) continue;
            const bool rowInRange = r >= r0 && r <= r1;
            if (rows_[r].isGroup()) {
                selectCell(r, rowText, rowInRange);
                continue;
            }
            for (const Col& c : columns) selectCell(r, c.index, rowInRange && c.inRange);
        }
    }
    lastExtension_ = {anchorRow_, anchorCol_, r0, r1};
    if (selChangePending_) selContentsChanged_ = true;
}

void Lattix::toggleForCtrlClick(int32_t row, int32_t col) {
    BeforeSelectionBookkeeping();
    bool newState;
    if (rows_[row].isGroup()) {
        const int32_t rowText = colCount_ + 1;
        selectCell(row, rowText, !Cell(row, rowText).selected());
        newState = Cell(row, rowText).selected();
    } else if (rowMode_) {
        invertRow(row);
        newState = rowHasSelectedCell(row);
        // The row is one item whatever its cells did one by one.
        if (newState) selection_.add(row, 1);
        else selection_.remove(row, 1);
    } else {
        selectCell(row, col, !Cell(row, col).selected());
        newState = Cell(row, col).selected();
    }
    anchorRow_ = row;
    anchorCol_ = col;
    anchorState_ = newState;
    selContentsChanged_ = true;
}

void Lattix::ApplyMoveSelection(int32_t row, int32_t col, int32_t shift, MoveInput how) {
    if (row < 0 || col < 0 || rows_.count() == 0 || colCount_ == 0) return;
    StructureLock lock(*this);
    const bool withShift = shift & 1, withCtrl = shift & 2;
    if (!multiSelect_) {
        anchorRow_ = row;
        anchorCol_ = col;
        anchorState_ = true;
        applySingleSelectionRule(row, col);
        return;
    }
    if (withShift && row >= 1 && col >= 1) {
        extendRange(row, col, withCtrl);
        return;
    }
    if (withCtrl && !withShift) {
        if (how == MoveInput::Mouse && validCell(row, col)) {
            toggleForCtrlClick(row, col);
        } else {
            anchorRow_ = row;
            anchorCol_ = col;
            anchorState_ = true;
        }
        return;
    }
    anchorRow_ = row;
    anchorCol_ = col;
    anchorState_ = true;
    applyMultiNoModifiers(row, col);
}

// ---- public operations ----

bool Lattix::CellSelected(const Variant& vrow, const Variant& vCol) const {
    const CellAddress a = resolveCell(vrow, vCol);
    return Cell(a.row, a.col).selected();
}

void Lattix::SetCellSelected(const Variant& vrow, const Variant& vCol, bool bNewSelected) {
    const CellAddress a = resolveCell(vrow, vCol);
    RefuseDuringStructuralChange();
    if (multiSelect_) {
        {
            StructureLock lock(*this);
            if (rowMode_) selectRow(a.row, bNewSelected);
            else selectCell(a.row, a.col, bNewSelected);
        }
        RedrawRow(a.row);
        if (selChangePending_) selContentsChanged_ = true;
        FlushPendingEvents();
        return;
    }
    const bool isCurrent = a.row == curRow_ && (rowMode_ || a.col == curCol_);
    if (isCurrent || !bNewSelected) return;
    anchorRow_ = a.row;
    anchorCol_ = a.col;
    anchorState_ = true;
    {
        StructureLock lock(*this);
        applySingleSelectionRule(a.row, a.col);
    }
    CommitMove(a.row, a.col);
}

void Lattix::ClearSelection() {
    RefuseDuringStructuralChange();
    BeforeSelectionBookkeeping();
    if (selection_.count() == 0) {
        // An edit in progress ends even when nothing is selected.
        if (editing_) EndEditing();
        FlushPendingEvents(); // AfterSelectionChange (False): nothing was selected
        return;
    }
    RaiseEvent(event_id::kQuitCustomEdit, {});
    endEditQuietly();
    auto clearQuietly = [&](int32_t r, int32_t c) {
        if (r < 1 || r > rows_.count() || c < 1 || c > colCount_ + 1) return;
        CellRecord& cell = Cell(r, c);
        if (!cell.selected()) return;
        cell.setSelected(false);
        cell.markChanged();
    };
    auto clearRow = [&](int32_t r) {
        for (int32_t c = 1; c <= colCount_ + 1; ++c) clearQuietly(r, c);
    };
    if (multiSelect_) {
        selection_.forEachSorted(1, rows_.count(), 1, colCount_ + 1, [&](SelItem s) {
            if (rowMode_) clearRow(s.row);
            else clearQuietly(s.row, s.col);
        });
    } else if (curRow_ >= 1 && curRow_ <= rows_.count()) {
        if (rowMode_) clearRow(curRow_);
        else clearQuietly(curRow_, curCol_);
    }
    selection_.clear();
    SetCurrentCell(0, 0);
    RelayoutAndRedraw();
    selContentsChanged_ = true;
    FlushPendingEvents();
}

void Lattix::SelectAll() {
    if (!multiSelect_) RaiseLattixError(lattix_error::kIllegalOperation);
    RefuseDuringStructuralChange();
    const int64_t all = rowMode_ ? int64_t{rows_.count()} : (int64_t{colCount_} + 1) * rows_.count();
    if (selection_.count() == all) return;
    std::optional<StructureLock> lock(std::in_place, *this);
    BeforeSelectionBookkeeping();
    const std::vector<int32_t> columns = visibleColumnIndices(*this);
    const int32_t rowText = colCount_ + 1;
    const bool quiet = !events_.hasSinks();
    for (int32_t r = 1; r <= rows_.count(); ++r) {
        const RowRecord& rec = rows_[r];
        if (!rec.displayed()) continue;
        if (rec.isGroup()) {
            selectCell(r, rowText, true, true, false);
        } else if (quiet) {
            // No handler can run in between: work on the row's cells directly.
            CellRecord* cells = cells_.slotCells(rec.cellSlot);
            for (int32_t c : columns) {
                CellRecord& cell = cells[c - 1];
                if (cell.selected() || !cell.selectable()) continue;
                cell.setSelected(true);
                cell.markChanged();
                selection_.add(r, rowMode_ ? 1 : c);
            }
        } else {
            for (int32_t c : columns) selectCell(r, c, true, true, false);
        }
    }
    lock.reset();
    RelayoutAndRedraw();
    selContentsChanged_ = true;
    FlushPendingEvents();
}

void Lattix::InvertSelection() {
    if (!multiSelect_) RaiseLattixError(lattix_error::kIllegalOperation);
    RefuseDuringStructuralChange();
    {
        StructureLock lock(*this);
        for (int32_t r = 1; r <= rows_.count(); ++r) {
            const RowRecord& rec = rows_[r];
            if (!rec.displayed()) continue;
            if (rec.isGroup() || !rowMode_) invertRow(r);
            else selectRow(r, !Cell(r, 1).selected());
        }
    }
    RelayoutAndRedraw();
    if (selChangePending_) selContentsChanged_ = true;
    FlushPendingEvents();
}

// ---- modes ----

void Lattix::SetRowMode(bool b) {
    // The mode rebuilds the whole selection: not while the grid is walking it (or anything else).
    if (InStructuralOperation()) RaiseLattixError(lattix_error::kIllegalOperation);
    if (b == rowMode_) {
        PropertyChanged("RowMode");
        return;
    }
    if (multiSelect_ && selection_.count() > 0) {
        std::optional<StructureLock> lock(std::in_place, *this);
        std::vector<int32_t> selectedRows;
        int32_t last = 0;
        selection_.forEachSorted(1, rows_.count(), 1, colCount_ + 1, [&](SelItem s) {
            if (s.row != last) selectedRows.push_back(last = s.row);
        });
        selection_.clear();
        rowMode_ = b;
        if (b) {
            // Each row with a selected cell is selected entirely and becomes one item.
            for (int32_t r : selectedRows) {
                selectRow(r, true, false);
                selection_.add(r, 1);
            }
        } else {
            const std::vector<int32_t> columns = visibleColumnIndices(*this);
            for (int32_t r : selectedRows) {
                if (rows_[r].isGroup()) {
                    if (Cell(r, colCount_ + 1).selected()) selection_.add(r, colCount_ + 1);
                    continue;
                }
                for (int32_t c : columns)
                    if (Cell(r, c).selected()) selection_.add(r, c);
            }
        }
        if (selChangePending_) selContentsChanged_ = true;
        lock.reset();
        FlushPendingEvents();
    } else if (!multiSelect_ && curRow_ >= 1 && curRow_ <= rows_.count()) {
        std::optional<StructureLock> lock(std::in_place, *this);
        // The current cell as it was: a handler moving it meanwhile does not redirect this walk.
        const int32_t row = curRow_, col = curCol_;
        BeforeSelectionBookkeeping();
        selection_.clear();
        rowMode_ = b;
        if (b) {
            for (int32_t c = 1; c <= colCount_ + 1; ++c) selectCell(row, c, true, false);
            selection_.add(row, 1);
        } else {
            for (int32_t c = 1; c <= colCount_ + 1; ++c)
                if (c != col) selectCell(row, c, false, false);
            if (col >= 1) {
                selectCell(row, col, true, false);
                selection_.add(row, col);
            }
        }
        selContentsChanged_ = true;
        lock.reset();
        FlushPendingEvents();
    }
    rowMode_ = b;
    RelayoutAndRedraw();
    PropertyChanged("RowMode");
}

void Lattix::SetFullRowSelect(bool b) {
    fullRowSelect_ = b;
    RelayoutAndRedraw();
    PropertyChanged("FullRowSelect");
}

void Lattix::SetDragSelect(bool b) {
    dragSelect_ = b;
    PropertyChanged("DragSelect");
}

} // namespace lattix
