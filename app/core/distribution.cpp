// Command2_Click (live-weight part), Calculate_Dist, flocksplit, WtDist.txt and CV_Change_Click.
#include "app/core/distribution.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "app/core/messages.h"
#include "app/core/numbers.h"
#include "app/core/paths.h"
#include "app/core/report_line.h"
#include "app/core/text_file.h"

namespace avigram {

namespace {

CellContent WholeCell(double v) {
    return CellContent::Num(v, LocaleNumberText(v));
}

int SexOf(const ProgramState& state, int f) {
    return std::clamp<int>(state.FlockSexIndex[f], 0, 2);
}

// An age in days as a row of the growth table, limited to the table's 20..60 days.
int LimitAge(double age) {
    if (!(age >= 20)) return 20; // also NaN
    if (age > 60) return 60;
    return static_cast<int>(age);
}

// Clamps a z value to the table's -4.3..4.3; NaN counts as the lowest value.
double ClampZ(double z) {
    if (std::isnan(z)) return -4.3;
    return std::clamp(z, -4.3, 4.3);
}

int TableIndex(double x, int lowest, int highest) {
    if (std::isnan(x)) return lowest;
    double r = std::clamp(std::nearbyint(x), static_cast<double>(lowest), static_cast<double>(highest));
    return static_cast<int>(r);
}

} // namespace

int LimitedClassCount(std::string_view classCountText) {
    return std::clamp<int32_t>(ParseWholeNumber(classCountText), 1, kMaxClasses);
}

FlockColumnsResult WriteFlockColumns(const ProgramState& state, int count, GridOps& grid1,
                                     const PatternFormatter& format) {
    FlockColumnsResult result;
    count = std::clamp(count, 0, kMaxFlocks);
    grid1.Text(6, 2, "No. of birds");
    double weighted = 0;
    for (int f = 1; f <= count; ++f) {
        double weight = state.FlockWeight[SexOf(state, f)][f];
        grid1.Text(2, f + 5, state.FlockIds[f]);
        grid1.Text(4, f + 5, SwapSeparators(LocaleNumberText(weight), state.LocaleUsesComma));
        grid1.Cell(5, f + 5, WholeCell(state.FlockBirds[f]));
        weighted += static_cast<double>(state.FlockBirds[f]) * weight;
        result.totalBirds += state.FlockBirds[f];
    }
    result.average = result.totalBirds != 0 ? weighted / result.totalBirds : 0;
    if (!std::isfinite(result.average)) result.average = 0;
    grid1.Cell(4, 4,
               CellContent::Num(result.average, format ? format(result.average, "0.##0") : "", "0.##0"));
    grid1.Cell(5, 4, WholeCell(result.totalBirds));
    grid1.Align(5, 4, 2);
    grid1.Current(5, 4);
    return result;
}

void flocksplit(ProgramState& state, int f) {
    if (f < 1 || f > kMaxFlocks) return;
    for (auto& sex : state.ClassBirds)
        std::fill(sex[f].begin(), sex[f].end(), 0);

    const int flockSex = SexOf(state, f);
    std::array<double, 3> frac = {1, 0.5, 0.5};
    std::vector<int> sexes;
    if (flockSex == 0) {
        sexes = {1, 2};
    } else {
        sexes = {flockSex};
        frac[flockSex] = 1;
    }
    const auto& tail = state.NormalTail;
    const int classCount = std::clamp<int>(state.ClassCount, 0, kMaxClasses);
    for (int k = 0; k <= classCount; ++k) {
        for (int s : sexes) {
            double a = state.FlockWeight[s][f];
            if (a == 0) return;
            double sigma = state.FlockCV * a;
            if (state.ClassBound[k] < 0) state.ClassBound[k] = std::fabs(state.ClassBound[k]);
            double zHigh = ClampZ((state.ClassBound[k] - a) / sigma);
            double zLow = k >= 1 ? ClampZ((state.ClassBound[k - 1] - a) / sigma) : -4.3;
            double xH = zHigh * 10 + 43;
            double xL = zLow * 10 + 43;
            int iH = TableIndex(xH, 0, 86);
            int iL = TableIndex(xL, 0, 86);
            double th = tail[iH];
            double tl = tail[iL];
            if (iL != 86) {
                if (zHigh > -4.3 && zHigh < 4.3) {
                    int i = std::min(iH, 85);
                    th = tail[iH] + std::fabs(iH + 1 - xH) * (tail[iH] - tail[i + 1]);
                }
                if (zLow > -4.3) tl = tail[iL] + std::fabs(iL + 1 - xL) * (tail[iL] - tail[iL + 1]);
            }
            double share = (tl - th) / 1e6;
            state.ClassBirds[s][f][k] = ToWholeNumber(state.FlockBirds[f] * frac[s] * share);
        }
        if (flockSex == 0) {
            int64_t sum = static_cast<int64_t>(state.ClassBirds[1][f][k]) + state.ClassBirds[2][f][k];
            state.ClassBirds[0][f][k] = ToWholeNumber(static_cast<double>(sum));
        }
    }
}

void TakeOffRoundingExcess(ProgramState& state, int f) {
    if (f < 1 || f > kMaxFlocks) return;
    auto& birds = state.ClassBirds;
    auto classTotal = [&](int k) { return static_cast<int64_t>(birds[1][f][k]) + birds[2][f][k]; };
    int64_t excess = -static_cast<int64_t>(state.FlockBirds[f]);
    for (int k = 0; k <= kMaxClasses; ++k)
        excess += classTotal(k);
    while (excess > 0) {
        // The largest class (the lower one on a tie); in a very small flock it may hold fewer birds
        // than the excess, and the rest comes off the next largest.
        int largest = -1;
        int64_t most = 0;
        for (int k = 0; k <= kMaxClasses; ++k) {
            if (classTotal(k) > most) {
                most = classTotal(k);
                largest = k;
            }
        }
        if (largest < 0) break;
        const int first = birds[2][f][largest] > birds[1][f][largest] ? 2 : 1;
        for (int s : {first, 3 - first}) {
            const int32_t take = static_cast<int32_t>(std::min<int64_t>(excess, birds[s][f][largest]));
            birds[s][f][largest] -= take;
            excess -= take;
        }
        if (SexOf(state, f) == 0) birds[0][f][largest] = birds[1][f][largest] + birds[2][f][largest];
    }
}

void Calculate_Dist(ProgramState& state, Dialogs& dialogs, std::string_view classCountText,
                    const std::string& reportPath, GridOps& grid1) {
    state.ClassCount = static_cast<int16_t>(LimitedClassCount(classCountText));
    const int classCount = state.ClassCount;
    const int flocks = state.UsedFlockCount();
    auto& table = state.CarcassTable;

    for (int f = 1; f <= flocks; ++f) {
        int sf = SexOf(state, f);
        double age = std::trunc(state.FlockAge[f]);
        int a = LimitAge(std::min(age, static_cast<double>(state.MaxAge)));
        for (int s = 1; s <= 2; ++s) {
            if (table[s][1][a - 20] == 0) a = LimitAge(a - 1);
            double own = table[sf][1][a - 20];
            double ratio = own != 0 ? table[s][1][a - 20] / own : 1.0;
            state.FlockWeight[s][f] = state.FlockWeight[sf][f] * ratio;
        }
    }

    std::vector<std::string> report;
    std::vector<double> rowSums(classCount + 2, 0.0);
    for (int f = 1; f <= flocks; ++f) {
        flocksplit(state, f);
        int sf = SexOf(state, f);
        for (int k = 0; k <= kMaxClasses; ++k) {
            for (int s = 1; s <= 2; ++s)
                state.ClassBirds[s][f][k] = std::max(state.ClassBirds[s][f][k], 0);
        }
        TakeOffRoundingExcess(state, f);
        double counted = 0;
        for (int k = 0; k <= kMaxClasses; ++k) {
            const int32_t males = state.ClassBirds[1][f][k];
            const int32_t females = state.ClassBirds[2][f][k];
            counted += static_cast<double>(males) + females;
            ReportLine line;
            line.Number(f).NextZone().Number(k).NextZone().Number(males).NextZone().Number(females);
            report.push_back(line.str());
        }
        for (int k = 0; k <= classCount; ++k) {
            double birds = state.ClassBirds[sf][f][k];
            grid1.Cell(k + 7, f + 5, WholeCell(birds));
            rowSums[k] += birds;
        }
        double rest = state.FlockBirds[f] - counted;
        grid1.Cell(classCount + 8, f + 5, WholeCell(rest));
        rowSums[classCount + 1] += rest;
    }
    for (int k = 0; k <= classCount + 1; ++k)
        grid1.Cell(k + 7, 2, WholeCell(std::max(rowSums[k], 0.0)));

    if (!WriteTextLines(WritablePath(reportPath), report))
        dialogs.ShowMessage(WithPath(kMsgCannotWrite, reportPath));
}

DistributionResult RecalcFlockDistribution(ProgramState& state, Dialogs& dialogs,
                                           const DistributionInputs& inputs, const std::string& reportPath,
                                           const PatternFormatter& format) {
    DistributionResult result;
    const int flocks = state.UsedFlockCount();
    if (flocks == 0) return result;
    result.ran = true;
    GridOps& g = result.grid1;
    FlockColumnsResult columns = WriteFlockColumns(state, flocks, g, format);
    const double w = columns.average;
    result.average = w;
    result.totalBirds = columns.totalBirds;

    state.ClassWidth = ParseNumber(inputs.widthText);
    const int32_t typedCount = ParseWholeNumber(inputs.classCountText);
    const int classCount = LimitedClassCount(inputs.classCountText);
    state.ClassCount = static_cast<int16_t>(classCount);
    std::string countText = inputs.classCountText;
    if (typedCount != classCount) {
        countText = std::to_string(classCount);
        g.Cell(4, 2, CellContent::Num(classCount, countText));
    }
    double minimum = ParseNumber(inputs.minText);
    double maximum = ParseNumber(inputs.maxText);
    const double half = classCount / 2.0;
    if (state.ClassWidth == 0) state.ClassWidth = RoundHalfEvenTo(w * 0.35 / half, 1);
    const bool bothGiven = minimum != 0 && maximum != 0;
    if (minimum == 0) minimum = RoundHalfEvenTo(w - half * state.ClassWidth, 2);
    if (maximum == 0) maximum = RoundHalfEvenTo(half * state.ClassWidth + w, 2);
    const double centre = bothGiven ? (minimum + maximum) * 0.5 : w;
    result.centre = centre;
    const double width = state.ClassWidth;

    g.Current(3, 2);
    g.Cell(3, 2, CellContent::Num(width, LocaleNumberText(width)));

    auto edge = [&](double v) { return format ? format(v, " #.#0 ") : std::string(); };
    for (int i = 0; i <= classCount + 1; ++i)
        state.ClassBound[i] = RoundHalfEvenTo(centre + (i - 10) * width, 3);
    g.Text(7, 1, "Below -" + edge(RoundHalfEvenTo(centre - 10 * width, 2)));
    for (int i = 1; i <= classCount + 1; ++i) {
        g.Text(i + 7, 1,
               edge(RoundHalfEvenTo(centre + (i - 11) * width, 2)) + " -" +
                   edge(RoundHalfEvenTo(centre + (i - 10) * width, 2)));
    }
    g.Text(classCount + 9, 1, "Above " + edge(RoundHalfEvenTo(centre + (classCount - 9) * width, 2)));

    Calculate_Dist(state, dialogs, countText, reportPath, g);

    auto chosen = [&](double v) {
        return CellContent::Num(v, ChooseNumberFormat(v, format), ChooseNumberPattern(v));
    };
    g.Cell(1, 2, chosen(state.ClassBound[0]));
    g.Cell(2, 2, chosen(state.ClassBound[state.ClassCount]));
    return result;
}

void CV_Change_Click(ProgramState& state, Dialogs& dialogs, const PatternFormatter& format) {
    std::string prompt = std::string(kCvPrompt) + (format ? format(state.FlockCV, "0.##") : std::string());
    std::string answer = dialogs.InputBox(prompt, kProgramTitle, LocaleNumberText(state.FlockCV));
    if (answer.empty()) return;
    double cv = ParseNumber(answer);
    if (cv > 0 && std::isfinite(cv)) state.FlockCV = cv;
}

} // namespace avigram
