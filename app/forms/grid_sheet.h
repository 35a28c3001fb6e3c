// A grid as an export sheet: its column captions and the texts of its used rows and columns,
// read through the automation interface.
#pragma once

#include <string>

#include "app/core/grid_export.h"
#include "app/forms/grid_driver.h"

namespace avigram {

// Rows and columns past the last non-empty cell are left out; captions are given only when some
// column has one that is not blank.
ExportSheet SheetOfGrid(const GridDriver& grid, std::string name);

} // namespace avigram
