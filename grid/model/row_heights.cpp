// Row heights, the default heights of new rows, and the vertical placement of the displayed rows.
#include <limits>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "runtime/automation_error.h"

namespace lattix {

using namespace lattix_error;

namespace {
void checkHeight(int32_t h) {
    if (h < 0) RaiseLattixError(kInvalidArgument);
    if (h > std::numeric_limits<int16_t>::max()) RaiseOverflow();
}
} // namespace

int32_t Lattix::RowHeight(const Variant& vrow) const { return rows_[ResolveRow(vrow)].height; }

void Lattix::SetRowHeight(const Variant& vrow, int32_t iHeight) {
    const int32_t pos = ResolveRow(vrow);
    checkHeight(iHeight);
    RowRecord& r = rows_[pos];
    if (r.height == iHeight) return;
    EndEditing();
    MarkLayout(1);
    const bool was = r.displayed();
    r.height = static_cast<int16_t>(iHeight);
    displayedRows_ += static_cast<int32_t>(r.displayed()) - static_cast<int32_t>(was);
    LayoutRowsFrom(pos);
    RelayoutAndRedraw();
}

int32_t Lattix::RowNormalCellHeight(const Variant& vrow) const { return rows_[ResolveRow(vrow)].normalCellHeight; }

void Lattix::SetRowNormalCellHeight(const Variant& vrow, int32_t iHeight) {
    const int32_t pos = ResolveRow(vrow);
    if (iHeight < std::numeric_limits<int16_t>::min() || iHeight > std::numeric_limits<int16_t>::max()) RaiseOverflow();
    rows_[pos].normalCellHeight = static_cast<int16_t>(iHeight);
    for (int32_t c = 1; c <= colCount_ + 1; ++c) Cell(pos, c).markChanged();
    RelayoutAndRedraw();
}

void Lattix::SetRowHeights(int32_t iHeight, const Variant& vStartRow, const Variant& vEndRow) {
    checkHeight(iHeight);
    const int32_t start = vStartRow.isOmitted() ? 1 : ResolveRow(vStartRow);
    const int32_t end = vEndRow.isOmitted() ? rows_.count() : ResolveRow(vEndRow);
    if (start > end) return;
    EndEditing();
    const int16_t h = static_cast<int16_t>(iHeight);
    for (int32_t r = start; r <= end; ++r) {
        RowRecord& row = rows_[r];
        const bool was = row.displayed();
        row.height = h;
        displayedRows_ += static_cast<int32_t>(row.displayed()) - static_cast<int32_t>(was);
    }
    MarkLayout(1);
    LayoutRowsFrom(start);
    RelayoutAndRedraw();
}

void Lattix::SetDefaultRowHeight(int32_t n) {
    if (n < 1) RaiseLattixError(kInvalidArgument);
    if (n > std::numeric_limits<int16_t>::max()) RaiseOverflow();
    if (n == defaultRowHeight_) return;
    defaultRowHeight_ = static_cast<int16_t>(n);
    // Existing rows keep their heights; only the extended grid lines below the last row use it.
    MarkLayout(1);
    PropertyChanged("DefaultRowHeight");
}

void Lattix::SetDefaultRowNormalCellHeight(int32_t n) {
    if (n < 1) RaiseLattixError(kInvalidArgument);
    if (n > std::numeric_limits<int16_t>::max()) RaiseOverflow();
    defaultRowNormalCellHeight_ = static_cast<int16_t>(n);
    PropertyChanged("DefaultRowNormalCellHeight");
}

} // namespace lattix
