// The live-weight distribution: "Recalc. Flock Distribution" (Command2_Click) with Calculate_Dist,
// flocksplit and the report "WtDist.txt", the flock columns of Grid1 (shared with WriteFlocks), and
// "CV Change".
#pragma once

#include <cstdint>
#include <string>

#include "app/core/dialogs.h"
#include "app/core/grid_ops.h"
#include "app/core/number_format.h"
#include "app/core/program_state.h"

namespace avigram {

// The input cells of Grid1 the recalculation reads: (1,2), (2,2), (3,2) and (4,2).
struct DistributionInputs {
    std::string minText;
    std::string maxText;
    std::string widthText;
    std::string classCountText;
};

// ClassCount as the recalculation uses it: the whole number of the text, limited to 1..20.
int LimitedClassCount(std::string_view classCountText);

struct FlockColumnsResult {
    double average = 0; // W: bird-weighted average weight, 0 without birds
    double totalBirds = 0;
};

// The flock part of Grid1 for flocks 1..count: (6,2) "No. of birds", identifiers, weights and
// birds in columns f+5, W in (4,4) as "0.##0", the total in (5,4) right-aligned, current (5,4).
FlockColumnsResult WriteFlockColumns(const ProgramState& state, int count, GridOps& grid1,
                                     const PatternFormatter& format);

// flocksplit: the birds of flock f (1..10) per class, from ClassBound, FlockWeight and FlockCV.
// The flock's counts are cleared first.
void flocksplit(ProgramState& state, int f);

// Each class count of a flock is rounded on its own, so together they may come to a few birds more
// than the flock has. The excess is taken off the flock's largest class (the lower class on a tie;
// in a mixed flock off the sex with more birds in it, males on a tie) before the counts are
// reported anywhere, so that they add up to the flock's birds and the remainder row shows 0 rather
// than a negative count. Counts that come to the birds or fewer are left as they are. Expects the
// counts of both sexes to be 0 or above.
void TakeOffRoundingExcess(ProgramState& state, int f);

// Calculate_Dist: per-sex averages of every flock, flocksplit, the report file (replaced; a file
// that cannot be written shows a message and the grid is still filled), and the counts of Grid1.
void Calculate_Dist(ProgramState& state, Dialogs& dialogs, std::string_view classCountText,
                    const std::string& reportPath, GridOps& grid1);

struct DistributionResult {
    bool ran = false; // false when there are no flocks: nothing was computed
    GridOps grid1;
    double average = 0;
    double totalBirds = 0; // what (5,4) shows
    double centre = 0;
};

// "Recalc. Flock Distribution" up to the parts analysis: class width, bounds and labels, then
// Calculate_Dist, then (1,2) and (2,2) from the outer bounds.
DistributionResult RecalcFlockDistribution(ProgramState& state, Dialogs& dialogs,
                                           const DistributionInputs& inputs, const std::string& reportPath,
                                           const PatternFormatter& format);

// "CV Change": asks for a new coefficient of variation; an answer that is no number above 0
// keeps the old one.
void CV_Change_Click(ProgramState& state, Dialogs& dialogs, const PatternFormatter& format);

} // namespace avigram
