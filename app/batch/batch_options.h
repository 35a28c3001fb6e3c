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
    std::string out;                                                     // --out DIR (required)
};

struct ParsedCommandLine {
    std::optional<BatchOptions> options;
    std::string error; // why the command line is not usable (when options is empty)
};

// Reads the arguments after the program name. Options take their value as the next argument or
// after "=" (--out=DIR).
ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string>& args);

// One line describing the command line.
std::string BatchUsage();

} // namespace avigram
