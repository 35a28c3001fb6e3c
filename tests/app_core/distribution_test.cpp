// The live-weight distribution: class width and bounds, labels, flocksplit, the report, the grid
// counts, "CV Change", and the limits that keep odd inputs inside the arrays.
#include <gtest/gtest.h>

#include <limits>

#include "app/core/distribution.h"
#include "app/core/messages.h"
#include "app/core/normal_table.h"
#include "test_support.h"

namespace avigram {
namespace {

class Distribution : public test::BothLocales {
protected:
    ProgramState state;
    ScriptedDialogs dialogs;
    test::ScratchFolder dir;
    PatternFormatter format = test::TestFormatter();

    void SetUp() override {
        BothLocales::SetUp();
        ResetForStart(state);
        state.LocaleUsesComma = comma();
        InitNormalTable(state);
        for (int row = 0; row <= 30; ++row) {
            state.CarcassTable[0][1][row] = 95.0 * (row + 20);
            state.CarcassTable[1][1][row] = 100.0 * (row + 20);
            state.CarcassTable[2][1][row] = 90.0 * (row + 20);
        }
        state.MaxAge = 50;
        state.SexMask = 3;
    }
    void AddFlock(const std::string& id, int birds, double weight, int sex, double age) {
        int f = ++state.FlockCount;
        state.FlocksAccepted = state.FlockCount;
        state.FlockIds[f] = id;
        state.FlockBirds[f] = birds;
        state.FlockSexIndex[f] = static_cast<int16_t>(sex);
        state.FlockWeight[sex][f] = weight;
        state.FlockAge[f] = age;
    }
    DistributionResult Run(DistributionInputs in = {"0", "0", "0", "20"}) {
        return RecalcFlockDistribution(state, dialogs, in, dir.str() + "WtDist.txt", format);
    }
};

TEST_P(Distribution, WorkedExampleOfTwentyClassesAroundTwoKilograms) {
    AddFlock("A", 1000, 2.0, 1, 40);
    DistributionResult r = Run();
    ASSERT_TRUE(r.ran);
    test::GridImage g;
    g.Apply(r.grid1);
    EXPECT_DOUBLE_EQ(state.ClassWidth, 0.1);
    EXPECT_DOUBLE_EQ(r.centre, 2.0);
    EXPECT_DOUBLE_EQ(state.ClassBound[0], 1.0);
    EXPECT_DOUBLE_EQ(state.ClassBound[20], 3.0);
    EXPECT_DOUBLE_EQ(state.ClassBound[21], 3.1);
    EXPECT_EQ(g.Text(7, 1), Dec("Below - 1.00 "));
    EXPECT_EQ(g.Text(8, 1), Dec(" 1.00  - 1.10 "));
    EXPECT_EQ(g.Text(28, 1), Dec(" 3.00  - 3.10 "));
    EXPECT_EQ(g.Text(29, 1), Dec("Above  3.10 "));
    EXPECT_EQ(g.Text(1, 2), Dec("1.000"));
    EXPECT_EQ(g.Text(2, 2), Dec("3.000"));
    EXPECT_EQ(g.Text(3, 2), Dec("0.1"));
    EXPECT_EQ(g.Text(4, 4), Dec("2.000"));
    EXPECT_EQ(g.Text(5, 4), "1000");
    EXPECT_EQ(g.aligns[std::make_pair(5, 4)], 2);
    EXPECT_EQ(g.Text(6, 2), "No. of birds");
    EXPECT_EQ(g.Text(2, 6), "A");
    EXPECT_EQ(g.Text(4, 6), Dec("2"));
    EXPECT_EQ(g.curRow, 3);
    EXPECT_EQ(g.curCol, 2);

    // Class 0 (below 1.0, z = -5 clamped) counts nothing; the class whose upper edge is the
    // average uses TH = 500000.01 + 1 x (500000.01 - 460172.162723).
    EXPECT_EQ(state.ClassBirds[1][1][0], 0);
    EXPECT_EQ(state.ClassBirds[1][1][10], 188);
    EXPECT_EQ(g.Number(17, 6), 188);
    // Row ClassCount+8 of the flock column holds every bird not counted in classes 0..20.
    double counted = 0;
    for (int k = 0; k <= 20; ++k)
        counted += state.ClassBirds[1][1][k];
    EXPECT_DOUBLE_EQ(g.Number(28, 6), 1000 - counted);
    EXPECT_FALSE(g.Has(29, 6));
    for (int k = 0; k <= 21; ++k)
        EXPECT_DOUBLE_EQ(g.Number(k + 7, 2), g.Number(k + 7, 6)) << k;

    std::string report = dir.Read("WtDist.txt");
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 21);
    EXPECT_EQ(report.substr(0, report.find("\r\n")), " 1 " + std::string(11, ' ') + " 0 " +
                                                         std::string(11, ' ') + " 0 " + std::string(11, ' ') +
                                                         " 0 ");
}

TEST_P(Distribution, NormalTableMatchesTheStandardNormalTail) {
    EXPECT_DOUBLE_EQ(state.NormalTail[0], 999991.460095);
    EXPECT_DOUBLE_EQ(state.NormalTail[33], 841344.746069);
    EXPECT_DOUBLE_EQ(state.NormalTail[43], 500000.01);
    EXPECT_DOUBLE_EQ(state.NormalTail[44], 460172.162723);
    EXPECT_DOUBLE_EQ(state.NormalTail[53], 158655.253931);
    EXPECT_DOUBLE_EQ(state.NormalTail[85], 13.345749);
    EXPECT_DOUBLE_EQ(state.NormalTail[86], 0);
}

TEST_P(Distribution, MixedFlocksSplitByTheGrowthTable) {
    AddFlock("Mix", 2000, 1.9, 0, 30.7);
    Run({"1.0", "3.0", Dec("0.1"), "20"});
    // Age 30 (fraction dropped): males 3000 / mixed 2850 of the growth table.
    EXPECT_NEAR(state.FlockWeight[1][1], 1.9 * 3000 / 2850, 1e-12);
    EXPECT_NEAR(state.FlockWeight[2][1], 1.9 * 2700 / 2850, 1e-12);
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(state.ClassBirds[0][1][k], state.ClassBirds[1][1][k] + state.ClassBirds[2][1][k]);
    long males = 0;
    for (int k = 0; k <= 20; ++k)
        males += state.ClassBirds[1][1][k];
    EXPECT_NEAR(males, 1000, 20);
}

// 19 males around 2.0 kg: the counts, each rounded, are 1 2 3 4 4 3 2 1 in classes 7..14, twenty
// birds. The extra bird comes off class 10, the first of the two largest, before anything is
// written: the grid, the report and the remainder row all count 19.
TEST_P(Distribution, RoundedCountsAboveTheFlockLoseTheExcessInTheirLargestClass) {
    AddFlock("Small", 19, 2.0, 1, 40);
    DistributionResult r = Run();
    test::GridImage g;
    g.Apply(r.grid1);
    const int expected[21] = {0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 3, 4, 3, 2, 1, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k <= 20; ++k) {
        EXPECT_EQ(state.ClassBirds[1][1][k], expected[k]) << k;
        EXPECT_EQ(g.Number(k + 7, 6), expected[k]) << k;
        EXPECT_EQ(g.Number(k + 7, 2), expected[k]) << k;
    }
    EXPECT_EQ(g.Text(28, 6), "0");
    EXPECT_EQ(g.Text(28, 2), "0");
    const std::string report = dir.Read("WtDist.txt");
    const std::size_t line10 = [&] {
        std::size_t at = 0;
        for (int i = 0; i < 10; ++i)
            at = report.find("\r\n", at) + 2;
        return at;
    }();
    EXPECT_EQ(report.substr(line10, report.find("\r\n", line10) - line10),
              " 1 " + std::string(11, ' ') + " 10 " + std::string(10, ' ') + " 3 " + std::string(11, ' ') + " 0 ");
}

// The excess is taken by hand-set counts: the largest class first (the lower one on a tie), in a
// mixed flock the sex with more birds there; a class never goes below 0, and counts that come to
// the birds or fewer stay as they are.
TEST_P(Distribution, TheExcessComesOffTheLargestClassAndNeverBelowZero) {
    auto set = [&](int f, int sex, std::vector<int> counts) {
        for (std::size_t k = 0; k < counts.size(); ++k)
            state.ClassBirds[sex][f][k] = counts[k];
    };
    auto counts = [&](int f, int sex, int classes) {
        std::vector<int> out;
        for (int k = 0; k < classes; ++k)
            out.push_back(state.ClassBirds[sex][f][k]);
        return out;
    };
    AddFlock("Males", 100, 2.0, 1, 40);
    set(1, 1, {0, 10, 40, 40, 12}); // 102 birds
    TakeOffRoundingExcess(state, 1);
    EXPECT_EQ(counts(1, 1, 5), (std::vector<int>{0, 10, 38, 40, 12}));

    AddFlock("Mixed", 50, 2.0, 0, 40);
    set(2, 1, {5, 10, 9});
    set(2, 2, {6, 12, 10}); // 52 birds; class 1 (22) is the largest, females have more there
    set(2, 0, {11, 22, 19});
    TakeOffRoundingExcess(state, 2);
    EXPECT_EQ(counts(2, 1, 3), (std::vector<int>{5, 10, 9}));
    EXPECT_EQ(counts(2, 2, 3), (std::vector<int>{6, 10, 10}));
    EXPECT_EQ(counts(2, 0, 3), (std::vector<int>{11, 20, 19}));

    AddFlock("Tiny", 3, 2.0, 2, 40);
    set(3, 2, {1, 1, 1, 1, 1}); // 5 birds: two too many, more than the largest class holds
    TakeOffRoundingExcess(state, 3);
    EXPECT_EQ(counts(3, 2, 5), (std::vector<int>{0, 0, 1, 1, 1}));

    AddFlock("Fewer", 100, 2.0, 1, 40);
    set(4, 1, {0, 48, 50});
    TakeOffRoundingExcess(state, 4);
    EXPECT_EQ(counts(4, 1, 3), (std::vector<int>{0, 48, 50}));

    AddFlock("Negative", -5, 2.0, 1, 40); // nothing to take: no endless loop
    TakeOffRoundingExcess(state, 5);
    EXPECT_EQ(counts(5, 1, 2), (std::vector<int>{0, 0}));
}

TEST_P(Distribution, GivenMinimumAndMaximumSetTheCentre) {
    AddFlock("A", 1000, 2.0, 1, 40);
    DistributionResult r = Run({"1.5", "2.7", Dec("0.05"), "10"});
    EXPECT_DOUBLE_EQ(r.centre, 2.1);
    EXPECT_DOUBLE_EQ(state.ClassBound[0], 1.6);
    EXPECT_DOUBLE_EQ(state.ClassBound[11], 2.15);
    test::GridImage g;
    g.Apply(r.grid1);
    EXPECT_EQ(g.Text(19, 1), Dec("Above  2.15 "));
    EXPECT_EQ(g.Text(2, 2), Dec("2.100"));
}

TEST_P(Distribution, ClassCountIsLimitedAndWrittenBack) {
    AddFlock("A", 1000, 2.0, 1, 40);
    test::GridImage g;
    g.Apply(Run({"0", "0", "0", "50"}).grid1);
    EXPECT_EQ(state.ClassCount, 20);
    EXPECT_EQ(g.Text(4, 2), "20");
    g = {};
    g.Apply(Run({"0", "0", "0", "0"}).grid1);
    EXPECT_EQ(state.ClassCount, 1);
    EXPECT_EQ(g.Text(4, 2), "1");
    EXPECT_DOUBLE_EQ(state.ClassWidth, 1.4); // round(2 x 0.35 / 0.5, 1)
    g = {};
    g.Apply(Run({"0", "0", "0", "1e999"}).grid1);
    EXPECT_EQ(state.ClassCount, 20);
}

TEST_P(Distribution, OddFlocksStayInsideTheTables) {
    AddFlock("old", 500, 2.2, 1, 200);  // capped to MaxAge 50
    AddFlock("young", 500, 0.9, 2, -3); // limited to 20 days
    AddFlock("huge", 500, 1e308, 0, 35);
    state.CarcassTable[0][1][15] = 0.5; // mixed growth weight tiny: ratio overflows to infinity
    AddFlock("nobody", 0, 2.0, 1, 40);
    DistributionResult r = Run();
    EXPECT_TRUE(r.ran);
    for (int k = 0; k <= 20; ++k) {
        EXPECT_GE(state.ClassBirds[1][3][k], 0);
        EXPECT_GE(state.ClassBirds[2][3][k], 0);
    }

    // A growth table without body weights: the ratio is 1.
    ProgramState blank = state;
    blank.CarcassTable = {};
    blank.FlockCount = blank.FlocksAccepted = 1;
    blank.FlockSexIndex[1] = 0;
    blank.FlockWeight[0][1] = 2.0;
    RecalcFlockDistribution(blank, dialogs, {"0", "0", "0", "20"}, dir.str() + "WtDist.txt", format);
    EXPECT_DOUBLE_EQ(blank.FlockWeight[1][1], 2.0);
    EXPECT_DOUBLE_EQ(blank.FlockWeight[2][1], 2.0);
}

TEST_P(Distribution, NoBirdsGiveAZeroAverage) {
    AddFlock("empty", 0, 2.0, 1, 40);
    DistributionResult r = Run();
    EXPECT_DOUBLE_EQ(r.average, 0);
    test::GridImage g;
    g.Apply(r.grid1);
    EXPECT_EQ(g.Text(4, 4), Dec("0.000"));
    EXPECT_EQ(g.Text(5, 4), "0");
}

TEST_P(Distribution, CountsOfAnEarlierRunNeverLeak) {
    AddFlock("A", 1000, 2.0, 1, 40);
    Run();
    EXPECT_GT(state.ClassBirds[1][1][10], 0);
    // The flock becomes female: its male counts must not stay.
    state.FlockSexIndex[1] = 2;
    state.FlockWeight[2][1] = 2.0;
    Run();
    for (int k = 0; k <= 22; ++k)
        EXPECT_EQ(state.ClassBirds[1][1][k], 0) << k;
    // A weight of 0 ends flocksplit at once: nothing is left from before either.
    state.FlockWeight[2][1] = 0;
    state.CarcassTable[2][1][20] = 0;
    state.CarcassTable[2][1][19] = 0;
    Run();
    for (int k = 0; k <= 22; ++k)
        EXPECT_EQ(state.ClassBirds[2][1][k], 0) << k;
}

TEST_P(Distribution, FlocksAfterARejectedOneAreNotUsed) {
    AddFlock("A", 1000, 2.0, 1, 40);
    AddFlock("B", 3000, 2.5, 1, 40);
    state.FlocksAccepted = 1;
    DistributionResult r = Run();
    test::GridImage g;
    g.Apply(r.grid1);
    EXPECT_EQ(g.Text(2, 7), "");
    EXPECT_DOUBLE_EQ(r.totalBirds, 1000);
    std::string report = dir.Read("WtDist.txt");
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 21);
}

TEST_P(Distribution, NoFlocksComputeNothingAndUnwritableReportsAreReported) {
    DistributionResult r = Run();
    EXPECT_FALSE(r.ran);
    EXPECT_TRUE(r.grid1.empty());
    EXPECT_FALSE(dir.Has("WtDist.txt"));

    AddFlock("A", 1000, 2.0, 1, 40);
    r = RecalcFlockDistribution(state, dialogs, {"0", "0", "0", "20"}, dir.str() + "none/WtDist.txt", format);
    EXPECT_TRUE(r.ran);
    EXPECT_EQ(dialogs.messages,
              std::vector<std::string>{WithPath(kMsgCannotWrite, dir.str() + "none/WtDist.txt")});
    test::GridImage g;
    g.Apply(r.grid1);
    EXPECT_TRUE(g.Has(17, 6));
}

TEST_P(Distribution, CvChangeTakesOnlyNumbersAboveZero) {
    dialogs.inputAnswers = {"0,08", "", "abc", "-0.2", "0.15"};
    CV_Change_Click(state, dialogs, format);
    EXPECT_DOUBLE_EQ(state.FlockCV, 0.08);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, Dec("Old CV is 0.1"));
    EXPECT_EQ(dialogs.shown[0].extra, std::string(kProgramTitle) + "\n" + Dec("0.1"));
    for (int i = 0; i < 3; ++i)
        CV_Change_Click(state, dialogs, format);
    EXPECT_DOUBLE_EQ(state.FlockCV, 0.08);
    CV_Change_Click(state, dialogs, format);
    EXPECT_DOUBLE_EQ(state.FlockCV, 0.15);
}

INSTANTIATE_TEST_SUITE_P(Locales, Distribution, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

} // namespace
} // namespace avigram
