// The batch front end: runs Avigram as a user would, without a window, and writes the results.
//
// Start-up, the carcass file handed over, "Add Flocks" (the flock file read by the flock window),
// "Return", the typed input cells of Grid1, "CV Change", "Recalc. Flock Distribution"; then the
// reports "regvals.txt" and "WtDist.txt" and "grids.json" in the output folder.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "app/batch/batch_options.h"

namespace avigram {

inline constexpr int kBatchOk = 0;
inline constexpr int kBatchUnreadableFile = 1;
inline constexpr int kBatchUsageError = 2;

// Runs the options; problems shown to the user in message boxes end up in grids.json and still
// give kBatchOk. A file that cannot be read at all, or an output folder that cannot be made or
// written, gives kBatchUnreadableFile with a one-line reason on err.
int RunBatch(const BatchOptions& options, const std::string& programFolder, std::ostream& err);

// The command line (arguments after the program name): a usage error gives kBatchUsageError with
// the reason and the usage on err.
int RunBatchCommandLine(const std::vector<std::string>& args, const std::string& programFolder,
                        std::ostream& err);

} // namespace avigram
