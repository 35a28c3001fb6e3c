// The grid on a Qt desktop takes the desktop's colours: the application palette gives the system
// colours at start and after every change, and the style's scroll-bar extent the bars' thickness.
#include <QApplication>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>

#include "bindings/qt/lattix_widget.h"
#include "platform/gfx/system_colors.h"
#include "platform/gfx/system_metrics.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"
#include "tests/qt/dark_palette.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using namespace lattix::ui;

using qttest::DarkPalette;

gfx::Color Rgb(const QColor& c) { return gfx::rgb(c.red(), c.green(), c.blue()); }

class DesktopPaletteTest : public testing::Test {
protected:
    void SetUp() override {
        lightPalette_ = QApplication::palette();
        widget_ = new LattixWidget;
        window_ = qttest::ShowAlone(widget_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        Lattix& g = *widget_->grid();
        g.SetBorderType(0);
        g.SetColCount(3);
        g.SetRowCount(6);
        g.SetMultiSelect(true);
        g.SetHideSelection(false);
        for (int r = 1; r <= 6; ++r) g.SetCellValue(Variant(r), Variant(1), Variant("Broiler"));
        g.SetColSortOrder(Variant(1), 1);
        g.SetCurCell(Variant(6), Variant(3));
        g.SetCellSelected(Variant(2), Variant(2), true);
        g.events()->connect([this](const EventInfo& e, std::span<Variant> args) {
            ++fired_[e.name];
            if (e.name == "ScrollBarThicknessChanged") thickness_ = ToInt32(args[1].deref());
        });
        Settle();
    }
    void TearDown() override {
        QApplication::setPalette(lightPalette_);
        Settle();
        window_.reset();
    }

    // Lets the queued look-up and the repaint it causes run.
    void Settle() {
        QTest::qWait(30);
        QApplication::processEvents();
    }

    gfx::Color At(int x, int y) const { return widget_->picture().colorAt(x, y); }
    gfx::Color InCell(int row, int col) const {
        gfx::Rect r = widget_->grid()->CellRectInWindow(row, col);
        return At(r.right - 3, r.bottom - 3);
    }
    int CountInCell(int row, int col, gfx::Color c) const {
        gfx::Rect r = widget_->grid()->CellRectInWindow(row, col);
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
        return n;
    }

    QPalette lightPalette_;
    std::unique_ptr<QWidget> window_;
    LattixWidget* widget_ = nullptr;
    std::map<std::string, int> fired_;
    int thickness_ = 0;
};

TEST_F(DesktopPaletteTest, TheSystemColoursComeFromTheApplicationPalette) {
    const QPalette p = QApplication::palette();
    EXPECT_EQ(gfx::sysColor(gfx::COLOR_WINDOW), Rgb(p.color(QPalette::Base)));
    EXPECT_EQ(gfx::sysColor(gfx::COLOR_WINDOWTEXT), Rgb(p.color(QPalette::Text)));
    EXPECT_EQ(gfx::sysColor(gfx::COLOR_HIGHLIGHT), Rgb(p.color(QPalette::Highlight)));
    EXPECT_EQ(gfx::sysColor(gfx::COLOR_BTNFACE), Rgb(p.color(QPalette::Button)));
    EXPECT_EQ(gfx::sysColor(gfx::COLOR_GRAYTEXT), Rgb(p.color(QPalette::Disabled, QPalette::Text)));
    EXPECT_EQ(gfx::sysColor(gfx::COLOR_INFOBK), Rgb(p.color(QPalette::ToolTipBase)));
    EXPECT_EQ(InCell(4, 2), Rgb(p.color(QPalette::Base)));
}

TEST_F(DesktopPaletteTest, ADarkPaletteRecoloursTheGridAndIsAnnouncedOnce) {
    const QPalette dark = DarkPalette();
    QApplication::setPalette(dark);
    ASSERT_TRUE(qttest::RunUntil([&] { return fired_["WindowsThemeChanged"] > 0; }));
    Settle();
    EXPECT_EQ(fired_["WindowsThemeChanged"], 1);
    // The same palette again changes nothing and tells nobody.
    QApplication::setPalette(dark);
    Settle();
    EXPECT_EQ(fired_["WindowsThemeChanged"], 1);

    ASSERT_TRUE(qttest::RunUntil([&] { return InCell(4, 2) == Rgb(dark.color(QPalette::Base)); }));
    // Text in the palette's text colour, the selected cell in its highlight.
    EXPECT_GT(CountInCell(3, 1, Rgb(dark.color(QPalette::Text))), 0);
    EXPECT_EQ(CountInCell(3, 1, gfx::rgb(0, 0, 0)), 0);
    EXPECT_EQ(InCell(2, 2), Rgb(dark.color(QPalette::Highlight)));
    // The header's face is dark too, and its text light.
    gfx::Rect head = widget_->grid()->CellRectInWindow(1, 3);
    int headerY = head.top / 2;
    gfx::Color face = At(head.right - 6, headerY); // beside the title
    EXPECT_LT(gfx::redOf(face) + gfx::greenOf(face) + gfx::blueOf(face), 3 * 100);

    // Back to the light palette: the grid follows again.
    QApplication::setPalette(lightPalette_);
    ASSERT_TRUE(qttest::RunUntil([&] { return InCell(4, 2) == Rgb(lightPalette_.color(QPalette::Base)); }));
    EXPECT_EQ(fired_["WindowsThemeChanged"], 2);
}

TEST_F(DesktopPaletteTest, AStyleWithOtherScrollBarsChangesTheirThickness) {
    QStyle* before = QApplication::style();
    const QString name = before->name();
    const int thick = Wm().ScrollBarThickness();
    EXPECT_EQ(thick, before->pixelMetric(QStyle::PM_ScrollBarExtent));
    QStyle* other = nullptr;
    for (const QString& key : QStyleFactory::keys()) {
        QStyle* s = QStyleFactory::create(key);
        if (s != nullptr && s->pixelMetric(QStyle::PM_ScrollBarExtent) != thick) {
            other = s;
            break;
        }
        delete s;
    }
    if (other == nullptr) GTEST_SKIP() << "no installed style has other scroll bars";
    const int wanted = other->pixelMetric(QStyle::PM_ScrollBarExtent);
    QApplication::setStyle(other); // the application takes the style
    EXPECT_TRUE(qttest::RunUntil([&] { return fired_["ScrollBarThicknessChanged"] >= 2; }));
    EXPECT_EQ(thickness_, wanted);
    EXPECT_EQ(Wm().ScrollBarThickness(), wanted);
    EXPECT_EQ(fired_["WindowsThemeChanged"], 1);
    QApplication::setStyle(QStyleFactory::create(name));
    EXPECT_TRUE(qttest::RunUntil([&] { return Wm().ScrollBarThickness() == thick; }));
}

} // namespace
} // namespace lattix
