// Derives the visible-as-child flags of the rows nested in one row from their ancestors.
#pragma once

#include <cstdint>

#include "grid/model/row_table.h"

namespace lattix {

// Sets the visible-as-child flag of every row nested in `top`: a nested row is visible as child
// exactly when `ancestorsOpen` (every ancestor of top is expanded), top and every row between it and
// the nested row are expanded. Keeps `displayedRows` right; returns the number of nested rows.
int32_t ApplySubtreeVisibility(RowTable& rows, int32_t top, bool ancestorsOpen, int32_t& displayedRows);

} // namespace lattix
