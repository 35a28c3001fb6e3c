// The carcass parts analysis: class midpoints, part weights per class, tonnages, captions, the
// parts list, leftovers of earlier runs and the detail columns.
#include <gtest/gtest.h>

#include "app/core/distribution.h"
#include "app/core/normal_table.h"
#include "app/core/numbers.h"
#include "app/core/parts_analysis.h"
#include "test_support.h"

namespace avigram {
namespace {

class Parts : public test::BothLocales {
protected:
    ProgramState state;
    ScriptedDialogs dialogs;
    test::ScratchFolder dir;
    PatternFormatter format = test::TestFormatter();

    void SetUp() override {
        BothLocales::SetUp();
        ResetForStart(state);
        InitNormalTable(state);
        for (int c = 1; c <= 28; ++c) {
            state.PartNames[c] = "P" + std::to_string(c);
            for (int s = 1; s <= 2; ++s) {
                state.Slope[s][c] = c / 100.0 * s; // grams of part per gram of live weight
                state.Intercept[s][c] = c;
            }
        }
        state.PartsFilePath = dir.str() + "BroilerPARTS.txt";
    }
    void Flocks(int count) {
        state.FlockCount = state.FlocksAccepted = static_cast<int16_t>(count);
        for (int f = 1; f <= count; ++f) {
            state.FlockBirds[f] = 1000 * f;
            state.FlockSexIndex[f] = 0;
            state.FlockWeight[0][f] = 2.0;
            state.FlockAge[f] = 40;
        }
    }
    // Distribution then parts analysis, replayed on the two grids.
    PartsAnalysisResult Run(test::GridImage& g1, test::GridImage& g2, const std::string& classes = "20") {
        DistributionResult d = RecalcFlockDistribution(state, dialogs, {"0", "0", "0", classes},
                                                       dir.str() + "WtDist.txt", format);
        g1.Apply(d.grid1);
        PartsAnalysisResult p = RecalcCarcassWeights(state, d.totalBirds, format);
        g1.Apply(p.grid1);
        g2.Apply(p.grid2, &g1);
        return p;
    }
    double Line(int s, int c, double liveKg) const {
        return state.Slope[s][c] * liveKg * 1000 + state.Intercept[s][c];
    }
};

TEST_P(Parts, ClassesAreEvaluatedAtTheMidpointOfTheirInterval) {
    state.ClassBound = {};
    for (int i = 0; i <= 21; ++i)
        state.ClassBound[i] = 1.0 + 0.1 * i;
    state.ClassWidth = 0.1;
    EXPECT_DOUBLE_EQ(ClassMidpoint(state, 0), 0.95);
    EXPECT_DOUBLE_EQ(ClassMidpoint(state, 1), 1.05);
    EXPECT_DOUBLE_EQ(ClassMidpoint(state, 20), 2.95);
    std::array<double, 3> r{};
    CalcWtofMeat(state, 12, r, 5); // birds between 1.4 and 1.5 kg
    EXPECT_DOUBLE_EQ(r[0], 0);
    EXPECT_NEAR(r[1], Line(1, 12, 1.45), 1e-9);
    EXPECT_NEAR(r[2], Line(2, 12, 1.45), 1e-9);
    EXPECT_NEAR(state.PartWeight[0][5][12], (r[1] + r[2]) / 2, 1e-9);
    // Pounds and grams: the carcass table is in the flock units, so the midpoint is used as it is.
    for (int16_t units : {1, 2}) {
        state.DisplayUnits = units;
        CalcWtofMeat(state, 12, r, 5);
        EXPECT_NEAR(r[1], state.Slope[1][12] * 1.45 + 12, 1e-9);
        EXPECT_NEAR(state.PartWeight[0][5][12], (r[1] + r[2]) / 2, 1e-9);
    }
    CalcWtofMeat(state, 99, r, 5);
    EXPECT_EQ(r, (std::array<double, 3>{0, 0, 0}));
}

TEST_P(Parts, Grid2ShowsPartWeightsPerClass) {
    Flocks(1);
    test::GridImage g1, g2;
    PartsAnalysisResult first = Run(g1, g2);
    EXPECT_TRUE(first.messages.empty());
    EXPECT_EQ(g2.headerHeight, 24);
    EXPECT_EQ(g2.headers[6], "P2");
    EXPECT_EQ(g2.headers[23], "P24");
    EXPECT_EQ(g2.headers[2], "No. of birds");
    EXPECT_EQ(g2.headers[4], "Evis. Carc.") << "named on the first run already";
    EXPECT_EQ(state.PartNames[1], "Evis. Carc.");
    EXPECT_EQ(g2.Text(1, 4), "Average");
    for (int col : {7, 8, 9, 10, 13, 14, 15, 18, 19, 20})
        EXPECT_FALSE(g2.visible.at(col)) << col;
    EXPECT_EQ(g2.Text(2, 1), g1.Text(7, 1));
    EXPECT_EQ(g2.Text(23, 2), g1.Text(28, 2));
    EXPECT_EQ(g2.curRow, 1);
    test::GridImage again1, again2;
    Run(again1, again2);
    EXPECT_EQ(again2.headers[4], "Evis. Carc.");

    // Class 5 holds the birds between ClassBound[4] and ClassBound[5]: 1.4 .. 1.5 kg.
    double expected = (Line(1, 13, 1.45) + Line(2, 13, 1.45)) / 2;
    EXPECT_NEAR(g2.Number(7, 9), expected, 1e-9);
    EXPECT_EQ(g2.cells.at({7, 9}).pattern, "###0.0 g");
    EXPECT_EQ(g2.Text(7, 9), format(expected, "###0.0 g"));
    // The row after the last class extrapolates to ClassBound[20] + width / 2.
    EXPECT_NEAR(g2.Number(23, 9), (Line(1, 13, 3.05) + Line(2, 13, 3.05)) / 2, 1e-6);
    EXPECT_EQ(format(512.34, "###0.0 g"), Dec("512.3 g"));
}

TEST_P(Parts, TonnagesAddUpOverClassesAndFlocks) {
    Flocks(2);
    test::GridImage g1, g2;
    PartsAnalysisResult p = Run(g1, g2);
    double total4 = 0, total3 = 0;
    for (int k = 0; k <= 20; ++k) {
        double mid = ClassMidpoint(state, k);
        for (int f = 1; f <= 2; ++f) {
            for (int s = 1; s <= 2; ++s) {
                total3 += Line(s, 3, mid) * state.ClassBirds[s][f][k];
                total4 += Line(s, 4, mid) * state.ClassBirds[s][f][k];
            }
        }
    }
    const double birds = 3000;
    const double breast = total3 + total4;
    EXPECT_NEAR(p.totals[3].total, breast, 1e-6 * breast);
    EXPECT_EQ(g1.Text(5, 3), "Total Birds");
    EXPECT_EQ(g1.Text(1, 9), "All Flocks");
    EXPECT_EQ(g1.Text(2, 9), "P12");
    EXPECT_EQ(g1.Text(2, 11), "P14");
    EXPECT_EQ(g1.Text(2, 13), "P16");
    EXPECT_NEAR(g1.Number(4, 9), RoundHalfEvenTo(breast / birds, 3), 1e-9);
    EXPECT_EQ(g1.Text(3, 9), LocaleNumberText(RoundHalfEvenTo(breast / 1e6, 2)) + " tonnes");
    EXPECT_EQ(g1.widths[9], 100);
    EXPECT_EQ(g1.colCount, 14);

    state.DisplayUnits = 1;
    test::GridImage h1, h2;
    Run(h1, h2);
    EXPECT_NE(h1.Text(3, 9).find(" tons"), std::string::npos);
    EXPECT_NE(h2.Text(7, 9).find(" lb"), std::string::npos);
}

TEST_P(Parts, PartsListFillsBlocksAndEndsAtTheLastColumn) {
    Flocks(1);
    dir.Write("broilerparts.TXT", "A, B, Next, C\r\n");
    test::GridImage g1, g2;
    EXPECT_TRUE(Run(g1, g2).messages.empty());
    EXPECT_EQ(g1.Text(7, 7), "A");
    EXPECT_EQ(g1.Text(8, 7), "B");
    EXPECT_EQ(g1.Text(7, 9), "C");
    EXPECT_EQ(g1.Text(9, 7), "");

    std::string many;
    for (int i = 0; i < 60; ++i)
        many += "I" + std::to_string(i) + "\n";
    dir.Write("broilerparts.TXT", many);
    test::GridImage m1, m2;
    PartsAnalysisResult p = Run(m1, m2);
    EXPECT_EQ(m1.Text(16, 7), "I9");
    EXPECT_EQ(m1.Text(7, 9), "I10");
    EXPECT_EQ(m1.Text(16, 13), "I39");
    for (const auto& [cell, content] : m1.cells)
        EXPECT_LE(cell.second, 13) << content.text;
    // What does not fit is named, not dropped without a word.
    std::string leftOut;
    for (int i = 40; i < 60; ++i)
        leftOut += (i == 40 ? "\"" : i == 59 ? " and \"" : ", \"") + ("I" + std::to_string(i)) + "\"";
    EXPECT_EQ(p.messages, std::vector<std::string>{"The parts list " + state.PartsFilePath +
                                                   ": only 4 columns of items fit beside the flocks; " + leftOut +
                                                   " are left out"});

    // Four full blocks, then "Next" and an empty item: nothing is left out; one item more is.
    std::string full;
    for (int i = 0; i < 40; ++i)
        full += "J" + std::to_string(i) + ",";
    dir.Write("broilerparts.TXT", full + "Next,\r\n");
    EXPECT_TRUE(Run(m1, m2).messages.empty());
    dir.Write("broilerparts.TXT", full + "Next,Last\r\n");
    EXPECT_EQ(Run(m1, m2).messages, std::vector<std::string>{"The parts list " + state.PartsFilePath +
                                                            ": only 4 columns of items fit beside the "
                                                            "flocks; \"Last\" is left out"});
}

TEST_P(Parts, CaptionsFollowTheFlockCountAndLeftoversAreCleared) {
    Flocks(3);
    dir.Write("BroilerPARTS.txt", "A,B,C,D\n");
    test::GridImage g1, g2;
    Run(g1, g2);
    EXPECT_EQ(g1.Text(1, 10), "All Flocks");
    EXPECT_EQ(g1.Text(7, 9), "A");

    Flocks(1);
    Run(g1, g2);
    EXPECT_EQ(g1.Text(1, 8), "All Flocks");
    EXPECT_EQ(g1.Text(7, 7), "A");
    EXPECT_EQ(g1.Text(7, 9), "") << "parts list of the three-flock run";
    EXPECT_EQ(g1.Text(1, 10), "All Flocks"); // rewritten: it is a block column of this run too
    EXPECT_EQ(g1.Text(2, 10), "P14");
    EXPECT_EQ(g1.Text(1, 14), "");
    EXPECT_EQ(g1.Text(3, 14), "");

    // Back to more flocks: the block of the one-flock run sits in flock columns now.
    Flocks(3);
    Run(g1, g2);
    EXPECT_EQ(g1.Text(1, 8), "");
    EXPECT_EQ(g1.Text(3, 8), "");
    EXPECT_EQ(g1.Text(2, 8), ""); // flock 3 has no id in this test
    EXPECT_TRUE(g1.Has(5, 8));    // but its bird count stays
}

TEST(DetailColumns, DoubleClickTogglesThePiecesOfACombinedPart) {
    EXPECT_EQ(DetailColumnsOf(6), (std::vector<int>{7, 8, 9, 10}));
    EXPECT_EQ(DetailColumnsOf(12), (std::vector<int>{13, 14, 15}));
    EXPECT_EQ(DetailColumnsOf(17), (std::vector<int>{18, 19, 20}));
    EXPECT_TRUE(DetailColumnsOf(4).empty());
    std::array<int16_t, kListEntries> parts{}, cols{};
    FillLIst(parts, cols);
    EXPECT_EQ(parts[4], 13);
    EXPECT_EQ(cols[4], 9);
    EXPECT_EQ(parts[15], 24);
    EXPECT_EQ(cols[15], 23);
}

INSTANTIATE_TEST_SUITE_P(Locales, Parts, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Comma" : "Point"; });

} // namespace
} // namespace avigram
