// The calibration file ("<prefix>.clb" beside the carcass file): 12 lines of free text, then a
// line "<text item>,<units>" where units is 0 (kilograms), 1 (pounds) or 2 (grams).
#pragma once

#include <optional>
#include <string>

#include "app/core/dialogs.h"

namespace avigram {

// The display units of a calibration file, or nothing when the file is shorter than 13 lines or its
// units are not 0, 1 or 2 (the caller keeps its units and shows the message kMsgBadCalibration).
std::optional<int16_t> ParseCalibration(const std::vector<std::string>& lines);

// Reads the calibration file at path (found ignoring case). Nothing when it does not exist (no
// message); a message and nothing when it exists but cannot be used.
std::optional<int16_t> ReadCalibrationFile(const std::string& path, Dialogs& dialogs);

} // namespace avigram
