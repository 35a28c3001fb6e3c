// Per-column properties: widths and their limits, header attributes, sort fields, visibility and
// position, and the grid-wide frozen-column settings.
#include <algorithm>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"

namespace lattix {

using namespace lattix_error;

namespace {
// A limit below 0 does not apply.
int32_t clampToLimits(int32_t width, const ColumnRecord& c) {
    if (c.minWidth >= 0 && width < c.minWidth) width = c.minWidth;
    if (c.maxWidth >= 0 && width > c.maxWidth) width = c.maxWidth;
    return width;
}
} // namespace

void Lattix::refreshHeaderItem(int32_t pos) {
    if (beginUpdateCount_ > 0) return;
    if (cols_[static_cast<size_t>(pos)].inHeader && pos <= colCount_) ++headerItemRefreshes_;
}

void Lattix::rebuildHeaderItems() {
    headerItems_.clear();
    for (int32_t p = 1; p <= colCount_; ++p)
        if (cols_[static_cast<size_t>(p)].inHeader) headerItems_.push_back(cols_[static_cast<size_t>(p)].index);
}

void Lattix::applyColumnWidth(int32_t pos, int32_t width) {
    MarkLayout(1);
    EndEditing();
    cols_[static_cast<size_t>(pos)].width = width;
    // The header item takes its width from the record.
    recomputeColumnPositions();
    RelayoutAndRedraw();
}

int32_t Lattix::ColWidth(const Variant& vCol) const { return columnAt(vCol).width; }

void Lattix::SetColWidth(const Variant& vCol, int32_t lWidth) {
    const int32_t pos = ResolveColPos(vCol);
    if (lWidth < 0) RaiseLattixError(kInvalidArgument);
    applyColumnWidth(pos, clampToLimits(lWidth, cols_[static_cast<size_t>(pos)]));
}

int32_t Lattix::ColMinWidth(const Variant& vCol) const { return columnAt(vCol).minWidth; }

void Lattix::SetColMinWidth(const Variant& vCol, int32_t lWidth) {
    const int32_t pos = ResolveColPos(vCol);
    ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    if (pos == colCount_ + 1) RaiseLattixError(kInvalidArgument);
    if (lWidth >= 0 && c.maxWidth >= 0 && lWidth > c.maxWidth) RaiseLattixError(kMaxBelowMin);
    c.minWidth = lWidth;
    if (lWidth >= 0 && c.width < lWidth) applyColumnWidth(pos, lWidth);
}

int32_t Lattix::ColMaxWidth(const Variant& vCol) const { return columnAt(vCol).maxWidth; }

void Lattix::SetColMaxWidth(const Variant& vCol, int32_t lWidth) {
    const int32_t pos = ResolveColPos(vCol);
    ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    if (pos == colCount_ + 1) RaiseLattixError(kInvalidArgument);
    if (lWidth >= 0 && c.minWidth >= 0 && lWidth < c.minWidth) RaiseLattixError(kMaxBelowMin);
    c.maxWidth = lWidth;
    if (lWidth >= 0 && c.width > lWidth) applyColumnWidth(pos, lWidth);
}

bool Lattix::ColAllowSizing(const Variant& vCol) const { return columnAt(vCol).allowSizing; }
void Lattix::SetColAllowSizing(const Variant& vCol, bool b) { columnAt(vCol).allowSizing = b; }

std::string Lattix::ColHeaderText(const Variant& vCol) const { return columnAt(vCol).headerText; }
void Lattix::SetColHeaderText(const Variant& vCol, const std::string& s) {
    const int32_t pos = ResolveColPos(vCol);
    cols_[static_cast<size_t>(pos)].headerText = s;
    refreshHeaderItem(pos);
}

int16_t Lattix::ColHeaderIcon(const Variant& vCol) const { return columnAt(vCol).headerIcon; }
void Lattix::SetColHeaderIcon(const Variant& vCol, int16_t i) {
    const int32_t pos = ResolveColPos(vCol);
    cols_[static_cast<size_t>(pos)].headerIcon = i;
    refreshHeaderItem(pos);
}

// Header attributes that are stored and shown by redrawing the column's header item.
#define LATTIX_HEADER_ATTRIBUTE(Name, field)                                                                 \
    int32_t Lattix::Name(const Variant& vCol) const { return columnAt(vCol).field; }                        \
    void Lattix::Set##Name(const Variant& vCol, int32_t value) {                                            \
        const int32_t pos = ResolveColPos(vCol);                                                            \
        cols_[static_cast<size_t>(pos)].field = value;                                                      \
        refreshHeaderItem(pos);                                                                             \
    }
LATTIX_HEADER_ATTRIBUTE(ColHeaderTextFlags, headerTextFlags)
LATTIX_HEADER_ATTRIBUTE(ColHeaderAlignH, headerAlignH)
LATTIX_HEADER_ATTRIBUTE(ColHeaderAlignV, headerAlignV)
LATTIX_HEADER_ATTRIBUTE(ColHeaderBackColor, headerBackColor)
LATTIX_HEADER_ATTRIBUTE(ColHeaderForeColor, headerForeColor)
LATTIX_HEADER_ATTRIBUTE(ColSortOrder, sortOrder)
#undef LATTIX_HEADER_ATTRIBUTE

int32_t Lattix::ColSortKey(const Variant& vCol) const { return columnAt(vCol).sortKey; }
// Storing a key rebuilds the sort criteria from the keys of all columns (grid/ops/sorting.cpp).
void Lattix::SetColSortKey(const Variant& vCol, int32_t l) {
    const int32_t pos = ResolveColPos(vCol);
    cols_[static_cast<size_t>(pos)].sortKey = l;
    rebuildCriteriaFromColumns();
}

int32_t Lattix::ColSortType(const Variant& vCol) const { return columnAt(vCol).sortType; }
void Lattix::SetColSortType(const Variant& vCol, int32_t e) { columnAt(vCol).sortType = e; }
int32_t Lattix::ColSortOrderDefault(const Variant& vCol) const { return columnAt(vCol).sortOrderDefault; }
void Lattix::SetColSortOrderDefault(const Variant& vCol, int32_t e) { columnAt(vCol).sortOrderDefault = e; }

bool Lattix::ColVisible(const Variant& vCol) const { return columnAt(vCol).visible; }

void Lattix::SetColVisible(const Variant& vCol, bool bVisible) {
    const int32_t pos = ResolveColPos(vCol);
    if (pos == colCount_ + 1) RaiseLattixError(kInvalidArgument);
    MarkLayout(1);
    ColumnRecord& c = cols_[static_cast<size_t>(pos)];
    if (c.visible == bVisible) return;
    EndEditing();
    // The header items always follow the display order of the columns that have one, so showing a
    // column puts its item after the items of the columns before it, frozen or not.
    c.inHeader = bVisible;
    c.visible = bVisible;
    rebuildHeaderItems();
    recomputeColumnPositions();
    RelayoutAndRedraw();
}

int32_t Lattix::ColVisibleIndex(const Variant& vCol) const { return columnAt(vCol).visibleIndex; }

int32_t Lattix::ColFromPos(int32_t lColPos) const {
    if (lColPos < 1 || lColPos > colCount_ + 1) RaiseLattixError(kSubscriptOutOfRange);
    return cols_[static_cast<size_t>(lColPos)].index;
}

void Lattix::SetColPos(const Variant& vCol, int32_t lPos) {
    if (lPos < 1 || lPos > colCount_) RaiseLattixError(kInvalidArgument);
    const int32_t p = ResolveColPos(vCol);
    // The row text column always stands after the ordinary columns.
    if (p == colCount_ + 1) RaiseLattixError(kInvalidArgument);
    if (p == lPos) return;
    const ColumnLayout& L = colLayout_;
    if ((p == L.firstVisible && L.frozenVisibleCount == 1 && p <= std::min(frozenCols_, colCount_)) ||
        (p == L.lastVisible && L.scrollCount == 1 && p > std::min(frozenCols_, colCount_)))
        RaiseLattixError(kIllegalOperation);
    EndEditing();
    const bool intoFrozen = frozenCols_ >= lPos && p > frozenCols_;
    const bool outOfFrozen = frozenCols_ < lPos && p <= frozenCols_;
    auto first = cols_.begin() + p;
    auto target = cols_.begin() + lPos;
    // The columns between shift one place toward p; no cell moves, the column keeps its index.
    if (lPos < p) std::rotate(target, first, first + 1);
    else std::rotate(first, first + 1, target + 1);
    if (intoFrozen) ++frozenCols_;
    if (outOfFrozen) --frozenCols_;
    rebuildHeaderItems();
    recomputeColumnPositions();
    MarkLayout(1);
    RelayoutAndRedraw();
}

void Lattix::SetColWidths(int32_t lWidth, const Variant& vStartCol, const Variant& vEndCol) {
    if (colCount_ == 0) return;
    if (lWidth < 0) RaiseLattixError(kInvalidArgument);
    const int32_t start = vStartCol.isOmitted() ? 1 : ResolveColIndex(vStartCol);
    const int32_t end = vEndCol.isOmitted() ? colCount_ : ResolveColIndex(vEndCol);
    EndEditing();
    BeginUpdate();
    for (int32_t p = 1; p <= colCount_; ++p) {
        ColumnRecord& c = cols_[static_cast<size_t>(p)];
        if (c.index >= start && c.index <= end) c.width = clampToLimits(lWidth, c);
    }
    recomputeColumnPositions();
    MarkLayout(1);
    EndUpdate();
}

void Lattix::SetViewMetrics(int32_t windowWidth, int32_t borderWidth, int32_t vScrollBarWidth) {
    viewWindowWidth_ = std::max(0, windowWidth);
    viewBorderWidth_ = std::max(0, borderWidth);
    viewVScrollWidth_ = std::max(0, vScrollBarWidth);
}

int32_t Lattix::CellsAreaWidth() const {
    // With a window, the client area already excludes the border.
    if (hwnd_ != 0) return view_.viewWidth;
    return std::max(0, viewWindowWidth_ - 2 * viewBorderWidth_ - viewVScrollWidth_);
}

void Lattix::ResizeColToFillSpace(const Variant& vCol) {
    const int32_t pos = ResolveColPos(vCol);
    if (pos == colCount_ + 1) RaiseLattixError(kInvalidArgument);
    int64_t width = CellsAreaWidth();
    for (int32_t p = 1; p <= colCount_; ++p)
        if (p != pos && cols_[static_cast<size_t>(p)].inHeader) width -= cols_[static_cast<size_t>(p)].width;
    if (width < 1) return;
    applyColumnWidth(pos, clampToLimits(static_cast<int32_t>(width), cols_[static_cast<size_t>(pos)]));
}

void Lattix::SetFrozenCols(int32_t n) {
    if (n < 0) RaiseLattixError(kInvalidArgument);
    if (n == frozenCols_) return;
    ResetHorizontalScroll();
    frozenCols_ = n;
    if (!options_.site || options_.site->userMode()) {
        recomputeColumnPositions();
        MarkLayout(1);
        RelayoutAndRedraw();
    }
    PropertyChanged("FrozenCols");
}

void Lattix::SetFrozenColsEdgeWidth(int32_t n) {
    if (n < 1) RaiseLattixError(kInvalidArgument);
    frozenColsEdgeWidth_ = n;
    if (!options_.site || options_.site->userMode()) RelayoutAndRedraw();
    PropertyChanged("FrozenColsEdgeWidth");
}

void Lattix::SetFrozenColsEdgeColor(int32_t o) {
    frozenColsEdgeColor_ = o;
    if (!options_.site || options_.site->userMode()) RelayoutAndRedraw();
    PropertyChanged("FrozenColsEdgeColor");
}

void Lattix::SetFrozenColsEdgeDrawAlways(bool b) {
    frozenColsEdgeDrawAlways_ = b;
    if (!options_.site || options_.site->userMode()) RelayoutAndRedraw();
    PropertyChanged("FrozenColsEdgeDrawAlways");
}

void Lattix::SetAutoColHeaderTextTemplate(const std::string& s) {
    autoColHeaderTextTemplate_ = s;
    PropertyChanged("AutoColHeaderTextTemplate");
}

} // namespace lattix
