// ReadCarc, sortnames and the carcass-row sorttab.
#include "app/core/carcass_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/core/messages.h"
#include "app/core/numbers.h"
#include "app/core/paths.h"
#include "app/core/text_file.h"

namespace avigram {

namespace {

// Field i (0-based) of a TAB-separated line; empty when the line has fewer fields.
std::string_view Field(std::string_view line, int index) {
    std::size_t start = 0;
    for (int i = 0; i < index; ++i) {
        std::size_t tab = line.find('\t', start);
        if (tab == std::string_view::npos) return {};
        start = tab + 1;
    }
    std::size_t tab = line.find('\t', start);
    return line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
}

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
    auto it = std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
        return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
    });
    return it != text.end();
}

// Largest weight a carcass table takes: far above any bird in any unit, and small enough that the
// sums of squares of the fit and the tonnage sums stay exact enough and finite.
constexpr double kLargestWeight = 1e9;

bool HoldsBinaryData(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const unsigned char u = static_cast<unsigned char>(c);
        return (u < 0x20 && c != '\t' && c != '\x1A') || u == 0x7F; // TAB and a DOS end-of-file mark pass
    });
}

// Why the data lines cannot be read into the table, or nothing when they can. Lines are numbered
// from 1 (the header).
std::optional<std::string> DataProblem(const std::vector<std::string>& lines, std::string_view name) {
    const std::string file = "The carcass file " + std::string(name);
    bool anyRow = false;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.empty()) continue;
        const std::string where = file + ", line " + std::to_string(i + 1);
        for (int f = 2; f < 30; ++f) {
            const std::string_view text = Field(line, f);
            const NumberScan scan = ScanNumber(CommaToDot(text));
            if (scan.outOfRange || std::fabs(scan.value) > kLargestWeight) {
                std::string caption(Field(lines[0], f));
                return where + ", field \"" + caption + "\": " + std::string(text) +
                       " cannot be used as a weight";
            }
        }
        anyRow = true;
    }
    if (!anyRow) return file + " holds no data rows";
    return std::nullopt;
}

int FieldCount(std::string_view line) {
    return static_cast<int>(std::count(line.begin(), line.end(), '\t')) + 1;
}

// Data lines with fewer than the 30 fields: a table with fewer parts, or a line cut short. Their
// missing weights read as 0, as sorttab reads them. Nothing when every line is complete.
std::optional<std::string> ShortLinesNote(const std::vector<std::string>& lines, std::string_view name) {
    std::vector<std::pair<std::size_t, std::size_t>> ranges; // line numbers, first to last
    int fewest = 30;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        if (lines[i].empty() || FieldCount(lines[i]) >= 30) continue;
        fewest = std::min(fewest, FieldCount(lines[i]));
        const std::size_t number = i + 1;
        if (!ranges.empty() && ranges.back().second + 1 == number)
            ranges.back().second = number;
        else
            ranges.push_back({number, number});
    }
    if (ranges.empty()) return std::nullopt;
    std::string where;
    for (const auto& [first, last] : ranges) {
        if (!where.empty()) where += ", ";
        where += std::to_string(first);
        if (last != first) where += "-" + std::to_string(last);
    }
    const bool one = ranges.size() == 1 && ranges[0].first == ranges[0].second;
    return "The carcass file " + std::string(name) + (one ? ", line " : ", lines ") + where + ": " +
           (one ? "only " : "as few as ") + std::to_string(fewest) +
           " of the 30 fields; the missing weights are read as 0";
}

} // namespace

void sortnames(ProgramState& state, Dialogs& dialogs, std::string_view header) {
    std::array<std::string, 31> names = state.PartNames;
    std::size_t start = 0;
    for (int field = 0; field < 30; ++field) {
        std::size_t tab = header.find('\t', start);
        if (tab == std::string_view::npos) {
            dialogs.ShowMessage(kMsgHeaderError);
            state.LoadError = true;
            return;
        }
        names[field] = std::string(header.substr(start, tab - start));
        start = tab + 1;
    }
    names[2] = "Breast";
    names[3] = "Large Pectoral";
    names[4] = "Small Pectoral";
    names[5] = "Leg";
    names[6] = "Thigh";
    names[7] = "Wings";
    names[12] = "Breast_Meat";
    for (int i = 13; i <= 28; ++i)
        names[i] = names[i + 1];
    state.PartNames = std::move(names);
}

std::optional<int> sorttab(ProgramState& state, std::string_view line) {
    if (line.empty()) return std::nullopt;
    double value = ParseNumber(Field(line, 0));
    if (!(value >= 20 && value <= 100)) return std::nullopt;
    int age = static_cast<int>(std::floor(value));
    if (value > age) {
        ++age;
        if (age > 100) return std::nullopt;
        state.MaxAge = static_cast<int16_t>(age);
    }
    int rowIndex = age - 20;

    std::string_view sexName = Field(line, 1);
    int sex = 0;
    for (int s = 0; s < kSexes; ++s) {
        if (sexName == state.SexNames[s]) sex = s;
    }

    if (rowIndex <= 30) {
        std::size_t start = 0;
        for (int skip = 0; skip < 2 && start != std::string_view::npos; ++skip) {
            std::size_t tab = line.find('\t', start);
            start = tab == std::string_view::npos ? std::string_view::npos : tab + 1;
        }
        for (int column = 1; column <= 28; ++column) {
            std::string_view text;
            if (start != std::string_view::npos) {
                std::size_t tab = column == 28 ? std::string_view::npos : line.find('\t', start);
                text =
                    line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start);
                start = tab == std::string_view::npos ? std::string_view::npos : tab + 1;
            }
            state.CarcassTable[sex][column][rowIndex] =
                ConvertUnits(state.DisplayUnits, UnitDirection::ToDisplay, ParseNumber(text));
        }
    }
    state.MaxAge = static_cast<int16_t>(std::max<int>(state.MaxAge, age));
    return rowIndex;
}

void ReadCarc(ProgramState& state, Dialogs& dialogs, std::string_view name) {
    // The dialog pattern itself is no file to read.
    if (ContainsIgnoringCase(name, "*carcdata.txt")) return;
    std::string path = ResolveFile(name, false);
    std::optional<std::vector<std::string>> lines;
    if (!path.empty()) lines = ReadTextLines(path);
    if (!lines) {
        dialogs.ShowMessage(WithPath(kMsgCannotOpen, name));
        state.LoadError = true;
        return;
    }
    if (lines->empty()) {
        dialogs.ShowMessage(kMsgHeaderError);
        state.LoadError = true;
        return;
    }
    if (std::any_of(lines->begin(), lines->end(), HoldsBinaryData)) {
        dialogs.ShowMessage("The file " + std::string(name) + " is not a carcass file (it holds binary data)");
        state.LoadError = true;
        return;
    }
    const std::array<std::string, 31> namesBefore = state.PartNames;
    sortnames(state, dialogs, (*lines)[0]);
    if (state.LoadError) return;
    if (std::optional<std::string> problem = DataProblem(*lines, name)) {
        state.PartNames = namesBefore;
        dialogs.ShowMessage(*problem);
        state.LoadError = true;
        return;
    }

    // A new file replaces the whole table, so no rows of an earlier file enter the fit.
    state.CarcassTable = {};
    state.Slope = {};
    state.Intercept = {};

    int lastRow = 0;
    for (std::size_t i = 1; i < lines->size(); ++i) {
        if (auto row = sorttab(state, (*lines)[i])) lastRow = *row;
    }
    int n = std::clamp(lastRow, 0, 30);

    for (int row = 1; row <= n; ++row) {
        for (int sex = 1; sex <= 2; ++sex) {
            double sum = 0;
            for (int c = 12; c <= 26; ++c)
                sum += state.CarcassTable[sex][c][row];
            state.CarcassTable[sex][0][row] = sum;
        }
    }
    int mask = 0;
    if (state.CarcassTable[1][1][n] > 0) mask += 1;
    if (state.CarcassTable[2][1][n] > 0) mask += 2;
    state.SexMask = static_cast<int16_t>(mask);
    if (std::optional<std::string> note = ShortLinesNote(*lines, name)) dialogs.ShowMessage(*note);
}

} // namespace avigram
