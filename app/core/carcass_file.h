// The carcass reference file ("...CARCDATA.txt"): ReadCarc with its header parser sortnames and
// its row parser sorttab.
//
// Layout: a header line of 30 TAB-ended captions (age, sex, body weight and 27 part weights), then
// one line per age and sex: the age in days, the sex name ("Mixed", "Males", "Females") and 28
// weights, TAB-separated, in rising age order.
#pragma once

#include <optional>
#include <string_view>

#include "app/core/dialogs.h"
#include "app/core/program_state.h"

namespace avigram {

// Header line: the 30 TAB-ended captions become PartNames (with the program's fixed names put in
// and the names from field 13 on moved one place left). A missing TAB shows the header message,
// sets LoadError and leaves PartNames unchanged.
void sortnames(ProgramState& state, Dialogs& dialogs, std::string_view header);

// One data line. Returns its row index (age - 20), or nothing for an empty line or an age outside
// 20..100, which stores nothing. Rows above 30 are not stored but still raise MaxAge.
std::optional<int> sorttab(ProgramState& state, std::string_view line);

// Reads the carcass file. A file that cannot be opened, holds binary data, has a weight that cannot
// be used (beyond 1e9) or no data rows shows a message naming the file (and the line and field) and
// sets LoadError, changing nothing. A header that passes replaces the whole table and the fitted
// lines. Then the evis. carcass sums of column 0 and SexMask are set from the last row. Data lines
// with fewer than 30 fields (tables with fewer parts) are read with their missing weights as 0, and
// one message names those lines.
void ReadCarc(ProgramState& state, Dialogs& dialogs, std::string_view name);

} // namespace avigram
