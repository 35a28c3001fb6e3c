// The carcass parts analysis ("Recalc Carcass Wts.", Command3_Click) with FillLIst and
// CalcWtofMeat, and the detail columns the Grid2 double click toggles.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "app/core/grid_ops.h"
#include "app/core/number_format.h"
#include "app/core/program_state.h"

namespace avigram {

// FillLIst: entry i shows carcass part column partColumns[i] in Grid2 column gridColumns[i].
void FillLIst(std::array<int16_t, kListEntries>& partColumns, std::array<int16_t, kListEntries>& gridColumns);

// The live weight class k stands for: its interval's midpoint (class 0, the birds below
// ClassBound[0], at ClassBound[0] - ClassWidth / 2).
double ClassMidpoint(const ProgramState& state, int k);

// The weight the fitted lines take for a live weight in flock units: grams (x 1000) for the
// kilogram display, the live weight itself for pounds and grams, whose carcass table is held in
// those units.
double CarcassTableWeight(int displayUnits, double liveWeight);

// A part total T (carcass table units) as the tonnage figure of its display: tonnes from grams
// (kilogram and gram displays), short tons of 2000 lb from pounds; rounded to 2 decimals.
struct TonnageFigure {
    double value = 0;
    const char* unit = ""; // " tonnes" or " tons"
};
TonnageFigure Tonnage(int displayUnits, double total);

// The part weight shown for the class above the last one: twice the top class mean minus the mean
// of the class below (the lines extrapolated one class further).
double WeightAboveLastClass(const ProgramState& state, int partColumn);

// CalcWtofMeat: the weight of one part column for class k by the fitted lines: result[1] and
// result[2] per sex, result[0] = 0; also stored in PartWeight (sex 0 the mean of the two sexes).
void CalcWtofMeat(ProgramState& state, int partColumn, std::array<double, 3>& result, int k);

struct PartTotal {
    int partColumn = 0;
    double total = 0; // T: the part's weight summed over classes and flocks
    std::array<std::array<double, 3>, kClassSlots> classMean{}; // [class][sex 1, 2] mean part weight
};

struct PartsAnalysisResult {
    GridOps grid1;
    GridOps grid2;
    std::vector<PartTotal> totals; // one per list entry, in list order
    std::vector<std::string> messages; // for the user: parts list items that found no place
};

// "Recalc Carcass Wts.": part weights per class into Grid2 and the breast meat, column 14 and 16
// tonnages into Grid1's block columns. totalBirds is the total of Grid1 (5,4); the parts list is read
// from PartsFilePath when it exists, and the items beyond the columns Grid1 keeps are named in a
// message.
PartsAnalysisResult RecalcCarcassWeights(ProgramState& state, double totalBirds,
                                         const PatternFormatter& format);

// The Grid2 columns a double click on column c shows or hides (empty for other columns).
std::vector<int> DetailColumnsOf(int gridColumn);

} // namespace avigram
