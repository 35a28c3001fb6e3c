// Adding columns (AddCol, ColCount growing) and removing them by index range (ColCount shrinking).
#include <algorithm>
#include <limits>
#include <new>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/cell_storage.h"
#include "grid/objects/cell_object.h"
#include "runtime/automation_error.h"

namespace lattix {

using namespace lattix_error;

namespace {
// Column counts beyond this cannot be held by a 32-bit index with the row text column after them.
constexpr int64_t kMaxColumns = std::numeric_limits<int32_t>::max() - 1;

// The records of `columns` columns, and the copy a change builds beside them, must fit in the
// machine's memory before any is made: a count the memory cannot hold raises, allocating nothing.
void CheckColumnRecordsFit(int64_t columns) {
    if (!FitsInMemory(static_cast<uint64_t>(columns + 2) * sizeof(ColumnRecord) * 2)) RaiseLattixError(kOutOfMemory);
}
} // namespace

ColumnRecord Lattix::makeColumn(int32_t index) {
    ColumnRecord c;
    c.width = ScaledFrom96(c.width);
    c.index = index;
    c.defaultCellObject = newDefaultCellObject();
    c.defaultCell = c.defaultCellObject->ToRecord();
    return c;
}

void Lattix::refreshDefaultCells() {
    if (!defaultCellsDirty_) return;
    for (size_t p = 1; p < cols_.size(); ++p)
        if (cols_[p].defaultCellObject) cols_[p].defaultCell = cols_[p].defaultCellObject->ToRecord();
    defaultCellsDirty_ = false;
}

void Lattix::recomputeColumnPositions() {
    // left sums the columns that have a header item; visibleIndex counts the visible columns at
    // least 1 pixel wide. A FrozenCols above ColCount freezes every column and no more.
    ColumnLayout L;
    const int32_t frozen = std::min(frozenCols_, colCount_);
    int32_t left = 0, visibleIndex = 0;
    for (int32_t p = 1; p <= colCount_; ++p) {
        ColumnRecord& c = cols_[static_cast<size_t>(p)];
        c.left = left;
        if (c.inHeader) left += c.width;
        const bool shown = c.visible && c.width >= 1;
        c.visibleIndex = shown ? ++visibleIndex : 0;
        if (p <= frozen) {
            if (c.inHeader) {
                L.frozenWidth += c.width;
                ++L.frozenCount;
            }
            if (shown) {
                ++L.frozenVisibleCount;
                L.lastVisibleFrozen = p;
            }
        } else if (shown) {
            L.scrollWidth += c.width;
            ++L.scrollCount;
            if (!L.firstVisibleScrollable) L.firstVisibleScrollable = p;
        }
        if (shown) {
            if (!L.firstVisible) L.firstVisible = p;
            L.lastVisible = p;
        }
    }
    // The row text column has no header item and no place among the visible columns.
    ColumnRecord& rowText = cols_[static_cast<size_t>(colCount_ + 1)];
    rowText.left = left;
    rowText.visibleIndex = 0;
    colLayout_ = L;
    // The view's positions: laid-out columns only (frozen scrolling hides leading scrollable ones).
    recomputeLaidOutColumns();
}

std::shared_ptr<CellObject> Lattix::AddCol(const AddColArgs& a) {
    std::string keyLower = AsciiLower(a.sKey);
    // 1-4: checks, nothing changes before they pass.
    if (!a.sKey.empty())
        for (int32_t p = 1; p <= colCount_ + 1; ++p)
            if (cols_[static_cast<size_t>(p)].keyLower == keyLower) RaiseLattixError(kDuplicateKey);
    if (a.lWidth < -1) RaiseLattixError(kInvalidArgument);
    int32_t width = a.lWidth == -1 ? 64 : a.lWidth;
    if (a.lMinWidth >= 0 && width < a.lMinWidth) width = a.lMinWidth;
    if (a.lMaxWidth >= 0 && width > a.lMaxWidth) width = a.lMaxWidth;
    if (a.lMinWidth >= 0 && a.lMaxWidth >= 0 && a.lMaxWidth < a.lMinWidth) RaiseLattixError(kMaxBelowMin);
    int32_t P = a.vColBefore.isOmitted() ? colCount_ + 1 : ResolveColPos(a.vColBefore);
    if (a.lCount < 1) RaiseLattixError(kInvalidArgument);
    if (static_cast<int64_t>(colCount_) + a.lCount > kMaxColumns) RaiseLattixError(kOutOfMemory);
    CheckColumnRecordsFit(static_cast<int64_t>(colCount_) + a.lCount);
    StructuralScope scope(*this);
    // The edit ends (with its commit events) before anything changes: a handler sees the grid as it
    // was, and an error it raises leaves it so.
    EndEditing();
    const int32_t n = a.lCount;
    const int32_t I = cols_[static_cast<size_t>(P)].index;

    // Build every new piece first, so that running out of memory leaves the grid as it was.
    std::vector<ColumnRecord> added;
    std::vector<ColumnRecord> newCols;
    try {
        refreshDefaultCells();
        added.reserve(static_cast<size_t>(n));
        for (int32_t k = 1; k <= n; ++k) {
            ColumnRecord c = makeColumn(I + k - 1);
            if (k == 1) {
                c.key = a.sKey;
                c.keyLower = keyLower;
            }
            c.visible = c.inHeader = a.bVisible;
            c.headerText = a.sHeader;
            c.width = width;
            c.headerIcon = a.iHeaderIcon;
            c.headerTextFlags = a.eHeaderTextFlags;
            c.headerAlignH = a.eHeaderAlignH;
            c.headerAlignV = a.eHeaderAlignV;
            c.sortType = a.eSortType;
            c.sortOrderDefault = a.eSortOrderDefault;
            c.allowSizing = a.bAllowSizing;
            c.minWidth = a.lMinWidth;
            c.maxWidth = a.lMaxWidth;
            c.tag = a.vTag.deref();
            added.push_back(std::move(c));
        }
        newCols.reserve(cols_.size() + static_cast<size_t>(n));
        if (rows_.count() > 0 || cells_.slots() > 0) {
            cells_.rebuildColumns(
                colCount_ + 1 + n, [&](int32_t c) { return c < I ? c : (c >= I + n ? c - n : 0); },
                [&](int32_t c) -> const CellRecord& { return added[static_cast<size_t>(c - I)].defaultCell; });
        } else {
            cells_.clear(colCount_ + 1 + n);
        }
    } catch (const std::bad_alloc&) {
        RaiseLattixError(kOutOfMemory);
    }

    MarkLayout(1);
    for (size_t p = 1; p < cols_.size(); ++p)
        if (cols_[p].index >= I) cols_[p].index += n;
    int32_t newCurCol = curCol_ >= I ? curCol_ + n : curCol_;
    if (!rowMode_ && selection_.count() > 0) {
        bool any = false;
        any = selection_.anyInCols(I, INT32_MAX);
        if (any) {
            BeforeSelectionBookkeeping();
            selection_.remap([&](SelItem& s) {
                if (s.col >= I) s.col += n;
                return true;
            });
        }
    }
    // Header items: the items of the new visible columns go at their display place.
    for (int32_t& item : headerItems_)
        if (item >= I) item += n;
    size_t headerPos = 0;
    for (int32_t p = 1; p < P; ++p)
        if (cols_[static_cast<size_t>(p)].inHeader && p <= colCount_) ++headerPos;
    if (a.bVisible)
        for (int32_t k = 0; k < n; ++k) headerItems_.insert(headerItems_.begin() + static_cast<long>(headerPos) + k, I + k);

    newCols.insert(newCols.end(), std::make_move_iterator(cols_.begin()), std::make_move_iterator(cols_.begin() + P));
    newCols.insert(newCols.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    newCols.insert(newCols.end(), std::make_move_iterator(cols_.begin() + P), std::make_move_iterator(cols_.end()));
    cols_ = std::move(newCols);
    colCount_ += n;
    recomputeColumnPositions();

    SetCurrentCell(curRow_, newCurCol);
    RelayoutAndRedraw();
    std::shared_ptr<CellObject> result = cols_[static_cast<size_t>(P)].defaultCellObject;
    FlushPendingEvents();
    scope.close();
    return result;
}

void Lattix::removeColumnsByIndex(int32_t I, int32_t L) {
    const int32_t n = L - I + 1;
    // Allocated but unused slots are rebuilt too: the reserve must keep its room.
    if (cells_.slots() > 0) {
        try {
            cells_.rebuildColumns(
                colCount_ + 1 - n, [&](int32_t c) { return c < I ? c : c + n; },
                [&](int32_t c) -> const CellRecord& { return cols_[static_cast<size_t>(c)].defaultCell; });
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }
        if (!rowMode_ && selection_.count() > 0) {
            bool any = false;
            any = selection_.anyInCols(I, INT32_MAX);
            if (any) {
                BeforeSelectionBookkeeping();
                int32_t dropped = selection_.remap([&](SelItem& s) {
                    if (s.col >= I && s.col <= L) return false;
                    if (s.col > L) s.col -= n;
                    return true;
                });
                if (dropped) SelectionDropped();
            }
        }
    } else {
        cells_.clear(colCount_ + 1 - n);
    }
    std::erase_if(headerItems_, [&](int32_t item) { return item >= I && item <= L; });
    for (int32_t& item : headerItems_)
        if (item > L) item -= n;
    for (size_t p = 1; p < cols_.size(); ++p)
        if (cols_[p].index >= I && cols_[p].index <= L && cols_[p].defaultCellObject) cols_[p].defaultCellObject->detach();
    std::vector<ColumnRecord> kept;
    kept.reserve(cols_.size() - static_cast<size_t>(n));
    kept.emplace_back();
    for (size_t p = 1; p < cols_.size(); ++p) {
        ColumnRecord& c = cols_[p];
        if (c.index >= I && c.index <= L) continue;
        if (c.index > L) c.index -= n;
        kept.push_back(std::move(c));
    }
    cols_ = std::move(kept);
    colCount_ -= n;
    recomputeColumnPositions();
}

void Lattix::clearRows(bool removeCols) {
    cells_.clear(removeCols ? 1 : colCount_ + 1);
    rows_.clear();
    freeSlots_.clear();
    keyIndex_.clear();
    groupRows_ = allocatedRows_ = displayedRows_ = 0;
    MarkLayout(1);
    if (removeCols) {
        for (size_t p = 1; p < cols_.size(); ++p)
            if (cols_[p].defaultCellObject) cols_[p].defaultCellObject->detach();
        cols_.clear();
        cols_.resize(2);
        cols_[1] = makeColumn(1);
        colCount_ = 0;
        headerItems_.clear();
    }
    if (selection_.count() > 0) {
        BeforeSelectionBookkeeping();
        selection_.clear();
        SelectionDropped();
    }
}

void Lattix::SetColCount(int32_t n) {
    if (n < 0) RaiseLattixError(kInvalidArgument);
    if (n == colCount_) return;
    if (static_cast<int64_t>(n) > kMaxColumns) RaiseLattixError(kOutOfMemory);
    if (n > colCount_) CheckColumnRecordsFit(n);
    StructuralScope scope(*this);
    if (n > colCount_) {
        const int32_t old = colCount_;
        const int32_t added = n - old;
        std::vector<ColumnRecord> fresh;
        try {
            refreshDefaultCells();
            fresh.reserve(static_cast<size_t>(added));
            for (int32_t i = old + 1; i <= n; ++i) {
                ColumnRecord c = makeColumn(i);
                std::string text;
                for (char ch : autoColHeaderTextTemplate_) {
                    if (ch == '#') text += std::to_string(i);
                    else text += ch;
                }
                c.headerText = text;
                fresh.push_back(std::move(c));
            }
            cols_.reserve(static_cast<size_t>(n) + 2);
            // The row text column's cells move to the new last index.
            if (rows_.count() > 0 || cells_.slots() > 0)
                cells_.rebuildColumns(
                    n + 1, [&](int32_t c) { return c <= old ? c : (c == n + 1 ? old + 1 : 0); },
                    [&](int32_t c) -> const CellRecord& { return fresh[static_cast<size_t>(c - old - 1)].defaultCell; });
            else cells_.clear(n + 1);
        } catch (const std::bad_alloc&) {
            RaiseLattixError(kOutOfMemory);
        }
        MarkLayout(1);
        // Display order: the row text column stays last and takes the index n + 1.
        int32_t rowTextPos = colCount_ + 1;
        ColumnRecord rowText = std::move(cols_[static_cast<size_t>(rowTextPos)]);
        cols_.pop_back();
        rowText.index = n + 1;
        for (ColumnRecord& c : fresh) {
            headerItems_.push_back(c.index);
            cols_.push_back(std::move(c));
        }
        cols_.push_back(std::move(rowText));
        colCount_ = n;
        recomputeColumnPositions();
        SetCurrentCell(curRow_, curCol_);
    } else if (n > 0) {
        MarkLayout(1);
        EndEditing();
        int32_t newCur = curCol_ > n ? 0 : curCol_;
        removeColumnsByIndex(n + 1, colCount_);
        SetCurrentCell(curRow_, newCur);
    } else {
        MarkLayout(1);
        EndEditing();
        clearRows(true);
        // Every row went with the columns: there is no current cell left.
        SetCurrentCell(0, 0);
    }
    RelayoutAndRedraw();
    FlushPendingEvents();
}

} // namespace lattix
