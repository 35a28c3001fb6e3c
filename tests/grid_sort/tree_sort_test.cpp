// Tree-aware sorting: nested rows stay under their parent and are sorted within their level; group
// rows stay in place while the runs between them are sorted.
#include "sort_test_support.h"

using namespace sort_test;

namespace {
// Adds a row at `level` (under the nearest row above with level - 1) with the value v and key k.
int32_t TreeRow(Lattix& g, int level, double v, const std::string& k) {
    lattix::AddRowArgs a;
    a.sKey = k;
    if (level > 0) {
        for (int32_t r = g.RowCount(); r >= 1; --r)
            if (g.Row(r).level == level - 1) {
                a.vRowParent = Variant(r);
                break;
            }
    }
    const int32_t row = g.AddRow(a);
    g.SetCellValue(Variant(row), Variant(1), Variant(v));
    return row;
}
std::string Levels(const Lattix& g) {
    std::string s;
    for (int32_t r = 1; r <= g.RowCount(); ++r) s += static_cast<char>('0' + g.Row(r).level);
    return s;
}
} // namespace

TEST(TreeSort, ThreeLevelsSortWithinEachLevel) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    TreeRow(*g, 0, 2, "A");
    TreeRow(*g, 1, 9, "A1");
    TreeRow(*g, 2, 5, "A1x");
    TreeRow(*g, 2, 4, "A1y");
    TreeRow(*g, 1, 3, "A2");
    TreeRow(*g, 0, 1, "B");
    TreeRow(*g, 1, 7, "B1");
    TreeRow(*g, 1, 6, "B2");
    g->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "B B2 B1 A A2 A1 A1y A1x");
    EXPECT_EQ(Levels(*g), "01101122");
    EXPECT_EQ(g->RowParent(Variant("A1y")), g->RowIndex("A1"));
    g->DoDefaultSort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "A A1 A1x A1y A2 B B1 B2");
}

TEST(TreeSort, CollapsedParentsKeepTheirHiddenChildren) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    TreeRow(*g, 0, 2, "A");
    TreeRow(*g, 1, 9, "A1");
    TreeRow(*g, 1, 8, "A2");
    TreeRow(*g, 0, 1, "B");
    g->SetRowExpanded(Variant("A"), false);
    g->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "B A A2 A1");
    EXPECT_FALSE(g->Row(3).displayed());
    EXPECT_FALSE(g->Row(4).displayed());
    EXPECT_EQ(g->DisplayedRowCount(), 2);
}

TEST(TreeSort, DescendingBlocksAreNotTakenAsOrderedForAnAscendingSort) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    TreeRow(*g, 0, 3, "C");
    TreeRow(*g, 1, 0, "C1");
    TreeRow(*g, 0, 2, "B");
    TreeRow(*g, 0, 1, "A");
    g->SortObject()->AddItem(Variant(1), 0);
    g->Sort();
    EXPECT_EQ(KeyOrder(*g), "A B C C1");
    g->SortObject()->SetSortOrder(1, 1);
    g->Sort();
    EXPECT_EQ(KeyOrder(*g), "C C1 B A");
}

TEST(TreeSort, SortRowChildNodesSortsOnlyTheDirectChildren) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    TreeRow(*g, 0, 5, "P");
    TreeRow(*g, 1, 3, "P1");
    TreeRow(*g, 2, 9, "P1a");
    TreeRow(*g, 2, 8, "P1b");
    TreeRow(*g, 1, 1, "P2");
    TreeRow(*g, 0, 0, "Q");
    g->SortObject()->AddItem(Variant(1));
    EventLog log(*g);
    g->SortRowChildNodes(Variant("P"));
    EXPECT_EQ(KeyOrder(*g), "P P2 P1 P1a P1b Q");
    EXPECT_TRUE(log.names.empty() || (log.count("BeforeContentsSorted") == 0 && log.count("AfterContentsSorted") == 0));
    // 0: the top level of the whole grid, each row with its nested rows, nested rows untouched.
    g->SortRowChildNodes(Variant(0));
    EXPECT_EQ(KeyOrder(*g), "Q P P2 P1 P1a P1b");
    // Fewer than two rows below: nothing.
    g->SortRowChildNodes(Variant("P1b"));
    EXPECT_EQ(LattixCode([&] { g->SortRowChildNodes(Variant(99)); }), 513);
}

TEST(TreeSort, ARangeInsideATreeKeepsEveryRowUnderItsParent) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetTreeCol(1);
    TreeRow(*g, 0, 9, "A");
    TreeRow(*g, 1, 3, "A1");
    TreeRow(*g, 1, 2, "A2");
    TreeRow(*g, 0, 1, "B");
    TreeRow(*g, 1, 0, "B1");
    // Rows 3..5 start inside A: A2 stays in front (its parent is outside), B moves with B1 only
    // among its own siblings.
    g->Sort(Variant(1), Variant(3), Variant(5));
    EXPECT_EQ(KeyOrder(*g), "A A1 A2 B B1");
    EXPECT_EQ(Levels(*g), "01101");
}

TEST(GroupRowRuns, GroupRowsStayAndEachRunIsSortedByItself) {
    auto g = GridOf(1, {{Num(0)}, {Num(3)}, {Num(1)}, {Num(0)}, {Num(2)}, {Num(1)}});
    g->SetRowIsGroup(Variant("r1"), true);
    g->SetRowIsGroup(Variant("r4"), true);
    g->Sort(Variant(1), Variant(), Variant());
    EXPECT_EQ(KeyOrder(*g), "r1 r3 r2 r4 r6 r5");
    g->DoDefaultSort(Variant(1));
    EXPECT_EQ(KeyOrder(*g), "r1 r2 r3 r4 r5 r6");
    // In a range too, group rows stay where they are.
    g->Sort(Variant(1), Variant(3), Variant(6));
    EXPECT_EQ(KeyOrder(*g), "r1 r2 r3 r4 r6 r5");
    // Fewer than three rows with a group row: nothing moves.
    auto h = GridOf(1, {{Num(2)}, {Num(1)}});
    h->SetRowIsGroup(Variant(1), true);
    h->Sort(Variant(1));
    EXPECT_EQ(KeyOrder(*h), "r1 r2");
}
