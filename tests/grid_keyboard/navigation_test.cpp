// Navigation keys through the headless host: arrows, Tab, Home and End with Ctrl, PgUp and PgDn,
// hidden rows and columns, non-selectable cells, row text, frozen columns, the selection modes,
// row mode, a disabled grid, and the KeyDown veto.
#include "../grid_edit/edit_test_support.h"

using namespace edit_test;

namespace {
std::pair<int, int> Cur(EditGrid& g) { return {g->CurRow(), g->CurCol()}; }
std::string Selected(Lattix& g) {
    g.SelItems()->SetSorted(true);
    return g.SelItems()->GetString();
}
} // namespace

TEST(KeyboardNavigation, ArrowsStepThroughVisibleCellsAndWrapAtRowEnds) {
    EditGrid g(4, 5);
    g.Current(1, 1);
    g.Key(ui::VK_LEFT);
    EXPECT_EQ(Cur(g), std::make_pair(1, 1));
    g.Key(ui::VK_UP);
    EXPECT_EQ(Cur(g), std::make_pair(1, 1));
    g->SetColVisible(Variant(2), false);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(1, 3));
    g.Key(ui::VK_RIGHT);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(2, 1)); // past the last column: next row's first
    g.Key(ui::VK_LEFT);
    EXPECT_EQ(Cur(g), std::make_pair(1, 4)); // before the first: previous row's last
    g->SetRowVisible(Variant(2), false);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(3, 4));
    g.Key(ui::VK_UP);
    EXPECT_EQ(Cur(g), std::make_pair(1, 4));
    // Tab is Right, Shift+Tab Left; without UseTabKey the grid does not take Tab.
    g.Key(ui::VK_TAB);
    EXPECT_EQ(Cur(g), std::make_pair(3, 1));
    g.Key(ui::VK_TAB, kShift);
    EXPECT_EQ(Cur(g), std::make_pair(1, 4));
    g->SetUseTabKey(false);
    g.Key(ui::VK_TAB);
    EXPECT_EQ(Cur(g), std::make_pair(1, 4));
    EXPECT_FALSE(g->WantsNavigationKey(ui::VK_TAB, 0));
    // A host asking before it moves the focus hears the same answer, key by key.
    auto dlgCode = [&](ui::VirtualKey k) { return ui::Wm().SendMessage(g->WindowHandle(), ui::WM_GETDLGCODE, k, 0); };
    EXPECT_EQ(dlgCode(ui::VK_TAB) & 0x0004, 0);
    EXPECT_NE(dlgCode(ui::VK_DOWN) & 0x0004, 0);
    g->SetUseTabKey(true);
    EXPECT_NE(dlgCode(ui::VK_TAB) & 0x0004, 0);
}

TEST(KeyboardNavigation, HomeEndAndTheirCtrlForms) {
    EditGrid g(5, 6);
    g->SetColVisible(Variant(5), false);
    g->SetRowVisible(Variant(6), false);
    g.Current(3, 3);
    g.Key(ui::VK_HOME);
    EXPECT_EQ(Cur(g), std::make_pair(3, 1));
    g.Key(ui::VK_END);
    EXPECT_EQ(Cur(g), std::make_pair(3, 4));
    g.Key(ui::VK_END, kCtrl);
    EXPECT_EQ(Cur(g), std::make_pair(5, 4));
    g.Key(ui::VK_HOME, kCtrl);
    EXPECT_EQ(Cur(g), std::make_pair(1, 1));
    // With no current cell an arrow goes to the first visible cell.
    g.Current(0, 0);
    g->SetRowVisible(Variant(1), false);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(2, 1));
}

TEST(KeyboardNavigation, NonSelectableCellsStopOrArePassedOver) {
    EditGrid g(4, 4);
    g->SetCellSelectable(Variant(1), Variant(2), false);
    g->SetCellSelectable(Variant(2), Variant(1), false);
    g.Current(1, 1);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(1, 3));
    g.Current(1, 1);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(3, 1));
    g->SetSkipNonSelectableCells(false);
    g.Current(1, 1);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(1, 1));
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(1, 1));
    // Home searches rightwards for a selectable cell.
    g->SetSkipNonSelectableCells(true);
    g->SetCellSelectable(Variant(3), Variant(1), false);
    g.Current(3, 4);
    g.Key(ui::VK_HOME);
    EXPECT_EQ(Cur(g), std::make_pair(3, 2));
}

TEST(KeyboardNavigation, SelectionModesFollowTheModifiers) {
    EditGrid g(4, 6);
    g->SetMultiSelect(true);
    g.Current(2, 2);
    g.Key(ui::VK_DOWN, kShift);
    g.Key(ui::VK_RIGHT, kShift);
    EXPECT_EQ(Selected(*g.grid), "(2,2);(2,3);(3,2);(3,3)");
    // Ctrl moves the current cell only; Ctrl+Space toggles it.
    g.Key(ui::VK_DOWN, kCtrl);
    EXPECT_EQ(Cur(g), std::make_pair(4, 3));
    EXPECT_EQ(Selected(*g.grid), "(2,2);(2,3);(3,2);(3,3)");
    EventLog log(*g.grid);
    g.Key(ui::VK_SPACE, kCtrl);
    EXPECT_EQ(Selected(*g.grid), "(2,2);(2,3);(3,2);(3,3);(4,3)");
    // Ctrl+Space types no character.
    EXPECT_EQ(log.take(), (Strings{"KeyDown(17,2,True)", "KeyDown(32,2,True)", "BeforeSelectionChange()",
                                   "AfterSelectionChange(True)", "KeyUp(32,2)", "KeyUp(17,0)"}));
    EXPECT_FALSE(g->IsEditing());
    // No modifiers: only the target stays selected.
    g.Key(ui::VK_UP);
    EXPECT_EQ(Selected(*g.grid), "(3,3)");
    g.Key(ui::VK_A, kCtrl);
    EXPECT_EQ(g->SelItems()->Count(), 30); // the row text column counts
    // Ctrl+A does nothing without MultiSelect.
    g->SetMultiSelect(false);
    g.Current(1, 1);
    g.Key(ui::VK_A, kCtrl);
    EXPECT_EQ(Selected(*g.grid), "(1,1)");
}

TEST(KeyboardNavigation, RowModeScrollsSidewaysAndMovesByRows) {
    EditGrid g(12, 6, 300, 200);
    g->SetRowMode(true);
    g.Current(2, 1);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(2, 1));
    EXPECT_GT(g->ScrollX(), 0);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(g->CurRow(), 3);
    g.Key(ui::VK_END);
    EXPECT_EQ(g->CurRow(), 6);
    g.Key(ui::VK_HOME);
    EXPECT_EQ(g->CurRow(), 1);
}

TEST(KeyboardNavigation, PageKeysMoveByPagesOfRowHeights) {
    // 300 - 20 header = 280 pixels of cells: 14 rows of 20.
    EditGrid g(3, 60, 400, 300);
    g.Current(1, 1);
    g.Key(ui::VK_NEXT);
    const int firstPage = g->CurRow();
    EXPECT_EQ(firstPage, 14); // the last row wholly in view
    g.Key(ui::VK_NEXT);
    EXPECT_EQ(g->CurRow(), 27); // a full page from there
    g.Key(ui::VK_NEXT);
    EXPECT_EQ(g->CurRow(), 40); // repeated PgDn keeps taking pages
    g.Key(ui::VK_PRIOR);
    const int up = g->CurRow();
    EXPECT_LT(up, 40);
    g.Key(ui::VK_PRIOR);
    EXPECT_LE(g->CurRow(), up - 13);
    // Next to a row taller than the view, PgDn still moves one row.
    g->SetRowHeight(Variant(41), 500);
    g.Current(40, 1);
    g.Key(ui::VK_NEXT);
    EXPECT_EQ(g->CurRow(), 41);
    g.Key(ui::VK_NEXT);
    EXPECT_EQ(g->CurRow(), 42);
    g.Key(ui::VK_PRIOR);
    EXPECT_EQ(g->CurRow(), 41);
}

TEST(KeyboardNavigation, RowTextAndGroupRows) {
    EditGrid g(3, 4);
    g->SetDrawRowText(true);
    g->SetCellValue(Variant(2), Variant(g->RowTextCol()), Variant("row text"));
    g.Current(2, 3);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(2, g->RowTextCol()));
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(Cur(g), std::make_pair(3, 1));
    g.Current(2, 1);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(2, g->RowTextCol()));
    g.Key(ui::VK_UP);
    EXPECT_EQ(Cur(g), std::make_pair(2, 1));
    g->SetRowIsGroup(Variant(3), true);
    g.Current(4, 2);
    g.Key(ui::VK_UP);
    EXPECT_EQ(Cur(g), std::make_pair(3, g->RowTextCol()));
}

TEST(KeyboardNavigation, FrozenColumnsSkipColumnsScrolledBehindThemUnlessBrowsingAll) {
    EditGrid g(10, 3, 300, 200);
    g->SetFrozenCols(1);
    g.Current(1, 9);
    ASSERT_GT(g->HScrollValue(), 0);
    const int scrolled = g->HScrollValue();
    g.Current(1, 1);
    g->SetHScrollValue(scrolled);
    g.Key(ui::VK_RIGHT);
    EXPECT_GT(g->CurCol(), 2); // column 2 is scrolled off behind the frozen one
    g->SetBrowseAllNonFrozenCols(true);
    g.Current(1, 1);
    g->SetHScrollValue(scrolled);
    g.Key(ui::VK_RIGHT);
    EXPECT_EQ(g->CurCol(), 2);
}

TEST(KeyboardNavigation, KeyDownCanVetoOrRedirectTheKey) {
    EditGrid g(4, 4);
    g.Current(2, 2);
    Variant doDefault(true), redirect(int16_t{0});
    OnEvent(*g.grid, "KeyDown", [&](std::span<Variant> a) {
        SetRef(a[2], doDefault);
        if (lattix::ToInt32(redirect) != 0) SetRef(a[0], redirect);
    });
    doDefault = Variant(false);
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(2, 2));
    doDefault = Variant(true);
    redirect = Variant(int16_t{ui::VK_RIGHT});
    g.Key(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(2, 3));
    // DoKeyboardCommand from code does the same without events.
    EventLog log(*g.grid);
    g->DoKeyboardCommand(ui::VK_LEFT);
    EXPECT_EQ(Cur(g), std::make_pair(2, 2));
    EXPECT_EQ(log.counts["KeyDown"], 0);
}

TEST(KeyboardNavigation, DisabledGridOnlyScrolls) {
    EditGrid g(3, 60);
    g.Current(1, 1);
    g->SetEnabled(false);
    g->DoKeyboardCommand(ui::VK_DOWN);
    EXPECT_EQ(Cur(g), std::make_pair(1, 1));
    EXPECT_GT(g->ScrollY(), 0);
    const int y = g->ScrollY();
    g->DoKeyboardCommand(ui::VK_NEXT);
    EXPECT_GT(g->ScrollY(), y);
    g->DoKeyboardCommand(ui::VK_F2);
    EXPECT_FALSE(g->IsEditing());
}

TEST(KeyboardNavigation, VirtualGridAsksForARowBelowTheLast) {
    EditGrid g(2, 3, 400, 80); // three rows fill the view
    g->SetVirtual(true);
    int requests = 0;
    OnEvent(*g.grid, "RequestRow", [&](std::span<Variant>) { ++requests; });
    const int before = g->RowCount();
    g.Current(before, 1);
    requests = 0;
    g.Key(ui::VK_DOWN);
    EXPECT_GE(requests, 1);
    EXPECT_EQ(g->CurRow(), before + 1);
}
