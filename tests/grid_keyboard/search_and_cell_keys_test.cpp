// Type-ahead search, FindSearchMatchRow, Space on check boxes, + - * on tree rows, and the key
// routing a host window uses.
#include "../grid_edit/edit_test_support.h"
#include "runtime/automation_error.h"

using namespace edit_test;

namespace {
struct NamesGrid : EditGrid {
    NamesGrid() : EditGrid(3, 6) {
        const char* names[] = {"Carol", "abe", "Abby", "bob", "Abner", "alice"};
        for (int r = 1; r <= 6; ++r) Set(r, 2, Variant(names[r - 1]));
        grid->SetKeyPressBehaviour(3); // search in the current column
        Current(1, 2);
    }
};

int32_t ErrorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const lattix::AutomationError& e) {
        return static_cast<int32_t>(e.unsignedNumber() - 0x80040000u);
    }
    return 0;
}
} // namespace

TEST(KeySearch, TypedLettersFindRowsAndBackspaceShortensTheSearch) {
    NamesGrid g;
    g.Type("a");
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->SearchString(), "a");
    g.Type("b");
    EXPECT_EQ(g->CurRow(), 2);
    g.Type("n");
    EXPECT_EQ(g->CurRow(), 5);
    EXPECT_EQ(g->SearchString(), "abn");
    g.Type("z"); // no match: the search and the row stay
    EXPECT_EQ(g->SearchString(), "abn");
    EXPECT_EQ(g->CurRow(), 5);
    g.Key(ui::VK_BACK);
    EXPECT_EQ(g->SearchString(), "ab");
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_FALSE(g->IsEditing());
    // Alt+Down finds the next match below, Alt+Up the previous one.
    g.Key(ui::VK_DOWN, kAlt);
    EXPECT_EQ(g->CurRow(), 3);
    g.Key(ui::VK_DOWN, kAlt);
    EXPECT_EQ(g->CurRow(), 5);
    g.Key(ui::VK_UP, kAlt);
    EXPECT_EQ(g->CurRow(), 3);
    // Enter clears the search (and then starts an edit, as outside search), Escape too.
    g.Key(ui::VK_RETURN);
    EXPECT_EQ(g->SearchString(), "");
    EXPECT_TRUE(g->IsEditing());
    g.Key(ui::VK_ESCAPE);
    g.Type("b");
    EXPECT_EQ(g->CurRow(), 4);
    g.Key(ui::VK_ESCAPE);
    EXPECT_EQ(g->SearchString(), "");
    // An arrow clears it.
    g.Type("c");
    EXPECT_EQ(g->CurRow(), 1);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(g->SearchString(), "");
}

TEST(KeySearch, FromCurrentRowLoopingHiddenRowsAndTheDefaultColumn) {
    NamesGrid g;
    g->SetKeySearchFromCurRow(true);
    g.Current(3, 2);
    g.Type("a");
    EXPECT_EQ(g->CurRow(), 3); // the current row is tried first
    g.Key(ui::VK_ESCAPE);
    g.Current(6, 2);
    g.Type("b");
    EXPECT_EQ(g->CurRow(), 6); // no wrap: no match below
    g->SetKeySearchLoop(true);
    g.Type("o");
    EXPECT_EQ(g->CurRow(), 6);
    g.Key(ui::VK_ESCAPE);
    g.Type("bo");
    EXPECT_EQ(g->CurRow(), 4);
    g.Key(ui::VK_ESCAPE);
    g->SetRowVisible(Variant(5), false);
    g->SetKeySearchFromCurRow(false);
    g.Type("abn");
    EXPECT_EQ(g->CurRow(), 2); // hidden Abner is not found: the search stays on abe
    EXPECT_EQ(g->SearchString(), "ab");
    // The default column: KeySearchCol, checked again after a column went away.
    g.Key(ui::VK_ESCAPE);
    g->SetKeyPressBehaviour(4);
    g->SetKeySearchCol(3);
    g->SetCellValue(Variant(2), Variant(3), Variant("zed"));
    g.Current(1, 1);
    g.Type("z");
    EXPECT_EQ(g->CurRow(), 2);
    EXPECT_EQ(g->CurCol(), 3);
    g.Key(ui::VK_ESCAPE);
    g->RemoveCol(Variant(3));
    g.Current(1, 1);
    g.Type("z"); // the column is gone: nothing happens, nothing raises
    EXPECT_EQ(g->CurRow(), 1);
    EXPECT_EQ(ErrorOf([&] { g->SetKeySearchCol(9); }), 513);
    // Setting SearchString from code searches.
    g->SetKeyPressBehaviour(3);
    g.Current(1, 2);
    g->SetSearchString("BO");
    EXPECT_EQ(g->CurRow(), 4);
    EXPECT_EQ(g->SearchString(), "BO");
}

TEST(KeySearch, RoutedBackspaceIsProcessedOnce) {
    NamesGrid g;
    g.Type("abn");
    ASSERT_EQ(g->SearchString(), "abn");
    // A host routes Backspace to the grid; the character message that follows is not run again.
    ASSERT_TRUE(g->WantsNavigationKey(ui::VK_BACK, 0));
    g->RouteNavigationKey(ui::VK_BACK, 0);
    EXPECT_EQ(g->SearchString(), "ab");
    ui::Wm().InjectChar(8);
    EXPECT_EQ(g->SearchString(), "ab");
    ui::Wm().InjectChar(8);
    EXPECT_EQ(g->SearchString(), "a");
    // Enter and F2 are routed only for editable text cells, F4 only for list cells.
    EXPECT_TRUE(g->WantsNavigationKey(ui::VK_RETURN, 0));
    EXPECT_FALSE(g->WantsNavigationKey(ui::VK_F4, 0));
    g->SetEditable(false);
    EXPECT_FALSE(g->WantsNavigationKey(ui::VK_F2, 0));
    EXPECT_TRUE(g->WantsNavigationKey(ui::VK_A + 2, 2)); // Ctrl+C
    EXPECT_FALSE(g->WantsNavigationKey(ui::VK_A + 2, 0));
    g->SetEditable(true);
    g->RouteNavigationKey(ui::VK_RETURN, 0);
    EXPECT_TRUE(g->IsEditing());
    EXPECT_FALSE(g->WantsNavigationKey(ui::VK_LEFT, 0)); // not while editing
}

TEST(KeySearch, FindSearchMatchRowModesAndChecks) {
    NamesGrid g;
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "ab"), 2);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "Ab", Variant::missing(), false, 0, true), 3);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "li", Variant(1), false, 1), 6);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "bob", Variant(1), false, 2), 4);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "bo", Variant(2), false, 2), 0);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "carol", Variant(3)), 0);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "carol", Variant(3), true), 1);
    g->SetRowVisible(Variant(1), false);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "carol", Variant(1), false, 0, false, 1), 0);
    EXPECT_EQ(g->FindSearchMatchRow(Variant(2), "carol", Variant(1), false, 0, false, 0), 1);
    EXPECT_EQ(ErrorOf([&] { g->FindSearchMatchRow(Variant(9), "a"); }), 513);
    EXPECT_EQ(ErrorOf([&] { g->FindSearchMatchRow(Variant(2), "a", Variant(7)); }), 513);
    EXPECT_EQ(ErrorOf([&] { g->FindSearchMatchRow(Variant(2), "a", Variant(1), false, 3); }), 514);
}

TEST(CellKeys, SpaceTogglesCheckBoxesWithoutStartingAnEdit) {
    EditGrid g(3, 3);
    g->SetCellCheckVisible(Variant(1), Variant(1), true);
    g.Current(1, 1);
    EventLog log(*g.grid);
    g.Key(ui::VK_SPACE);
    EXPECT_EQ(g->CellCheckState(Variant(1), Variant(1)), 1);
    EXPECT_FALSE(g->IsEditing());
    EXPECT_EQ(log.counts["AfterCellCheckChange"], 1);
    // Three states.
    g->SetCellTypeFlags(Variant(1), Variant(1), 16);
    g.Key(ui::VK_SPACE);
    EXPECT_EQ(g->CellCheckState(Variant(1), Variant(1)), 2);
    g.Key(ui::VK_SPACE);
    EXPECT_EQ(g->CellCheckState(Variant(1), Variant(1)), 0);
    // A handler's state outside 0..2 is rejected: nothing stored, no After event.
    OnEvent(*g.grid, "CellCheckChange", [](std::span<Variant> a) { SetRef(a[2], Variant(int32_t{5})); });
    log.take();
    g.Key(ui::VK_SPACE);
    EXPECT_EQ(g->CellCheckState(Variant(1), Variant(1)), 0);
    EXPECT_EQ(log.counts["AfterCellCheckChange"], 0);
    EXPECT_EQ(g->CellTypeFlags(Variant(1), Variant(1)), 16);
    // Not editable: no toggle, and still no edit.
    log.take();
    g->SetEditable(false);
    g.Key(ui::VK_SPACE);
    EXPECT_EQ(log.counts["CellCheckChange"], 0);
}

TEST(CellKeys, PlusMinusAndStarOnTreeRows) {
    EditGrid g(2, 0);
    g->AddRow();
    lattix::AddRowArgs child;
    child.vRowParent = Variant(1);
    g->AddRow(child);
    lattix::AddRowArgs grandChild;
    grandChild.vRowParent = Variant(2);
    g->AddRow(grandChild);
    g->SetTreeCol(1);
    g->SetRowExpanded(Variant(2), false);
    g.Current(1, 1);
    EventLog log(*g.grid);
    g.Key(ui::VK_SUBTRACT);
    EXPECT_FALSE(g->RowExpanded(Variant(1)));
    EXPECT_FALSE(g->IsEditing()); // the '-' character does not start an edit
    EXPECT_EQ(log.counts["BeforeRowCollapseExpand"], 1);
    g.Key(ui::VK_SUBTRACT);
    EXPECT_EQ(log.counts["BeforeRowCollapseExpand"], 1); // already collapsed
    g.Key(ui::VK_ADD);
    EXPECT_TRUE(g->RowExpanded(Variant(1)));
    EXPECT_FALSE(g->RowExpanded(Variant(2)));
    log.take();
    g.Key(ui::VK_MULTIPLY);
    EXPECT_TRUE(g->RowExpanded(Variant(2)));
    EXPECT_EQ(log.counts["BeforeRowCollapseExpand"], 1);
    EXPECT_EQ(log.counts["AfterRowCollapseExpand"], 1);
    // A veto keeps the state.
    OnEvent(*g.grid, "BeforeRowCollapseExpand", [](std::span<Variant> a) { SetRef(a[2], Variant(false)); });
    g.Key(ui::VK_SUBTRACT);
    EXPECT_TRUE(g->RowExpanded(Variant(1)));
}

TEST(CellKeys, ApplicationsKeyOpensTheCellContextMenuEvent) {
    EditGrid g(2, 2);
    g.Current(2, 1);
    EventLog log(*g.grid);
    g.Key(ui::VK_APPS);
    g.Key(ui::VK_F10, kShift);
    EXPECT_EQ(log.counts["ContextMenuPopup"], 2);
}
