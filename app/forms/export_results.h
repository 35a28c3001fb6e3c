// "Export..." of the main window: both result grids into a workbook or into CSV files.
#pragma once

#include <string>

#include "app/forms/form_weights.h"

namespace avigram {

// The sheet names of the two result grids (the captions of their tabs).
inline constexpr const char* kGrid1SheetName = "Flock Weights and Numbers";
inline constexpr const char* kGrid2SheetName = "Parts Analysis";

// The CSV file of Grid2 that goes with the CSV file of Grid1 named path: "_parts" before the
// extension ("plan.csv" gives "plan_parts.csv").
std::string PartsCsvPath(const std::string& path);

// Writes Grid1 and Grid2 of the main window: a path ending in ".xlsx" (any case) gives one
// workbook with a sheet per grid, any other path two CSV files (path and PartsCsvPath(path)), in
// the current locale's decimal separator. Each file replaces its old copy in one step; a file that
// cannot be written keeps its old copy and is reported in a message box. True when all were written.
bool ExportResultGrids(FormWeights& main, const std::string& path);

} // namespace avigram
