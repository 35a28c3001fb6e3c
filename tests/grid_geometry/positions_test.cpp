// Row and column positions, the visible range and CellFromPoint.
#include "tests/grid_geometry/geometry_support.h"

namespace geometry_test {
namespace {

TEST(GridWindow, FillsTheHostWindowAndFollowsItsSize) {
    lattix::ui::headless::HeadlessHost host(300, 200);
    auto g = Lattix::Create();
    g->AttachToWindow(host.TopLevel());
    // The default 3-D border takes 2 pixels on every side.
    EXPECT_EQ(g->ClientWidth(), 296);
    EXPECT_EQ(g->ClientHeight(), 196);
    g->SetBorderType(0);
    EXPECT_EQ(g->ClientWidth(), 300);
    EXPECT_EQ(g->ClientHeight(), 200);
    EXPECT_EQ(g->ViewHeight(), 200 - g->CellsAreaTop());
    g->MoveGridWindow(0, 0, 120, 90);
    EXPECT_EQ(g->ClientWidth(), 120);
    EXPECT_EQ(g->ViewHeight(), 90 - g->CellsAreaTop());
    // A second window for the same grid is refused.
    EXPECT_EQ(LattixCode([&] { g->AttachToWindow(host.TopLevel()); }), 522);
    g->FocusGridWindow();
    EXPECT_TRUE(g->HasFocus());
}

TEST(GridWindow, InjectedInputReachesTheGridWindow) {
    HostedGrid g(200, 100);
    Fill(*g, 3, 3);
    std::vector<lattix::ui::MessageId> seen;
    lattix::ui::Wm().SetMessageSpy([&](const lattix::ui::Message& m) {
        if (m.hwnd == g->WindowHandle()) seen.push_back(m.message);
    });
    g.host.Click(10, 30);
    g.host.KeyPress(lattix::ui::VK_DOWN);
    lattix::ui::Wm().SetMessageSpy(nullptr);
    EXPECT_NE(std::find(seen.begin(), seen.end(), lattix::ui::WM_LBUTTONDOWN), seen.end());
    EXPECT_NE(std::find(seen.begin(), seen.end(), lattix::ui::WM_KEYDOWN), seen.end());
    // The click gave the grid the focus, so the key went to it.
    EXPECT_TRUE(g->HasFocus());
}

TEST(RowPositions, HiddenAndZeroHeightRowsTakeNoRoom) {
    HostedGrid g;
    Fill(*g, 2, 6);
    g->SetRowHeight(Variant(2), 0);
    g->SetRowVisible(Variant(4), false);
    g->SetRowHeight(Variant(5), 35);
    EXPECT_EQ(g->RowStartY(Variant(1)), 0);
    EXPECT_EQ(g->RowStartY(Variant(2)), 20);
    EXPECT_EQ(g->RowStartY(Variant(3)), 20);
    EXPECT_EQ(g->RowStartY(Variant(4)), 40);
    EXPECT_EQ(g->RowStartY(Variant(5)), 40);
    EXPECT_EQ(g->RowStartY(Variant(6)), 75);
    EXPECT_EQ(g->RowVisibleIndex(Variant(5)), 3);
    EXPECT_EQ(g->RowVisibleIndex(Variant(4)), 0);
    EXPECT_EQ(g->ContentHeight(), 95);
    EXPECT_EQ(g->RowAtContentY(19), 1);
    EXPECT_EQ(g->RowAtContentY(20), 3);
    EXPECT_EQ(g->RowAtContentY(74), 5);
    EXPECT_EQ(g->RowAtContentY(95), 0);
    EXPECT_EQ(LattixCode([&] { g->RowStartY(Variant(7)); }), 513);
}

TEST(ColumnPositions, HiddenColumnsStartWhereTheNextShownColumnStarts) {
    HostedGrid g;
    Fill(*g, 4, 1);
    g->SetColVisible(Variant(2), false);
    g->SetColWidth(Variant(3), 0);
    EXPECT_EQ(g->ColStartX(Variant(1)), 0);
    EXPECT_EQ(g->ColStartX(Variant(2)), 50);
    EXPECT_EQ(g->ColStartX(Variant(3)), 50);
    EXPECT_EQ(g->ColStartX(Variant(4)), 50);
    EXPECT_EQ(g->ColStartX(Variant(5)), 100); // the row text column, after the last one
    EXPECT_EQ(g->ColVisibleIndex(Variant(4)), 2);
    EXPECT_EQ(g->ColVisibleIndex(Variant(3)), 0);
    EXPECT_EQ(g->ColTotals().firstShownPos, 1);
    EXPECT_EQ(g->ColTotals().lastShownPos, 4);
    EXPECT_EQ(LattixCode([&] { g->ColStartX(Variant("nope")); }), 513);
}

TEST(VisibleRange, EmptyGridHasNoRows) {
    HostedGrid g;
    const lattix::VisibleRange& v = g->VisRange();
    EXPECT_EQ(v.firstRow, 0);
    EXPECT_EQ(v.lastRow, -1);
    int32_t row = -1, col = -1;
    g->CellFromPoint(10, 30, row, col);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 0);
}

TEST(VisibleRange, ScrolledToTheEndShowsTheLastRowAtTheBottom) {
    HostedGrid g(200, 120); // view height 100: five rows of 20
    Fill(*g, 2, 20, 50, 20);
    g->SetRowHeight(Variant(20), 30);
    EXPECT_EQ(g->VScrollMax(), 19 * 20 + 30 - 100);
    g->SetScrollY(1000); // clamped
    EXPECT_EQ(g->ScrollY(), 310);
    const lattix::VisibleRange& v = g->VisRange();
    EXPECT_EQ(v.lastRow, 20);
    EXPECT_EQ(v.lastRowBottom, 100);
    EXPECT_EQ(v.firstRow, 16);
    EXPECT_EQ(v.firstRowHidden, -10);
    EXPECT_EQ(g->MaxVisRowHeight(), 30);
    EXPECT_EQ(g->LayoutMark(), 0);
}

TEST(VisibleRange, LastColumnIsTheFirstOneReachingPastTheView) {
    HostedGrid g(180, 100);
    Fill(*g, 6, 2);
    const lattix::VisibleRange& v = g->VisRange();
    EXPECT_EQ(v.firstCol, 1);
    EXPECT_EQ(v.lastCol, 4);
    EXPECT_EQ(v.lastColRight, 200);
    g->SetHScrollValue(60);
    const lattix::VisibleRange& w = g->VisRange();
    EXPECT_EQ(w.firstCol, 2);
    EXPECT_EQ(w.firstColHidden, -10);
    EXPECT_EQ(w.lastCol, 5);
}

TEST(CellFromPoint, FindsRowsAndColumnsUnderTheHeader) {
    HostedGrid g(300, 200);
    Fill(*g, 3, 4);
    int32_t row = 0, col = 0;
    g->CellFromPoint(60, 20 + 25, row, col);
    EXPECT_EQ(row, 2);
    EXPECT_EQ(col, 2);
    g->CellFromPoint(60, 10, row, col); // on the header
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 2);
    g->CellFromPoint(60, 20 + 80, row, col); // below the last row
    EXPECT_EQ(row, 0);
    g->CellFromPoint(160, 25, row, col); // right of the last column
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, 0);
    // Moving a column changes what stands at a place, not the index returned.
    g->SetColPos(Variant(3), 1);
    g->CellFromPoint(10, 25, row, col);
    EXPECT_EQ(col, 3);
    g->SetRowCount(20);
    g->SetRowHeights(20);
    g->SetScrollY(30);
    g->CellFromPoint(10, 20, row, col);
    EXPECT_EQ(row, 2);
}

TEST(CellFromPoint, RowTextAndGroupRows) {
    HostedGrid g(300, 200);
    Fill(*g, 3, 3, 50, 30);
    g->SetDrawRowText(true);
    g->SetRowTextStartCol(2);
    g->SetRowNormalCellHeight(Variant(1), 18);
    g->SetRowIsGroup(Variant(3), true);
    int32_t row = 0, col = 0;
    g->CellFromPoint(75, 20 + 25, row, col); // under the normal cells, after the start
    EXPECT_EQ(row, 1);
    EXPECT_EQ(col, g->RowTextCol());
    g->CellFromPoint(25, 20 + 25, row, col); // before the start the cell spans the row
    EXPECT_EQ(col, 1);
    g->CellFromPoint(75, 20 + 5, row, col);
    EXPECT_EQ(col, 2);
    g->CellFromPoint(125, 20 + 65, row, col); // a group row is one cell
    EXPECT_EQ(row, 3);
    EXPECT_EQ(col, g->RowTextCol());
    EXPECT_EQ(g->VisRange().lastCol, g->RowTextCol());
}

TEST(FrozenColumns, ScrollingHidesLeadingScrollableColumns) {
    HostedGrid g(200, 100);
    Fill(*g, 8, 2);
    g->SetFrozenCols(2);
    g->SetColVisible(Variant(4), false);
    EXPECT_TRUE(g->SetHScrollValue(3));
    EXPECT_EQ(g->ScrollX(), 0);
    // Shown scrollable columns: 3, 5, 6, 7, 8; the first three are scrolled off.
    EXPECT_FALSE(g->Column(3).laidOut);
    EXPECT_FALSE(g->Column(6).laidOut);
    EXPECT_TRUE(g->Column(7).laidOut);
    EXPECT_EQ(g->ColStartX(Variant(7)), g->ColTotals().frozenWidth);
    EXPECT_EQ(g->ColTotals().frozenWidth, 100);
    int32_t row = 0, col = 0;
    g->CellFromPoint(110, 25, row, col);
    EXPECT_EQ(col, 7);
    g->CellFromPoint(10, 25, row, col);
    EXPECT_EQ(col, 1);
    // Changing FrozenCols starts again from the left.
    g->SetFrozenCols(1);
    EXPECT_EQ(g->HScrollValue(), 0);
    EXPECT_TRUE(g->Column(3).laidOut);
}

} // namespace
} // namespace geometry_test
