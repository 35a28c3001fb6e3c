// The charts drawn from chart data: pictures of the promised size that show every flock and the
// averages in their colours, widgets for a tab of the main window, and PNG files that are written
// whole or not at all.
#include <gtest/gtest.h>

#include <QChartView>
#include <QImage>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <memory>
#include <random>

#include "app/qt/chart_files.h"
#include "app/qt/charts.h"

namespace avigram {
namespace {

namespace fs = std::filesystem;

DistributionChartData TwoFlocks() {
    DistributionChartData d;
    d.units = UnitsOf(0);
    for (int k = 0; k < 6; ++k)
        d.classes.push_back({"c" + std::to_string(k), 1.5 + 0.2 * k});
    d.flocks = {{"North", {0, 100, 400, 300, 100, 0}, 2.1}, {"South", {0, 0, 100, 400, 300, 100}, 2.3}};
    d.allFlocks = {0, 100, 500, 700, 400, 100};
    d.average = 2.2;
    return d;
}

PartsYieldChartData ThreeParts() {
    PartsYieldChartData p;
    p.units = UnitsOf(0);
    p.classWeights = {1.5, 1.7, 1.9};
    p.parts = {{"Evis. Carc.", false, {1000, 1150, 1300}},
               {"Breast", false, {350, 400, 450}},
               {"Breast tender", true, {50, 57, 64}}};
    p.tonnages = {{"Breast_Meat", 76.04}, {"Drumstick meat", 18.73}, {"Thigh meat", 25.51}};
    return p;
}

// How many pixels of the image are close to the colour.
int Pixels(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - colour.red()) < 12 && std::abs(c.green() - colour.green()) < 12 &&
                std::abs(c.blue() - colour.blue()) < 12)
                ++n;
        }
    return n;
}

class Charts : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureChartApplication(); }
};

TEST_F(Charts, DistributionPictureShowsEveryFlockAndTheAverages) {
    const QImage image = renderDistributionChart(TwoFlocks(), QSize(900, 500));
    ASSERT_EQ(image.size(), QSize(900, 500));
    EXPECT_GT(Pixels(image, QColor(0x1f, 0x77, 0xb4)), 300); // first flock's line, points and mark
    EXPECT_GT(Pixels(image, QColor(0xd6, 0x27, 0x28)), 300); // second flock
    EXPECT_GT(Pixels(image, QColor(0xc8, 0xd8, 0xe8)), 5000); // the all-flocks area
    EXPECT_GT(Pixels(image, Qt::black), 200);                 // the all-flocks average and the texts
    // Without flocks: a picture saying so, no series.
    const QImage none = renderDistributionChart(DistributionChartData{}, QSize(400, 300));
    EXPECT_EQ(Pixels(none, QColor(0x1f, 0x77, 0xb4)), 0);
}

TEST_F(Charts, PartsYieldPictureHoldsTheLinesAndTheTonnageBars) {
    const QImage image = renderPartsYieldChart(ThreeParts(), QSize(1000, 500));
    ASSERT_EQ(image.size(), QSize(1000, 500));
    // Left: one line per part; right: the bars (the first palette colour, a large block).
    const QImage left = image.copy(0, 0, 620, 500);
    const QImage right = image.copy(620, 0, 380, 500);
    EXPECT_GT(Pixels(left, QColor(0xd6, 0x27, 0x28)), 100);  // Breast
    EXPECT_GT(Pixels(left, QColor(0x2c, 0xa0, 0x2c)), 50);   // Breast tender, dashed
    EXPECT_GT(Pixels(right, QColor(0x1f, 0x77, 0xb4)), 5000); // three bars
}

TEST_F(Charts, ViewsForATabOfTheMainWindow) {
    std::unique_ptr<QWidget> distribution(makeDistributionChartView(TwoFlocks()));
    ASSERT_TRUE(distribution);
    EXPECT_NE(dynamic_cast<QChartView*>(distribution.get()), nullptr);
    std::unique_ptr<QWidget> parts(makePartsYieldChartView(ThreeParts()));
    ASSERT_TRUE(parts);
    EXPECT_EQ(parts->findChildren<QChartView*>().size(), 2);
    parts->resize(900, 400);
    EXPECT_FALSE(parts->grab().isNull());
}

TEST_F(Charts, FilesAreWrittenWholeOrNotAtAll) {
    static std::mt19937_64 counter(std::random_device{}());
    const fs::path dir = fs::temp_directory_path() / ("avigram_charts_" + std::to_string(counter()));
    fs::create_directories(dir);
    std::string why;
    ASSERT_TRUE(WriteChartFiles(dir.string(), TwoFlocks(), ThreeParts(), why)) << why;
    const QImage written(QString::fromStdString((dir / "distribution.png").string()));
    EXPECT_EQ(written.size(), QSize(1200, 700));
    EXPECT_EQ(QImage(QString::fromStdString((dir / "parts_yield.png").string())).size(), QSize(1500, 700));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 2);

    EXPECT_FALSE(WriteChartFiles(dir.string(), DistributionChartData{}, ThreeParts(), why));
    EXPECT_EQ(why, "no flocks worked out");
    EXPECT_FALSE(WriteChartFiles((dir / "missing").string(), TwoFlocks(), ThreeParts(), why));
    EXPECT_EQ(why, "cannot write " + (dir / "missing" / "distribution.png").string());
    fs::remove_all(dir);
}

} // namespace
} // namespace avigram
