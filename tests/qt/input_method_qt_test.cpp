// Qt's input methods on LattixWidget: QInputMethodEvents compose into the current cell and commit
// its value, and the widget answers the input method's queries from the grid and its editor.
#include <QApplication>
#include <QInputMethodEvent>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include "bindings/qt/lattix_widget.h"
#include "platform/controls/edit_box.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

using namespace lattix::ui;

class InputMethodQtTest : public testing::Test {
protected:
    void SetUp() override {
        widget_ = new LattixWidget;
        window_ = qttest::ShowAlone(widget_);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        Lattix& g = grid();
        g.SetColCount(3);
        g.SetRowCount(5);
        g.SetCellValue(Variant(2), Variant(2), Variant("old"));
        g.SetCurCell(Variant(2), Variant(2));
        window_->activateWindow();
        widget_->setFocus();
        ASSERT_TRUE(qttest::RunUntil([&] { return widget_->hasFocus() && Wm().GetFocus() == widget_->gridWindow(); }));
    }
    void TearDown() override { window_.reset(); }

    Lattix& grid() { return *widget_->grid(); }
    controls::EditBox* editor() { return controls::EditBox::FromWindow(grid().TextEditHwnd()); }
    // A window's rectangle in the widget's coordinates (the offscreen screen is not scaled).
    QRect InWidget(Hwnd hwnd) const {
        const Rect r = Wm().GetWindowRect(hwnd), top = Wm().GetWindowRect(widget_->topLevel());
        return QRect(r.left - top.left, r.top - top.top, r.width(), r.height());
    }
    QRect CaretRect() const { return widget_->inputMethodQuery(Qt::ImCursorRectangle).toRect(); }
    void Send(QInputMethodEvent& e) { QApplication::sendEvent(widget_, &e); }

    std::unique_ptr<QWidget> window_;
    LattixWidget* widget_ = nullptr;
};

TEST_F(InputMethodQtTest, ComposedThenCommittedTextBecomesTheCellsValue) {
    EXPECT_TRUE(widget_->testAttribute(Qt::WA_InputMethodEnabled));
    EXPECT_TRUE(widget_->inputMethodQuery(Qt::ImEnabled).toBool());
    // Before the edit the caret is the current cell's left edge.
    const gfx::Rect cell = grid().CellTextRect(2, 2);
    const QRect gridBox = InWidget(widget_->gridWindow());
    Point client{0, 0};
    Wm().ClientToScreen(widget_->gridWindow(), client);
    const Rect gridWindow = Wm().GetWindowRect(widget_->gridWindow());
    const QPoint cellAt = gridBox.topLeft() + QPoint(client.x - gridWindow.left + cell.left, client.y - gridWindow.top + cell.top);
    EXPECT_EQ(CaretRect().topLeft(), cellAt);

    QInputMethodEvent composing("ni", {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, 1, 1)});
    Send(composing);
    ASSERT_TRUE(grid().IsEditing());
    ASSERT_NE(editor(), nullptr);
    EXPECT_EQ(grid().TextEditText(), "");
    EXPECT_EQ(editor()->Preedit(), "ni");
    EXPECT_EQ(editor()->PreeditCursor(), 1);
    // The candidates open at the caret, inside the editor, past the composed "n".
    const QRect box = InWidget(grid().TextEditHwnd());
    const QRect caret = CaretRect();
    EXPECT_TRUE(box.contains(caret)) << caret.x() << "," << caret.y() << " " << caret.width() << "x" << caret.height();
    EXPECT_GT(caret.left(), box.left());
    // Qt counts UTF-16 units: a cursor after a character outside the basic plane is one character in.
    QInputMethodEvent wide(QString::fromUtf8("\xF0\xA0\x80\x8B" "a"),
                           {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, 2, 1)});
    Send(wide);
    EXPECT_EQ(editor()->PreeditCursor(), 1);
    // A hidden cursor (length 0) still places the composition.
    QInputMethodEvent hidden(QString::fromUtf8("你好"), {QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, 2, 0)});
    Send(hidden);
    EXPECT_EQ(editor()->Preedit(), "你好");
    EXPECT_EQ(grid().TextEditText(), "");

    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("你好"));
    Send(commit);
    EXPECT_EQ(grid().TextEditText(), "你好");
    EXPECT_EQ(editor()->Preedit(), "");
    EXPECT_EQ(widget_->inputMethodQuery(Qt::ImSurroundingText).toString(), QString::fromUtf8("你好"));
    EXPECT_EQ(widget_->inputMethodQuery(Qt::ImCursorPosition).toInt(), 2);
    QTest::keyClick(widget_, Qt::Key_Return);
    EXPECT_FALSE(grid().IsEditing());
    EXPECT_EQ(ToString(grid().CellValue(Variant(2), Variant(2))), "你好");
}

TEST_F(InputMethodQtTest, AnswersSelectionAndHintsAndHandlesAReplacement) {
    grid().SetCellValue(Variant(2), Variant(2), Variant(QString::fromUtf8("the c\xF0\xA0\x80\x8Bta").toStdString()));
    QTest::keyClick(widget_, Qt::Key_F2); // edits with the whole text selected
    ASSERT_TRUE(grid().IsEditing());
    EXPECT_EQ(widget_->inputMethodQuery(Qt::ImCurrentSelection).toString(), QString::fromUtf8("the c\xF0\xA0\x80\x8Bta"));
    // The anchor at the start, the caret at the end: 9 UTF-16 units for 8 characters.
    EXPECT_EQ(widget_->inputMethodQuery(Qt::ImAnchorPosition).toInt(), 0);
    EXPECT_EQ(widget_->inputMethodQuery(Qt::ImCursorPosition).toInt(), 9);
    const auto hints = static_cast<Qt::InputMethodHints>(widget_->inputMethodQuery(Qt::ImHints).toInt());
    EXPECT_TRUE(hints.testFlag(Qt::ImhMultiLine));
    EXPECT_FALSE(hints.testFlag(Qt::ImhDigitsOnly));
    // An input method corrects the last four characters (five UTF-16 units) before the caret.
    QTest::keyClick(widget_, Qt::Key_End);
    QInputMethodEvent correction;
    correction.setCommitString("cat", -5, 5);
    Send(correction);
    EXPECT_EQ(grid().TextEditText(), "the cat");
    // An empty event ends a composition: what was composed goes away.
    QInputMethodEvent composing("x", {});
    Send(composing);
    EXPECT_EQ(editor()->Preedit(), "x");
    QInputMethodEvent nothing;
    Send(nothing);
    EXPECT_EQ(editor()->Preedit(), "");
    EXPECT_EQ(grid().TextEditText(), "the cat");
}

} // namespace
} // namespace lattix
