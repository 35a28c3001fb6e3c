// Sort, DoDefaultSort and SortRowChildNodes: what moves, what follows the rows, events and failures.
#include "grid/objects/aggr_funcs_object.h"
#include "sort_test_support.h"

using namespace sort_test;
using lattix::InvokeKind;

namespace {
Variant Cols(std::initializer_list<Variant> items) {
    auto a = lattix::SafeArray::make1D(0, static_cast<int32_t>(items.size()));
    int32_t i = 0;
    for (const Variant& v : items) a->at(i++) = v;
    return Variant(a);
}
} // namespace

TEST(SortRun, NothingHappensWithoutRowsColumnsOrCriteria) {
    auto g = GridOf(1, {{Num(2)}});
    EventLog log(*g);
    g->Sort(Variant(1));
    EXPECT_EQ(log.count("BeforeContentsSorted"), 1); // one row: the run is made, nothing moves
    auto empty = Lattix::Create();
    EventLog none(*empty);
    empty->Sort();
    empty->SortObject()->SetColCount(1);
    empty->Sort();
    EXPECT_TRUE(none.names.empty());
    // Criteria empty: no events, no redraw.
    auto h = GridOf(1, {{Num(2)}, {Num(1)}});
    EventLog hl(*h);
    const auto redraws = h->FullRedrawCount();
    h->Sort();
    EXPECT_TRUE(hl.names.empty());
    EXPECT_EQ(h->FullRedrawCount(), redraws);
    EXPECT_EQ(KeyOrder(*h), "r1 r2");
}

TEST(SortRun, MultiColumnTiesAreBrokenInOrderAndEqualRowsKeepTheirOrder) {
    auto g = GridOf(3, {{Txt("b"), Num(2), Txt("x")},
                        {Txt("a"), Num(2), Txt("y")},
                        {Txt("b"), Num(1), Txt("z")},
                        {Txt("a"), Num(2), Txt("w")},
                        {Txt("b"), Num(2), Txt("v")}});
    auto s = g->SortObject();
    s->AddItem(Variant(1));
    s->AddItem(Variant(2), 1);
    g->Sort();
    EXPECT_EQ(KeyOrder(*g), "r2 r4 r1 r5 r3");
    EXPECT_EQ(s->ColCount(), 2);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 1);
    EXPECT_EQ(g->ColSortKey(Variant(2)), 2);
    EXPECT_EQ(g->ColSortOrder(Variant(2)), 1);
    EXPECT_EQ(g->ColSortKey(Variant(3)), 0);
    EXPECT_EQ(g->SortCriteriaInEffect(), 2);
    // Two rows equal by every criterion are not swapped.
    auto two = GridOf(1, {{Txt("abc")}, {Txt("ABC")}});
    two->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*two), "r1 r2");
}

TEST(SortRun, SortWithColumnsTakesTheirDefaultsAndSkipsUnsortableColumns) {
    auto g = GridOf(2, {{Num(1), Num(9)}, {Num(2), Num(8)}, {Num(3), Num(8)}});
    g->SetColSortOrderDefault(Variant(1), 1);
    g->SetColSortType(Variant(2), 99);
    g->Sort(Cols({Variant(2), Variant(1)}));
    EXPECT_EQ(KeyOrder(*g), "r3 r2 r1");
    EXPECT_EQ(g->SortObject()->ColCount(), 1);
    EXPECT_EQ(g->SortObject()->SortOrder(1), 1);
    // Only an unsortable column: the criteria empty, nothing sorted, the sort marks gone.
    EventLog log(*g);
    g->Sort(Variant(2));
    EXPECT_EQ(g->SortObject()->ColCount(), 0);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 0);
    EXPECT_TRUE(log.names.empty());
    EXPECT_EQ(KeyOrder(*g), "r3 r2 r1");
}

TEST(SortRun, ABadColumnInTheArrayLeavesTheCriteriaAsTheyWere) {
    auto g = GridOf(2, {{Num(2), Num(1)}, {Num(1), Num(2)}});
    g->SortObject()->AddItem(Variant(2), 1);
    EXPECT_EQ(LattixCode([&] { g->Sort(Cols({Variant(1), Variant(7)})); }), 513);
    EXPECT_EQ(g->SortObject()->ColCount(), 1);
    EXPECT_EQ(g->SortObject()->SortCol(1), 2);
    EXPECT_EQ(KeyOrder(*g), "r1 r2");
    EXPECT_EQ(LattixCode([&] { g->Sort(Variant(1), Variant(5)); }), 513);
    EXPECT_EQ(LattixCode([&] { g->Sort(Variant(1), Variant(1), Variant("nokey")); }), 513);
    EXPECT_EQ(g->SortObject()->SortCol(1), 2);
}

TEST(SortRun, AColumnThatNoLongerExistsIsReportedWhenTheSortStarts) {
    auto g = GridOf(3, {{Num(2), Num(1), Num(1)}, {Num(1), Num(2), Num(2)}});
    g->SortObject()->AddItem(Variant(3));
    g->RemoveCol(Variant(2), 2);
    EventLog log(*g);
    EXPECT_EQ(LattixCode([&] { g->Sort(); }), 513);
    EXPECT_EQ(LattixCode([&] { g->SortRowChildNodes(Variant(0)); }), 513);
    EXPECT_TRUE(log.names.empty());
    g->SortObject()->SetSortCol(1, 0);
    EXPECT_EQ(LattixCode([&] { g->Sort(); }), 513);
}

TEST(SortRun, CriteriaFollowTheirColumnsWhenEarlierColumnsAreRemoved) {
    auto g = GridOf(4, {{Num(9), Num(9), Num(1), Num(2)}, {Num(9), Num(9), Num(2), Num(1)}});
    g->SortObject()->AddItem(Variant(4), 0);
    g->GroupObject()->AddItem(Variant(3));
    g->AggrFuncs()->AddItem(Variant(4), 0);
    g->AggrFuncs()->AddItem(Variant(2), 0);
    g->RemoveCol(Variant(1), 2);
    // The old columns 3 and 4 are now 1 and 2: every list still names them.
    EXPECT_EQ(g->SortObject()->SortCol(1), 2);
    EXPECT_EQ(g->GroupObject()->SortCol(1), 1);
    EXPECT_EQ(g->AggrFuncs()->AggrCol(1), 2);
    // A removed column is named by nothing, rather than by the column that took its index.
    EXPECT_EQ(g->AggrFuncs()->AggrCol(2), 0);
    g->Sort();
    EXPECT_EQ(KeyOrder(*g), "r2 r1"); // by the old fourth column, ascending
}

TEST(SortRun, RangeSortMovesOnlyTheRange) {
    auto g = GridOf(1, {{Num(5)}, {Num(4)}, {Num(3)}, {Num(2)}, {Num(1)}});
    g->Sort(Variant(1), Variant(2), Variant("r4"));
    EXPECT_EQ(KeyOrder(*g), "r1 r4 r3 r2 r5");
}

TEST(SortRun, EventsSurroundEveryRunAndAFailingHandlerLosesNoRow) {
    auto g = GridOf(2, {{Num(3), Txt("c")}, {Num(1), Txt("a")}, {Num(2), Txt("b")}, {Num(0), Txt("z")}});
    g->SortObject()->AddItem(Variant(2));
    g->Sort();
    EXPECT_EQ(KeyOrder(*g), "r2 r3 r1 r4");
    EventLog log(*g);
    int calls = 0;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "CustomSort") return;
        if (++calls == 3) lattix::RaiseLattixError(lattix::lattix_error::kInvalidArgument);
        *a[5].slot() = Variant(static_cast<int32_t>(lattix::ToDouble(a[3].deref()) < lattix::ToDouble(a[4].deref()) ? -1 : 1));
    });
    g->SetColSortType(Variant(1), 98);
    const int code = LattixCode([&] { g->Sort(Variant(1)); });
    EXPECT_EQ(code, 514);
    // Every row is where it was, the criteria too; no AfterContentsSorted.
    EXPECT_EQ(KeyOrder(*g), "r2 r3 r1 r4");
    EXPECT_EQ(g->SortObject()->SortCol(1), 2);
    EXPECT_EQ(log.count("BeforeContentsSorted"), 1);
    EXPECT_EQ(log.count("AfterContentsSorted"), 0);
    EXPECT_EQ(g->RowIndex("r4"), 4);
    // The grid is usable again.
    calls = -100;
    g->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "r4 r2 r3 r1");
    EXPECT_FALSE(g->IsSorting());
}

TEST(SortRun, HandlersCannotChangeTheRowsDuringASort) {
    auto g = GridOf(1, {{Num(3)}, {Num(1)}, {Num(2)}});
    std::vector<int> codes;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name == "CustomSort") {
            codes.push_back(LattixCode([&] { g->AddRow(); }));
            codes.push_back(LattixCode([&] { g->RemoveRow(Variant(1)); }));
            codes.push_back(LattixCode([&] { g->MoveRow(Variant(1), Variant(3)); }));
            codes.push_back(LattixCode([&] { g->Sort(); }));
            *a[5].slot() = Variant(static_cast<int32_t>(lattix::ToDouble(a[3].deref()) < lattix::ToDouble(a[4].deref()) ? -1 : 1));
        } else if (e.name == "BeforeContentsSorted") {
            codes.push_back(LattixCode([&] { g->SetRowCount(0); }));
        }
    });
    g->SetColSortType(Variant(1), 98);
    g->Sort(Variant(1));
    ASSERT_FALSE(codes.empty());
    for (int c : codes) EXPECT_EQ(c, 522);
    EXPECT_EQ(g->RowCount(), 3);
    EXPECT_EQ(KeyOrder(*g), "r2 r3 r1");
    // After the sort the rows are the host's again.
    g->AddRow();
    EXPECT_EQ(g->RowCount(), 4);
}

TEST(SortRun, CurrentCellSelectionAndKeysFollowTheirRows) {
    auto g = GridOf(2, {{Num(3), Txt("c")}, {Num(1), Txt("a")}, {Num(2), Txt("b")}});
    g->SetCurRow(1);
    g->SetCurCol(2);
    ASSERT_TRUE(g->Selection().contains(1, 2));
    EventLog log(*g);
    g->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "r2 r3 r1");
    EXPECT_EQ(g->CurRow(), 3);
    EXPECT_EQ(g->CurCol(), 2);
    EXPECT_EQ(lattix::TextOf(g->CellValue(Variant(g->CurRow()), Variant(2))), "c");
    EXPECT_EQ(g->Selection().count(), 1);
    EXPECT_TRUE(g->Selection().contains(3, 2));
    EXPECT_TRUE(g->Cell(3, 2).selected());
    EXPECT_EQ(g->RowIndex("r1"), 3);
    EXPECT_EQ(g->RowIndex("r2"), 1);
    EXPECT_EQ(log.count("CurRowChange"), 1);
    EXPECT_EQ(log.count("AfterSelectionChange"), 1);
    // AfterContentsSorted comes after the current cell has moved.
    EXPECT_EQ(log.names.back(), "AfterContentsSorted");
}

TEST(SortRun, TheCurrentRowIsBroughtIntoViewUnlessSortScrollToCurRowIsOff) {
    // 200 rows 20 high in a view of 10 rows; the value puts row r at place 201 - r after sorting.
    std::vector<std::vector<Variant>> values;
    for (int r = 1; r <= 200; ++r) values.push_back({Num(r)});
    auto g = GridOf(1, values);
    g->SetRowHeights(20);
    g->SetClientSize(300, 200 + g->HeaderHeight());
    g->SetCurRow(3);
    EXPECT_EQ(g->ScrollY(), 0);
    g->SortObject()->AddItem(Variant(1), 1);
    g->Sort();
    EXPECT_EQ(g->CurRow(), 198);
    const int32_t top = g->RowTop(198);
    EXPECT_GE(top, g->ScrollY());
    EXPECT_LE(top + 20, g->ScrollY() + g->ViewHeight());
    // Off: the view stays where it was while the row moves away again.
    g->SetSortScrollToCurRow(false);
    const int32_t before = g->ScrollY();
    g->SortObject()->SetSortOrder(1, 0);
    g->Sort();
    EXPECT_EQ(g->CurRow(), 3);
    EXPECT_EQ(g->ScrollY(), before);
}

TEST(SortRun, HiddenRowsAreSortedAndTheLayoutFollows) {
    auto g = GridOf(1, {{Num(3)}, {Num(1)}, {Num(2)}, {Num(0)}});
    g->SetRowVisible(Variant("r2"), false);
    g->SetRowHeight(Variant("r4"), 0);
    g->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "r4 r2 r3 r1");
    EXPECT_FALSE(g->Row(1).displayed());
    EXPECT_FALSE(g->Row(2).displayed());
    EXPECT_EQ(g->RowVisibleIndex(Variant("r3")), 1);
    EXPECT_EQ(g->RowVisibleIndex(Variant("r1")), 2);
    EXPECT_EQ(g->Row(4).top, g->Row(3).top + g->Row(3).height);
    EXPECT_EQ(g->DisplayedRowCount(), 2);
}

TEST(SortRun, DefaultSortTogglesOrderAndShiftAddsColumns) {
    auto g = GridOf(2, {{Num(2), Num(1)}, {Num(1), Num(1)}, {Num(2), Num(2)}, {Num(1), Num(2)}});
    g->DoDefaultSort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "r2 r4 r1 r3");
    EXPECT_EQ(g->ColSortOrder(Variant(1)), 0);
    g->DoDefaultSort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "r1 r3 r2 r4");
    EXPECT_EQ(g->ColSortOrder(Variant(1)), 1);
    // Shift: the second column joins as the second criterion, with its default order.
    g->DoDefaultSort(Variant(2), 1);
    EXPECT_EQ(g->SortObject()->ColCount(), 2);
    EXPECT_EQ(KeyOrder(*g), "r1 r3 r2 r4");
    EXPECT_EQ(g->ColSortKey(Variant(2)), 2);
    // Shift again on it reverses only its order.
    g->DoDefaultSort(Variant(2), 1);
    EXPECT_EQ(KeyOrder(*g), "r3 r1 r4 r2");
    EXPECT_EQ(g->SortObject()->SortOrder(1), 1);
    EXPECT_EQ(g->SortObject()->SortOrder(2), 1);
    // A plain click starts over with that column only.
    g->DoDefaultSort(Variant(2), 0, 0);
    EXPECT_EQ(g->SortObject()->ColCount(), 1);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 0);
    EXPECT_EQ(KeyOrder(*g), "r1 r2 r3 r4");
    EXPECT_EQ(LattixCode([&] { g->DoDefaultSort(Variant(9)); }), 513);
    EXPECT_EQ(LattixCode([&] { g->DoDefaultSort(Variant(1), 0, 2); }), 514);
    // An unsortable column: nothing.
    g->SetColSortType(Variant(1), 99);
    g->DoDefaultSort(Variant(1));
    EXPECT_EQ(g->SortObject()->SortCol(1), 2);
}

TEST(SortRun, HeaderClickEntryReportsErrorsInsteadOfRaising) {
    auto g = GridOf(1, {{Num(2)}, {Num(1)}});
    EXPECT_EQ(g->SortByHeaderClick(1, 0), "");
    EXPECT_EQ(KeyOrder(*g), "r2 r1");
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant>) {
        if (e.name == "CustomSort") lattix::RaiseLattixError(lattix::lattix_error::kInvalidArgument);
    });
    g->SetColSortType(Variant(1), 98);
    EXPECT_EQ(g->SortByHeaderClick(1, 0), "Invalid procedure call or argument.");
    EXPECT_EQ(KeyOrder(*g), "r2 r1");
    g->SetAllowSorting(false);
    EXPECT_EQ(g->SortByHeaderClick(1, 0), "");
}

TEST(SortRun, ColumnSortKeysRebuildTheCriteriaRenumberingGapsAndRepeats) {
    auto g = GridOf(4, {});
    g->SetColSortOrder(Variant(3), 1);
    g->SetColSortKey(Variant(3), 5);
    EXPECT_EQ(g->SortObject()->ColCount(), 1);
    EXPECT_EQ(g->ColSortKey(Variant(3)), 1);
    g->SetColSortKey(Variant(1), 2);
    g->SetColSortKey(Variant(4), 2);
    // Keys 1 (col 3), 2 (col 1), 2 (col 4): renumbered 1, 2, 3 by key, then by position.
    auto s = g->SortObject();
    ASSERT_EQ(s->ColCount(), 3);
    EXPECT_EQ(s->SortCol(1), 3);
    EXPECT_EQ(s->SortOrder(1), 1);
    EXPECT_EQ(s->SortCol(2), 1);
    EXPECT_EQ(s->SortCol(3), 4);
    EXPECT_EQ(g->ColSortKey(Variant(4)), 3);
    g->SetColSortKey(Variant(3), 0);
    EXPECT_EQ(s->ColCount(), 2);
    EXPECT_EQ(g->ColSortKey(Variant(1)), 1);
    // A column that cannot be sorted does not become a criterion.
    g->SetColSortType(Variant(2), 99);
    g->SetColSortKey(Variant(2), 1);
    EXPECT_EQ(g->ColSortKey(Variant(2)), 0);
    EXPECT_EQ(s->ColCount(), 2);
}

TEST(SortRun, LateBoundSortWithAnArrayAndOmittedArguments) {
    auto g = GridOf(2, {{Num(1), Num(2)}, {Num(1), Num(1)}, {Num(0), Num(3)}});
    g->invoke("Sort", InvokeKind::Method, std::vector<Variant>{Cols({Variant(1), Variant(2)})});
    EXPECT_EQ(KeyOrder(*g), "r3 r2 r1");
    // Column 2 is among the criteria: a plain click reverses its current order.
    g->invoke("DoDefaultSort", InvokeKind::Method, std::vector<Variant>{Variant(2)});
    EXPECT_EQ(KeyOrder(*g), "r3 r1 r2");
    g->invoke("SortScrollToCurRow", InvokeKind::Let, std::vector<Variant>{Variant(false)});
    EXPECT_FALSE(g->SortScrollToCurRow());
}
