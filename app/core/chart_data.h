// What the two charts show, worked out from the program state after a recalculation; no toolkit.
//
// Live-weight distribution: the birds per weight class of every flock and of all flocks together,
// at the classes' live weights, with each flock's average and the all-flocks average. Parts
// yield: the mean weight per class of every part the parts analysis lists, and the three tonnage
// totals of the main window. Both follow the display units.
#pragma once

#include <string>
#include <vector>

#include "app/core/program_state.h"

namespace avigram {

struct WeightUnits {
    std::string live;    // flock weights: "kg", "lb" or "g"
    std::string part;    // part weights: "g" or "lb"
    std::string tonnage; // "tonnes" or "tons"
};
WeightUnits UnitsOf(int displayUnits);

struct FlockSeries {
    std::string id;
    std::vector<double> birds; // per class point (see DistributionChartData::classes)
    double average = 0;        // the flock's average live weight
};

struct ClassPoint {
    std::string label; // the class label of Grid1 column 1 without its padding ("1.00 - 1.10")
    double weight = 0; // the live weight the class stands for (its midpoint)
};

struct DistributionChartData {
    WeightUnits units;
    std::vector<ClassPoint> classes; // class 0 (below the lowest edge) .. ClassCount, then above
    std::vector<FlockSeries> flocks;
    std::vector<double> allFlocks; // per class point: the sum over the flocks
    double average = 0;            // the all-flocks average (weighted by birds)
    bool empty() const { return flocks.empty(); }
};

struct PartSeries {
    std::string name;
    bool detail = false;         // a piece of a combined part (hidden in the grid until asked for)
    std::vector<double> weights; // mean part weight per class, classes 0..ClassCount
};

struct TonnageBar {
    std::string name;
    double value = 0; // in units.tonnage, as the main window shows it
};

struct PartsYieldChartData {
    WeightUnits units;
    std::vector<double> classWeights; // live weight of classes 0..ClassCount
    std::vector<PartSeries> parts;    // in the order of the parts list (Grid2 columns)
    std::vector<TonnageBar> tonnages; // breast meat, then part columns 14 and 16
    bool empty() const { return parts.empty() || classWeights.empty(); }
};

// From the state after "Recalc. Flock Distribution" (and its parts analysis); empty data when no
// distribution has been worked out.
DistributionChartData DistributionChart(const ProgramState& state);
PartsYieldChartData PartsYieldChart(const ProgramState& state);

} // namespace avigram
