// Least-squares lines, the combined parts, degenerate columns and the regvals.txt report.
#include <gtest/gtest.h>

#include "app/core/carcass_file.h"
#include "app/core/regression.h"
#include "carcass_fixture.h"
#include "test_support.h"

namespace avigram {
namespace {

ProgramState LinearState() {
    ProgramState state;
    ResetForStart(state);
    for (int sex = 1; sex <= 2; ++sex) {
        for (int row = 0; row <= 30; ++row) {
            double bw = test::BodyWeight(sex, row + 20);
            state.CarcassTable[sex][1][row] = bw;
            for (int c = 2; c <= 28; ++c)
                state.CarcassTable[sex][c][row] = bw * test::PartSlope(sex, c) + test::PartIntercept(c);
            double sum = 0;
            for (int c = 12; c <= 26; ++c)
                sum += state.CarcassTable[sex][c][row];
            state.CarcassTable[sex][0][row] = sum;
        }
    }
    return state;
}

TEST(Regression, RecoversExactLinesAndCombinesParts) {
    ProgramState state = LinearState();
    FitLines(state);
    for (int sex = 1; sex <= 2; ++sex) {
        for (int c = 8; c <= 28; ++c) {
            EXPECT_NEAR(state.Slope[sex][c], test::PartSlope(sex, c), 1e-9) << sex << " " << c;
            EXPECT_NEAR(state.Intercept[sex][c], test::PartIntercept(c), 1e-6) << sex << " " << c;
        }
        EXPECT_NEAR(state.Slope[sex][2], state.Slope[sex][13] + state.Slope[sex][12] + state.Slope[sex][21],
                    1e-12);
        EXPECT_NEAR(state.Intercept[sex][3], (state.Intercept[sex][13] + state.Intercept[sex][12]) * 0.802,
                    1e-9);
        EXPECT_NEAR(state.Slope[sex][4], (state.Slope[sex][13] + state.Slope[sex][12]) * 0.198, 1e-12);
        EXPECT_NEAR(state.Slope[sex][7], state.Slope[sex][24] + state.Slope[sex][18], 1e-12);
        double evisSlope = 0;
        for (int c = 12; c <= 26; ++c)
            evisSlope += test::PartSlope(sex, c);
        EXPECT_NEAR(state.Slope[sex][1], evisSlope, 1e-9);
    }
}

TEST(Regression, FemalesSkipTheFirstSixRowsAndRowsEndAtTheFirstMissingMale) {
    ProgramState state = LinearState();
    // Nonsense in the female rows 1..6 and after the first male gap must not enter the fit.
    for (int row = 1; row <= 6; ++row)
        state.CarcassTable[2][20][row] = 1e6;
    state.CarcassTable[1][1][26] = 0;
    for (int row = 26; row <= 30; ++row)
        state.CarcassTable[1][20][row] = -1e6;
    FitLines(state);
    EXPECT_NEAR(state.Slope[2][20], test::PartSlope(2, 20), 1e-9);
    EXPECT_NEAR(state.Slope[1][20], test::PartSlope(1, 20), 1e-9);
}

TEST(Regression, ZeroColumnsAndFlatBodyWeightsAreFittedSafely) {
    ProgramState state = LinearState();
    state.Slope[1][9] = 99; // stale line of an earlier file
    for (int row = 0; row <= 30; ++row)
        state.CarcassTable[1][9][row] = 0;
    FitLines(state);
    EXPECT_EQ(state.Slope[1][9], 0);
    EXPECT_EQ(state.Intercept[1][9], 0);
    EXPECT_NEAR(state.Slope[1][10], test::PartSlope(1, 10), 1e-9) << "fitting goes on after a zero column";

    // All body weights equal: slope 0, intercept the mean part weight.
    ProgramState flat;
    for (int row = 1; row <= 30; ++row) {
        flat.CarcassTable[1][1][row] = 2000;
        flat.CarcassTable[1][11][row] = row;
    }
    FitLines(flat);
    EXPECT_EQ(flat.Slope[1][11], 0);
    EXPECT_DOUBLE_EQ(flat.Intercept[1][11], 15.5);
    // No rows for females at all: n = 0.
    ProgramState empty;
    FitLines(empty);
    EXPECT_EQ(empty.Slope[2][11], 0);
    EXPECT_EQ(empty.Intercept[2][11], 0);
}

TEST(Regression, ReportLinesUsePrintZones) {
    for (bool comma : {false, true}) {
        lattix::ScopedLocale locale(comma ? lattix::Locale::decimalComma() : lattix::Locale::invariant());
        ProgramState state;
        for (auto& n : state.PartNames)
            n = "Part";
        state.PartNames[2] = "A very long part name";
        state.Slope[1][1] = 0.5;
        state.Intercept[1][1] = -12.25;
        std::vector<std::string> lines = RegressionReportLines(state);
        ASSERT_EQ(lines.size(), 56u);
        EXPECT_EQ(lines[0], std::string("A very long part name") + std::string(7, ' ') + " 1 " +
                                std::string(11, ' ') + " 1 \t" + (comma ? " 0,5 " : " 0.5 ") + "\t" +
                                (comma ? "-12,25 " : "-12.25 "));
        EXPECT_EQ(lines[3], "Part" + std::string(10, ' ') + " 2 " + std::string(11, ' ') + " 2 \t 0 \t 0 ");
    }
    test::ScratchFolder dir;
    ScriptedDialogs dialogs;
    ProgramState state = LinearState();
    Regression(state, dialogs, dir.str() + "regvals.txt");
    std::string text = dir.Read("regvals.txt");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 56);
    EXPECT_NE(text.find("\r\n"), std::string::npos);
    Regression(state, dialogs, dir.str() + "missing/regvals.txt");
    ASSERT_EQ(dialogs.messages.size(), 1u);
}

} // namespace
} // namespace avigram
