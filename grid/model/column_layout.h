// Column layout values derived from the column array: recomputed after every change of width,
// visibility, position or count, and read by the geometry and the column move checks.
#pragma once

#include <cstdint>

namespace lattix {

struct ColumnLayout {
    // Columns with a header item inside the frozen area (positions 1..min(FrozenCols, ColCount)).
    int32_t frozenWidth = 0;
    int32_t frozenCount = 0;
    // Visible columns at least 1 pixel wide outside the frozen area.
    int32_t scrollWidth = 0;
    int32_t scrollCount = 0;
    // Visible columns at least 1 pixel wide inside the frozen area.
    int32_t frozenVisibleCount = 0;
    // Positions; 0 when there is no such column.
    int32_t firstVisible = 0;
    int32_t lastVisible = 0;
    int32_t lastVisibleFrozen = 0;
    int32_t firstVisibleScrollable = 0;
};

} // namespace lattix
