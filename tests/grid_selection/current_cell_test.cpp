// The current cell: programmatic moves, their events and the single-selection rule.
#include "selection_test_support.h"

using namespace lattix_test;
using Strings = std::vector<std::string>;

TEST(CurrentCell, CurRowAndCurColRaiseTheirEventsInOrder) {
    auto g = SelectionGrid(4, 5, false);
    EventLog log(*g);
    g->SetCurRow(2);
    // No current column yet: the row moves alone, the cell (2, 0) is no cell and nothing is selected.
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "CurCellChange(2,0,0,0)",
                                   "CurRowChange(2,0)", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->Count(), 0);
    g->SetCurCol(3);
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "CurCellChange(2,3,2,0)",
                                   "CurColChange(3,0)", "AfterSelectionChange(True)"}));
    EXPECT_EQ(SelectedCells(*g), "(2,3)");
    // The value it has: no event at all.
    g->SetCurRow(2);
    g->SetCurCol(3);
    EXPECT_TRUE(log.take().empty());
    // 0 clears the current row.
    g->SetCurRow(0);
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "CurCellChange(0,3,2,3)",
                                   "CurRowChange(0,2)", "AfterSelectionChange(True)"}));
    EXPECT_EQ(SelectedCells(*g), "");
    EXPECT_EQ(g->SelItems()->Count(), 0);
}

TEST(CurrentCell, AddressChecksChangeNothing) {
    auto g = SelectionGrid(4, 5, false);
    g->SetCurCell(Variant(2), Variant(2));
    EventLog log(*g);
    EXPECT_EQ(LattixCode([&] { g->SetCurRow(6); }), 513);
    EXPECT_EQ(LattixCode([&] { g->SetCurRow(-1); }), 513);
    EXPECT_EQ(LattixCode([&] { g->SetCurCol(6); }), 513); // ColCount + 2
    EXPECT_EQ(LattixCode([&] { g->SetCurCol(-1); }), 513);
    EXPECT_EQ(LattixCode([&] { g->SetCurCell(Variant(9), Variant(1)); }), 513);
    EXPECT_EQ(LattixCode([&] { g->SetCurCell(Variant("nokey"), Variant(1)); }), 513);
    EXPECT_TRUE(log.take().empty());
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->CurCol(), 2);
    // The row text column is a valid current column.
    g->SetCurCol(5);
    EXPECT_EQ(g->CurCol(), 5);
    EXPECT_EQ(SelectedCells(*g), "(2,5)");
}

TEST(CurrentCell, SetCurCellResolvesKeysAndTakesZeroAsNone) {
    auto g = Lattix::Create();
    g->AddCol({.sKey = "a"});
    g->AddCol({.sKey = "b"});
    g->AddRow({.sKey = "first"});
    g->AddRow({.sKey = "second"});
    g->SetCurCell(Variant("second"), Variant("b"));
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->CurCol(), 2);
    EventLog log(*g);
    g->SetCurCell(Variant("second"), Variant("b")); // already current: only scrolled into view
    EXPECT_TRUE(log.take().empty());
    g->SetCurCell(Variant(0), Variant(0));
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "BeforeSelectionChange()", "CurCellChange(0,0,2,2)",
                                   "CurRowChange(0,2)", "CurColChange(0,2)", "AfterSelectionChange(True)"}));
    EXPECT_EQ(g->SelItems()->Count(), 0);
}

TEST(CurrentCell, SingleSelectionFollowsTheCurrentCellAndRowMode) {
    auto g = SelectionGrid(3, 4, false);
    g->SetCurCell(Variant(1), Variant(1));
    g->SetCurCell(Variant(3), Variant(2));
    EXPECT_EQ(SelectedCells(*g), "(3,2)");
    EXPECT_EQ(g->SelItems()->GetString(), "(3,2)");
    // Row mode without multi-selection: the current row alone, as (row, 1).
    g->SetRowMode(true);
    EXPECT_EQ(SelectedCells(*g), "(3,1)(3,2)(3,3)(3,4)");
    EXPECT_EQ(g->SelItems()->GetString(), "(3,1)");
    EventLog log(*g, true);
    g->SetCurCol(3); // same row: in row mode nothing but the column changes
    EXPECT_EQ(log.take(), (Strings{"QuitCustomEdit()", "CurCellChange(3,3,3,2)", "CurColChange(3,2)"}));
    g->SetCurRow(1);
    EXPECT_EQ(SelectedCells(*g), "(1,1)(1,2)(1,3)(1,4)");
    EXPECT_EQ(g->SelItems()->GetString(), "(1,1)");
    // Back out of row mode: only the current column's cell stays.
    g->SetRowMode(false);
    EXPECT_EQ(SelectedCells(*g), "(1,3)");
    EXPECT_EQ(g->SelItems()->GetString(), "(1,3)");
}

TEST(CurrentCell, CellSelectedWithoutMultiSelectMovesTheCurrentCell) {
    auto g = SelectionGrid(3, 4, false);
    g->SetCellSelected(Variant(2), Variant(2), false); // not current, False: nothing
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->SelItems()->Count(), 0);
    g->SetCellSelected(Variant(2), Variant(3), true);
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->CurCol(), 3);
    EXPECT_EQ(SelectedCells(*g), "(2,3)");
    g->SetCellSelected(Variant(2), Variant(3), false); // the current cell: nothing
    EXPECT_EQ(SelectedCells(*g), "(2,3)");
}

TEST(CurrentCell, NoCurrentCellSelectsNothingWithoutMultiSelect) {
    auto g = SelectionGrid(3, 4, false);
    g->SetRowMode(true);
    g->SetRowMode(false);
    g->ClearSelection();
    EXPECT_EQ(g->SelItems()->Count(), 0);
    EXPECT_EQ(g->SelItems()->GetString(), "");
    // The current column alone is no cell either.
    g->SetCurCol(2);
    EXPECT_EQ(g->SelItems()->Count(), 0);
    EXPECT_EQ(SelectedCells(*g), "");
}

TEST(CurrentCell, MovesInAnEmptyGridSelectNothing) {
    auto g = Lattix::Create();
    g->SetMultiSelect(true);
    g->UserMove(1, 1, 0, Lattix::MoveInput::Mouse);
    EXPECT_EQ(g->CurRow(), 0);
    g->SetColCount(2);
    g->UserMove(1, 1, 0, Lattix::MoveInput::Keyboard);
    EXPECT_EQ(g->CurRow(), 0);
    EXPECT_EQ(g->SelItems()->Count(), 0);
}

TEST(CurrentCell, HostMovesInAGridWithoutRowsDoNothing) {
    auto g = SelectionGrid(3, 0);
    EventLog log(*g);
    g->SetCurCol(2);
    g->SetCurCell(Variant(0), Variant(3));
    g->SetCurRow(0);
    EXPECT_EQ(g->CurCol(), 0);
    EXPECT_EQ(log.take(), Strings{});
    // The column is still checked against ColCount + 1.
    EXPECT_EQ(LattixCode([&] { g->SetCurCol(5); }), 513);
    g->SetRowCount(2);
    g->SetCurCol(2);
    EXPECT_EQ(g->CurCol(), 2);
}

TEST(CurrentCell, AHandlerMovingTheCellAgainStartsItsOwnEvents) {
    auto g = SelectionGrid(3, 5, false);
    Strings seen;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "CurRowChange") {
            seen.push_back("row " + lattix::ToString(a[0]));
            if (lattix::ToInt32(a[0]) == 2) g->SetCurRow(4);
        }
        if (e.name == "AfterSelectionChange") seen.push_back("after");
        if (e.name == "BeforeSelectionChange") seen.push_back("before");
    });
    g->SetCurCell(Variant(2), Variant(1));
    EXPECT_EQ(seen, (Strings{"before", "row 2", "before", "row 4", "after", "after"}));
    EXPECT_EQ(g->CurRow(), 4);
    EXPECT_EQ(SelectedCells(*g), "(4,1)");
}
