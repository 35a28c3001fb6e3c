// The flock file ("<prefix>.grd"): ReadInGrid with the flock window's row parser sorttab, and
// savefile. One line per flock row: the texts of "Flock ID", "Number of birds", "Flock. Ave. Wt.",
// "Flock Sex" and "Flock Age", TAB-separated, numbers with ".".
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
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

// ReadInGrid: asks whether to use FlockFilePath or choose another file, reads it, and returns the
// row updates for GridFlock (none when cancelled or the file cannot be read; an unreadable chosen
// file shows a message). A chosen file becomes FlockFilePath.
std::vector<FlockRowUpdate> ReadInGrid(ProgramState& state, Dialogs& dialogs);

// The 10 lines savefile writes for GridFlock rows 1..10 (columns 2..6).
std::vector<std::string> FlockFileLines(const std::array<FlockRowTexts, kMaxFlocks>& rows);

// savefile: writes the flock file; false (after a message) when it cannot be written.
bool savefile(const ProgramState& state, Dialogs& dialogs, const std::array<FlockRowTexts, kMaxFlocks>& rows);

} // namespace avigram
