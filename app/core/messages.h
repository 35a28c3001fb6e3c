// The fixed texts Avigram shows in message boxes, questions and dialogs.
#pragma once

#include <string>
#include <string_view>

namespace avigram {

inline constexpr std::string_view kProgramTitle = "Avigram";
inline constexpr std::string_view kMainCaption = "Flock Weight and Parts Distribution";

inline constexpr std::string_view kMsgClipboardBusy = "Cannot open Clipboard. Another app. may have it open";
inline constexpr std::string_view kMsgHeaderError = "There is an error in the file, check name and restart";
inline constexpr std::string_view kMsgSexMismatch = "The Flock Sex does not Match the Input Data of ";
inline constexpr std::string_view kMsgSexEntry = "Sex must be M, F,or X";
inline constexpr std::string_view kFlockFileQuestionTail =
    " exists, use it (yes) or choose one (no) or paste or type later (cancel)";
inline constexpr std::string_view kCvPrompt = "Old CV is ";

inline constexpr std::string_view kCarcassDialogTitle = "Select Carcass File";
inline constexpr std::string_view kCarcassDialogPattern = "*CARCDATA.txt";
inline constexpr std::string_view kFlockDialogTitle = "Select Flock Data file";
inline constexpr std::string_view kFlockDialogPattern = "*.grd";

// Messages for files that cannot be used; the file's path follows the text.
inline constexpr std::string_view kMsgCannotOpen = "Cannot open the file ";
inline constexpr std::string_view kMsgCannotWrite = "Cannot write the file ";
inline constexpr std::string_view kMsgBadCalibration = "The calibration file cannot be used: ";

inline std::string WithPath(std::string_view message, std::string_view path) {
    return std::string(message) + std::string(path);
}

} // namespace avigram
