// Row positions stay right through every kind of change, although they are recomputed lazily:
// after random heights, visibility, insertions, removals, moves and collapses, each row's top and
// visible index equal those summed from scratch, and every content y finds its row.
#include <random>

#include "tests/grid_geometry/geometry_support.h"

namespace geometry_test {
namespace {

// Checks the stored layout against one summed from the rows' own heights and flags.
void ExpectConsistentLayout(Lattix& g) {
    int32_t top = 0, placed = 0;
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        const lattix::RowRecord& row = g.Row(r);
        ASSERT_EQ(row.top, top) << "row " << r;
        if (row.displayed()) {
            ASSERT_EQ(row.visibleIndex, ++placed) << "row " << r;
            for (int32_t y : {top, top + row.height - 1}) ASSERT_EQ(g.RowAtContentY(y), r) << "y " << y;
            top += row.height;
        } else {
            ASSERT_EQ(row.visibleIndex, 0) << "row " << r;
        }
    }
    EXPECT_EQ(g.ContentHeight(), top);
    EXPECT_EQ(g.DisplayedRowCount(), placed);
    EXPECT_EQ(g.RowAtContentY(top), 0);
}

TEST(RowLayout, StaysConsistentThroughRandomChanges) {
    HostedGrid g(300, 200);
    Fill(*g, 2, 60, 50, 20);
    std::mt19937 rng(11);
    auto pick = [&](int32_t lo, int32_t hi) { return std::uniform_int_distribution<int32_t>(lo, hi)(rng); };
    for (int step = 0; step < 400; ++step) {
        const int32_t n = g->RowCount();
        switch (pick(0, 7)) {
        case 0: g->SetRowHeight(Variant(pick(1, n)), pick(0, 45)); break;
        case 1: g->SetRowVisible(Variant(pick(1, n)), pick(0, 1) == 1); break;
        case 2: g->AddRow({.vRowBefore = Variant(pick(1, n)), .lHeight = pick(0, 30), .lCount = pick(1, 3)}); break;
        case 3:
            if (n > 10) g->RemoveRow(Variant(pick(1, n - 3)), pick(1, 3));
            break;
        case 4: g->MoveRow(Variant(pick(1, n)), Variant(pick(1, n))); break;
        case 5: g->SetRowLevel(Variant(pick(2, n)), pick(0, 2)); break;
        case 6: g->SetRowExpanded(Variant(pick(1, n)), pick(0, 1) == 1); break;
        default: g->SetScrollY(pick(0, 2000)); break;
        }
        // Read through the visible range sometimes, so lazy and eager paths interleave.
        if (step % 3 == 0) {
            const lattix::VisibleRange& v = g->VisRange();
            if (v.firstRow > 0) ASSERT_TRUE(g->Row(v.firstRow).displayed());
            ASSERT_LE(g->ScrollY(), g->VScrollMax());
        }
        if (step % 25 == 0) ExpectConsistentLayout(*g);
    }
    ExpectConsistentLayout(*g);
}

TEST(RowLayout, ZeroHeightFirstRowsAndTheLastRow) {
    HostedGrid g(300, 120); // view 100 high
    Fill(*g, 2, 10, 50, 20);
    g->SetRowHeight(Variant(1), 0);
    g->SetRowVisible(Variant(2), false);
    const lattix::VisibleRange& v = g->VisRange();
    EXPECT_EQ(v.firstRow, 3);
    EXPECT_EQ(v.firstRowHidden, 0);
    int32_t row = 0, col = 0;
    g->CellFromPoint(10, 20, row, col);
    EXPECT_EQ(row, 3);
    // Scrolled to the end, the last pixel row of the view belongs to the last row.
    g->SetScrollY(g->VScrollMax());
    g->CellFromPoint(10, 20 + 99, row, col);
    EXPECT_EQ(row, 10);
    EXPECT_EQ(g->VisRange().lastRow, 10);
    EXPECT_EQ(g->VisRange().lastRowBottom, 100);
    // Hiding the last rows shortens the content and pulls the scroll position back.
    g->SetRowHeight(Variant(10), 0);
    g->SetRowHeight(Variant(9), 0);
    EXPECT_EQ(g->ScrollY(), g->VScrollMax());
    EXPECT_EQ(g->VisRange().lastRow, 8);
}

TEST(LayoutMark, APendingChangeWidensToEverything) {
    HostedGrid g(300, 200);
    Fill(*g, 10, 30, 50, 20);
    g->VisRange();
    // Repainting suspended: a scroll repaints at once otherwise, which consumes the mark.
    g->BeginUpdate();
    EXPECT_EQ(g->LayoutMark(), lattix::layout_mark::kNone);
    g->SetScrollY(40);
    EXPECT_EQ(g->LayoutMark(), lattix::layout_mark::kRowsScrolledDown);
    g->VisRange();
    g->SetScrollY(20);
    EXPECT_EQ(g->LayoutMark(), lattix::layout_mark::kRowsScrolledUp);
    g->SetHScrollValue(10); // columns on top of rows: everything
    EXPECT_EQ(g->LayoutMark(), lattix::layout_mark::kAll);
    g->VisRange();
    g->SetHScrollValue(0);
    EXPECT_EQ(g->LayoutMark(), lattix::layout_mark::kColumnsOnly);
    EXPECT_EQ(g->VisRange().firstRow, 2);
    g->EndUpdate();
}

} // namespace
} // namespace geometry_test
