// The command line of the batch front end: avigram --batch --carcass FILE --out DIR [options].
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace avigram {

struct BatchOptions {
    std::string carcass;                                                 // --carcass FILE (required)
    std::optional<std::string> flocks;                                   // --flocks FILE
    std::optional<std::string> minText, maxText, widthText, classesText; // cells (1,2)..(4,2) of Grid1
    std::optional<std::string> cv;                                       // the answer to "CV Change"
    bool decimalComma = false;                                           // --decimal-comma
    bool csv = false;                                                    // --csv: both result grids as CSV
    bool xlsx = false;                                                   // --xlsx: both as one workbook
    bool charts = false;                                                 // --charts: the two charts as PNG
    std::optional<std::string> pdf;                                      // --pdf FILE: the results report
    std::string out;                                                     // --out DIR (required)
};

struct ParsedCommandLine {
    std::optional<BatchOptions> options;
    bool help = false;  // --help: print BatchHelp and stop
    std::string error;  // why the command line is not usable (when options is empty and help false)
};

// Reads the arguments after the program name. Options take their value as the next argument or
// after "=" (--out=DIR). Values are checked: --min, --max and --width numbers of 0 or more (0: worked
// out from the flocks) with --min below --max, --classes a whole number 1 to 20, --cv a number above
// 0 and at most 1. Numbers may use "." or "," as decimal point.
ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& args);

// One line describing the command line.
std::string BatchUsage();

// The text of --help: what the program does, every option, the files written, the units the
// carcass file must be written in, and the exit status.
std::string BatchHelp();

} // namespace avigram
