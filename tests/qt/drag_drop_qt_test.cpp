// Qt drags over LattixWidget reach the grid's drop events (offscreen platform).
#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <string>

#include "bindings/qt/lattix_widget.h"
#include "grid/objects/data_object.h"
#include "platform/ui/drag_drop.h"
#include "runtime/conversions.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

TEST(QtDragDrop, TextDroppedOnTheWidgetReachesOLEDragDrop) {
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* widget = new LattixWidget;
    layout->addWidget(widget);
    window.resize(300, 200);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    Lattix& g = *widget->grid();
    g.SetColCount(2);
    g.SetRowCount(3);
    g.SetOLEDropMode(1);
    std::string text, tabText;
    int32_t shift = -1;
    std::vector<std::string> states;
    g.events()->connect([&](const EventInfo& e, std::span<Variant> args) {
        if (e.name == "OLEDragOver") states.push_back(ToString(args[6].deref()));
        if (e.name != "OLEDragDrop") return;
        auto& data = static_cast<DataObject&>(*args[0].deref().object());
        text = ToString(data.GetData(Variant(1)));
        tabText = ToString(data.GetData(Variant(ui::kMimeTabText)));
        shift = ToInt32(args[3].deref());
        *args[1].slot() = Variant(int32_t{ui::kDropEffectCopy});
    });

    QMimeData mime;
    mime.setText("a\tb\r\n");
    const QPointF at(60, 50);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(widget, &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(enter.dropAction(), Qt::CopyAction); // Ctrl proposes a copy
    QDragMoveEvent move(at.toPoint(), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(widget, &move);
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::ControlModifier);
    QApplication::sendEvent(widget, &drop);
    EXPECT_TRUE(drop.isAccepted());
    EXPECT_EQ(drop.dropAction(), Qt::CopyAction);
    EXPECT_EQ(text, "a\tb\r\n");
    EXPECT_EQ(tabText, "a\tb\r\n");
    EXPECT_EQ(shift, 2);
    EXPECT_EQ(states, (std::vector<std::string>{"0", "2"}));

    // With OLEDropMode 0 the widget refuses the drag.
    g.SetOLEDropMode(0);
    QDragEnterEvent again(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &again);
    EXPECT_EQ(again.dropAction(), Qt::IgnoreAction);
}

} // namespace
} // namespace lattix
