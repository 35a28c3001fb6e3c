// Writing the charts as PNG files, for programs without a window (no Qt types in this header).
#pragma once

#include <string>

#include "app/core/chart_data.h"

namespace avigram {

// Makes sure a Qt application object exists for drawing; without a display the offscreen platform
// is used. Safe to call more than once.
void EnsureChartApplication();

// Writes distribution.png and parts_yield.png into folder, each replaced atomically. False with the
// reason when a chart has no data or a file cannot be written (the old files are then kept).
bool WriteChartFiles(const std::string& folder, const DistributionChartData& distribution,
                     const PartsYieldChartData& partsYield, std::string& error);

} // namespace avigram
