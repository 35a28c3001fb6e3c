// "Export..." of the main window: both result grids into a workbook or into CSV files.
#pragma once

#include <string>

#include "app/forms/form_weights.h"

namespace avigram {

// The sheet names of the two result grids (the captions of their tabs).
inline constexpr const char* kGrid1SheetName = "Flock Weights and Numbers";
inline constexpr const char* kGrid2SheetName = "Parts Analysis";

// What "Export..." writes: one workbook with a sheet per grid, or two CSV files.
enum class ExportFormat { Workbook, Csv };

// The extension of the format's files, with its dot: ".xlsx" or ".csv".
const char* ExportExtension(ExportFormat format);

// The file an export to path writes: path itself, or, when its file name has no extension, path
// with the format's extension ("plan" gives "plan.xlsx" for a workbook).
std::string ExportFilePath(const std::string& path, ExportFormat format);

// The CSV file of Grid2 that goes with the CSV file of Grid1 named path: "_parts" before the
// extension ("plan.csv" gives "plan_parts.csv").
std::string PartsCsvPath(const std::string& path);

// Writes Grid1 and Grid2 of the main window in the format chosen, whatever extension the name has:
// a workbook with a sheet per grid to ExportFilePath(path), or two CSV files (ExportFilePath(path)
// and its PartsCsvPath), in the current locale's decimal separator. Each file replaces its old copy
// in one step; a file that cannot be written keeps its old copy and is reported in a message box.
// True when all were written.
bool ExportResultGrids(FormWeights& main, const std::string& path, ExportFormat format);

} // namespace avigram
