// Row and column positions, the scroll position, the visible range and point-to-cell lookup.
//
// Row positions are kept in the row records and recomputed lazily: LayoutRowsFrom(pos) only
// remembers the first row whose position is stale, and the next reader recomputes from there to
// the end. Tops never decrease along the rows, so a point finds its row by binary search.
#include <algorithm>
#include <limits>

#include "grid/lattix.h"
#include "grid/view/grid_chrome.h"
#include "grid/view/painter.h"
#include "grid/automation/error_table.h"
#include "runtime/automation_error.h"

namespace lattix {

using namespace lattix_error;

namespace {
constexpr int32_t kNoPendingRow = std::numeric_limits<int32_t>::max();

// Round half to even of a × b / 96, for sizes given in 96-dpi units.
int32_t ScaleFrom96(int32_t value, int32_t dpi) {
    const int64_t num = static_cast<int64_t>(value) * dpi;
    int64_t q = num / 96, r = num % 96;
    if (r * 2 > 96 || (r * 2 == 96 && (q % 2) != 0)) ++q;
    return static_cast<int32_t>(q);
}
} // namespace

// ---- rows ----

void Lattix::LayoutRowsFrom(int32_t pos) {
    if (pos < 1) pos = 1;
    pendingRowLayout_ = std::min(pendingRowLayout_, pos);
}

void Lattix::FlushRowLayout() const {
    if (pendingRowLayout_ == kNoPendingRow) return;
    // The grid is never created const; the positions are a cache of the row heights and flags.
    const_cast<Lattix*>(this)->recomputeRowPositions(pendingRowLayout_);
    pendingRowLayout_ = kNoPendingRow;
}

void Lattix::recomputeRowPositions(int32_t pos) {
    const int32_t n = rows_.count();
    if (pos > n) return;
    // Start from the row above: a displayed row ends where the next one starts, a hidden row has the
    // place of the next displayed one.
    int32_t top = 0, placed = 0;
    if (pos > 1) {
        const RowRecord& above = rows_[pos - 1];
        top = above.top + (above.displayed() ? above.height : 0);
        for (int32_t r = pos - 1; r >= 1; --r)
            if (rows_[r].visibleIndex > 0) {
                placed = rows_[r].visibleIndex;
                break;
            }
    }
    RowRecord* row = &rows_[pos];
    for (int32_t r = pos; r <= n; ++r, ++row) {
        row->top = top;
        if (row->displayed()) {
            row->visibleIndex = ++placed;
            top += row->height;
        } else {
            row->visibleIndex = 0;
        }
    }
}

int32_t Lattix::RowTop(int32_t pos) const {
    FlushRowLayout();
    return rows_[pos].top;
}

int32_t Lattix::ContentHeight() const {
    FlushRowLayout();
    const int32_t n = rows_.count();
    if (n == 0) return 0;
    const RowRecord& last = rows_[n];
    return last.top + (last.displayed() ? last.height : 0);
}

int32_t Lattix::RowAtContentY(int32_t y) const {
    FlushRowLayout();
    const int32_t n = rows_.count();
    if (n == 0 || y < 0) return 0;
    // The last row whose top is at or above y: the displayed row holding y, if any.
    int32_t lo = 1, hi = n, found = 0;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (rows_[mid].top <= y) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    if (found == 0) return 0;
    const RowRecord& r = rows_[found];
    return r.displayed() && y < r.top + r.height ? found : 0;
}

// ---- columns ----

void Lattix::recomputeLaidOutColumns() {
    // A column is shown when visible and at least 1 pixel wide, and laid out when shown unless it is
    // one of the first hScrollValue shown non-frozen columns while columns are frozen.
    ColumnTotals t;
    const int32_t frozen = std::min(frozenCols_, colCount_);
    const int32_t skipped = frozen > 0 ? view_.hScrollValue : 0;
    int32_t x = 0, visibleIndex = 0, scrollableSeen = 0;
    for (int32_t p = 1; p <= colCount_; ++p) {
        ColumnRecord& c = cols_[static_cast<size_t>(p)];
        const bool shown = c.visible && c.width >= 1;
        c.visibleIndex = shown ? ++visibleIndex : 0;
        if (shown) {
            if (!t.firstShownPos) t.firstShownPos = p;
            t.lastShownPos = p;
        }
        bool laidOut = shown;
        if (shown && p > frozen && frozen > 0) laidOut = ++scrollableSeen > skipped;
        c.laidOut = laidOut;
        c.left = x;
        if (laidOut) {
            x += c.width;
            if (p <= frozen) {
                t.frozenWidth += c.width;
                ++t.frozenShownCount;
                t.lastFrozenPos = p;
            }
        }
        if (p > frozen && shown) {
            t.scrollableWidth += c.width;
            ++t.scrollableShownCount;
            if (!t.firstScrollablePos) t.firstScrollablePos = p;
        }
    }
    ColumnRecord& rowText = cols_[static_cast<size_t>(colCount_ + 1)];
    rowText.left = x;
    rowText.visibleIndex = 0;
    rowText.laidOut = false;
    colTotals_ = t;
}

int32_t Lattix::ContentWidth() const { return cols_[static_cast<size_t>(colCount_ + 1)].left; }

int32_t Lattix::ColPosAtContentX(int32_t x) const {
    if (x < 0 || colCount_ == 0) return 0;
    // Lefts never decrease along the positions: the last position starting at or before x.
    int32_t lo = 1, hi = colCount_, found = 0;
    while (lo <= hi) {
        const int32_t mid = lo + (hi - lo) / 2;
        if (cols_[static_cast<size_t>(mid)].left <= x) {
            found = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    // Columns that take no room share the left of the next one; step back to a laid-out one.
    while (found > 0 && !cols_[static_cast<size_t>(found)].laidOut) --found;
    if (found == 0) return 0;
    const ColumnRecord& c = cols_[static_cast<size_t>(found)];
    return x < c.left + c.width ? found : 0;
}

int32_t Lattix::RowTextStartPos() const {
    return rowTextStartCol_ >= 1 && rowTextStartCol_ <= colCount_ ? rowTextStartCol_ : 1;
}

bool Lattix::RowHasRowText(int32_t row) const { return drawRowText_ && !rows_[row].isGroup(); }

// ---- view size and scroll position ----

int32_t Lattix::CellsAreaTop() const { return chrome_ && !chrome_->Header().visible ? 0 : headerHeight_; }

void Lattix::updateViewSize() {
    view_.viewWidth = std::max(0, view_.clientWidth - view_.vScrollSpace);
    view_.viewHeight = std::max(0, view_.clientHeight - CellsAreaTop() - view_.hScrollSpace);
}

void Lattix::SetClientSize(int32_t width, int32_t height) {
    view_.clientWidth = std::max(0, width);
    view_.clientHeight = std::max(0, height);
    updateViewSize();
    MarkLayout(layout_mark::kAll);
    // A bigger view may leave the scroll position beyond its new range.
    clampScrollPosition();
}

void Lattix::SetScrollBarSpace(int32_t vScrollWidth, int32_t hScrollHeight) {
    view_.vScrollSpace = std::max(0, vScrollWidth);
    view_.hScrollSpace = std::max(0, hScrollHeight);
    updateViewSize();
    MarkLayout(layout_mark::kAll);
}

int32_t Lattix::VScrollMax() const { return std::max(0, ContentHeight() - view_.viewHeight); }

int32_t Lattix::HScrollMax() const {
    if (std::min(frozenCols_, colCount_) > 0) {
        // Columns: the fewest leading scrollable columns to hide so that the rest fit beside the
        // frozen ones.
        int32_t room = view_.viewWidth - colTotals_.frozenWidth;
        int32_t remaining = colTotals_.scrollableWidth, hidden = 0;
        for (int32_t p = colTotals_.firstScrollablePos; p >= 1 && p <= colCount_ && remaining > room; ++p) {
            const ColumnRecord& c = cols_[static_cast<size_t>(p)];
            if (!(c.visible && c.width >= 1)) continue;
            if (hidden + 1 >= colTotals_.scrollableShownCount) break; // the last one always stays
            remaining -= c.width;
            ++hidden;
        }
        return hidden;
    }
    int32_t total = 0;
    for (int32_t p = 1; p <= colCount_; ++p) {
        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (c.visible && c.width >= 1) total += c.width;
    }
    return std::max(0, total - view_.viewWidth);
}

bool Lattix::SetScrollY(int32_t value) {
    value = std::clamp(value, 0, VScrollMax());
    if (value == view_.scrollY) return false;
    MarkLayout(value <= view_.scrollY ? layout_mark::kRowsScrolledUp : layout_mark::kRowsScrolledDown);
    const int32_t dy = value - view_.scrollY;
    view_.scrollY = value;
    if (chrome_) chrome_->SyncBarValue(kBarV, value);
    // What stays in view is moved by one copy; only the rows that came into view are painted.
    painter_->ScrollRows(dy);
    if (editing_) followEditorToCell();
    return true;
}

bool Lattix::SetHScrollValue(int32_t value) {
    value = std::clamp(value, 0, HScrollMax());
    if (value == view_.hScrollValue) return false;
    view_.hScrollValue = value;
    if (chrome_) chrome_->SyncBarValue(kBarH, value);
    if (std::min(frozenCols_, colCount_) > 0) {
        view_.scrollX = 0;
        recomputeLaidOutColumns();
    } else {
        view_.scrollX = value;
    }
    MarkLayout(layout_mark::kColumnsOnly);
    InvalidateView();
    if (editing_) followEditorToCell();
    return true;
}

void Lattix::clampScrollPosition() {
    const int32_t maxY = VScrollMax();
    if (view_.scrollY > maxY) {
        view_.scrollY = maxY;
        if (chrome_) chrome_->SyncBarValue(kBarV, maxY);
        MarkLayout(layout_mark::kAll);
    }
    const int32_t maxH = HScrollMax();
    if (view_.hScrollValue > maxH) SetHScrollValue(maxH);
    if (std::min(frozenCols_, colCount_) > 0) view_.scrollX = 0;
}

void Lattix::ResetHorizontalScroll() {
    view_.hScrollValue = 0;
    view_.scrollX = 0;
    if (chrome_) chrome_->SyncBarValue(kBarH, 0);
    MarkLayout(layout_mark::kColumnsOnly);
}

void Lattix::MarkLayout(int mode) {
    view_.layoutMark = view_.layoutMark != layout_mark::kNone ? layout_mark::kAll : mode;
}

int32_t Lattix::LevelIndentPx() const { return ScaleFrom96(levelIndent_, system_.dpiX); }

int32_t Lattix::ScaledFrom96(int32_t units) const { return ScaleFrom96(units, system_.dpiX); }

int32_t Lattix::TreeButtonPx() const { return ScaleFrom96(treeButtonSize_, system_.dpiX); }

// ---- visible range ----

const VisibleRange& Lattix::VisRange() {
    RecalcVisibleRange();
    return view_.vis;
}

int32_t Lattix::MaxVisRowHeight() {
    RecalcVisibleRange();
    return view_.maxVisRowHeight;
}

void Lattix::RecalcVisibleRange() {
    if (view_.layoutMark == layout_mark::kNone) return;
    VisibleRange& v = view_.vis;
    const int32_t scrollX = view_.scrollX, scrollY = view_.scrollY;

    // Columns, always.
    v.firstCol = 0;
    v.firstColHidden = 0;
    v.lastCol = colCount_ + 1;
    v.lastColRight = 0;
    bool anyLaidOut = false, firstFound = false;
    for (int32_t p = 1; p <= colCount_; ++p) {
        const ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (!c.laidOut) continue;
        anyLaidOut = true;
        const int32_t right = c.left + c.width;
        if (!firstFound) {
            if (right < scrollX) continue;
            firstFound = true;
            v.firstCol = p;
            v.firstColHidden = c.left - scrollX;
        }
        v.lastCol = p;
        v.lastColRight = right - scrollX;
        if (right - scrollX > view_.viewWidth) break;
    }
    if (anyLaidOut && !firstFound) v.lastCol = -1; // scrolled past every column

    // Rows (a columns-only mark keeps them).
    if (view_.layoutMark != layout_mark::kColumnsOnly) {
        view_.maxVisRowHeight = 0;
        v.firstRow = 0;
        v.firstRowHidden = 0;
        v.lastRow = -1;
        v.lastRowBottom = 0;
        FlushRowLayout();
        const int32_t n = rows_.count();
        // First row: the displayed row holding scrollY, else the first displayed row below it.
        int32_t first = RowAtContentY(scrollY);
        if (first == 0) {
            int32_t lo = 1, hi = n, cand = 0; // first row whose top is beyond scrollY
            while (lo <= hi) {
                const int32_t mid = lo + (hi - lo) / 2;
                if (rows_[mid].top > scrollY) {
                    cand = mid;
                    hi = mid - 1;
                } else {
                    lo = mid + 1;
                }
            }
            while (cand >= 1 && cand <= n && !rows_[cand].displayed()) ++cand;
            first = cand >= 1 && cand <= n ? cand : 0;
        }
        if (first > 0) {
            v.firstRow = first;
            v.firstRowHidden = rows_[first].top - scrollY;
            const int64_t viewBottom = static_cast<int64_t>(scrollY) + view_.viewHeight;
            for (int32_t r = first; r <= n; ++r) {
                const RowRecord& row = rows_[r];
                if (!row.displayed()) continue;
                if (r != first && row.top >= viewBottom) break;
                v.lastRow = r;
                v.lastRowBottom = row.top + row.height - scrollY;
                view_.maxVisRowHeight = std::max<int32_t>(view_.maxVisRowHeight, row.height);
            }
        }
    }

    // Rows with a row-text cell need the painter to reach the row-text column.
    if (v.firstRow > 0) {
        bool rowText = drawRowText_;
        for (int32_t r = v.firstRow; !rowText && r <= v.lastRow; ++r)
            rowText = rows_[r].displayed() && rows_[r].isGroup();
        if (rowText) v.lastCol = colCount_ + 1;
    }
    view_.layoutMark = layout_mark::kNone;
}

// ---- points and cells ----

Lattix::CellHit Lattix::CellAtWindowPoint(int32_t x, int32_t y) {
    RecalcVisibleRange();
    CellHit hit;
    const int32_t hh = CellsAreaTop();
    const int64_t px = static_cast<int64_t>(x) + view_.scrollX;
    const int64_t py = static_cast<int64_t>(y) + view_.scrollY - hh;
    const bool inRows = y >= hh && y < hh + view_.viewHeight;
    const bool inCols = x >= 0 && x < view_.viewWidth;
    if (inRows && py <= std::numeric_limits<int32_t>::max()) hit.row = RowAtContentY(static_cast<int32_t>(py));
    if (!inCols || px > std::numeric_limits<int32_t>::max()) return hit;
    const int32_t pos = ColPosAtContentX(static_cast<int32_t>(px));
    if (hit.row > 0 && rows_[hit.row].isGroup()) {
        if (pos > 0) hit.col = RowTextCol();
        return hit;
    }
    if (pos == 0) return hit;
    if (hit.row > 0 && RowHasRowText(hit.row) && pos >= RowTextStartPos() &&
        py >= static_cast<int64_t>(rows_[hit.row].top) + rows_[hit.row].normalCellHeight) {
        hit.col = RowTextCol();
        return hit;
    }
    hit.col = cols_[static_cast<size_t>(pos)].index;
    return hit;
}

void Lattix::CellFromPoint(int32_t xPixels, int32_t yPixels, int32_t& lRow, int32_t& lCol) {
    const CellHit hit = CellAtWindowPoint(xPixels, yPixels);
    lRow = hit.row;
    lCol = hit.col;
}

int32_t Lattix::RowStartY(const Variant& vrow) const { return RowTop(ResolveRow(vrow)); }

int32_t Lattix::ColStartX(const Variant& vCol) const { return cols_[static_cast<size_t>(ResolveColPos(vCol))].left; }

gfx::Rect Lattix::CellRectInWindow(int32_t row, int32_t colIndex) const {
    const int32_t hh = CellsAreaTop();
    const RowRecord& r = rows_[row];
    const int32_t top = RowTop(row) - view_.scrollY + hh;
    const auto& pos = [&](int32_t p) -> const ColumnRecord& { return cols_[static_cast<size_t>(p)]; };
    if (r.isGroup()) {
        const int32_t first = colTotals_.firstShownPos, last = colTotals_.lastShownPos;
        const int32_t left = first ? pos(first).left - view_.scrollX : 0;
        const int32_t right = last ? pos(last).left + pos(last).width - view_.scrollX : left;
        return {left, top, right, top + r.height};
    }
    const int32_t rowTextStart = RowTextStartPos();
    if (colIndex == RowTextCol()) {
        const int32_t last = colTotals_.lastShownPos;
        const int32_t left = pos(rowTextStart).left - view_.scrollX;
        const int32_t right = last ? pos(last).left + pos(last).width - view_.scrollX : left;
        const int32_t normal = RowHasRowText(row) ? r.normalCellHeight : r.height;
        return {left, top + normal, std::max(left, right), top + std::max<int32_t>(normal, r.height)};
    }
    const int32_t p = PositionOfIndex(colIndex);
    const ColumnRecord& c = pos(p);
    const int32_t left = c.left - view_.scrollX;
    const int32_t height = RowHasRowText(row) && p >= rowTextStart ? r.normalCellHeight : r.height;
    return {left, top, left + c.width, top + height};
}

} // namespace lattix
