// LattixWidget as its user meets the header and the Enabled property: header clicks report the
// grid's client pixels, the cells follow the header's height and visibility, a disabled grid
// ignores the mouse.
#include <QApplication>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bindings/qt/lattix_widget.h"
#include "grid/objects/header_object.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using namespace lattix::ui;

class WidgetHeaderTest : public testing::Test {
protected:
    void SetUp() override {
        widget_ = new LattixWidget;
        window_ = qttest::ShowAlone(widget_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        Lattix& g = grid();
        g.SetColCount(3);
        g.SetColWidths(80);
        g.SetRowCount(100);
        g.SetRowHeights(20);
        g.events()->connect([this](const EventInfo& e, std::span<Variant> args) {
            if (e.name == "ColHeaderClick") {
                *args[1].slot() = Variant(false); // no sorting: only the report matters
                headerClicks_.push_back({ToInt32(args[0].deref()), ToInt32(args[3].deref()), ToInt32(args[4].deref())});
            }
            if (e.name == "MouseDown") mouseDownX_ = ToInt32(args[2].deref());
            if (e.name == "MouseDown" || e.name == "Click" || e.name == "DblClick") mouseEvents_.push_back(e.name);
        });
    }
    void TearDown() override { window_.reset(); }

    Lattix& grid() { return *widget_->grid(); }
    // Where the grid's client area starts inside the widget (after the grid's border).
    QPoint ClientOffset() const {
        Point origin{0, 0};
        Wm().ClientToScreen(widget_->gridWindow(), origin);
        QPoint g = widget_->mapToGlobal(QPoint(0, 0));
        return QPoint(origin.x - g.x(), origin.y - g.y());
    }
    int32_t Sys(int32_t what) { return ToInt32(grid().Sys(what)); }

    struct HeaderClick {
        int32_t col, x, y;
    };
    std::unique_ptr<QWidget> window_;
    LattixWidget* widget_ = nullptr;
    std::vector<HeaderClick> headerClicks_;
    std::vector<std::string> mouseEvents_;
    int32_t mouseDownX_ = -1;
};

TEST_F(WidgetHeaderTest, HeaderClicksReportTheGridsClientPixels) {
    ASSERT_GT(grid().BorderWidth(), 0); // the border that used to be counted in
    QTest::mouseClick(widget_, Qt::LeftButton, {}, QPoint(130, 8));
    ASSERT_EQ(headerClicks_.size(), 1u);
    EXPECT_EQ(headerClicks_[0].col, 2);
    // The same x as a press on a cell below reports.
    QTest::qWait(600);
    QTest::mouseClick(widget_, Qt::LeftButton, {}, QPoint(130, grid().HeaderHeight() + 40));
    EXPECT_EQ(headerClicks_[0].x, mouseDownX_);
    EXPECT_EQ(headerClicks_[0].y, 8 - ClientOffset().y());
}

TEST_F(WidgetHeaderTest, TheCellsAreaFollowsTheHeaderWithoutAResize) {
    const int32_t full = Sys(9);
    const int32_t header = grid().HeaderHeight();
    grid().Header()->SetHeight(header + 25);
    EXPECT_EQ(Sys(9), full - 25);
    grid().EnsureVisibleRow(Variant(100));
    EXPECT_EQ(grid().ScrollY() + grid().ViewHeight(), 2000);
    grid().Header()->SetVisible(false);
    EXPECT_EQ(Sys(9), full + header);
    // The bottom row is painted where the header's room went to.
    grid().SetCellBackColor(Variant(100), Variant(1), 0x0000FF);
    const QPoint bottom = ClientOffset() + QPoint(40, Sys(5) - 5);
    EXPECT_TRUE(qttest::RunUntil([&] { return widget_->grab().toImage().pixelColor(bottom) == QColor(255, 0, 0); }));
}

TEST_F(WidgetHeaderTest, ADisabledGridIgnoresClicksAndDoubleClicks) {
    grid().SetCurCell(Variant(1), Variant(1));
    grid().SetEnabled(false);
    const QPoint cell = ClientOffset() + QPoint(100, grid().HeaderHeight() + 50);
    QTest::mouseClick(widget_, Qt::LeftButton, {}, cell);
    QTest::mouseDClick(widget_, Qt::LeftButton, {}, cell);
    EXPECT_TRUE(mouseEvents_.empty());
    EXPECT_EQ(grid().CurRow(), 1);
    EXPECT_EQ(grid().CurCol(), 1);
    grid().SetEnabled(true);
    QTest::qWait(600);
    QTest::mouseClick(widget_, Qt::LeftButton, {}, cell);
    EXPECT_EQ(grid().CurRow(), 3);
    EXPECT_EQ(grid().CurCol(), 2);
}

} // namespace
} // namespace lattix
