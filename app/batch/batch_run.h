// The batch front end: runs Avigram as a user would, without a window, and writes the results.
//
// Start-up, the carcass file handed over, "Add Flocks" (the flock file read by the flock window),
// "Return", the typed input cells of Grid1, "CV Change", "Recalc. Flock Distribution"; then the
// reports "regvals.txt" and "WtDist.txt", "grids.json", and on request the CSV and XLSX exports and
// the charts, in the output folder.
//
// Every file is first written into a private folder inside the output folder and renamed into place
// only when the run produced its results, so a run that cannot (exit status 1) changes no file
// there, and an interrupted run leaves each file either old or new.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "app/batch/batch_options.h"
#include "app/core/chart_data.h"

namespace avigram {
class FormWeights;
}

namespace avigram {

inline constexpr int kBatchOk = 0;              // the run was clean
inline constexpr int kBatchUnusable = 1;        // unusable input or command line: nothing written
inline constexpr int kBatchProblemReported = 2; // finished, but a problem was shown to the user

// Writes the two charts as PNG files into folder (distribution.png, parts_yield.png); false with
// a reason when it cannot. Given by a program that has a chart renderer.
using ChartWriter = std::function<bool(const std::string& folder, const DistributionChartData& distribution,
                                       const PartsYieldChartData& partsYield, std::string& error)>;

// Writes the results report of the main window as a PDF file at path, replacing the old file in one
// step; false with a reason when it cannot (the old file is then kept). Given by a program that can
// draw PDF files.
using PdfWriter = std::function<bool(FormWeights& main, const std::string& path, std::string& error)>;

// The chart files a ChartWriter writes.
inline constexpr const char* kDistributionChartFile = "distribution.png";
inline constexpr const char* kPartsYieldChartFile = "parts_yield.png";

// Runs the options. Every message box text of the run is also written to err ("avigram: " and the
// text). Returns kBatchOk, kBatchProblemReported when a message was shown or a result could not be
// written, or kBatchUnusable (with the reason on err) when the carcass file, the flock file or the
// output folder cannot be used or no flock is left to work with.
// The report of --pdf is written last, straight to its file, once the other results are in place.
int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& err,
             const ChartWriter& charts = {}, const PdfWriter& pdf = {});

// The command line (arguments after the program name): --help prints the help to out and gives
// kBatchOk; a usage error gives kBatchUnusable with the reason and the usage on err.
int RunBatchCommandLine(const std::vector<std::string>& args, const std::string& programFolder, std::ostream& out,
                        std::ostream& err, const ChartWriter& charts = {}, const PdfWriter& pdf = {});

} // namespace avigram
