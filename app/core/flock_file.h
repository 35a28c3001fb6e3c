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
    // GridFlock rows: line n of the file gives row n; the rows of lines left out stay empty.
    std::vector<FlockRowUpdate> rows;
    // One message per line left out: a value the flock window would refuse (negative or fractional
    // birds, a weight not above 0, an unknown sex code, an age the growth table cannot scale the
    // flock's averages at), a number that cannot be represented, a line without a flock identifier,
    // or a flock beyond the tenth row. The message of a refused line whose empty row ends the list of
    // flocks while good flocks follow says that those are not used until the row is filled.
    std::vector<std::string> problems;
};

// The ages (days) the carcass table holds body weights for, of one sex (0..2) or of any (-1);
// 20..100 when it holds none (before a table is loaded).
std::pair<int, int> CarcassAgeRange(const ProgramState& state, int sex = -1);

// Whether the distribution can scale a flock of this sex (0 mixed, 1 males, 2 females) and age to
// the growth table: it takes the age's whole days, capped at MaxAge, and steps back one day for each
// sex (males, then females) whose row is empty; the body weight of the flock's own sex it divides by
// must then be there in the row each of the flock's halves uses. (A table without rows of the
// flock's sex, such as a mixed flock beside a table of males and females, is checked on the halves'
// own rows, which the distribution then uses alone; a sex without any rows is left to the sex
// check.) Before a table is loaded: ages 20..100.
bool GrowthTableCovers(const ProgramState& state, double age, int sex);

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
