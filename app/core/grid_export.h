// Exports of the result grids: CSV files and an XLSX workbook, from the texts the grids show.
//
// A sheet is the grid as a planner sees it: its column captions and its cell texts. The CSV holds
// those texts as they are (UTF-8, numbers with the locale's decimal separator as shown, fields
// quoted where needed, ";" between fields when the decimal separator is ","). The workbook turns
// every text that is a number, or a number with its unit ("512.3 g", "0.82 tonnes"), into a number
// cell that shows the same digits and unit, and keeps the other texts as texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace avigram {

struct ExportSheet {
    std::string name;                             // sheet name (at most 31 characters in a workbook)
    std::vector<std::string> captions;            // column captions; empty when the grid shows none
    std::vector<std::vector<std::string>> texts;  // rows of cell texts
};

// A cell text read as a number: the value, the decimals shown, and the unit after it ("" for none).
struct ExportNumber {
    double value = 0;
    int decimals = 0;
    std::string unit;
};

// The number a cell text stands for, with decimalSeparator as the decimal point; nothing for texts
// that are not a number or a number followed by one of the units g, kg, lb, tonnes or tons.
std::optional<ExportNumber> ExportNumberOf(std::string_view text, std::string_view decimalSeparator);

// The CSV text of a sheet (captions first when there are any), each line ended by CR LF.
std::string CsvText(const ExportSheet& sheet, std::string_view decimalSeparator);

// Writes the CSV file, replacing it atomically. False (the old file kept) when it cannot.
bool WriteCsv(const std::string& path, const ExportSheet& sheet, std::string_view decimalSeparator);

// Writes the sheets into one XLSX workbook, replacing it atomically. False (the old file kept) when
// it cannot; why goes to error.
bool WriteXlsx(const std::string& path, const std::vector<ExportSheet>& sheets, std::string_view decimalSeparator,
               std::string* error = nullptr);

} // namespace avigram
