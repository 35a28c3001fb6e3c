// Reading the display units from the calibration file.
#include "app/core/calibration_file.h"

#include "app/core/messages.h"
#include "app/core/numbers.h"
#include "app/core/paths.h"
#include "app/core/text_file.h"

namespace avigram {

std::optional<int16_t> ParseCalibration(const std::vector<std::string>& lines) {
    if (lines.size() < 13) return std::nullopt;
    // One text item and one number, read item by item from line 13 on.
    ItemReader reader(std::vector<std::string>(lines.begin() + 12, lines.end()));
    std::optional<std::string> label = reader.Next();
    std::optional<std::string> units = reader.Next();
    if (!label || !units) return std::nullopt;
    // The item must be a number: an empty or text item is no unit.
    const std::string& u = *units;
    std::size_t first = u.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    char c = u[first];
    if (!((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.')) return std::nullopt;
    double value = ParseNumber(u);
    if (value != 0 && value != 1 && value != 2) return std::nullopt;
    return static_cast<int16_t>(value);
}

std::optional<int16_t> ReadCalibrationFile(const std::string& path, Dialogs& dialogs) {
    std::string resolved = ResolveFile(path, true);
    if (resolved.empty()) return std::nullopt;
    std::optional<std::vector<std::string>> lines = ReadTextLines(resolved);
    std::optional<int16_t> units = lines ? ParseCalibration(*lines) : std::nullopt;
    if (!units) dialogs.ShowMessage(WithPath(kMsgBadCalibration, path));
    return units;
}

} // namespace avigram
