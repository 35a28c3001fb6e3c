// What a user sees of a grid as a table: the displayed rows (visible, at least a pixel high, every
// ancestor expanded) and the shown columns (visible, at least a pixel wide), numbered from 0 in
// display order. Assistive technologies address cells by these numbers; the grid by row position
// and column index.
#pragma once

#include <cstdint>
#include <vector>

namespace lattix {

class Lattix;

class VisibleCellMap {
public:
    explicit VisibleCellMap(Lattix& grid) : grid_(grid) {}

    int32_t RowCount() const;
    int32_t ColCount() const;
    // The row position (1..RowCount) of displayed row `row`, 0 when there is none.
    int32_t RowPosition(int32_t row) const;
    // The column index of shown column `col`, 0 when there is none.
    int32_t ColIndex(int32_t col) const;
    // The displayed row number of a row position, -1 when the row is not displayed.
    int32_t RowOf(int32_t position) const;
    // The shown column number of a column index, -1 when the column is not shown.
    int32_t ColOf(int32_t colIndex) const;

private:
    // The lists are rebuilt when an entry no longer names the row or column it stood for: a
    // position's visible number says where it is among the displayed ones, so one comparison
    // checks an entry.
    void RebuildRows() const;
    void RebuildCols() const;

    Lattix& grid_;
    mutable std::vector<int32_t> rowPositions_;
    mutable std::vector<int32_t> colPositions_;
};

} // namespace lattix
