// MoveRow: moves a block of row records to a new place. Cells never move; the cell slots, keys and
// tags travel with their records.
#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/model/subtree_visibility.h"

namespace lattix {

using namespace lattix_error;

namespace {
constexpr int32_t kMoveBefore = 0;
constexpr int32_t kMoveAsChild = 2;

void setTreeButton(RowRecord& r, uint8_t button) {
    r.flags = static_cast<uint8_t>((r.flags & ~row_flags::kTreeButtonMask) | button);
}
} // namespace

void Lattix::MoveRow(const Variant& vrow, const Variant& vRowNewPos, int32_t lCount, int32_t eMode) {
    const int32_t src = ResolveRow(vrow);
    const int32_t dst = ResolveRow(vRowNewPos);
    if (eMode < 0 || eMode > 2) RaiseLattixError(kInvalidArgument);
    if (src == dst) return;
    const bool treeMode = treeCol_ != 0 || groupRows_ != 0;
    int32_t count = 0;
    int32_t levelChange = 0;
    if (treeMode) {
        // The row moves with all its nested rows.
        const int32_t last = LastNestedOf(src);
        if (dst > src && dst <= last) RaiseLattixError(kSubscriptOutOfRange);
        count = last - src + 1;
        levelChange = rows_[dst].level - rows_[src].level + (eMode == kMoveAsChild ? 1 : 0);
        // Levels are bytes: a move that would push a nested row past 255 is refused.
        if (levelChange > 0) {
            int32_t deepest = 0;
            for (int32_t r = src; r <= last; ++r) deepest = std::max<int32_t>(deepest, rows_[r].level);
            if (deepest + levelChange > 255) RaiseLattixError(kInvalidArgument);
        }
    } else {
        if (lCount < 1) RaiseLattixError(kInvalidArgument);
        if (static_cast<int64_t>(src) + lCount - 1 > rows_.count()) RaiseLattixError(kSubscriptOutOfRange);
        if (dst > src && dst <= src + lCount - 1) RaiseLattixError(kSubscriptOutOfRange);
        count = lCount;
    }
    StructuralScope scope(*this);
    MarkLayout(1);
    EndEditing();

    // The rows that shift, by how much, and where the block lands.
    int32_t shiftFirst, shiftLast, shift, newFirst;
    if (dst > src) {
        shiftFirst = src + count;
        shiftLast = eMode == kMoveBefore ? dst - 1 : dst;
        shift = -count;
        newFirst = eMode == kMoveBefore ? dst - count : dst - count + 1;
    } else {
        shiftFirst = eMode == kMoveBefore ? dst : dst + 1;
        shiftLast = src - 1;
        shift = count;
        newFirst = eMode == kMoveBefore ? dst : dst + 1;
    }

    bool changedInPlace = false;
    bool newVisibleAsChild = false;
    if (treeMode) {
        const int32_t oldParent = ParentOf(src);
        if (oldParent > 0) {
            int32_t children = 0;
            const int32_t childLevel = rows_[oldParent].level + 1;
            for (int32_t r = oldParent + 1, end = LastNestedOf(oldParent); r <= end && children < 2; ++r)
                children += rows_[r].level == childLevel;
            if (children == 1) setTreeButton(rows_[oldParent], 1);
        }
        const int32_t newParent = eMode == kMoveAsChild ? dst : ParentOf(dst);
        if (newParent > 0) setTreeButton(rows_[newParent], 2);
        const RowRecord& d = rows_[dst];
        newVisibleAsChild = (d.flags & row_flags::kVisibleAsChild) &&
                            (eMode != kMoveAsChild || (d.flags & row_flags::kExpanded));
        if (levelChange != 0) {
            for (int32_t r = src; r < src + count; ++r)
                rows_[r].level = static_cast<uint8_t>(rows_[r].level + levelChange);
            changedInPlace = true;
        }
        if (static_cast<bool>(rows_[src].flags & row_flags::kVisibleAsChild) != newVisibleAsChild) changedInPlace = true;
    }

    if (newFirst != src) {
        auto base = rows_.raw().begin();
        if (dst > src) std::rotate(base + src, base + src + count, base + newFirst + count);
        else std::rotate(base + newFirst, base + src, base + src + count);
        keyIndex_.positionsChanged();
    }
    if (treeMode) {
        // The moved row takes the visibility of its new place; the rows nested in it (after a move
        // behind dst also the rows it now holds) follow from their own ancestors.
        setVisibleAsChild(rows_[newFirst], newVisibleAsChild);
        ApplySubtreeVisibility(rows_, newFirst, newVisibleAsChild, displayedRows_);
    }

    if (newFirst != src) {
        auto map = [&](int32_t row) {
            if (row >= src && row < src + count) return newFirst + (row - src);
            if (row >= shiftFirst && row <= shiftLast) return row + shift;
            return row;
        };
        if (selection_.count() > 0) {
            bool moves = false;
            moves = selection_.anyInRows(std::min(src, shiftFirst), std::max(src + count - 1, shiftLast));
            if (moves) {
                BeforeSelectionBookkeeping();
                selection_.remap([&](SelItem& s) {
                    s.row = map(s.row);
                    return true;
                });
            }
        }
        LayoutRowsFrom(std::min(src, newFirst));
        SetCurrentCell(map(curRow_), curCol_);
    } else if (changedInPlace) {
        LayoutRowsFrom(src);
    }
    if (newFirst == src && eMode != kMoveAsChild && !changedInPlace) {
        FlushPendingEvents();
        return;
    }
    GroupedRowsChanged();
    RelayoutAndRedraw();
    FlushPendingEvents();
}

} // namespace lattix
