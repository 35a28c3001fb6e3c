// Regression: one least-squares line per part column and sex (part weight against body weight),
// the combined parts, and the report "regvals.txt".
#pragma once

#include <string>
#include <vector>

#include "app/core/dialogs.h"
#include "app/core/program_state.h"

namespace avigram {

// Fits Slope and Intercept from CarcassTable (males rows 1..N, females rows 7..N, N the leading
// rows with a male body weight). A column whose Sxy is 0 gets slope and intercept 0; a zero
// denominator gives slope 0 and intercept Sy/n.
void FitLines(ProgramState& state);

// The lines of "regvals.txt" for the current fit.
std::vector<std::string> RegressionReportLines(const ProgramState& state);

// FitLines, then writes the report to reportPath (replacing it); a report that cannot be written
// shows a message.
void Regression(ProgramState& state, Dialogs& dialogs, const std::string& reportPath);

} // namespace avigram
