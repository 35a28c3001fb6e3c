// The flock file, the flock row parser, ReadFlockData's sex check, WriteFlocks and the sex cell.
#include <gtest/gtest.h>

#include "app/core/flock_data.h"
#include "app/core/flock_file.h"
#include "app/core/messages.h"
#include "test_support.h"

namespace avigram {
namespace {

class Flocks : public test::BothLocales {
protected:
    ProgramState state;
    ScriptedDialogs dialogs;
    test::ScratchFolder dir;
    void SetUp() override {
        BothLocales::SetUp();
        ResetForStart(state);
        state.LocaleUsesComma = comma();
        state.SexMask = 3;
    }
};

TEST_P(Flocks, FileLinesBecomeCellTextsInTheLocale) {
    auto row = ParseFlockLine("Flock A\t5000\t2.35\tM\t35", comma());
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, (FlockRowTexts{"Flock A", "5000", Dec("2.35"), "M", "35"}));
    EXPECT_FALSE(ParseFlockLine("A\t1\t2\tM\t", comma())); // shorter than 10 characters
    row = ParseFlockLine("Flock B\t-5\t\tF", comma());
    ASSERT_TRUE(row);
    EXPECT_EQ(*row, (FlockRowTexts{"Flock B", "-5", "", "F", ""}));
    row = ParseFlockLine("No tabs in this line", comma());
    ASSERT_TRUE(row);
    EXPECT_EQ((*row)[0], "No tabs in this line");
    EXPECT_EQ((*row)[4], "");
    row = ParseFlockLine("C\t100\t1.5\tX\t30\textra\tfields", comma());
    EXPECT_EQ((*row)[4], "30");
}

TEST_P(Flocks, ReadInGridAsksAndReadsUpToFx) {
    state.FlockFilePath = dir.str() + "Broiler.grd";
    dir.Write("broiler.GRD",
              "F1\t100\t2.1\tM\t40\r\n\t\t\t\t\nFlock 3\t300\t2,3\tF\t41\r\nFX end\nF5\t1\t1\tM\t30\n");
    dialogs.questionAnswers = {Answer::Yes};
    std::vector<FlockRowUpdate> rows = ReadInGrid(state, dialogs);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, dir.str() + "Broiler.grd" + std::string(kFlockFileQuestionTail));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].row, 1);
    EXPECT_EQ(rows[1].row, 3);
    EXPECT_EQ(rows[1].texts[2], Dec("2.3")); // a decimal comma in a number field
    EXPECT_EQ(rows[1].texts[3], "F");
    EXPECT_EQ(rows[1].texts[4], "41");

    dialogs.questionAnswers = {Answer::Cancel};
    EXPECT_TRUE(ReadInGrid(state, dialogs).empty());

    // No: the dialog chooses another file, which becomes the flock file.
    std::string other = dir.Write("other.grd", "Z\t10\t1.25\tX\t33\n");
    dialogs.questionAnswers = {Answer::No};
    dialogs.openAnswers = {other};
    rows = ReadInGrid(state, dialogs);
    EXPECT_EQ(state.FlockFilePath, other);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].texts[2], Dec("1.25"));
    dialogs.questionAnswers = {Answer::No};
    EXPECT_TRUE(ReadInGrid(state, dialogs).empty()); // dialog cancelled
    EXPECT_EQ(state.FlockFilePath, other);

    state.FlockFilePath = dir.str() + "none.grd";
    const std::size_t asked = dialogs.shown.size();
    EXPECT_TRUE(ReadInGrid(state, dialogs).empty());
    EXPECT_EQ(dialogs.shown.size(), asked) << "no question without a flock file";
}

TEST_P(Flocks, SavefileWritesTenLinesWithPoints) {
    state.FlockFilePath = dir.str() + "out.grd";
    FlockGridTexts rows{};
    rows[0] = {"A", "100", Dec("2.35"), "M", "40"};
    ASSERT_TRUE(savefile(state, dialogs, rows));
    std::string text = dir.Read("out.grd");
    EXPECT_EQ(text.substr(0, text.find("\r\n") + 2), "A\t100\t2.35\tM\t40\r\n");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 10);
    EXPECT_NE(text.find("\r\n\t\t\t\t\r\n"), std::string::npos);

    state.FlockFilePath = dir.str() + "missing/out.grd";
    EXPECT_FALSE(savefile(state, dialogs, rows));
    EXPECT_EQ(dialogs.messages.back(), WithPath(kMsgCannotWrite, state.FlockFilePath));
}

TEST_P(Flocks, ReadFlockDataChecksSexesAgainstTheCarcassData) {
    FlockGridTexts rows{};
    rows[0] = {"A", "5000", Dec("2.35"), "M", "35"};
    rows[1] = {"B", "4000.5", "2,1", "X", "36.5"};
    rows[2] = {"", "1", "1", "M", "1"};
    rows[3] = {"D", "1", "1", "M", "1"}; // after the gap: not a flock
    ReadFlockData(state, dialogs, rows);
    EXPECT_EQ(state.FlockCount, 2);
    EXPECT_EQ(state.UsedFlockCount(), 2);
    EXPECT_EQ(state.FlockBirds[2], 4000);
    EXPECT_DOUBLE_EQ(state.FlockWeight[1][1], 2.35);
    EXPECT_DOUBLE_EQ(state.FlockWeight[0][2], 2.1);
    EXPECT_DOUBLE_EQ(state.FlockAge[2], 36.5);
    EXPECT_TRUE(dialogs.messages.empty());

    // Males only: a female flock stops the reading; it and later flocks are not used.
    state.SexMask = 1;
    rows[1] = {"B", "10", "2", "F", "30"};
    rows[2] = {"C", "10", "2", "M", "30"};
    ReadFlockData(state, dialogs, rows);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{std::string(kMsgSexMismatch) + "Males"});
    EXPECT_EQ(state.FlockCount, 4);
    EXPECT_EQ(state.UsedFlockCount(), 1);

    // Females only: a male flock passes (1 is not greater than 2); other letters keep the sex before.
    state.SexMask = 2;
    rows = {};
    rows[0] = {"A", "10", "2", "M", "30"};
    rows[1] = {"B", "10", "3", "?", "30"};
    ReadFlockData(state, dialogs, rows);
    EXPECT_EQ(state.UsedFlockCount(), 2);
    EXPECT_EQ(state.FlockSexIndex[2], 1);
    EXPECT_DOUBLE_EQ(state.FlockWeight[1][2], 3);

    state.SexMask = 0;
    ReadFlockData(state, dialogs, rows);
    EXPECT_EQ(dialogs.messages.back(), kMsgSexMismatch);
    EXPECT_EQ(state.UsedFlockCount(), 0);

    ReadFlockData(state, dialogs, FlockGridTexts{});
    EXPECT_EQ(state.FlockCount, 0);
}

TEST_P(Flocks, WriteFlocksFillsTheMainGrid) {
    FlockGridTexts rows{};
    rows[0] = {"A", "1000", "2", "M", "35"};
    rows[1] = {"B", "3000", Dec("2.4"), "F", "35"};
    ReadFlockData(state, dialogs, rows);
    test::GridImage g;
    g.Apply(WriteFlocks(state, rows, "12", test::TestFormatter()));
    EXPECT_EQ(state.ClassCount, 12);
    EXPECT_EQ(g.Text(2, 7), "B");
    EXPECT_EQ(g.Text(4, 7), Dec("2.4"));
    EXPECT_EQ(g.Number(5, 7), 3000);
    EXPECT_EQ(g.Text(4, 4), Dec("2.300"));
    EXPECT_EQ(g.Text(5, 4), "4000");
    EXPECT_EQ(g.curRow, 5);
    EXPECT_EQ(g.curCol, 4);
}

// Lines with values the flock window would refuse are reported (file, line, field) and left out;
// every flock stays in the row its line names, and a refused line's row stays empty.
TEST_P(Flocks, CheckedReadingLeavesOutImpossibleLines) {
    for (int s = 0; s < 3; ++s)
        for (int row = 1; row <= 30; ++row)
            state.CarcassTable[s][1][row] = 1000; // ages 21..50
    state.MaxAge = 80; // the file went on to 80 days, beyond the rows the table keeps
    EXPECT_EQ(CarcassAgeRange(state), (std::pair<int, int>{21, 50}));
    const std::vector<std::string> lines = {
        "Good 1\t1000\t2.5\tm\t40",     // 1
        "Neg\t-500\t2.5\tM\t40",        // 2
        "Huge\t1e20\t2.5\tM\t40",       // 3
        "Sex\t1000\t2.5\tQ\t40",        // 4
        "Old\t1000\t2.5\tF\t400",       // 5: capped at 80 days, no row within two days of it
        "Comma\t24000\t2,83\tF\t38",    // 6: a decimal comma, sex and age kept
        "Thousands\t24,000\t2.8\tX\t38", // 7
        "Zero\t10\t0\tX\t38",           // 8
        "\t10\t2\tX\t38",               // 9: no identifier
        "Young\t10\t2\tX\t20.5",        // 10: day 20 is not in the table, nor the day before
        "Inf\t10\t1e400\tX\t38",        // 11
    };
    FlockFileReading r = ReadFlockFileChecked(lines, "/f/x.grd", state);
    ASSERT_FALSE(r.refusal);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[0].row, 1);
    EXPECT_EQ(r.rows[0].texts, (FlockRowTexts{"Good 1", "1000", Dec("2.5"), "M", "40"}));
    EXPECT_EQ(r.rows[1].row, 6);
    EXPECT_EQ(r.rows[1].texts, (FlockRowTexts{"Comma", "24000", Dec("2.83"), "F", "38"}));
    const std::string f = "The flock file /f/x.grd, line ";
    const std::vector<std::string> expected = {
        f + "2, field \"Number of birds\": \"-500\" is negative; the line is left out and row 2 stays empty, so "
            "the flocks below it are not used until it is filled",
        f + "3, field \"Number of birds\": \"1e20\" cannot be represented (at most 2147483647 birds); the line is left out and row 3 stays empty",
        f + "4, field \"Flock Sex\": \"Q\" is not a sex code (X mixed, M males, F females); the line is left out and row 4 stays empty",
        f + "5, field \"Flock Age\": \"400\" lies outside the ages of the carcass table (21 to 50 days); the line is left out and row 5 stays empty",
        f + "7, field \"Number of birds\": \"24,000\" is not a number of birds; the line is left out and row 7 stays empty",
        f + "8, field \"Flock. Ave. Wt.\": \"0\" is not above 0; the line is left out and row 8 stays empty",
        f + "9, no \"Flock ID\"; the line is left out and row 9 stays empty",
        f + "10, field \"Flock Age\": \"20.5\" lies outside the ages of the carcass table (21 to 50 days); the line is left out and row 10 stays empty",
        f + "11, field \"Flock. Ave. Wt.\": \"1e400\" cannot be represented; the line is left out",
    };
    EXPECT_EQ(r.problems, expected);

    // Eleven good flocks: the eleventh does not fit.
    std::vector<std::string> many(11, "F\t1\t2\tX\t30");
    r = ReadFlockFileChecked(many, "m.grd", state);
    EXPECT_EQ(r.rows.size(), 10u);
    EXPECT_EQ(r.problems, std::vector<std::string>{"The flock file m.grd, line 11: only 10 flocks fit; the line is left out"});

    // A refused last line, or one below an empty row, leaves no flock behind a gap of its own making.
    r = ReadFlockFileChecked({"A\t1\t2\tX\t30", "\t\t\t\t", "B\t1\t2\tX\t30", "C\t-1\t2\tX\t30"}, "g.grd", state);
    ASSERT_EQ(r.rows.size(), 2u);
    EXPECT_EQ(r.rows[1].row, 3);
    EXPECT_EQ(r.problems, std::vector<std::string>{"The flock file g.grd, line 4, field \"Number of birds\": \"-1\" "
                                                   "is negative; the line is left out and row 4 stays empty"});
}

// The distribution caps an age at MaxAge and steps back one day for each sex whose row of the growth
// table is empty: only an age that cannot reach a row of the flock's own sex that way is refused.
TEST_P(Flocks, AgesAreRefusedOnlyWhereTheGrowthTableCannotScaleThem) {
    for (int row = 1; row <= 30; ++row) {
        state.CarcassTable[0][1][row] = 950;
        state.CarcassTable[1][1][row] = 1000;
        if (row <= 29) state.CarcassTable[2][1][row] = 900; // females up to 49 days
    }
    state.MaxAge = 50;
    for (int sex : {0, 1, 2}) {
        EXPECT_TRUE(GrowthTableCovers(state, 51, sex)) << sex; // capped at 50
        EXPECT_TRUE(GrowthTableCovers(state, 400, sex)) << sex;
        EXPECT_TRUE(GrowthTableCovers(state, 21.9, sex)) << sex;
        EXPECT_FALSE(GrowthTableCovers(state, 20.5, sex)) << sex; // day 20, then day 19
        EXPECT_FALSE(GrowthTableCovers(state, -3, sex)) << sex;
    }

    // The file went on to 53 days, the table keeps rows up to 50: day 51 steps back to 50 for the
    // males' row, day 52 only to 51, where there is no body weight to divide by.
    state.MaxAge = 53;
    EXPECT_TRUE(GrowthTableCovers(state, 51, 1));
    EXPECT_FALSE(GrowthTableCovers(state, 52, 1));
    EXPECT_FALSE(GrowthTableCovers(state, 60, 0));
    // A female flock of day 51: no male row (step to 50), no female row at 50 (step to 49): 49 it is.
    EXPECT_TRUE(GrowthTableCovers(state, 51, 2));

    // A table without mixed rows scales a mixed flock by the halves' own rows.
    for (int row = 0; row <= 30; ++row)
        state.CarcassTable[0][1][row] = 0;
    state.MaxAge = 50;
    EXPECT_TRUE(GrowthTableCovers(state, 50, 0));
    EXPECT_FALSE(GrowthTableCovers(state, 20, 0));
    // No female rows either: that is for the sex check to say, not the age check.
    ProgramState males = state;
    for (int row = 0; row <= 30; ++row)
        males.CarcassTable[2][1][row] = 0;
    EXPECT_TRUE(GrowthTableCovers(males, 40, 2));
    EXPECT_TRUE(GrowthTableCovers(males, 40, 0));
    EXPECT_FALSE(GrowthTableCovers(males, 20, 0));

    // Before a table is loaded: the ages a carcass file can hold.
    ProgramState empty;
    ResetForStart(empty);
    EXPECT_TRUE(GrowthTableCovers(empty, 100, 1));
    EXPECT_FALSE(GrowthTableCovers(empty, 101, 1));
    EXPECT_FALSE(GrowthTableCovers(empty, 19, 1));

    // In a flock file: a flock of 51 days beside a table up to 50 is read; the message of a refused
    // age gives the ages of the flock's own sex.
    const std::vector<std::string> lines = {"House 7\t21000\t2,5\tF\t51", "House 8\t1000\t2.5\tF\t20"};
    FlockFileReading r = ReadFlockFileChecked(lines, "h.grd", state);
    ASSERT_EQ(r.rows.size(), 1u);
    EXPECT_EQ(r.rows[0].texts, (FlockRowTexts{"House 7", "21000", Dec("2.5"), "F", "51"}));
    EXPECT_EQ(r.problems, std::vector<std::string>{"The flock file h.grd, line 2, field \"Flock Age\": \"20\" lies "
                                                   "outside the ages of the carcass table (21 to 49 days); the line "
                                                   "is left out and row 2 stays empty"});
}

TEST_P(Flocks, FilesThatAreNoFlockFilesChangeNothing) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {std::string("\x89PNG\r\n\0\0\r\n", 10), "The file " + dir.str() + "Broiler.grd is not a flock file (it holds binary data)"},
        {"House 1\t24000\t2.83\tM\t40\r\nHouse 2\t22000\t2.1", // cut short
         "The flock file " + dir.str() + "Broiler.grd, line 2: only 3 of the 5 fields"},
        {"House 1,24000,2.83,M,40\r\n", "The flock file " + dir.str() + "Broiler.grd, line 1: only 1 of the 5 fields"},
    };
    for (const auto& [bytes, message] : cases) {
        dialogs.messages.clear();
        state.FlockFilePath = dir.str() + "Broiler.grd";
        dir.Write("Broiler.grd", bytes);
        dialogs.questionAnswers = {Answer::Yes};
        EXPECT_TRUE(ReadInGrid(state, dialogs).empty()) << message;
        ASSERT_EQ(dialogs.messages.size(), 1u) << message;
        EXPECT_EQ(dialogs.messages[0].substr(0, message.size()), message);
    }
    // A chosen file that is no flock file does not become the flock file.
    const std::string bad = dir.Write("bad.grd", "a,b,c\n");
    dialogs.questionAnswers = {Answer::No};
    dialogs.openAnswers = {bad};
    EXPECT_TRUE(ReadInGrid(state, dialogs).empty());
    EXPECT_EQ(state.FlockFilePath, dir.str() + "Broiler.grd");
}

TEST(FlockSexCell, OnlyXMAndFAreKept) {
    EXPECT_EQ(NormalizeSexEntry("m"), std::optional<std::string>("M"));
    EXPECT_EQ(NormalizeSexEntry("X"), std::optional<std::string>("X"));
    EXPECT_EQ(NormalizeSexEntry("f"), std::optional<std::string>("F"));
    EXPECT_FALSE(NormalizeSexEntry("male"));
    EXPECT_FALSE(NormalizeSexEntry(""));
}

INSTANTIATE_TEST_SUITE_P(Locales, Flocks, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

} // namespace
} // namespace avigram
