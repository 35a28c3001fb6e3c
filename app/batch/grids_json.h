// grids.json: what the three grids hold at the end of a batch run, and the message boxes shown.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "app/forms/grid_driver.h"

namespace avigram {

// {"rows", "cols", "curRow", "curCol", "columns": [{"header", "width", "visible"}], "text": [[...]]},
// read from the grid through its automation interface.
nlohmann::json GridSnapshot(const GridDriver& grid);

nlohmann::json GridsDocument(const GridDriver& grid1, const GridDriver& grid2, const GridDriver& gridFlock,
                             const std::vector<std::string>& messages);

} // namespace avigram
