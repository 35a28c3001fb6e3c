// The flock file ("<prefix>.grd"): ReadInGrid with the flock window's row parser sorttab, and
// savefile. One line per flock row: the texts of "Flock ID", "Number of birds", "Flock. Ave. Wt.",
// "Flock Sex" and "Flock Age", TAB-separated, numbers with ".".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/core/dialogs.h"
#include "app/core/program_state.h"

namespace avigram {

// The texts of GridFlock columns 2..6 of one row.
using FlockRowTexts = std::array<std::string, 5>;

// Flock sorttab: one file line as the texts of columns 2..6, or nothing for a line shorter than
// 10 characters (its row stays as it is). Positive numbers are written as the locale writes them.
std::optional<FlockRowTexts> ParseFlockLine(std::string_view line, bool localeUsesComma);

struct FlockRowUpdate {
    int row = 0; // GridFlock row, 1-based
    FlockRowTexts texts;
};

// The rows a flock file gives (line n to row n), up to a line that begins with "FX". Each line is
// taken up to its first comma.
std::vector<FlockRowUpdate> FlockFileRows(const std::vector<std::string>& lines, bool localeUsesComma);

// A flock file read with the checks the flock window makes when the values are typed.
struct FlockFileReading {
    // Why the file is no flock file (binary data, a line cut short or with too few columns); when
    // set, nothing else is given and nothing may change.
    std::optional<std::string> refusal;
    std::vector<FlockRowUpdate> rows; // GridFlock rows, numbered without the lines left out
    // One message per line left out: a value the flock window would refuse (negative or fractional
    // birds, a weight not above 0, an unknown sex code, an age outside the carcass table), a number
    // that cannot be represented, a line without a flock identifier, or a flock beyond the tenth.
    std::vector<std::string> problems;
};

// The ages (days) the carcass table holds rows for; 20..100 before a table is loaded.
std::pair<int, int> CarcassAgeRange(const ProgramState& state);

// Reads the lines of the flock file at path (named in the messages). A number field may use ","
// as decimal point; the identifier runs to its first comma as the file format has it.
FlockFileReading ReadFlockFileChecked(const std::vector<std::string>& lines, std::string_view path,
                                      const ProgramState& state);

// Reads the flock file at path with ReadFlockFileChecked; a file that cannot be opened is refused.
FlockFileReading ReadFlockFile(const std::string& path, const ProgramState& state);

// ReadInGrid: asks whether to use FlockFilePath or choose another file, reads it, and returns the
// row updates for GridFlock (none when cancelled or the file cannot be read or is no flock file,
// which shows a message). Lines left out are reported one message each. A chosen file that could be
// read becomes FlockFilePath.
std::vector<FlockRowUpdate> ReadInGrid(ProgramState& state, Dialogs& dialogs);

// The 10 lines savefile writes for GridFlock rows 1..10 (columns 2..6).
std::vector<std::string> FlockFileLines(const std::array<FlockRowTexts, kMaxFlocks>& rows);

// savefile: writes the flock file; false (after a message) when it cannot be written.
bool savefile(const ProgramState& state, Dialogs& dialogs, const std::array<FlockRowTexts, kMaxFlocks>& rows);

} // namespace avigram
