#include "bindings/qt/visible_cell_map.h"

#include "grid/lattix.h"

namespace lattix {

int32_t VisibleCellMap::RowCount() const { return grid_.DisplayedRowCount(); }

int32_t VisibleCellMap::ColCount() const {
    const ColumnTotals& t = grid_.ColTotals();
    return t.frozenShownCount + t.scrollableShownCount;
}

int32_t VisibleCellMap::RowPosition(int32_t row) const {
    if (row < 0 || row >= RowCount()) return 0;
    auto holds = [&] {
        if (static_cast<size_t>(row) >= rowPositions_.size()) return false;
        const int32_t pos = rowPositions_[static_cast<size_t>(row)];
        return pos <= grid_.RowCount() && grid_.Row(pos).visibleIndex == row + 1;
    };
    if (!holds()) RebuildRows();
    return holds() ? rowPositions_[static_cast<size_t>(row)] : 0;
}

int32_t VisibleCellMap::ColIndex(int32_t col) const {
    if (col < 0 || col >= ColCount()) return 0;
    auto holds = [&] {
        if (static_cast<size_t>(col) >= colPositions_.size()) return false;
        const int32_t pos = colPositions_[static_cast<size_t>(col)];
        return pos <= grid_.ColCount() && grid_.Column(pos).visibleIndex == col + 1;
    };
    if (!holds()) RebuildCols();
    return holds() ? grid_.Column(colPositions_[static_cast<size_t>(col)]).index : 0;
}

int32_t VisibleCellMap::RowOf(int32_t position) const {
    if (position < 1 || position > grid_.RowCount()) return -1;
    return grid_.Row(position).visibleIndex - 1;
}

int32_t VisibleCellMap::ColOf(int32_t colIndex) const {
    const int32_t pos = grid_.PositionOfIndex(colIndex);
    if (pos < 1 || pos > grid_.ColCount()) return -1;
    return grid_.Column(pos).visibleIndex - 1;
}

void VisibleCellMap::RebuildRows() const {
    rowPositions_.clear();
    rowPositions_.reserve(static_cast<size_t>(RowCount()));
    for (int32_t pos = 1; pos <= grid_.RowCount(); ++pos)
        if (grid_.Row(pos).visibleIndex > 0) rowPositions_.push_back(pos);
}

void VisibleCellMap::RebuildCols() const {
    colPositions_.clear();
    for (int32_t pos = 1; pos <= grid_.ColCount(); ++pos)
        if (grid_.Column(pos).visibleIndex > 0) colPositions_.push_back(pos);
}

} // namespace lattix
