// The chart data of the distribution and the parts yield.
#include "app/core/chart_data.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "app/core/parts_analysis.h"

namespace avigram {

namespace {

int SexOf(const ProgramState& state, int f) {
    return std::clamp<int>(state.FlockSexIndex[f], 0, 2);
}

std::string Edge(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.2f", v);
    return buf;
}

bool Distributed(const ProgramState& state) {
    return state.PartsAnalysisDone && state.UsedFlockCount() > 0 && state.ClassCount >= 1;
}

} // namespace

WeightUnits UnitsOf(int displayUnits) {
    if (displayUnits == 1) return {"lb", "lb", "tons"};
    if (displayUnits == 2) return {"g", "g", "tonnes"};
    return {"kg", "g", "tonnes"};
}

DistributionChartData DistributionChart(const ProgramState& state) {
    DistributionChartData data;
    data.units = UnitsOf(state.DisplayUnits);
    if (!Distributed(state)) return data;
    const int n = std::clamp<int>(state.ClassCount, 1, kMaxClasses);
    const double width = state.ClassWidth;
    data.classes.push_back({"below " + Edge(state.ClassBound[0]), ClassMidpoint(state, 0)});
    for (int k = 1; k <= n; ++k)
        data.classes.push_back({Edge(state.ClassBound[k - 1]) + " - " + Edge(state.ClassBound[k]), ClassMidpoint(state, k)});
    data.classes.push_back({"above " + Edge(state.ClassBound[n]), state.ClassBound[n] + width / 2});

    const int flocks = state.UsedFlockCount();
    data.allFlocks.assign(data.classes.size(), 0.0);
    double weighted = 0, birds = 0;
    for (int f = 1; f <= flocks; ++f) {
        FlockSeries series;
        series.id = state.FlockIds[f];
        const int sf = SexOf(state, f);
        series.average = state.FlockWeight[sf][f];
        double counted = 0;
        for (int k = 0; k <= kMaxClasses; ++k)
            counted += static_cast<double>(state.ClassBirds[1][f][k]) + state.ClassBirds[2][f][k];
        for (int k = 0; k <= n; ++k)
            series.birds.push_back(state.ClassBirds[sf][f][k]);
        // The birds above the top edge: what the classes leave of the flock (as Grid1 shows them).
        series.birds.push_back(std::max(0.0, state.FlockBirds[f] - counted));
        for (std::size_t i = 0; i < series.birds.size(); ++i)
            data.allFlocks[i] += series.birds[i];
        weighted += static_cast<double>(state.FlockBirds[f]) * series.average;
        birds += state.FlockBirds[f];
        data.flocks.push_back(std::move(series));
    }
    data.average = birds > 0 ? weighted / birds : 0;
    return data;
}

PartsYieldChartData PartsYieldChart(const ProgramState& state) {
    PartsYieldChartData data;
    data.units = UnitsOf(state.DisplayUnits);
    if (!Distributed(state)) return data;
    const int n = std::clamp<int>(state.ClassCount, 1, kMaxClasses);
    for (int k = 0; k <= n; ++k)
        data.classWeights.push_back(ClassMidpoint(state, k));
    const std::vector<int> details = [] {
        std::vector<int> all;
        for (int combined : {6, 12, 17})
            for (int c : DetailColumnsOf(combined))
                all.push_back(c);
        return all;
    }();
    double largePectoral = 0;
    const int flocks = state.UsedFlockCount();
    for (int i = 0; i < kListEntries; ++i) {
        const int c = state.PartColumnList[i];
        if (c < 1 || c > 28) continue;
        PartSeries part;
        part.name = state.PartNames[c];
        part.detail = std::find(details.begin(), details.end(), state.GridColumnList[i]) != details.end();
        for (int k = 0; k <= n; ++k)
            part.weights.push_back(state.PartWeight[0][k][c]);
        data.parts.push_back(std::move(part));

        // The tonnage totals, as the main window works them out.
        double total = 0;
        for (int k = 0; k <= n; ++k)
            for (int f = 1; f <= flocks; ++f)
                total += state.PartWeight[1][k][c] * state.ClassBirds[1][f][k] +
                         state.PartWeight[2][k][c] * state.ClassBirds[2][f][k];
        if (c == 3) largePectoral = total;
        if (c == 4) total += largePectoral;
        if (c == 4 || c == 14 || c == 16) {
            const int captionPart = c == 4 ? 12 : c;
            data.tonnages.push_back({state.PartNames[captionPart], Tonnage(state.DisplayUnits, total).value});
        }
    }
    return data;
}

} // namespace avigram
