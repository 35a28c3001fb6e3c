// LattixWidget in a Qt window: input, focus, size and the picture reach and come from the grid's
// window on the window manager.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "bindings/qt/lattix_widget.h"
#include "platform/gfx/device_context.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using namespace lattix::ui;

class LattixWidgetTest : public testing::Test {
protected:
    void SetUp() override {
        window_ = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window_.get());
        layout->setContentsMargins(0, 0, 0, 0);
        widget_ = new LattixWidget;
        other_ = new QLineEdit;
        layout->addWidget(widget_);
        layout->addWidget(other_);
        window_->resize(400, 300);
        window_->move(100, 50);
        window_->show();
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        Wm().SetMessageSpy([this](const Message& m) {
            if (m.hwnd == widget_->gridWindow()) seen_.push_back(m);
        });
    }
    void TearDown() override {
        Wm().SetMessageSpy(nullptr);
        window_.reset();
    }

    bool RunUntilFocus() {
        return qttest::RunUntil([&] { return widget_->hasFocus() && Wm().GetFocus() == widget_->gridWindow(); });
    }

    // Where the grid's client area starts inside the widget (after the grid's border).
    QPoint ClientOffset() const {
        Point origin{0, 0};
        Wm().ClientToScreen(widget_->gridWindow(), origin);
        QPoint g = widget_->mapToGlobal(QPoint(0, 0));
        return QPoint(origin.x - g.x(), origin.y - g.y());
    }

    std::vector<Message> Seen(MessageId id) const {
        std::vector<Message> out;
        for (const Message& m : seen_)
            if (m.message == id) out.push_back(m);
        return out;
    }

    std::unique_ptr<QWidget> window_;
    LattixWidget* widget_ = nullptr;
    QLineEdit* other_ = nullptr;
    std::vector<Message> seen_;
};

TEST_F(LattixWidgetTest, OwnsAGridAndItsWindowSizedLikeTheWidget) {
    ASSERT_NE(widget_->grid(), nullptr);
    EXPECT_TRUE(Wm().IsWindow(widget_->gridWindow()));
    Rect box = Wm().GetWindowRect(widget_->gridWindow());
    EXPECT_EQ(box.width(), widget_->width());
    EXPECT_EQ(box.height(), widget_->height());
    // The window stands where the widget is on the screen, so popups open at the right place.
    Rect onScreen = Wm().GetWindowRect(widget_->topLevel());
    QPoint g = widget_->mapToGlobal(QPoint(0, 0));
    EXPECT_EQ(onScreen.left, g.x());
    EXPECT_EQ(onScreen.top, g.y());
    // The grid answers through the automation interface, as any host uses it.
    widget_->grid()->invoke("ColCount", InvokeKind::Let, std::vector<Variant>{Variant(3)});
    EXPECT_EQ(ToInt32(widget_->grid()->invoke("ColCount", InvokeKind::Get, {})), 3);
}

TEST_F(LattixWidgetTest, AClickReachesTheGridWindowAtClientCoordinates) {
    QTest::mouseClick(widget_, Qt::LeftButton, Qt::ShiftModifier, QPoint(50, 40));
    std::vector<Message> down = Seen(WM_LBUTTONDOWN), up = Seen(WM_LBUTTONUP);
    ASSERT_EQ(down.size(), 1u);
    ASSERT_EQ(up.size(), 1u);
    EXPECT_EQ(GetXLParam(down[0].lParam), 50 - ClientOffset().x());
    EXPECT_EQ(GetYLParam(down[0].lParam), 40 - ClientOffset().y());
    EXPECT_TRUE(down[0].wParam & MK_SHIFT);
    // The click gave the grid the keyboard.
    EXPECT_TRUE(widget_->hasFocus());
    EXPECT_EQ(Wm().GetFocus(), widget_->gridWindow());
    // A second click soon after at the same point is a double click.
    QTest::mouseDClick(widget_, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_EQ(Seen(WM_LBUTTONDBLCLK).size(), 1u);
    QTest::mouseClick(widget_, Qt::RightButton, {}, QPoint(10, 52)); // below the header bar
    EXPECT_EQ(Seen(WM_RBUTTONDOWN).size(), 1u);
}

TEST_F(LattixWidgetTest, KeysAndTypedTextReachTheFocusedGrid) {
    widget_->setFocus();
    ASSERT_TRUE(RunUntilFocus());
    seen_.clear();
    QTest::keyClick(widget_, Qt::Key_Down);
    QTest::keyClick(widget_, Qt::Key_PageDown, Qt::ControlModifier);
    QTest::keyClicks(widget_, "aB");
    std::vector<Message> keys = Seen(WM_KEYDOWN);
    std::vector<VirtualKey> codes;
    bool ctrlSeen = false;
    for (const Message& m : keys) {
        auto key = static_cast<VirtualKey>(m.wParam);
        if (key == VK_CONTROL) ctrlSeen = true;
        if (key != VK_SHIFT && key != VK_CONTROL) codes.push_back(key);
    }
    EXPECT_TRUE(ctrlSeen);
    EXPECT_EQ(codes, (std::vector<VirtualKey>{VK_DOWN, VK_NEXT, VK_A, VK_A + 1}));
    std::u32string chars;
    for (const Message& m : Seen(WM_CHAR)) chars += static_cast<char32_t>(m.wParam);
    EXPECT_EQ(chars, U"aB");
    // Modifiers were let go again.
    EXPECT_GE(Wm().GetKeyState(VK_CONTROL), 0);
    EXPECT_GE(Wm().GetKeyState(VK_SHIFT), 0);
}

TEST_F(LattixWidgetTest, TabGoesToTheGridOnlyWhenItAsksForIt) {
    widget_->setFocus();
    ASSERT_TRUE(RunUntilFocus());
    seen_.clear();
    // The grid asks for every key (WM_GETDLGCODE): Tab is a key for it, not a move of the focus.
    QTest::keyClick(widget_, Qt::Key_Tab);
    EXPECT_TRUE(widget_->hasFocus());
    ASSERT_EQ(Seen(WM_KEYDOWN).size(), 1u);
    EXPECT_EQ(Seen(WM_KEYDOWN)[0].wParam, VK_TAB);
    // A window that does not want Tab lets Qt move the focus on.
    auto noKeys = [](Hwnd h, MessageId msg, WParam w, LParam l, std::uintptr_t, std::uintptr_t) -> LResult {
        if (msg == WM_GETDLGCODE) return 0;
        return Wm().DefSubclassProc(h, msg, w, l);
    };
    Wm().SetWindowSubclass(widget_->gridWindow(), noKeys, 1, 0);
    QTest::keyClick(widget_, Qt::Key_Tab);
    EXPECT_TRUE(other_->hasFocus());
    EXPECT_EQ(Wm().GetFocus(), 0u);
    Wm().RemoveWindowSubclass(widget_->gridWindow(), noKeys, 1);
    // The grid itself gives Tab up when it does not use it.
    widget_->grid()->invoke("UseTabKey", InvokeKind::Let, std::vector<Variant>{Variant(false)});
    widget_->setFocus();
    ASSERT_TRUE(RunUntilFocus());
    QTest::keyClick(widget_, Qt::Key_Tab);
    EXPECT_TRUE(other_->hasFocus());
}

TEST_F(LattixWidgetTest, TheWheelReachesTheGridUnderThePointer) {
    QWheelEvent wheel(QPointF(30, 20), widget_->mapToGlobal(QPointF(30, 20)), QPoint(), QPoint(0, -240),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget_, &wheel);
    std::vector<Message> w = Seen(WM_MOUSEWHEEL);
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(GetWheelDeltaWParam(w[0].wParam), -240);
}

TEST_F(LattixWidgetTest, AResizeOfTheWidgetResizesTheGridWindow) {
    seen_.clear();
    window_->resize(640, 500);
    ASSERT_TRUE(qttest::RunUntil([&] { return widget_->width() == 640; }));
    Rect box = Wm().GetWindowRect(widget_->gridWindow());
    EXPECT_EQ(box.width(), 640);
    EXPECT_EQ(box.height(), widget_->height());
    Rect client = Wm().GetClientRect(widget_->gridWindow());
    std::vector<Message> sizes = Seen(WM_SIZE);
    ASSERT_FALSE(sizes.empty());
    EXPECT_EQ(LoWord(static_cast<std::uintptr_t>(sizes.back().lParam)), client.width());
    EXPECT_EQ(HiWord(static_cast<std::uintptr_t>(sizes.back().lParam)), client.height());
    EXPECT_EQ(client.width(), 640 - 2 * ClientOffset().x());
}

TEST_F(LattixWidgetTest, ShowsWhatTheGridWindowPainted) {
    Hwnd grid = widget_->gridWindow();
    gfx::DeviceContext* dc = Wm().GetDC(grid);
    ASSERT_NE(dc, nullptr);
    dc->fillRect(Rect{10, 10, 60, 30}, gfx::rgb(200, 0, 0));
    Wm().ReleaseDC(grid, dc);
    QImage shot = widget_->grab().toImage();
    QPoint at = ClientOffset() + QPoint(20, 20);
    EXPECT_EQ(shot.pixelColor(at), QColor(200, 0, 0));
    EXPECT_NE(shot.pixelColor(ClientOffset() + QPoint(5, 5)), QColor(200, 0, 0));
    // The presented picture is the window manager's, kept between paints.
    ASSERT_FALSE(widget_->picture().isEmpty());
    EXPECT_EQ(widget_->picture().colorAt(at.x(), at.y()), gfx::rgb(200, 0, 0));
}

TEST_F(LattixWidgetTest, ACellChangeShowsOnceTheEventLoopRuns) {
    Lattix& g = *widget_->grid();
    g.SetColCount(2);
    g.SetRowCount(3);
    ASSERT_TRUE(qttest::RunUntil([&] { return !g.Cell(2, 1).changed(); }));
    g.SetCellBackColor(Variant(2), Variant(1), 0x0000FF); // red
    // The change waits for the event loop, which paints the row and presents the picture.
    const gfx::Rect cell = g.CellBoundary(Variant(2), Variant(1));
    const QPoint inCell = ClientOffset() + QPoint(cell.left + 4, cell.top + 4);
    EXPECT_TRUE(qttest::RunUntil([&] { return widget_->grab().toImage().pixelColor(inCell) == QColor(255, 0, 0); }))
        << widget_->grab().toImage().pixelColor(inCell).name().toStdString() << " at " << inCell.x() << "," << inCell.y();
}

TEST_F(LattixWidgetTest, AnErrorRaisedByAHandlerDoesNotEndTheEventLoop) {
    Lattix& g = *widget_->grid();
    g.SetColCount(3);
    g.SetRowCount(5);
    int draws = 0, clicks = 0;
    g.events()->connect([&](const EventInfo& e, std::span<Variant>) {
        if (e.name == "CustomDrawCell") {
            ++draws;
            throw std::runtime_error("the host could not draw");
        }
        if (e.name == "Click") {
            ++clicks;
            throw std::runtime_error("the host could not take the click");
        }
    });
    // The custom-drawn cell is painted by the event loop, and its handler fails there.
    g.SetCellType(Variant(2), Variant(2), 3);
    ASSERT_TRUE(qttest::RunUntil([&] { return draws > 0; }));
    QTest::mouseClick(widget_, Qt::LeftButton, {}, QPoint(50, 40));
    EXPECT_GT(clicks, 0);
    // The loop goes on: the next change is painted.
    g.SetCellValue(Variant(4), Variant(1), Variant("after"));
    EXPECT_TRUE(qttest::RunUntil([&] { return !g.Cell(4, 1).changed(); }));
}

TEST_F(LattixWidgetTest, HostsAGivenGridAndRefusesNone) {
    auto grid = Lattix::Create();
    LattixWidget second(grid);
    EXPECT_EQ(second.grid(), grid.get());
    EXPECT_THROW(LattixWidget(std::shared_ptr<Lattix>()), std::invalid_argument);
    Hwnd window = second.gridWindow();
    EXPECT_TRUE(Wm().IsWindow(window));
    {
        LattixWidget third;
        window = third.gridWindow();
    }
    // The widget's windows go with it.
    EXPECT_FALSE(Wm().IsWindow(window));
}

} // namespace
} // namespace lattix
