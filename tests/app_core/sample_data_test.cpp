// The shipped sample data, run through the whole computation as the windows would: load, read
// the flock file, leave the flock window, recalculate the distribution and the parts.
#include <gtest/gtest.h>

#include <filesystem>

#include "app/core/carcass_loader.h"
#include "app/core/distribution.h"
#include "app/core/flock_data.h"
#include "app/core/flock_file.h"
#include "app/core/numbers.h"
#include "app/core/parts_analysis.h"
#include "test_support.h"

namespace avigram {
namespace {

TEST(SampleData, LoadsAndGivesPlausibleResults) {
    test::ScratchFolder dir;
    for (const char* name : {"BroilerCARCDATA.txt", "Broiler.clb", "Broiler.grd", "BroilerPARTS.txt"}) {
        std::filesystem::copy_file(std::string(AVIGRAM_DATA_DIR) + "/" + name, dir.str() + name);
    }
    PatternFormatter format = test::TestFormatter();
    ProgramState state;
    ScriptedDialogs dialogs;
    test::GridImage g1, g2;
    g1.Apply(StartUp(state, dir.str()).grid1);
    state.FileNameGiven = true;
    CarcassClickResult loaded = TextFileName_Click(state, dialogs, dir.str() + "BroilerCARCDATA.txt");
    ASSERT_TRUE(loaded.loaded);
    EXPECT_EQ(state.SexMask, 3);
    EXPECT_EQ(state.DisplayUnits, 0);
    EXPECT_EQ(state.MaxAge, 50);
    // Eviscerated carcass: roughly 70 % of live weight, breast meat a fifth.
    EXPECT_GT(state.Slope[1][1], 0.65);
    EXPECT_LT(state.Slope[1][1], 0.80);
    EXPECT_GT(state.Slope[2][3] + state.Slope[2][4], 0.18);
    EXPECT_LT(state.Slope[2][3] + state.Slope[2][4], 0.30);

    dialogs.questionAnswers = {Answer::Yes};
    FlockGridTexts grid{};
    for (const FlockRowUpdate& row : ReadInGrid(state, dialogs))
        grid[row.row - 1] = row.texts;
    ReadFlockData(state, dialogs, grid);
    ASSERT_EQ(state.UsedFlockCount(), 6);
    g1.Apply(WriteFlocks(state, grid, g1.Text(4, 2), format));

    DistributionResult d =
        RecalcFlockDistribution(state, dialogs, {g1.Text(1, 2), g1.Text(2, 2), g1.Text(3, 2), g1.Text(4, 2)},
                                dir.str() + "WtDist.txt", format);
    g1.Apply(d.grid1);
    PartsAnalysisResult p = RecalcCarcassWeights(state, d.totalBirds, format);
    g1.Apply(p.grid1);
    g2.Apply(p.grid2, &g1);
    EXPECT_TRUE(dialogs.messages.empty());

    double birds = 0, weighted = 0;
    for (int f = 1; f <= 6; ++f) {
        birds += state.FlockBirds[f];
        weighted += state.FlockBirds[f] * state.FlockWeight[state.FlockSexIndex[f]][f];
        // Every bird of a flock is in a class or in the row above the last class.
        // No class is negative, the row above the last class (the remainder) included; the
        // counts of both sexes, as the parts analysis and WtDist.txt take them, add up as well.
        double shown = 0, counted = 0;
        for (int row = 7; row <= 28; ++row) {
            EXPECT_GE(g1.Number(row, f + 5), 0) << f << " row " << row;
            shown += g1.Number(row, f + 5);
        }
        for (int k = 0; k <= 20; ++k)
            counted += state.ClassBirds[1][f][k] + state.ClassBirds[2][f][k];
        EXPECT_DOUBLE_EQ(shown, state.FlockBirds[f]) << f;
        EXPECT_LE(counted, state.FlockBirds[f]) << f;
        EXPECT_DOUBLE_EQ(g1.Number(28, f + 5), state.FlockBirds[f] - counted) << f;
    }
    EXPECT_EQ(g1.Number(28, 11), 0); // House 6: one bird too many before, taken off its largest class
    EXPECT_DOUBLE_EQ(birds, 141500);
    EXPECT_NEAR(d.average, weighted / birds, 1e-12);
    // With a CV of 0.1 and edges 10 classes either side, almost every bird falls inside.
    double inside = 0;
    for (int row = 7; row <= 27; ++row)
        inside += g1.Number(row, 2);
    EXPECT_GT(inside, 0.97 * birds);
    // Breast meat per bird (grams) against the average live weight (kilograms).
    double breastPerBird = g1.Number(4, 13);
    EXPECT_GT(breastPerBird, 0.17 * d.average * 1000);
    EXPECT_LT(breastPerBird, 0.27 * d.average * 1000);
    // Tonnes from grams: the breast meat of 141,500 birds is about 76 t, not 76,000.
    EXPECT_EQ(g1.Text(3, 13), LocaleNumberText(RoundHalfEvenTo(breastPerBird * birds / 1e6, 2)) + " tonnes");
    EXPECT_GT(breastPerBird * birds / 1e6, 60);
    EXPECT_LT(breastPerBird * birds / 1e6, 90);
    EXPECT_EQ(g1.Text(7, 12), "Fillet");
    EXPECT_EQ(g1.Text(7, 14), "Drumstick");
    EXPECT_EQ(g1.Text(7, 16), "Wing");
    EXPECT_EQ(g2.headers[4], "Evis. Carc."); // from the first run on
    EXPECT_TRUE(dir.Has("regvals.txt"));
    EXPECT_TRUE(dir.Has("WtDist.txt"));
}

} // namespace
} // namespace avigram
