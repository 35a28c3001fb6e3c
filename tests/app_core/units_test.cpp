// Worked examples of the three displays (kilograms, pounds, grams): a small carcass table whose
// parts are exact lines in the body weight, two weight classes of known birds, and the part weights
// and tonnages worked out by hand.
//
// Lines in the carcass file (body weight BW, in the file's units):
//   Breast fillet (column 12) = 0.15 BW + i     Breast tender (13) = 0.05 BW
//   Drumstick meat (14)       = 0.10 BW         Thigh meat (16)    = 0.02 BW
//   every other part          = 0.01 BW
// so the breast meat (Large + Small Pectoral, columns 3 and 4) is 0.20 BW + i.
#include <gtest/gtest.h>

#include "app/core/carcass_file.h"
#include "app/core/chart_data.h"
#include "app/core/normal_table.h"
#include "app/core/parts_analysis.h"
#include "app/core/regression.h"
#include "test_support.h"

namespace avigram {
namespace {

// The carcass file of ages 21..30: body weight from 1.1 to 2.0 kg, written in grams (scale 1000)
// or kilograms (scale 1); intercept is the breast fillet's, in the same units.
std::string HandCarcassFile(double scale, double intercept) {
    std::string text;
    for (int f = 0; f < 30; ++f)
        text += "H" + std::to_string(f) + "\t";
    text += "\r\n";
    for (const char* sex : {"Males", "Females"}) {
        for (int age = 21; age <= 30; ++age) {
            const double bw = (1.0 + 0.1 * (age - 20)) * scale;
            text += std::to_string(age) + "\t" + sex + "\t" + std::to_string(bw);
            for (int c = 2; c <= 28; ++c) {
                double y = 0.01 * bw;
                if (c == 12) y = 0.15 * bw + intercept;
                if (c == 13) y = 0.05 * bw;
                if (c == 14) y = 0.10 * bw;
                if (c == 16) y = 0.02 * bw;
                char buf[32];
                std::snprintf(buf, sizeof buf, "%.6f", y);
                text += std::string("\t") + buf;
            }
            text += "\r\n";
        }
    }
    return text;
}

class DisplayUnits : public ::testing::Test {
protected:
    ProgramState state;
    ScriptedDialogs dialogs;
    test::ScratchFolder dir;
    PatternFormatter format = test::TestFormatter();
    test::GridImage g1, g2;

    void SetUp() override { lattix::Locale::setCurrent(lattix::Locale::invariant()); }

    // Reads the file in the given display units, fits, and puts one male flock of birdsPerClass
    // birds in each of classes 1 and 2 (bounds b0 < b1 < b2 < b3, equal widths).
    void Run(int16_t units, const std::string& file, std::array<double, 4> bounds, double birdsPerClass) {
        ResetForStart(state);
        InitNormalTable(state);
        state.DisplayUnits = units;
        ReadCarc(state, dialogs, dir.Write("HandCARCDATA.txt", file));
        ASSERT_FALSE(state.LoadError);
        FitLines(state);
        state.FlockCount = state.FlocksAccepted = 1;
        state.FlockSexIndex[1] = 1;
        state.ClassCount = 2;
        state.ClassWidth = bounds[1] - bounds[0];
        for (int i = 0; i < 4; ++i)
            state.ClassBound[i] = bounds[i];
        state.ClassBirds[1][1][1] = state.ClassBirds[1][1][2] = static_cast<int32_t>(birdsPerClass);
        PartsAnalysisResult r = RecalcCarcassWeights(state, 2 * birdsPerClass, format);
        g1.Apply(r.grid1);
        g2.Apply(r.grid2, &g1);
    }
};

TEST_F(DisplayUnits, KilogramsCarcassFileInGramsTonnesFromGrams) {
    // Classes 1.8-2.0 and 2.0-2.2 kg: midpoints 1900 g and 2100 g.
    Run(0, HandCarcassFile(1000, 10), {1.8, 2.0, 2.2, 2.4}, 1000);
    // Breast meat: 1000 x (0.2 x 1900 + 10) + 1000 x (0.2 x 2100 + 10) = 820,000 g = 0.82 t.
    EXPECT_EQ(g1.Text(3, 8), "0.82 tonnes");
    EXPECT_NEAR(g1.Number(4, 8), 410, 1e-6); // grams per bird
    EXPECT_EQ(g1.Text(3, 10), "0.4 tonnes");  // drumstick meat: 190 + 210 kg
    EXPECT_EQ(g1.Text(3, 12), "0.08 tonnes"); // thigh meat: 38 + 42 kg
    // Breast tender (Grid2 column 9): 0.05 x 1900 and 0.05 x 2100 grams, 115 g above the last class.
    EXPECT_EQ(g2.Text(3, 9), "95.0 g");
    EXPECT_EQ(g2.Text(4, 9), "105.0 g");
    EXPECT_EQ(g2.Text(5, 9), "115.0 g");
    // Class 0 (below 1.8 kg) stands at 1.7 kg.
    EXPECT_EQ(g2.Text(2, 9), "85.0 g");
}

TEST_F(DisplayUnits, PoundsCarcassFileInKilogramsReadAsPounds) {
    // The file in kg is read in pounds: fillet 0.15 BW + 0.01 kg = 0.15 BW + 0.02205 lb.
    // Classes 3.6-4.0 and 4.0-4.4 lb: midpoints 3.8 lb and 4.2 lb.
    Run(1, HandCarcassFile(1, 0.01), {3.6, 4.0, 4.4, 4.8}, 10000);
    EXPECT_NEAR(state.CarcassTable[1][1][10], 2.0 * 2.205, 1e-9);
    // Breast meat: 10000 x (0.76 + 0.02205) + 10000 x (0.84 + 0.02205) = 16,441 lb = 8.22 tons.
    EXPECT_EQ(g1.Text(3, 8), "8.22 tons");
    EXPECT_NEAR(g1.Number(4, 8), 0.822, 1e-9); // pounds per bird
    EXPECT_EQ(g1.Text(3, 10), "4 tons");    // 10000 x (0.38 + 0.42) lb
    EXPECT_EQ(g1.Text(3, 12), "0.8 tons");  // 10000 x (0.076 + 0.084) lb
    EXPECT_EQ(g2.Text(3, 9), "0.19 lb");
    EXPECT_EQ(g2.Text(4, 9), "0.21 lb");
    EXPECT_EQ(g2.Text(5, 9), "0.23 lb");
    // The eviscerated carcass (sum of columns 12..26, Grid2 column 4) of a 4.2 lb bird:
    // 0.15 + 0.05 + 0.10 + 0.02 + 11 x 0.01 = 0.43 of it plus the fillet's 0.02205 lb.
    EXPECT_EQ(g2.Text(4, 4), format(0.43 * 4.2 + 0.02205, "#0.#0 lb"));
    EXPECT_EQ(g2.Text(4, 4), "1.83 lb");
}

TEST_F(DisplayUnits, GramsCarcassFileInKilogramsReadAsGrams) {
    // Flock weights in grams: classes 1800-2000 and 2000-2200 g.
    Run(2, HandCarcassFile(1, 0.01), {1800, 2000, 2200, 2400}, 1000);
    EXPECT_NEAR(state.CarcassTable[1][1][10], 2000, 1e-9);
    EXPECT_EQ(g1.Text(3, 8), "0.82 tonnes");
    EXPECT_NEAR(g1.Number(4, 8), 410, 1e-6);
    EXPECT_EQ(g1.Text(3, 10), "0.4 tonnes");
    EXPECT_EQ(g2.Text(3, 9), "95.0 g");
    EXPECT_EQ(g2.Text(4, 9), "105.0 g");
    EXPECT_EQ(g2.Text(5, 9), "115.0 g");
}

// The charts show what the grids show, in the display's units.
TEST_F(DisplayUnits, ChartDataFollowsTheDisplayUnits) {
    Run(1, HandCarcassFile(1, 0.01), {3.6, 4.0, 4.4, 4.8}, 10000);
    state.FlockIds[1] = "Barn";
    state.FlockBirds[1] = 20500; // 500 birds above the top edge
    state.FlockWeight[1][1] = 4.0;

    const DistributionChartData d = DistributionChart(state);
    EXPECT_EQ(d.units.live, "lb");
    ASSERT_EQ(d.classes.size(), 4u); // below, two classes, above
    EXPECT_EQ(d.classes[0].label, "below 3.60");
    EXPECT_EQ(d.classes[1].label, "3.60 - 4.00");
    EXPECT_EQ(d.classes[3].label, "above 4.40");
    const double weights[] = {3.4, 3.8, 4.2, 4.6};
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(d.classes[i].weight, weights[i], 1e-12) << i;
    ASSERT_EQ(d.flocks.size(), 1u);
    EXPECT_EQ(d.flocks[0].id, "Barn");
    EXPECT_EQ(d.flocks[0].birds, (std::vector<double>{0, 10000, 10000, 500}));
    EXPECT_EQ(d.allFlocks, d.flocks[0].birds);
    EXPECT_EQ(d.flocks[0].average, 4.0);
    EXPECT_EQ(d.average, 4.0);

    const PartsYieldChartData p = PartsYieldChart(state);
    EXPECT_EQ(p.units.part, "lb");
    EXPECT_EQ(p.units.tonnage, "tons");
    ASSERT_EQ(p.parts.size(), 16u);
    EXPECT_EQ(p.parts[0].name, "Evis. Carc.");
    EXPECT_FALSE(p.parts[0].detail);
    EXPECT_NEAR(p.parts[0].weights[2], 0.43 * 4.2 + 0.02205, 1e-9);
    EXPECT_TRUE(p.parts[4].detail); // breast tender, a piece of the breast
    ASSERT_EQ(p.parts[4].weights.size(), 3u);
    EXPECT_NEAR(p.parts[4].weights[1], 0.19, 1e-9);
    ASSERT_EQ(p.tonnages.size(), 3u);
    EXPECT_EQ(p.tonnages[0].name, "Breast_Meat");
    EXPECT_EQ(p.tonnages[0].value, 8.22);
    EXPECT_EQ(p.tonnages[1].value, 4);
    EXPECT_EQ(p.tonnages[2].value, 0.8);

    // Before any distribution there is nothing to draw.
    ProgramState fresh;
    EXPECT_TRUE(DistributionChart(fresh).empty());
    EXPECT_TRUE(PartsYieldChart(fresh).empty());
    EXPECT_EQ(UnitsOf(0).live, "kg");
    EXPECT_EQ(UnitsOf(0).part, "g");
    EXPECT_EQ(UnitsOf(2).live, "g");
}

TEST(Tonnage, FiguresOfEachDisplay) {
    EXPECT_EQ(Tonnage(0, 76'041'990).value, 76.04);
    EXPECT_STREQ(Tonnage(0, 1).unit, " tonnes");
    EXPECT_EQ(Tonnage(2, 1'234'567).value, 1.23);
    EXPECT_EQ(Tonnage(1, 4100).value, 2.05);
    EXPECT_STREQ(Tonnage(1, 1).unit, " tons");
    EXPECT_EQ(CarcassTableWeight(0, 2.5), 2500);
    EXPECT_EQ(CarcassTableWeight(1, 5.5), 5.5);
    EXPECT_EQ(CarcassTableWeight(2, 2500), 2500);
}

} // namespace
} // namespace avigram
