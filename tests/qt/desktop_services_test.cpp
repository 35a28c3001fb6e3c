// The window manager's services on the Qt desktop: message boxes, popup menus, the clipboard,
// timers, screens, cursor shapes and top-level popups.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <cmath>

#include "bindings/qt/lattix_widget.h"
#include "platform/qt/qt_backend.h"
#include "platform/ui/window_manager.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using namespace lattix::ui;
using ui::qt::Desktop;
using ui::qt::QtBackend;
using ui::qt::WindowSurface;
using qttest::RunUntil;
using qttest::WhenReady;

class DesktopTest : public testing::Test {
protected:
    void SetUp() override {
        widget_ = std::make_unique<LattixWidget>();
        widget_->resize(300, 200);
        widget_->move(40, 30);
        widget_->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(widget_.get()));
    }
    void TearDown() override { widget_.reset(); }
    Hwnd Grid() const { return widget_->gridWindow(); }

    std::unique_ptr<LattixWidget> widget_;
};

TEST_F(DesktopTest, AMessageBoxIsAQtMessageBoxAndReturnsTheButtonPressed) {
    QString text, title;
    bool hadNo = false;
    WhenReady([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
              [&] {
                  auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                  text = box->text();
                  title = box->windowTitle();
                  QAbstractButton* no = box->button(QMessageBox::No);
                  hadNo = no != nullptr;
                  if (no) no->click();
              });
    int result = Wm().MessageBox(Grid(), "Replace the cells?", "Lattix", MB_YESNO | MB_ICONQUESTION);
    EXPECT_EQ(result, IDNO);
    EXPECT_TRUE(hadNo);
    EXPECT_EQ(text, "Replace the cells?");
    EXPECT_EQ(title, "Lattix");

    // Escape on a box with Cancel answers Cancel.
    WhenReady([] { return qobject_cast<QMessageBox*>(QApplication::activeModalWidget()) != nullptr; },
              [] { QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape); });
    EXPECT_EQ(Wm().MessageBox(Grid(), "Save?", "Lattix", MB_YESNOCANCEL), IDCANCEL);
}

TEST_F(DesktopTest, APopupMenuIsAQMenuAtTheScreenPointAndReturnsTheCommand) {
    PopupMenu menu;
    menu.AppendItem(1, "&Copy");
    menu.AppendItem(2, "&Paste", false);
    menu.AppendSeparator();
    menu.AppendItem(3, "Sort &Ascending", true, true);
    QStringList texts;
    QPoint shownAt;
    bool pasteEnabled = true;
    WhenReady([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
              [&] {
                  auto* qmenu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
                  shownAt = qmenu->pos();
                  for (QAction* a : qmenu->actions()) {
                      texts << (a->isSeparator() ? QStringLiteral("-") : a->text());
                      if (a->text() == "&Paste") pasteEnabled = a->isEnabled();
                  }
                  for (QAction* a : qmenu->actions())
                      if (a->data().toInt() == 3) qmenu->setActiveAction(a);
                  QTest::keyClick(qmenu, Qt::Key_Return);
              });
    Point at{120, 90};
    int chosen = Wm().TrackPopupMenu(menu, TPM_RETURNCMD, at, Grid());
    EXPECT_EQ(chosen, 3);
    EXPECT_EQ(texts, (QStringList{"&Copy", "&Paste", "-", "Sort &Ascending"}));
    EXPECT_FALSE(pasteEnabled);
    EXPECT_EQ(shownAt, QPoint(120, 90));

    // A menu closed without a choice gives 0.
    WhenReady([] { return qobject_cast<QMenu*>(QApplication::activePopupWidget()) != nullptr; },
              [] { QApplication::activePopupWidget()->close(); });
    EXPECT_EQ(Wm().TrackPopupMenu(menu, TPM_RETURNCMD, at, Grid()), 0);
}

TEST_F(DesktopTest, TheClipboardIsTheSystemOneInBothDirections) {
    Clipboard& clip = Wm().GetClipboard();
    ASSERT_TRUE(clip.SetText(Grid(), "Größe\t2,35"));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf8("Größe\t2,35"));
    EXPECT_EQ(clip.GetText(Grid()), std::optional<std::string>("Größe\t2,35"));

    std::uint32_t before = clip.SequenceNumber();
    QGuiApplication::clipboard()->setText("from another program");
    ASSERT_TRUE(RunUntil([&] { return clip.SequenceNumber() != before; }));
    EXPECT_EQ(clip.GetText(Grid()), std::optional<std::string>("from another program"));
    // The 8-bit text format reads the same text.
    ASSERT_TRUE(clip.Open(Grid()));
    EXPECT_EQ(clip.GetData(CF_TEXT), std::optional<std::string>("from another program"));
    clip.Close();
}

TEST_F(DesktopTest, TimersFireFromTheEventLoop) {
    std::vector<std::uint32_t> ticks;
    TimerId id = Wm().SetTimer(0, 0, 15, [&](Hwnd, TimerId, std::uint32_t time) { ticks.push_back(time); });
    ASSERT_NE(id, 0u);
    ASSERT_TRUE(RunUntil([&] { return ticks.size() >= 2; }));
    Wm().KillTimer(0, id);
    // Ticks keep to their schedule: a late one does not push the next one back.
    EXPECT_GT(ticks[1], ticks[0]);
    std::size_t count = ticks.size();
    QTest::qWait(40);
    EXPECT_EQ(ticks.size(), count);
}

TEST_F(DesktopTest, ScreensGiveTheMonitorsWorkAreasAndDpi) {
    std::vector<MonitorInfo> monitors = Wm().GetMonitors();
    ASSERT_FALSE(monitors.empty());
    QScreen* primary = QGuiApplication::primaryScreen();
    ASSERT_NE(primary, nullptr);
    EXPECT_TRUE(monitors[0].primary);
    EXPECT_EQ(monitors[0].monitor.width(), primary->geometry().width());
    EXPECT_EQ(monitors[0].work.height(), primary->availableGeometry().height());
    EXPECT_EQ(Wm().GetSystemInfo().dpiX, static_cast<int>(std::lround(primary->logicalDotsPerInchX())));
}

TEST_F(DesktopTest, TheCursorShapeTheWindowAsksForIsShown) {
    QTest::mouseMove(widget_.get(), QPoint(20, 60)); // below the header bar
    ASSERT_EQ(Wm().WindowFromPoint(Wm().GetCursorPos()), Grid());
    Wm().SetCursor(Cursor::SizeWE);
    EXPECT_EQ(widget_->cursor().shape(), Qt::SizeHorCursor);
    Wm().SetCursor(Cursor::IBeam);
    EXPECT_EQ(widget_->cursor().shape(), Qt::IBeamCursor);
    Wm().SetCursor(Cursor::Arrow);
}

TEST_F(DesktopTest, ATopLevelPopupIsAFramelessQtWindowAtItsScreenPlace) {
    WindowClass cls;
    cls.name = "QtTestPopup";
    cls.proc = [](Hwnd h, MessageId m, WParam w, LParam l) { return Wm().DefWindowProc(h, m, w, l); };
    Wm().RegisterClass(cls);
    CreateParams p;
    p.className = "QtTestPopup";
    p.style = WS_POPUP | WS_BORDER;
    p.exStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    p.rect = rectOfSize(150, 160, 120, 80);
    p.parent = Grid();
    Hwnd popup = Wm().CreateWindow(p);
    ASSERT_NE(popup, 0u);
    QtBackend* desktop = Desktop();
    ASSERT_NE(desktop, nullptr);
    EXPECT_EQ(desktop->PopupOf(popup), nullptr); // hidden so far
    Wm().ShowWindow(popup, SW_SHOWNOACTIVATE);
    WindowSurface* surface = desktop->PopupOf(popup);
    ASSERT_NE(surface, nullptr);
    EXPECT_TRUE(surface->isVisible());
    EXPECT_TRUE(surface->isWindow());
    EXPECT_TRUE(surface->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(surface->geometry(), QRect(150, 160, 120, 80));
    // Moving the window moves the Qt window; input on it reaches the popup.
    Wm().MoveWindow(popup, 200, 170, 100, 60);
    EXPECT_EQ(surface->geometry(), QRect(200, 170, 100, 60));
    Hwnd clicked = 0;
    Wm().SetMessageSpy([&](const Message& m) {
        if (m.message == WM_LBUTTONDOWN) clicked = m.hwnd;
    });
    QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(10, 10));
    Wm().SetMessageSpy(nullptr);
    EXPECT_EQ(clicked, popup);
    Wm().ShowWindow(popup, SW_HIDE);
    EXPECT_FALSE(surface->isVisible());
    Wm().DestroyWindow(popup);
    EXPECT_EQ(desktop->PopupOf(popup), nullptr);
}

} // namespace
} // namespace lattix
