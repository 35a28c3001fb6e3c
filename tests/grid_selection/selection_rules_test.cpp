// Multi-selection: plain, Ctrl, Shift and Ctrl+Shift moves, the anchor, and one event pair per operation.
#include "selection_test_support.h"

using namespace lattix_test;
using Strings = std::vector<std::string>;
using MoveInput = lattix::Lattix::MoveInput;

namespace {
constexpr int kShift = 1, kCtrl = 2;
}

TEST(MultiSelection, PlainMoveKeepsOnlyTheTarget) {
    auto g = SelectionGrid(4, 6);
    g->SetCellSelected(Variant(1), Variant(1), true);
    g->SetCellSelected(Variant(5), Variant(4), true);
    EventLog log(*g, true);
    g->UserMove(3, 2, 0, MoveInput::Keyboard);
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "CellSelectionChange(1,1,False)",
                                   "CellSelectionChange(5,4,False)", "CellSelectionChange(3,2,True)",
                                   "CurCellChange(3,2,0,0)", "CurRowChange(3,0)", "CurColChange(2,0)",
                                   "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(3,2)");
    // Moving onto the only selected cell changes no selection: no Before/After pair.
    g->UserMove(3, 1, 0, MoveInput::Keyboard);
    g->UserMove(3, 1, 0, MoveInput::Keyboard);
    log.take();
    g->SetCurCell(Variant(3), Variant(2));
    g->SetCurCell(Variant(3), Variant(1));
    EXPECT_EQ(log.count("BeforeSelectionChange"), 2);
}

TEST(MultiSelection, ShiftExtendsFromTheAnchorAndShrinksAgain) {
    auto g = SelectionGrid(4, 6);
    g->UserMove(2, 2, 0, MoveInput::Keyboard);
    EventLog log(*g);
    g->UserMove(4, 3, kShift, MoveInput::Keyboard);
    EXPECT_EQ(SelectedCells(*g), "(2,2)(2,3)(3,2)(3,3)(4,2)(4,3)");
    EXPECT_EQ(g->SelItems()->Count(), 6);
    EXPECT_EQ(log.count("BeforeSelectionChange"), 1);
    EXPECT_EQ(log.count("AfterSelectionChange(True)"), 1);
    EXPECT_EQ(log.cellChanges, 5);
    // The anchor stays where the plain move left it.
    EXPECT_EQ(g->AnchorRow(), 2);
    EXPECT_EQ(g->AnchorCol(), 2);
    g->UserMove(3, 3, kShift, MoveInput::Keyboard);
    EXPECT_EQ(SelectedCells(*g), "(2,2)(2,3)(3,2)(3,3)");
    // Upwards and to the left of the anchor, past a hidden column.
    g->SetColVisible(Variant(1), false);
    g->UserMove(1, 1, kShift, MoveInput::Keyboard);
    EXPECT_EQ(SelectedCells(*g), "(1,2)(2,2)");
    EXPECT_EQ(g->SelItems()->GetString(), "(1,2);(2,2)");
}

TEST(MultiSelection, ShiftFollowsDisplayOrderOfColumns) {
    auto g = SelectionGrid(4, 3);
    g->SetColPos(Variant(4), 1); // display order: 4, 1, 2, 3
    g->UserMove(1, 4, 0, MoveInput::Keyboard);
    g->UserMove(2, 1, kShift, MoveInput::Keyboard);
    EXPECT_EQ(SelectedCells(*g), "(1,1)(1,4)(2,1)(2,4)");
}

TEST(MultiSelection, ShiftClearsSelectionsOutsideThePreviousExtension) {
    auto g = SelectionGrid(3, 30);
    g->UserMove(20, 1, 0, MoveInput::Mouse);
    g->UserMove(25, 1, kCtrl, MoveInput::Mouse); // second item, anchor moves to (25,1)
    g->UserMove(10, 2, 0, MoveInput::Keyboard);  // plain: back to one item
    g->UserMove(12, 2, kShift, MoveInput::Keyboard);
    g->UserMove(2, 2, kShift, MoveInput::Keyboard); // same anchor: rows 10..12 are revisited
    EXPECT_EQ(g->SelItems()->GetString(), "(2,2);(3,2);(4,2);(5,2);(6,2);(7,2);(8,2);(9,2);(10,2)");
    // Ctrl+click far away, then Shift from a new anchor: every row is visited.
    g->UserMove(28, 3, kCtrl, MoveInput::Mouse);
    g->UserMove(27, 3, kShift, MoveInput::Mouse);
    EXPECT_EQ(g->SelItems()->GetString(), "(27,3);(28,3)");
}

TEST(MultiSelection, CtrlKeyboardMovesOnlyTheCurrentCell) {
    auto g = SelectionGrid(3, 5);
    g->UserMove(1, 1, 0, MoveInput::Keyboard);
    EventLog log(*g);
    g->UserMove(4, 2, kCtrl, MoveInput::Keyboard);
    EXPECT_EQ(log.take(), (Strings{"CurCellChange(4,2,1,1)", "CurRowChange(4,1)", "CurColChange(2,1)"}));
    EXPECT_EQ(SelectedCells(*g), "(1,1)");
    EXPECT_EQ(g->AnchorRow(), 4);
    // Ctrl+Shift from the new anchor adds the range (state True) and leaves (1,1) alone.
    g->UserMove(5, 3, kCtrl | kShift, MoveInput::Keyboard);
    EXPECT_EQ(SelectedCells(*g), "(1,1)(4,2)(4,3)(5,2)(5,3)");
}

TEST(MultiSelection, CtrlClickTogglesAndCtrlShiftUsesTheClickedState) {
    auto g = SelectionGrid(3, 5);
    g->SelectAll();
    EventLog log(*g);
    g->UserMove(2, 2, kCtrl, MoveInput::Mouse); // deselects, anchor state False
    EXPECT_FALSE(g->CellSelected(Variant(2), Variant(2)));
    EXPECT_EQ(log.count("BeforeSelectionChange"), 1);
    g->UserMove(3, 3, kCtrl | kShift, MoveInput::Mouse);
    EXPECT_EQ(SelectedCells(*g), "(1,1)(1,2)(1,3)(1,4)(2,1)(2,4)(3,1)(3,4)(4,1)(4,2)(4,3)(4,4)(5,1)(5,2)(5,3)(5,4)");
    EXPECT_EQ(g->SelItems()->Count(), 16);
    g->UserMove(2, 2, kCtrl, MoveInput::Mouse); // back on
    EXPECT_TRUE(g->CellSelected(Variant(2), Variant(2)));
    EXPECT_EQ(g->SelItems()->Count(), 17);
}

TEST(MultiSelection, RowModeSelectsWholeRowsAsOneItemEach) {
    auto g = SelectionGrid(3, 6);
    g->SetRowMode(true);
    g->UserMove(2, 2, 0, MoveInput::Mouse);
    g->UserMove(4, 1, kShift, MoveInput::Mouse);
    EXPECT_EQ(g->SelItems()->Count(), 3);
    EXPECT_EQ(g->SelItems()->GetString(), "(2,1);(3,1);(4,1)");
    EXPECT_TRUE(g->CellSelected(Variant(3), Variant(4)));
    g->UserMove(6, 3, kCtrl, MoveInput::Mouse);
    EXPECT_EQ(g->SelItems()->GetString(), "(2,1);(3,1);(4,1);(6,1)");
    g->UserMove(3, 3, kCtrl, MoveInput::Mouse);
    EXPECT_EQ(g->SelItems()->GetString(), "(2,1);(4,1);(6,1)");
    EXPECT_FALSE(g->CellSelected(Variant(3), Variant(1)));
    // Leaving row mode: one item per visible column.
    g->SetColVisible(Variant(2), false);
    g->SetRowMode(false);
    EXPECT_EQ(g->SelItems()->Count(), 9);
    // And back: each row with a selected cell is one item again.
    g->SetCellSelected(Variant(5), Variant(1), true);
    g->SetRowMode(true);
    EXPECT_EQ(g->SelItems()->GetString(), "(2,1);(4,1);(5,1);(6,1)");
}

TEST(MultiSelection, NonSelectableCellsStayUnselectedSilently) {
    auto g = SelectionGrid(3, 3);
    g->SetCellSelectable(Variant(2), Variant(2), false);
    EventLog log(*g, true);
    g->SetCellSelected(Variant(2), Variant(2), true);
    EXPECT_TRUE(log.take().empty());
    EXPECT_FALSE(g->CellSelected(Variant(2), Variant(2)));
    g->UserMove(1, 1, 0, MoveInput::Keyboard);
    g->UserMove(3, 3, kShift, MoveInput::Keyboard);
    EXPECT_EQ(g->SelItems()->Count(), 8);
    // A selected cell made non-selectable stays selected.
    g->SetCellSelectable(Variant(1), Variant(1), false);
    EXPECT_TRUE(g->CellSelected(Variant(1), Variant(1)));
}

TEST(MultiSelection, GroupRowsAreSelectedThroughTheirRowTextCell) {
    auto g = SelectionGrid(3, 4);
    g->SetRowIsGroup(Variant(2), true);
    g->SelectAll();
    EXPECT_EQ(SelectedCells(*g), "(1,1)(1,2)(1,3)(1,4)(2,4)(3,1)(3,2)(3,3)(3,4)(4,1)(4,2)(4,3)(4,4)");
    g->InvertSelection();
    EXPECT_EQ(SelectedCells(*g), "");
    g->UserMove(1, 2, 0, MoveInput::Keyboard);
    g->UserMove(3, 2, kShift, MoveInput::Keyboard);
    EXPECT_EQ(SelectedCells(*g), "(1,2)(2,4)(3,2)");
}

TEST(SelectionOperations, ClearSelectionEmptyAndFull) {
    auto g = SelectionGrid(3, 4);
    g->SetCurCell(Variant(2), Variant(2));
    g->SetCellSelected(Variant(2), Variant(2), false);
    EventLog log(*g);
    g->ClearSelection();
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "AfterSelectionChange(False)"}));
    EXPECT_EQ(g->CurRow(), 2);
    g->SetCellSelected(Variant(3), Variant(1), true);
    g->SetCellSelected(Variant(4), Variant(2), true);
    log.take();
    g->ClearSelection();
    // No CellSelectionChange: the cells are cleared quietly.
    EXPECT_EQ(log.cellChanges, 0);
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "QuitCustomEdit()", "CurCellChange(0,0,2,2)",
                                   "CurRowChange(0,2)", "CurColChange(0,2)", "AfterSelectionChange(True)"}));
    EXPECT_EQ(SelectedCells(*g), "");
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->CurCol(), 0);
}

TEST(SelectionOperations, SelectAllAndInvertNeedMultiSelectAndRaiseOnePair) {
    auto g = SelectionGrid(2, 3, false);
    EXPECT_EQ(LattixCode([&] { g->SelectAll(); }), 522);
    EXPECT_EQ(LattixCode([&] { g->InvertSelection(); }), 522);
    g->SetMultiSelect(true);
    g->SetCellSelected(Variant(1), Variant(1), true);
    EventLog log(*g);
    g->SelectAll();
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->Count(), 9);
    g->SelectAll(); // already everything: nothing at all
    EXPECT_TRUE(log.take().empty());
    g->SetCellSelected(Variant(2), Variant(2), false);
    log.take();
    g->InvertSelection();
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->GetString(), "(2,2)");
    // Hidden rows are left alone.
    g->SetRowVisible(Variant(3), false);
    g->InvertSelection();
    EXPECT_EQ(g->SelItems()->Count(), 5);
    EXPECT_FALSE(g->CellSelected(Variant(3), Variant(1)));
}

TEST(SelectionOperations, TurningMultiSelectOffKeepsTheCurrentCell) {
    auto g = SelectionGrid(3, 4);
    g->UserMove(1, 1, 0, MoveInput::Keyboard);
    g->UserMove(3, 2, kShift, MoveInput::Keyboard);
    EventLog log(*g);
    g->SetMultiSelect(false);
    EXPECT_EQ(log.take(), (Strings{"BeforeSelectionChange()", "AfterSelectionChange(True)"}));
    EXPECT_EQ(SelectedCells(*g), "(3,2)");
    EXPECT_EQ(g->SelItems()->GetString(), "(3,2)");
}
