// LattixWidget at the screen's device pixel ratio: the grid draws device pixels at the effective
// dpi, the widget shows them pixel for pixel, and input at logical points reaches the same cells
// at any ratio. Built into the plain Qt tests (ratio 1) and into the scaled ones (ratio 2).
#include <QApplication>
#include <QScreen>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "bindings/qt/lattix_widget.h"
#include "platform/gfx/system_metrics.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using namespace lattix::ui;

class DeviceRatioTest : public testing::Test {
protected:
    void SetUp() override {
        widget_ = new LattixWidget;
        window_ = qttest::ShowAlone(widget_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        ratio_ = qt::DevicePixelRatio();
        Lattix& g = *widget_->grid();
        g.SetBorderType(0);
        g.SetColCount(4);
        g.SetRowCount(12);
        // A host lays out in 96-dpi units, scaled to the grid's dpi as it would scale them.
        const int dpi = g.ScreenDpiX();
        g.SetColWidths(80 * dpi / 96);
        g.SetRowHeights(20 * dpi / 96);
        QApplication::processEvents();
    }
    void TearDown() override { window_.reset(); }

    std::unique_ptr<QWidget> window_;
    LattixWidget* widget_ = nullptr;
    double ratio_ = 1;
};

TEST_F(DeviceRatioTest, ThePictureHasTheWidgetsSizeInDevicePixelsAndTheGridTheEffectiveDpi) {
    if (qEnvironmentVariable("QT_SCALE_FACTOR") == "2") {
        EXPECT_DOUBLE_EQ(ratio_, 2.0);
    }
    const QScreen* screen = widget_->screen();
    EXPECT_EQ(widget_->grid()->ScreenDpiX(), static_cast<int>(std::lround(screen->logicalDotsPerInchX() * ratio_)));
    EXPECT_EQ(gfx::systemMetrics().checkBoxSize, static_cast<int>(std::lround(13 * widget_->grid()->ScreenDpiX() / 96.0)));
    widget_->grab();
    ASSERT_TRUE(qttest::RunUntil([&] { return !widget_->picture().isEmpty(); }));
    EXPECT_EQ(widget_->picture().width(), static_cast<int>(std::lround(widget_->width() * ratio_)));
    EXPECT_EQ(widget_->picture().height(), static_cast<int>(std::lround(widget_->height() * ratio_)));
    // The grab is in device pixels too: the grid's pixels are shown one for one.
    QImage shot = widget_->grab().toImage();
    EXPECT_EQ(shot.width(), widget_->picture().width());
}

TEST_F(DeviceRatioTest, AClickAtALogicalPointHitsTheSameCellAtEveryRatio) {
    Lattix& g = *widget_->grid();
    const double header = g.CellsAreaTop() / ratio_;
    // Column 2 spans 80..160 logical pixels, row 3 spans 40..60 below the header.
    QTest::mouseClick(widget_, Qt::LeftButton, {}, QPoint(121, static_cast<int>(header) + 51));
    EXPECT_EQ(g.CurRow(), 3);
    EXPECT_EQ(g.CurCol(), 2);
    QTest::mouseClick(widget_, Qt::LeftButton, {}, QPoint(250, static_cast<int>(header) + 5));
    EXPECT_EQ(g.CurRow(), 1);
    EXPECT_EQ(g.CurCol(), 4);
}

// The window moves to a screen of another ratio (1 to 2, or 2 to 1 in the scaled run): the grid
// takes the new dpi, keeps its layout in logical points, presents a picture of the new size and
// takes clicks at the same logical points.
TEST_F(DeviceRatioTest, MovingToAScreenOfAnotherRatioLaysOutAndRepaintsAtThatRatio) {
    Lattix& g = *widget_->grid();
    const QScreen* screen = widget_->screen();
    const double logical = screen->logicalDotsPerInchX();
    const double other = ratio_ == 2.0 ? 1.0 : 2.0;
    const int32_t width = g.ColWidth(Variant(2)), height = g.RowHeight(Variant(3));
    qt::Desktop()->FollowScreenScale(other, logical, screen->logicalDotsPerInchY());
    struct Restore {
        double ratio, x, y;
        ~Restore() { qt::Desktop()->FollowScreenScale(ratio, x, y); }
    } restore{ratio_, logical, screen->logicalDotsPerInchY()};
    EXPECT_DOUBLE_EQ(qt::DevicePixelRatio(), other);
    EXPECT_EQ(g.ScreenDpiX(), static_cast<int>(std::lround(logical * other)));
    EXPECT_EQ(g.ColWidth(Variant(2)), static_cast<int32_t>(std::lround(width * other / ratio_)));
    EXPECT_EQ(g.RowHeight(Variant(3)), static_cast<int32_t>(std::lround(height * other / ratio_)));
    widget_->grab();
    ASSERT_TRUE(qttest::RunUntil([&] { return widget_->picture().width() == static_cast<int>(std::lround(widget_->width() * other)); }));
    EXPECT_EQ(widget_->picture().height(), static_cast<int>(std::lround(widget_->height() * other)));
    const double header = g.CellsAreaTop() / other;
    QTest::mouseClick(widget_, Qt::LeftButton, {}, QPoint(121, static_cast<int>(header) + 51));
    EXPECT_EQ(g.CurRow(), 3);
    EXPECT_EQ(g.CurCol(), 2);
}

} // namespace
} // namespace lattix
