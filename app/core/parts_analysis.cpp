// Command3_Click ("Recalc Carcass Wts."), FillLIst, CalcWtofMeat and the Grid2 detail columns.
#include "app/core/parts_analysis.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "app/core/normal_table.h"
#include "app/core/numbers.h"
#include "app/core/parts_list.h"
#include "app/core/paths.h"
#include "app/core/text_file.h"

namespace avigram {

void FillLIst(std::array<int16_t, kListEntries>& partColumns,
              std::array<int16_t, kListEntries>& gridColumns) {
    partColumns = {1, 2, 3, 4, 13, 21, 5, 14, 15, 22, 6, 16, 17, 23, 18, 24};
    gridColumns = {4, 6, 7, 8, 9, 10, 12, 13, 14, 15, 17, 18, 19, 20, 22, 23};
}

double ClassMidpoint(const ProgramState& state, int k) {
    k = std::clamp(k, 0, kMaxClasses);
    if (k == 0) return state.ClassBound[0] - state.ClassWidth / 2;
    return (state.ClassBound[k - 1] + state.ClassBound[k]) * 0.5;
}

void CalcWtofMeat(ProgramState& state, int partColumn, std::array<double, 3>& result, int k) {
    result = {0, 0, 0};
    if (partColumn < 0 || partColumn > 28 || k < 0 || k > kMaxClasses) return;
    const double x = CarcassTableWeight(state.DisplayUnits, ClassMidpoint(state, k));
    for (int s = 1; s <= 2; ++s) {
        result[s] = state.Slope[s][partColumn] * x + state.Intercept[s][partColumn];
        state.PartWeight[s][k][partColumn] = result[s];
    }
    // The lines already give part weights in the units the grid shows: no further conversion.
    state.PartWeight[0][k][partColumn] =
        (state.PartWeight[1][k][partColumn] + state.PartWeight[2][k][partColumn]) * 0.5;
}

double CarcassTableWeight(int displayUnits, double liveWeight) {
    // Kilogram displays keep the carcass table in grams; pounds and grams keep it in the flock units.
    return displayUnits == 0 ? liveWeight * 1000 : liveWeight;
}

TonnageFigure Tonnage(int displayUnits, double total) {
    if (displayUnits == 1) return {RoundHalfEvenTo(total / 2000, 2), " tons"};
    return {RoundHalfEvenTo(total / 1e6, 2), " tonnes"}; // grams in the carcass table
}

double WeightAboveLastClass(const ProgramState& state, int partColumn) {
    if (partColumn < 0 || partColumn >= kPartColumns) return 0;
    const int n = std::clamp<int>(state.ClassCount, 0, kMaxClasses);
    const int below = std::max(n - 1, 0);
    const auto& w = state.PartWeight;
    // Twice the top class mean minus the mean of the class below.
    return (w[1][n][partColumn] + w[2][n][partColumn]) - 0.5 * (w[1][below][partColumn] + w[2][below][partColumn]);
}

std::vector<int> DetailColumnsOf(int gridColumn) {
    switch (gridColumn) {
    case 6:
        return {7, 8, 9, 10};
    case 12:
        return {13, 14, 15};
    case 17:
        return {18, 19, 20};
    default:
        return {};
    }
}

PartsAnalysisResult RecalcCarcassWeights(ProgramState& state, double totalBirds,
                                         const PatternFormatter& format) {
    PartsAnalysisResult result;
    GridOps& g1 = result.grid1;
    GridOps& g2 = result.grid2;
    InitNormalTable(state);

    const int flocks = state.UsedFlockCount();
    const int classCount = std::clamp<int>(state.ClassCount, 0, kMaxClasses);
    const int blockColumns[3] = {flocks + 7, flocks + 9, flocks + 11};
    const int lastColumn = flocks + 12;

    // What the parts list will place, so that leftovers of an earlier run can be told apart.
    std::vector<PartsListCell> partsList;
    if (std::string path = ResolveFile(state.PartsFilePath, true); !path.empty()) {
        if (auto lines = ReadTextLines(path)) {
            const int firstColumn = flocks + 6;
            PartsListPlacement placement = PlacePartsList(*lines, firstColumn, lastColumn);
            partsList = std::move(placement.cells);
            if (!placement.leftOut.empty()) {
                const int blocks = (lastColumn - firstColumn) / 2 + 1;
                result.messages.push_back(
                    PartsLeftOutMessage(state.PartsFilePath, blocks, placement.leftOut));
            }
        }
    }
    std::set<std::pair<int, int>> written;
    for (int col : blockColumns) {
        for (int row = 1; row <= 4; ++row)
            written.insert({row, col});
    }
    for (const PartsListCell& cell : partsList)
        written.insert({cell.row, cell.col});
    auto writtenByDistribution = [&](int row, int col) {
        return col >= 6 && col <= flocks + 5 &&
               (row == 2 || row == 4 || row == 5 || (row >= 7 && row <= classCount + 8));
    };
    for (const auto& [row, col] : state.LastBlockCells) {
        if (!written.count({row, col}) && !writtenByDistribution(row, col)) g1.Clear(row, col);
    }
    state.LastBlockCells.assign(written.begin(), written.end());

    g1.Text(5, 3, "Total Birds");
    const int captionParts[3] = {12, 14, 16};
    for (int b = 0; b < 3; ++b) {
        g1.Text(1, blockColumns[b], "All Flocks");
        g1.Text(2, blockColumns[b], state.PartNames[captionParts[b]]);
    }

    FillLIst(state.PartColumnList, state.GridColumnList);
    for (int col : {7, 8, 9, 10, 13, 14, 15, 18, 19, 20})
        g2.ColVisible(col, false);

    std::array<double, 3> weights{};
    for (int i = 0; i < kListEntries; ++i) {
        for (int k = 0; k <= classCount; ++k)
            CalcWtofMeat(state, state.PartColumnList[i], weights, k);
    }

    double largePectoralTotal = 0;
    for (int i = 0; i < kListEntries; ++i) {
        const int c = state.PartColumnList[i];
        PartTotal part;
        part.partColumn = c;
        for (int k = 0; k <= classCount; ++k) {
            double sumMales = 0, sumFemales = 0, birdsMales = 0, birdsFemales = 0;
            for (int f = 1; f <= flocks; ++f) {
                const double bM = state.ClassBirds[1][f][k];
                const double bF = state.ClassBirds[2][f][k];
                sumMales += state.PartWeight[1][k][c] * bM;
                sumFemales += state.PartWeight[2][k][c] * bF;
                birdsMales += bM;
                birdsFemales += bF;
            }
            part.total += sumMales + sumFemales;
            if (birdsMales > 0) part.classMean[k][1] = sumMales / birdsMales;
            if (birdsFemales > 0) part.classMean[k][2] = sumFemales / birdsFemales;
        }
        if (c == 3) largePectoralTotal = part.total;
        if (c == 4) part.total += largePectoralTotal;
        state.PartTotals[c] = part.total;
        int block = c == 4 ? 0 : c == 14 ? 1 : c == 16 ? 2 : -1;
        if (block >= 0) {
            const int col = blockColumns[block];
            double perBird = totalBirds != 0 ? RoundHalfEvenTo(part.total / totalBirds, 3) : 0;
            g1.Cell(4, col, CellContent::Num(perBird, LocaleNumberText(perBird)));
            const TonnageFigure tonnage = Tonnage(state.DisplayUnits, part.total);
            g1.Text(3, col, LocaleNumberText(tonnage.value) + tonnage.unit);
            g1.ColWidth(col, 100);
        }
        result.totals.push_back(part);
    }
    g1.ColCount(flocks + 12);

    g2.HeaderHeight(24);
    // Named before the captions are written, so that the first run already shows it.
    state.PartNames[1] = "Evis. Carc.";
    for (int i = 0; i < kListEntries; ++i)
        g2.ColHeader(state.GridColumnList[i], state.PartNames[state.PartColumnList[i]]);
    g2.ColHeader(2, "No. of birds");
    for (int row = 2; row <= 23; ++row) {
        g2.CopyFromGrid1(row + 5, 1, row, 1);
        g2.CopyFromGrid1(row + 5, 2, row, 2);
    }
    for (int i = 0; i < kListEntries; ++i)
        g2.Text(1, state.GridColumnList[i], "Average");

    const bool pounds = state.DisplayUnits == 1;
    const std::string pattern = pounds ? "#0.#0 lb" : "###0.0 g";
    auto weightCell = [&](double v) {
        return CellContent::Num(v, format ? format(v, pattern) : "", pattern);
    };
    for (int i = 0; i < kListEntries; ++i) {
        const int c = state.PartColumnList[i];
        const int col = state.GridColumnList[i];
        for (int k = 0; k <= classCount; ++k) {
            g2.Cell(k + 2, col, weightCell(state.PartWeight[0][k][c]));
        }
        g2.Cell(classCount + 3, col, weightCell(WeightAboveLastClass(state, c)));
    }
    g2.Current(1, 0);

    for (PartsListCell& cell : partsList)
        g1.Text(cell.row, cell.col, std::move(cell.text));
    state.PartsAnalysisDone = true;
    return result;
}

} // namespace avigram
