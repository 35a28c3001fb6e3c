// The flock window's procedures that turn GridFlock's texts into the flock arrays and the
// flock part of Grid1: ReadFlockData, WriteFlocks, and the check of an edited sex cell
// (AfterCommitEdit of column 5).
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/core/dialogs.h"
#include "app/core/flock_file.h"
#include "app/core/grid_ops.h"
#include "app/core/number_format.h"
#include "app/core/program_state.h"

namespace avigram {

using FlockGridTexts = std::array<FlockRowTexts, kMaxFlocks>; // rows 1..10, columns 2..6

// Number of leading rows whose "Flock ID" text is not empty.
int CountFlocks(const FlockGridTexts& rows);

// ReadFlockData: FlockCount, identifiers, birds, ages, sexes and weights. A flock whose sex the
// carcass data does not cover stops the reading with a message; it and the flocks after it are not
// accepted (FlocksAccepted).
void ReadFlockData(ProgramState& state, Dialogs& dialogs, const FlockGridTexts& rows);

// WriteFlocks: ClassCount from Grid1 (4,2), FlockCount recounted, and the flock part of Grid1.
GridOps WriteFlocks(ProgramState& state, const FlockGridTexts& rows, std::string_view classCountText,
                    const PatternFormatter& format);

// The sex cell after an edit: "M", "X" or "F" (lower case accepted), or nothing when the text is
// not a sex (the cell is cleared and kMsgSexEntry shown).
std::optional<std::string> NormalizeSexEntry(std::string_view text);

} // namespace avigram
