// ReadInGrid, the flock sorttab and savefile.
#include "app/core/flock_file.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "app/core/flock_data.h"

#include "app/core/messages.h"
#include "app/core/numbers.h"
#include "app/core/paths.h"
#include "app/core/text_file.h"

namespace avigram {

namespace {

// A field stored as text: without its leading TAB, or cut before a TAB inside it.
std::string FieldText(std::string_view field) {
    if (!field.empty() && field[0] == '\t') return std::string(field.substr(1));
    if (auto tab = field.find('\t'); tab != std::string_view::npos) return std::string(field.substr(0, tab));
    return std::string(field);
}

} // namespace

std::optional<FlockRowTexts> ParseFlockLine(std::string_view line, bool localeUsesComma) {
    if (line.size() < 10) return std::nullopt;
    FlockRowTexts texts;
    std::size_t tab = line.find('\t');
    texts[0] = std::string(line.substr(0, tab));
    if (tab == std::string_view::npos) return texts;
    // The first number field starts after the first TAB; each later one at the TAB ending the
    // field before it.
    std::size_t start = tab + 1;
    for (int k = 1; k <= 4; ++k) {
        std::size_t searchFrom = k == 1 ? start : start + 1;
        std::size_t next = searchFrom <= line.size() ? line.find('\t', searchFrom) : std::string_view::npos;
        std::string_view field =
            start <= line.size()
                ? line.substr(start, next == std::string_view::npos ? std::string_view::npos : next - start)
                : std::string_view();
        double number = LeadingNumber(field);
        if (number <= 0)
            texts[k] = FieldText(field);
        else
            texts[k] = SwapSeparators(LocaleNumberText(number), localeUsesComma);
        if (next == std::string_view::npos) {
            start = line.size() + 1; // later fields are empty
        } else {
            start = next;
        }
    }
    return texts;
}

std::vector<FlockRowUpdate> FlockFileRows(const std::vector<std::string>& lines, bool localeUsesComma) {
    std::vector<FlockRowUpdate> rows;
    int row = 0;
    for (const std::string& raw : lines) {
        std::string line = raw.substr(0, raw.find(','));
        if (line.rfind("FX", 0) == 0) break;
        ++row;
        if (auto texts = ParseFlockLine(line, localeUsesComma)) rows.push_back({row, std::move(*texts)});
    }
    return rows;
}

std::pair<int, int> CarcassAgeRange(const ProgramState& state, int sex) {
    int lowest = 0, highest = 0;
    for (int row = 0; row < kStoredRows; ++row) {
        bool held = false;
        for (int s = 0; s < kSexes; ++s)
            held = held || ((sex < 0 || s == sex) && state.CarcassTable[s][1][row] > 0);
        if (!held) continue;
        if (lowest == 0) lowest = row + 20;
        highest = row + 20;
    }
    if (lowest == 0) return {20, 100};
    return {lowest, highest};
}

namespace {

// The body weight the growth table holds for a sex at an age in days; 0 for days without a row.
double GrowthWeight(const ProgramState& state, int sex, int day) {
    if (day < 20 || day >= 20 + kStoredRows) return 0;
    return state.CarcassTable[sex][1][day - 20];
}

bool TableHoldsSex(const ProgramState& state, int sex) {
    for (int row = 0; row < kStoredRows; ++row)
        if (state.CarcassTable[sex][1][row] > 0) return true;
    return false;
}

} // namespace

bool GrowthTableCovers(const ProgramState& state, double age, int sex) {
    sex = std::clamp(sex, 0, 2);
    if (!TableHoldsSex(state, 0) && !TableHoldsSex(state, 1) && !TableHoldsSex(state, 2))
        return std::trunc(age) >= 20 && std::trunc(age) <= 100; // no table yet: the ages it can hold
    const double capped = std::min(std::trunc(age), static_cast<double>(state.MaxAge));
    if (!(capped >= 0)) return false;
    int day = static_cast<int>(capped);
    // Without rows of the flock's own sex the averages are scaled by the halves' own rows. A sex
    // the table holds no body weights of at all is no matter of age: the sex check refuses it.
    const bool ownRows = TableHoldsSex(state, sex);
    for (int s = 1; s <= 2; ++s) {
        if (GrowthWeight(state, s, day) == 0) --day;
        const int divisor = ownRows ? sex : s;
        const bool used = sex == 0 || sex == s;
        if (used && TableHoldsSex(state, divisor) && GrowthWeight(state, divisor, day) == 0) return false;
    }
    return true;
}

namespace {

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

bool BinaryLine(std::string_view line) {
    for (char c : line) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\x1A') || u == 0x7F) return true;
    }
    return false;
}

std::vector<std::string_view> TabFields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) break;
        start = tab + 1;
    }
    return fields;
}

constexpr const char* kFieldNames[5] = {"Flock ID", "Number of birds", "Flock. Ave. Wt.", "Flock Sex",
                                        "Flock Age"};

// The checks of one flock line: the row texts, or why the line is left out.
struct CheckedLine {
    FlockRowTexts texts;
    std::string problem; // empty when the line is good
};

CheckedLine CheckFlockFields(const std::vector<std::string_view>& fields, const ProgramState& state) {
    const bool localeUsesComma = state.LocaleUsesComma;
    CheckedLine out;
    auto refuse = [&](int field, const std::string& value, const std::string& why) {
        out.problem = std::string("field \"") + kFieldNames[field] + "\": \"" + value + "\" " + why;
        return out;
    };
    auto localeText = [&](double v) { return SwapSeparators(LocaleNumberText(v), localeUsesComma); };

    std::string id(fields[0].substr(0, fields[0].find(',')));
    out.texts[0] = id;
    if (Trimmed(id).empty()) {
        out.problem = "no \"Flock ID\"";
        return out;
    }

    const std::string birdsText = Trimmed(fields[1]);
    const NumberScan birds = ScanNumber(birdsText);
    if (!birds.found || birds.end != birdsText.size()) return refuse(1, birdsText, "is not a number of birds");
    if (birds.negative && birds.value != 0) return refuse(1, birdsText, "is negative");
    if (birds.outOfRange || birds.value > 2147483647.0)
        return refuse(1, birdsText, "cannot be represented (at most 2147483647 birds)");
    if (birds.value != std::floor(birds.value)) return refuse(1, birdsText, "is not a whole number of birds");
    out.texts[1] = localeText(birds.value);

    const std::string weightText = Trimmed(fields[2]);
    const NumberScan weightScan = ScanNumber(CommaToDot(weightText));
    if (weightScan.found && weightScan.outOfRange) return refuse(2, weightText, "cannot be represented");
    const std::optional<double> weight = WholeTextNumber(weightText);
    if (!weight) return refuse(2, weightText, "is not a weight");
    if (!(*weight > 0)) return refuse(2, weightText, "is not above 0");
    if (*weight > 1e9) return refuse(2, weightText, "cannot be represented");
    out.texts[2] = localeText(*weight);

    const std::string sexText = Trimmed(fields[3]);
    const std::optional<std::string> sex = NormalizeSexEntry(sexText);
    if (!sex) return refuse(3, sexText, "is not a sex code (X mixed, M males, F females)");
    out.texts[3] = *sex;

    const std::string ageText = Trimmed(fields[4]);
    const NumberScan ageScan = ScanNumber(CommaToDot(ageText));
    if (ageScan.found && ageScan.outOfRange) return refuse(4, ageText, "cannot be represented");
    const std::optional<double> age = WholeTextNumber(ageText);
    if (!age) return refuse(4, ageText, "is not an age in days");
    const int sexIndex = *sex == "X" ? 0 : *sex == "M" ? 1 : 2;
    if (!GrowthTableCovers(state, *age, sexIndex)) {
        const std::pair<int, int> ages =
            CarcassAgeRange(state, TableHoldsSex(state, sexIndex) ? sexIndex : -1);
        return refuse(4, ageText,
                      "lies outside the ages of the carcass table (" + std::to_string(ages.first) + " to " +
                          std::to_string(ages.second) + " days)");
    }
    out.texts[4] = localeText(*age);
    return out;
}

} // namespace

FlockFileReading ReadFlockFileChecked(const std::vector<std::string>& lines, std::string_view path,
                                      const ProgramState& state) {
    FlockFileReading reading;
    const std::string file = "The flock file " + std::string(path);
    for (const std::string& line : lines) {
        if (BinaryLine(line)) {
            reading.refusal = "The file " + std::string(path) + " is not a flock file (it holds binary data)";
            return reading;
        }
    }
    // Line n goes to row n, whatever happens to the lines before it.
    std::map<int, std::size_t> refusedRows; // row -> its message in problems
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.rfind("FX", 0) == 0) break;
        const int row = static_cast<int>(std::min<std::size_t>(i + 1, kMaxFlocks + 1));
        const std::string where = file + ", line " + std::to_string(i + 1);
        if (Trimmed(line).empty()) continue; // an empty row
        std::vector<std::string_view> fields = TabFields(line);
        if (fields.size() < 5) {
            reading.refusal = where + ": only " + std::to_string(fields.size()) +
                              " of the 5 fields (Flock ID, Number of birds, Flock. Ave. Wt., Flock Sex, Flock "
                              "Age); the file is cut short or is no flock file";
            reading.rows.clear();
            reading.problems.clear();
            return reading;
        }
        bool blank = true;
        for (std::size_t f = 0; f < 5; ++f)
            blank = blank && Trimmed(fields[f]).empty();
        if (blank) continue;
        CheckedLine checked = CheckFlockFields(fields, state);
        if (!checked.problem.empty()) {
            std::string message = where + ", " + checked.problem + "; the line is left out";
            if (row <= kMaxFlocks) {
                message += " and row " + std::to_string(row) + " stays empty";
                refusedRows[row] = reading.problems.size();
            }
            reading.problems.push_back(std::move(message));
            continue;
        }
        if (row > kMaxFlocks) {
            reading.problems.push_back(where + ": only " + std::to_string(kMaxFlocks) +
                                       " flocks fit; the line is left out");
            continue;
        }
        reading.rows.push_back({row, std::move(checked.texts)});
    }
    // The flocks are counted down to the first empty row: when a refused line made it, say so.
    int firstEmpty = 1;
    for (const FlockRowUpdate& update : reading.rows) {
        if (update.row != firstEmpty) break;
        ++firstEmpty;
    }
    const bool flocksBelow = !reading.rows.empty() && reading.rows.back().row > firstEmpty;
    if (auto refused = refusedRows.find(firstEmpty); flocksBelow && refused != refusedRows.end())
        reading.problems[refused->second] += ", so the flocks below it are not used until it is filled";
    return reading;
}

FlockFileReading ReadFlockFile(const std::string& path, const ProgramState& state) {
    std::string resolved = ResolveFile(path, true);
    std::optional<std::vector<std::string>> lines;
    if (!resolved.empty()) lines = ReadTextLines(resolved);
    if (!lines) {
        FlockFileReading reading;
        reading.refusal = WithPath(kMsgCannotOpen, path);
        return reading;
    }
    return ReadFlockFileChecked(*lines, path, state);
}

std::vector<FlockRowUpdate> ReadInGrid(ProgramState& state, Dialogs& dialogs) {
    bool read = false;
    std::string path = state.FlockFilePath;
    if (FileExists(state.FlockFilePath) || !ResolveFile(state.FlockFilePath, true).empty()) {
        Answer answer = dialogs.Ask(state.FlockFilePath + std::string(kFlockFileQuestionTail),
                                    QuestionButtons::YesNoCancel);
        if (answer == Answer::Cancel) return {};
        if (answer == Answer::Yes) {
            read = true;
        } else {
            std::string chosen = dialogs.ShowOpen(kFlockDialogTitle, kFlockDialogPattern);
            if (chosen == kFlockDialogPattern) return {};
            path = chosen;
            read = chosen.size() >= 5;
        }
    }
    if (!read) return {};
    FlockFileReading reading = ReadFlockFile(path, state);
    if (reading.refusal) {
        dialogs.ShowMessage(*reading.refusal);
        return {};
    }
    state.FlockFilePath = path;
    for (const std::string& problem : reading.problems)
        dialogs.ShowMessage(problem);
    return std::move(reading.rows);
}

std::vector<std::string> FlockFileLines(const std::array<FlockRowTexts, kMaxFlocks>& rows) {
    std::vector<std::string> lines;
    for (const FlockRowTexts& row : rows) {
        std::string line;
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0) line += '\t';
            line += CommaToDot(row[c]);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool savefile(const ProgramState& state, Dialogs& dialogs,
              const std::array<FlockRowTexts, kMaxFlocks>& rows) {
    if (WriteTextLines(WritablePath(state.FlockFilePath), FlockFileLines(rows))) return true;
    dialogs.ShowMessage(WithPath(kMsgCannotWrite, state.FlockFilePath));
    return false;
}

} // namespace avigram
