// EnsureVisibleRow, EnsureVisibleCol, EnsureVisibleCell and the automatic rule.
#include "tests/grid_geometry/geometry_support.h"

namespace geometry_test {
namespace {

// View of 200 x 100 pixels under a 20-pixel header (scroll bars off): five rows of 20, four
// columns of 50.
struct ScrollGrid : HostedGrid {
    ScrollGrid() : HostedGrid(200, 120) {
        HideScrollBars();
        Fill(*grid, 10, 50, 50, 20);
    }
};

TEST(EnsureVisibleRow, Modes) {
    ScrollGrid g;
    g->EnsureVisibleRow(Variant(10)); // auto: at the bottom, 8 below it
    EXPECT_EQ(g->ScrollY(), 200 - 100 + 8);
    g->EnsureVisibleRow(Variant(10)); // inside now: nothing moves
    EXPECT_EQ(g->ScrollY(), 108);
    g->EnsureVisibleRow(Variant(3), 0, 0); // above: at the top
    EXPECT_EQ(g->ScrollY(), 40);
    g->EnsureVisibleRow(Variant(4), 1, 5); // top, but already inside
    EXPECT_EQ(g->ScrollY(), 40);
    g->EnsureVisibleRow(Variant(4), 2, 5); // top, always
    EXPECT_EQ(g->ScrollY(), 55);
    g->EnsureVisibleRow(Variant(20), 3, 0); // bottom
    EXPECT_EQ(g->ScrollY(), 400 - 100);
    g->EnsureVisibleRow(Variant(18), 4, 0); // bottom, always
    EXPECT_EQ(g->ScrollY(), 360 - 100);
    g->EnsureVisibleRow(Variant(1), 2, 10); // -10 is clamped to 0
    EXPECT_EQ(g->ScrollY(), 0);
    g->EnsureVisibleRow(Variant(50), 0, 8); // near the end: as far as it goes
    EXPECT_EQ(g->ScrollY(), g->VScrollMax());
    EXPECT_EQ(LattixCode([&] { g->EnsureVisibleRow(Variant(51)); }), 513);
    EXPECT_EQ(LattixCode([&] { g->EnsureVisibleRow(Variant(1), 5); }), 514);
}

TEST(EnsureVisibleRow, TallRowsHiddenRowsAndTheSwitch) {
    ScrollGrid g;
    g->SetRowHeight(Variant(10), 150);
    g->EnsureVisibleRow(Variant(10)); // higher than the view: its top at the top
    EXPECT_EQ(g->ScrollY(), 180);
    g->SetScrollY(0);
    g->SetRowVisible(Variant(30), false);
    g->EnsureVisibleRow(Variant(30));
    EXPECT_EQ(g->ScrollY(), 0);
    g->SetEnsureVisibleAutoVScroll(false);
    g->EnsureVisibleRow(Variant(40));
    EXPECT_EQ(g->ScrollY(), 0);
}

TEST(EnsureVisibleCol, PixelsAndFrozenColumns) {
    ScrollGrid g;
    g->EnsureVisibleCol(Variant(6)); // right edge 300: at the right, 8 beyond
    EXPECT_EQ(g->ScrollX(), 300 - 200 + 8);
    g->EnsureVisibleCol(Variant(1), 1, 0);
    EXPECT_EQ(g->ScrollX(), 0);
    g->SetFrozenCols(1);
    EXPECT_EQ(LattixCode([&] { g->EnsureVisibleCol(Variant(6)); }), 522);
}

TEST(EnsureVisibleCell, AutomaticRuleWithMargins) {
    ScrollGrid g;
    g->EnsureVisibleCell(Variant(12), Variant(6));
    EXPECT_EQ(g->ScrollY(), 240 - 100 + 8);
    EXPECT_EQ(g->ScrollX(), 300 - 200 + 8);
    g->EnsureVisibleCell(Variant(2), Variant(2));
    EXPECT_EQ(g->ScrollY(), 20 - 8);
    EXPECT_EQ(g->ScrollX(), 50 - 8);
    // A column wider than the view shows its left edge.
    g->SetColWidth(Variant(8), 300);
    g->EnsureVisibleCell(Variant(2), Variant(8));
    EXPECT_EQ(g->ScrollX(), 350);
    g->SetEnsureVisibleAutoHScroll(false);
    g->EnsureVisibleCell(Variant(2), Variant(1));
    EXPECT_EQ(g->ScrollX(), 350);
}

TEST(EnsureVisibleCell, FrozenColumnsScrollByColumns) {
    ScrollGrid g;
    g->SetFrozenCols(1);
    // Free room beside the frozen column: 150 pixels, three columns.
    EXPECT_TRUE(g->EnsureCellVisibleAuto(1, 6));
    EXPECT_EQ(g->HScrollValue(), 2);
    EXPECT_EQ(g->ScrollX(), 0);
    EXPECT_TRUE(g->Column(6).laidOut);
    EXPECT_LE(g->ColStartX(Variant(6)) + 50, 200);
    // Back to a column scrolled off to the left.
    EXPECT_TRUE(g->EnsureCellVisibleAuto(1, 2));
    EXPECT_EQ(g->HScrollValue(), 0);
}

TEST(EnsureVisibleCell, FrozenColumnWiderThanTheFreeRoomStopsAtIt) {
    ScrollGrid g;
    g->SetFrozenCols(1);
    g->SetColWidth(Variant(5), 400);
    EXPECT_TRUE(g->EnsureCellVisibleAuto(1, 5));
    // Columns 2..4 scrolled off; column 5 is the first scrollable one and stays laid out.
    EXPECT_EQ(g->HScrollValue(), 3);
    EXPECT_TRUE(g->Column(5).laidOut);
    EXPECT_EQ(g->ColStartX(Variant(5)), 50);
    // Asking again changes nothing.
    EXPECT_FALSE(g->EnsureCellVisibleAuto(1, 5));
    EXPECT_EQ(g->HScrollValue(), 3);
}

} // namespace
} // namespace geometry_test
