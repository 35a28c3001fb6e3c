// A LattixWidget read as assistive technologies read it, through QAccessible: the table and its
// shape, header names, cell texts, the focused cell, the selection, tree rows, check boxes, the
// editor and the drop-down list, and the events each change raises.
#include <QAccessible>
#include <QApplication>
#include <QtGui/private/qguiapplication_p.h>
#include <QtTest/QTest>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

#include <gtest/gtest.h>

#include <vector>

#include "bindings/qt/lattix_widget.h"
#include "grid/objects/combo_objects.h"
#include "platform/ui/window_manager.h"
#include "tests/qt/qt_test_support.h"

namespace lattix {
namespace {

// What an accessibility event said, read when it was raised (its interface may go afterwards).
struct Heard {
    QAccessible::Event type = QAccessible::InvalidEvent;
    QAccessible::Role role = QAccessible::NoRole;
    int row = -1, column = -1;
    QString name;
    QString value;
    QAccessible::State changed;
    int modelChange = -1, firstRow = -1, lastRow = -1;
};

std::vector<Heard>* g_heard = nullptr;

void Record(QAccessibleEvent* event) {
    if (g_heard == nullptr) return;
    Heard h;
    h.type = event->type();
    if (QAccessibleInterface* iface = event->accessibleInterface()) {
        h.role = iface->role();
        if (QAccessibleTableCellInterface* cell = iface->tableCellInterface()) {
            h.row = cell->rowIndex();
            h.column = cell->columnIndex();
        }
        h.name = iface->text(QAccessible::Name);
    }
    if (h.type == QAccessible::ValueChanged) h.value = static_cast<QAccessibleValueChangeEvent*>(event)->value().toString();
    if (h.type == QAccessible::StateChanged) h.changed = static_cast<QAccessibleStateChangeEvent*>(event)->changedStates();
    if (h.type == QAccessible::TableModelChanged) {
        auto* change = static_cast<QAccessibleTableModelChangeEvent*>(event);
        h.modelChange = change->modelChangeType();
        h.firstRow = change->firstRow();
        h.lastRow = change->lastRow();
    }
    g_heard->push_back(h);
}

// The offscreen platform has no bridge to a screen reader; its accessibility object is switched on
// as a bridge would switch it.
void SetClientListening(bool on) {
    QPlatformAccessibility* platform = QGuiApplicationPrivate::platformIntegration()->accessibility();
    ASSERT_NE(platform, nullptr);
    platform->setActive(on);
    ASSERT_EQ(QAccessible::isActive(), on);
}

class AccessibleGridTest : public testing::Test {
protected:
    // Columns Flock, (hidden) Code, Weight, Done (check boxes); rows F1..F5 with F3 hidden.
    void SetUp() override {
        g_heard = &heard_;
        previousHandler_ = QAccessible::installUpdateHandler(&Record);
        widget_ = new LattixWidget;
        widget_->setAccessibleName("Flocks");
        Lattix& g = grid();
        g.AddCol({.sKey = "flock", .sHeader = "Flock"});
        g.AddCol({.sKey = "code", .sHeader = "Code", .bVisible = false});
        g.AddCol({.sKey = "weight", .sHeader = "Weight"});
        g.AddCol({.sKey = "done", .sHeader = "Done"});
        for (int r = 1; r <= 5; ++r) {
            g.AddRow();
            g.SetCellValue(Variant(r), Variant(1), Variant("F" + std::to_string(r)));
            g.SetCellValue(Variant(r), Variant(2), Variant("C" + std::to_string(r)));
            g.SetCellValue(Variant(r), Variant(3), Variant(int32_t{1000 * r}));
            g.SetCellCheckVisible(Variant(r), Variant(4), true);
        }
        g.SetRowVisible(Variant(3), false);
        // A client comes (as the platform's bridge says when a screen reader starts): the widget
        // starts telling what changes.
        SetClientListening(true);
        window_ = qttest::ShowAlone(widget_, 400, 300);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
        iface_ = QAccessible::queryAccessibleInterface(widget_);
        ASSERT_NE(iface_, nullptr);
        table_ = iface_->tableInterface();
        ASSERT_NE(table_, nullptr);
        Settle();
    }
    void TearDown() override {
        window_.reset();
        SetClientListening(false);
        QAccessible::installUpdateHandler(previousHandler_);
        g_heard = nullptr;
    }

    Lattix& grid() const { return *widget_->grid(); }
    // Lets the widget paint and the deferred notices go out, then forgets them.
    void Settle() {
        QTest::qWait(30);
        heard_.clear();
    }
    // The events of `type` heard by the time `count` of them came (or the time ran out).
    std::vector<Heard> WaitFor(QAccessible::Event type, size_t count = 1) {
        qttest::RunUntil([&] { return Of(type).size() >= count; }, 2000);
        return Of(type);
    }
    std::vector<Heard> Of(QAccessible::Event type) const {
        std::vector<Heard> out;
        for (const Heard& h : heard_)
            if (h.type == type && (h.role == QAccessible::Cell || h.role == QAccessible::Table ||
                                   h.role == QAccessible::EditableText || h.role == QAccessible::ListItem))
                out.push_back(h);
        return out;
    }
    // The centre of a cell of the grid (row position, column index) in widget coordinates.
    QPoint CellPoint(int32_t row, int32_t col) const {
        gfx::Rect r = grid().CellRectInWindow(row, col);
        return ClientToWidget({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    QPoint ClientToWidget(ui::Point p) const {
        ui::Wm().ClientToScreen(widget_->gridWindow(), p);
        const ui::Rect frame = ui::Wm().GetWindowRect(widget_->topLevel());
        return QPoint(p.x - frame.left, p.y - frame.top);
    }
    QString CellText(int row, int column) const {
        QAccessibleInterface* cell = table_->cellAt(row, column);
        return cell != nullptr ? cell->text(QAccessible::Name) : QStringLiteral("<none>");
    }

    std::vector<Heard> heard_;
    QAccessible::UpdateHandler previousHandler_ = nullptr;
    LattixWidget* widget_ = nullptr;
    std::unique_ptr<QWidget> window_;
    QAccessibleInterface* iface_ = nullptr;
    QAccessibleTableInterface* table_ = nullptr;
};

TEST_F(AccessibleGridTest, IsANamedTableOfTheRowsAndColumnsAUserSees) {
    EXPECT_EQ(iface_->role(), QAccessible::Table);
    EXPECT_EQ(iface_->text(QAccessible::Name), "Flocks");
    // The hidden column and the hidden row are left out.
    EXPECT_EQ(table_->columnCount(), 3);
    EXPECT_EQ(table_->rowCount(), 4);
    EXPECT_EQ(iface_->childCount(), 3 + 3 * 4);
    EXPECT_EQ(table_->columnDescription(0), "Flock");
    EXPECT_EQ(table_->columnDescription(1), "Weight");
    EXPECT_EQ(table_->columnDescription(2), "Done");
    QAccessibleInterface* header = iface_->child(1);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->role(), QAccessible::ColumnHeader);
    EXPECT_EQ(header->text(QAccessible::Name), "Weight");
    // Displayed row 2 is the grid's fourth row; the cells carry the displayed text.
    EXPECT_EQ(CellText(0, 0), "F1");
    EXPECT_EQ(CellText(2, 0), "F4");
    EXPECT_EQ(CellText(2, 1), "4000");
    QAccessibleInterface* cell = iface_->child(3 + 2 * 3 + 1);
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell, table_->cellAt(2, 1));
    EXPECT_EQ(iface_->indexOfChild(cell), 3 + 2 * 3 + 1);
    EXPECT_EQ(cell->tableCellInterface()->columnHeaderCells().value(0), header);
    EXPECT_EQ(table_->cellAt(4, 0), nullptr);
    EXPECT_EQ(table_->cellAt(0, 3), nullptr);
    // The cell stands where the grid draws it, and the point finds it again.
    const QRect box = cell->rect();
    const gfx::Rect drawn = grid().CellRectInWindow(4, 3);
    EXPECT_EQ(box.size(), QSize(drawn.width(), drawn.height()));
    EXPECT_TRUE(box.contains(widget_->mapToGlobal(CellPoint(4, 3))));
    EXPECT_EQ(iface_->childAt(box.center().x(), box.center().y()), cell);
}

TEST_F(AccessibleGridTest, ACellValueTheHostSetsIsReadAndAnnounced) {
    grid().SetCellValue(Variant(4), Variant(1), Variant("Hens"));
    EXPECT_EQ(CellText(2, 0), "Hens");
    auto changes = WaitFor(QAccessible::ValueChanged);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].row, 2);
    EXPECT_EQ(changes[0].column, 0);
    EXPECT_EQ(changes[0].value, "Hens");
    // A value of the hidden column changes nothing a user sees.
    heard_.clear();
    grid().SetCellValue(Variant(4), Variant(2), Variant("X"));
    QTest::qWait(50);
    EXPECT_TRUE(Of(QAccessible::ValueChanged).empty());
}

TEST_F(AccessibleGridTest, TheCurrentCellIsTheFocusedChildAndFollowsTheKeys) {
    widget_->setFocus();
    ASSERT_TRUE(qttest::RunUntil([&] { return widget_->hasFocus(); }));
    grid().SetCurCell(Variant(2), Variant(1));
    Settle();
    QTest::keyClick(widget_, Qt::Key_Down); // over the hidden row to F4
    ASSERT_EQ(grid().CurRow(), 4);
    auto focus = WaitFor(QAccessible::Focus);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().row, 2);
    EXPECT_EQ(focus.back().column, 0);
    EXPECT_EQ(focus.back().name, "F4");
    QAccessibleInterface* focused = iface_->focusChild();
    ASSERT_NE(focused, nullptr);
    EXPECT_EQ(focused, table_->cellAt(2, 0));
    EXPECT_TRUE(focused->state().focused);
    EXPECT_FALSE(table_->cellAt(1, 0)->state().focused);
}

TEST_F(AccessibleGridTest, AShiftClickSelectsTheRangeAndSaysSo) {
    grid().SetMultiSelect(true);
    QTest::mouseClick(widget_, Qt::LeftButton, {}, CellPoint(1, 1));
    Settle();
    QTest::mouseClick(widget_, Qt::LeftButton, Qt::ShiftModifier, CellPoint(4, 3));
    // Displayed rows 0..2 (the hidden row is not among them) by columns 0..1.
    EXPECT_EQ(table_->selectedCellCount(), 6);
    QList<QAccessibleInterface*> cells = table_->selectedCells();
    ASSERT_EQ(cells.size(), 6);
    for (QAccessibleInterface* cell : cells) {
        EXPECT_LE(cell->tableCellInterface()->rowIndex(), 2);
        EXPECT_LE(cell->tableCellInterface()->columnIndex(), 1);
        EXPECT_TRUE(cell->state().selected);
    }
    EXPECT_FALSE(table_->cellAt(0, 2)->state().selected);
    EXPECT_FALSE(table_->cellAt(3, 0)->state().selected);
    WaitFor(QAccessible::SelectionWithin);
    EXPECT_EQ(Of(QAccessible::SelectionWithin).size(), 1u);
    // The cells added to the one selected before.
    std::vector<Heard> added = Of(QAccessible::SelectionAdd);
    EXPECT_EQ(added.size(), 5u);
    for (const Heard& h : added) EXPECT_FALSE(h.row == 0 && h.column == 0);
}

TEST_F(AccessibleGridTest, ATreeButtonClickExpandsTheRowAndInsertsItsChildren) {
    Lattix& g = grid();
    g.SetTreeCol(1);
    g.SetRowTreeButton(Variant(1), 2);
    AddRowArgs child;
    child.vRowParent = Variant(1);
    const int32_t first = g.AddRow(child);
    g.AddRow(child);
    g.SetCellValue(Variant(first), Variant(1), Variant("child"));
    g.SetRowExpanded(Variant(1), false);
    Settle();
    ASSERT_EQ(table_->rowCount(), 4);
    QAccessibleInterface* parent = table_->cellAt(0, 0);
    EXPECT_TRUE(parent->state().expandable);
    EXPECT_FALSE(parent->state().expanded);
    EXPECT_EQ(parent->text(QAccessible::Description), "level 1");

    auto parts = g.LayoutCellParts(1, 1, g.CellRectInWindow(1, 1));
    ASSERT_TRUE(parts.hasTreeButton);
    QTest::mouseClick(widget_, Qt::LeftButton, {},
                      ClientToWidget({(parts.treeButton.left + parts.treeButton.right) / 2,
                                      (parts.treeButton.top + parts.treeButton.bottom) / 2}));
    ASSERT_TRUE(g.RowExpanded(Variant(1)));
    EXPECT_EQ(table_->rowCount(), 6);
    EXPECT_TRUE(table_->cellAt(0, 0)->state().expanded);
    EXPECT_EQ(CellText(1, 0), "child");
    EXPECT_EQ(table_->cellAt(1, 0)->text(QAccessible::Description), "level 2");
    auto states = WaitFor(QAccessible::StateChanged);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_EQ(states[0].row, 0);
    EXPECT_TRUE(states[0].changed.expanded);
    auto models = WaitFor(QAccessible::TableModelChanged);
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(models[0].modelChange, QAccessibleTableModelChangeEvent::RowsInserted);
    EXPECT_EQ(models[0].firstRow, 1);
    EXPECT_EQ(models[0].lastRow, 2);
    // The collapse action takes them out again.
    heard_.clear();
    QAccessibleActionInterface* actions = table_->cellAt(0, 0)->actionInterface();
    ASSERT_TRUE(actions->actionNames().contains("collapse"));
    actions->doAction("collapse");
    EXPECT_FALSE(g.RowExpanded(Variant(1)));
    models = WaitFor(QAccessible::TableModelChanged);
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(models[0].modelChange, QAccessibleTableModelChangeEvent::RowsRemoved);
    EXPECT_EQ(models[0].lastRow, 2);
}

TEST_F(AccessibleGridTest, RowsTheHostAddsOrRemovesResetTheTable) {
    QAccessibleInterface* before = table_->cellAt(0, 0);
    const QAccessible::Id id = QAccessible::uniqueId(before);
    grid().AddRow();
    grid().RemoveRow(Variant(1));
    grid().RemoveRow(Variant(1));
    auto models = WaitFor(QAccessible::TableModelChanged);
    ASSERT_EQ(models.size(), 1u);
    EXPECT_EQ(models[0].modelChange, QAccessibleTableModelChangeEvent::ModelReset);
    EXPECT_EQ(table_->rowCount(), 3);
    // The cells made before are gone; new ones read the new rows.
    EXPECT_EQ(QAccessible::accessibleInterface(id), nullptr);
    EXPECT_EQ(CellText(0, 0), "F4");
}

TEST_F(AccessibleGridTest, CheckBoxesAreCheckableAndToggle) {
    QAccessibleInterface* done = table_->cellAt(0, 2);
    EXPECT_TRUE(done->state().checkable);
    EXPECT_FALSE(done->state().checked);
    EXPECT_FALSE(table_->cellAt(0, 1)->state().checkable);
    QAccessibleActionInterface* actions = done->actionInterface();
    ASSERT_TRUE(actions->actionNames().contains(QAccessibleActionInterface::toggleAction()));
    actions->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(grid().CellCheckState(Variant(1), Variant(4)), 1);
    EXPECT_TRUE(done->state().checked);
    auto states = WaitFor(QAccessible::StateChanged);
    ASSERT_EQ(states.size(), 1u);
    EXPECT_TRUE(states[0].changed.checked);
    EXPECT_EQ(states[0].column, 2);
}

TEST_F(AccessibleGridTest, TheDefaultActionEditsTheCellAndTheEditorIsATextField) {
    widget_->setFocus();
    ASSERT_TRUE(qttest::RunUntil([&] { return widget_->hasFocus(); }));
    QAccessibleInterface* cell = table_->cellAt(1, 0);
    cell->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    ASSERT_TRUE(qttest::RunUntil([&] { return grid().TextEditHwnd() != 0; }));
    QAccessibleInterface* editor = iface_->focusChild();
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->role(), QAccessible::EditableText);
    EXPECT_EQ(editor->parent(), cell);
    EXPECT_EQ(cell->child(0), editor);
    EXPECT_EQ(editor->text(QAccessible::Value), "F2");
    EXPECT_EQ(editor->text(QAccessible::Name), "Flock");
    auto focus = WaitFor(QAccessible::Focus);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().role, QAccessible::EditableText);
    // What is typed is read back and announced.
    QTest::keyClick(widget_, Qt::Key_End);
    QTest::keyClicks(widget_, "x");
    EXPECT_EQ(editor->textInterface()->text(0, editor->textInterface()->characterCount()), "F2x");
    EXPECT_FALSE(WaitFor(QAccessible::TextUpdated).empty());
    // Enter stores it; the cell has the focus again.
    heard_.clear();
    QTest::keyClick(widget_, Qt::Key_Return);
    EXPECT_EQ(grid().TextEditHwnd(), 0);
    EXPECT_EQ(grid().CellText(Variant(2), Variant(1)), "F2x");
    EXPECT_EQ(cell->childCount(), 0);
    focus = WaitFor(QAccessible::Focus);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().role, QAccessible::Cell);
}

TEST_F(AccessibleGridTest, TheOpenListShowsItsItemsWithTheHighlightedOneFocused) {
    Lattix& g = grid();
    auto list = g.Combos()->Add("kinds");
    for (const char* t : {"Broiler", "Layer", "Turkey"}) list->AddItem(t);
    g.SetCellType(Variant(1), Variant(1), 1);
    g.SetCellCtrlKey(Variant(1), Variant(1), "kinds");
    widget_->setFocus();
    ASSERT_TRUE(qttest::RunUntil([&] { return widget_->hasFocus(); }));
    g.SetCurCell(Variant(1), Variant(1));
    Settle();
    QTest::keyClick(widget_, Qt::Key_F4);
    ASSERT_TRUE(qttest::RunUntil([&] { return g.ComboDroppedDown(); }));
    QTest::keyClick(widget_, Qt::Key_Down);
    QTest::keyClick(widget_, Qt::Key_Down);
    ASSERT_EQ(g.DropDownHighlighted(), 1);
    QAccessibleInterface* item = iface_->focusChild();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->role(), QAccessible::ListItem);
    EXPECT_EQ(item->text(QAccessible::Name), "Layer");
    EXPECT_TRUE(item->state().selected);
    QAccessibleInterface* listIface = item->parent();
    EXPECT_EQ(listIface->role(), QAccessible::List);
    EXPECT_EQ(listIface->childCount(), 3);
    EXPECT_EQ(listIface->parent(), table_->cellAt(0, 0));
    EXPECT_EQ(listIface->child(0)->text(QAccessible::Name), "Broiler");
    EXPECT_FALSE(item->rect().isEmpty());
    EXPECT_TRUE(listIface->rect().contains(item->rect()));
    EXPECT_LT(listIface->child(0)->rect().top(), item->rect().top());
    auto focus = WaitFor(QAccessible::Focus);
    ASSERT_FALSE(focus.empty());
    EXPECT_EQ(focus.back().role, QAccessible::ListItem);
    EXPECT_EQ(focus.back().name, "Layer");
    QTest::keyClick(widget_, Qt::Key_Escape);
    EXPECT_FALSE(g.ComboDroppedDown());
    EXPECT_EQ(iface_->focusChild(), table_->cellAt(0, 0));
}

TEST_F(AccessibleGridTest, InterfacesOfAWidgetThatWentAreGone) {
    const QAccessible::Id cell = QAccessible::uniqueId(table_->cellAt(0, 0));
    const QAccessible::Id header = QAccessible::uniqueId(iface_->child(0));
    window_.reset();
    QApplication::processEvents();
    EXPECT_EQ(QAccessible::accessibleInterface(cell), nullptr);
    EXPECT_EQ(QAccessible::accessibleInterface(header), nullptr);
}

} // namespace
} // namespace lattix
