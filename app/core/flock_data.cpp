// ReadFlockData, WriteFlocks and the sex-cell check of the flock window.
#include "app/core/flock_data.h"

#include <algorithm>

#include "app/core/distribution.h"
#include "app/core/messages.h"
#include "app/core/numbers.h"

namespace avigram {

namespace {

struct SexCode {
    int index;
    int bit;
};

std::optional<SexCode> SexOfText(std::string_view text) {
    if (text == "X") return SexCode{0, 3};
    if (text == "M") return SexCode{1, 1};
    if (text == "F") return SexCode{2, 2};
    return std::nullopt;
}

} // namespace

int CountFlocks(const FlockGridTexts& rows) {
    int count = 0;
    while (count < kMaxFlocks && !rows[count][0].empty())
        ++count;
    return count;
}

void ReadFlockData(ProgramState& state, Dialogs& dialogs, const FlockGridTexts& rows) {
    const int count = CountFlocks(rows);
    state.FlockCount = static_cast<int16_t>(count);
    state.FlocksAccepted = static_cast<int16_t>(count);
    SexCode sex{0, 0};
    for (int i = 1; i <= count; ++i) {
        const FlockRowTexts& row = rows[i - 1];
        state.FlockIds[i] = row[0];
        state.FlockBirds[i] = ParseWholeNumber(row[1]);
        state.FlockAge[i] = ParseNumber(row[4]);
        if (auto code = SexOfText(row[3])) sex = *code;
        if (sex.bit > state.SexMask) {
            std::string message(kMsgSexMismatch);
            if (state.SexMask >= 1 && state.SexMask <= 3) message += state.SexNames[state.SexMask % 3];
            dialogs.ShowMessage(message);
            state.FlocksAccepted = static_cast<int16_t>(i - 1);
            return;
        }
        state.FlockSexIndex[i] = static_cast<int16_t>(sex.index);
        state.FlockWeight[sex.index][i] = ParseNumber(row[2]);
    }
}

GridOps WriteFlocks(ProgramState& state, const FlockGridTexts& rows, std::string_view classCountText,
                    const PatternFormatter& format) {
    state.ClassCount = static_cast<int16_t>(LimitedClassCount(classCountText));
    state.FlockCount = static_cast<int16_t>(CountFlocks(rows));
    GridOps grid1;
    const int used = state.UsedFlockCount();
    SexCode sex{0, 0};
    for (int i = 1; i <= used; ++i) {
        state.FlockIds[i] = rows[i - 1][0];
        if (auto code = SexOfText(rows[i - 1][3])) sex = *code;
        state.FlockSexIndex[i] = static_cast<int16_t>(sex.index);
    }
    WriteFlockColumns(state, used, grid1, format);
    return grid1;
}

std::optional<std::string> NormalizeSexEntry(std::string_view text) {
    if (text == "m" || text == "M") return "M";
    if (text == "x" || text == "X") return "X";
    if (text == "f" || text == "F") return "F";
    return std::nullopt;
}

} // namespace avigram
