// Scrolling a row, a column or a cell into view.
#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"

namespace lattix {

using namespace lattix_error;

namespace {
// The margin the automatic rule keeps between a scrolled-in cell and the edge of the view.
constexpr int32_t kAutoMargin = 8;

// The new scroll value for an item spanning [start, end) in a view of `size` scrolled to `scroll`
// (the vertical moves; the horizontal ones are the same with left for top and right for bottom).
// Returns `scroll` when nothing is to move.
int32_t EnsureSpanVisible(int64_t start, int64_t end, int32_t scroll, int32_t size, int32_t mode, int32_t gap) {
    const int64_t moveA = start - gap;              // at the top, gap above it
    const int64_t moveB = end - size + gap;          // at the bottom, gap below it
    const int64_t moveC = start;                     // at the top, no gap
    const bool inside = start >= scroll && end <= static_cast<int64_t>(scroll) + size;
    const bool higher = end - start > size;
    int64_t v = scroll;
    switch (mode) {
    case 0: // auto
        if (start < scroll) v = moveA;
        else if (end <= static_cast<int64_t>(scroll) + size) v = scroll;
        else v = higher ? moveC : moveB;
        break;
    case 1: // top
        if (!inside) v = moveA;
        break;
    case 2: v = moveA; break; // top, always
    case 3:                   // bottom
        if (!inside) v = higher ? moveC : moveB;
        break;
    default: v = higher ? moveC : moveB; break; // bottom, always
    }
    return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}
} // namespace

void Lattix::EnsureVisibleRow(const Variant& vrow, int32_t eMode, int32_t lGap) {
    const int32_t row = ResolveRow(vrow);
    if (eMode < 0 || eMode > 4) RaiseLattixError(kInvalidArgument);
    if (!ensureVisibleAutoVScroll_ || !rows_[row].displayed()) return;
    if (editing_) EndEditing();
    const int32_t top = RowTop(row);
    SetScrollY(EnsureSpanVisible(top, static_cast<int64_t>(top) + rows_[row].height, view_.scrollY,
                                 view_.viewHeight, eMode, lGap));
}

void Lattix::EnsureVisibleCol(const Variant& vCol, int32_t eMode, int32_t lGap) {
    const int32_t pos = ResolveColPos(vCol);
    if (eMode < 0 || eMode > 4) RaiseLattixError(kInvalidArgument);
    if (std::min(frozenCols_, colCount_) > 0) RaiseLattixError(kIllegalOperation);
    const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    if (!ensureVisibleAutoHScroll_ || !c.laidOut) return;
    if (editing_) EndEditing();
    SetHScrollValue(EnsureSpanVisible(c.left, static_cast<int64_t>(c.left) + c.width, view_.scrollX,
                                      view_.viewWidth, eMode, lGap));
}

void Lattix::EnsureVisibleCell(const Variant& vrow, const Variant& vCol) {
    const int32_t row = ResolveRow(vrow);
    const int32_t col = ResolveColIndex(vCol);
    EnsureCellVisibleAuto(row, col);
}

bool Lattix::EnsureCellVisibleAuto(int32_t row, int32_t colIndex) {
    if (row < 1 || row > rows_.count() || colIndex < 1 || colIndex > colCount_ + 1) return false;
    RecalcVisibleRange();
    bool scrolled = false;
    const RowRecord& r = rows_[row];
    const bool rowTextCell = colIndex == RowTextCol() || r.isGroup();
    if (ensureVisibleAutoHScroll_) {
        const int32_t frozen = std::min(frozenCols_, colCount_);
        const int32_t pos = PositionOfIndex(colIndex);
        if (frozen > 0) {
            if (!rowTextCell && pos > frozen) {
                // k: shown non-frozen columns before the column.
                int32_t k = 0;
                for (int32_t p = frozen + 1; p < pos; ++p) {
                    const ColumnRecord& c = cols_[static_cast<size_t>(p)];
                    if (c.visible && c.width >= 1) ++k;
                }
                const ColumnRecord& target = cols_[static_cast<size_t>(pos)];
                if (k < view_.hScrollValue) {
                    scrolled = SetHScrollValue(k);
                } else if (target.laidOut && target.left + target.width > view_.viewWidth) {
                    // Scroll off leading columns until the right edge fits, but never the column itself:
                    // a column wider than the free room stops as the first scrollable one.
                    int32_t right = target.left + target.width, count = 0;
                    for (int32_t p = frozen + 1; p < pos && right > view_.viewWidth; ++p) {
                        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
                        if (!c.laidOut) continue;
                        right -= c.width;
                        ++count;
                    }
                    if (count > 0) scrolled = SetHScrollValue(view_.hScrollValue + count);
                }
            }
        } else {
            int64_t left, right;
            if (rowTextCell) {
                const int32_t startPos = r.isGroup() ? colTotals_.firstShownPos : RowTextStartPos();
                left = startPos ? cols_[static_cast<size_t>(startPos)].left : 0;
                right = left + 1;
            } else {
                const ColumnRecord& c = cols_[static_cast<size_t>(pos)];
                left = c.left;
                right = static_cast<int64_t>(c.left) + c.width;
            }
            const int32_t sx = view_.scrollX, vw = view_.viewWidth;
            int64_t target = sx;
            if (left < sx) target = left - kAutoMargin;
            else if (right > static_cast<int64_t>(sx) + vw) target = right - left <= vw ? right - vw + kAutoMargin : left;
            if (target != sx) scrolled = SetHScrollValue(static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX)));
        }
    }
    if (ensureVisibleAutoVScroll_ && r.displayed()) {
        const int64_t top = RowTop(row), bottom = top + r.height;
        const int32_t sy = view_.scrollY, vh = view_.viewHeight;
        int64_t target = sy;
        if (top < sy) target = top - kAutoMargin;
        else if (bottom > static_cast<int64_t>(sy) + vh) target = bottom - top < vh ? bottom - vh + kAutoMargin : top;
        if (target != sy && SetScrollY(static_cast<int32_t>(std::clamp<int64_t>(target, INT32_MIN, INT32_MAX))))
            scrolled = true;
    }
    return scrolled;
}

} // namespace lattix
