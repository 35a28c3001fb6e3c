// ReadInGrid, the flock sorttab and savefile.
#include "app/core/flock_file.h"

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

std::vector<FlockRowUpdate> ReadInGrid(ProgramState& state, Dialogs& dialogs) {
    bool read = false;
    if (FileExists(state.FlockFilePath) || !ResolveFile(state.FlockFilePath, true).empty()) {
        Answer answer = dialogs.Ask(state.FlockFilePath + std::string(kFlockFileQuestionTail),
                                    QuestionButtons::YesNoCancel);
        if (answer == Answer::Cancel) return {};
        if (answer == Answer::Yes) {
            read = true;
        } else {
            std::string chosen = dialogs.ShowOpen(kFlockDialogTitle, kFlockDialogPattern);
            if (chosen == kFlockDialogPattern) return {};
            state.FlockFilePath = chosen;
            read = chosen.size() >= 5;
        }
    }
    if (!read) return {};
    std::string path = ResolveFile(state.FlockFilePath, true);
    std::optional<std::vector<std::string>> lines;
    if (!path.empty()) lines = ReadTextLines(path);
    if (!lines) {
        dialogs.ShowMessage(WithPath(kMsgCannotOpen, state.FlockFilePath));
        return {};
    }
    return FlockFileRows(*lines, state.LocaleUsesComma);
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
