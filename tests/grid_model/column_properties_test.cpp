#include "test_support.h"

using namespace lattix;
using namespace lattix_test;

namespace {
std::vector<int32_t> DisplayOrder(const Lattix& g) {
    std::vector<int32_t> v;
    for (int32_t p = 1; p <= g.ColCount() + 1; ++p) v.push_back(g.Column(p).index);
    return v;
}
} // namespace

TEST(ColumnWidths, LimitsClampAndCrossingLimitsAreRefused) {
    auto g = NumberedGrid(3, 2);
    g->SetColWidth(Variant(1), 40);
    g->SetColMinWidth(Variant(1), 50);
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
    g->SetColWidth(Variant(1), 30);
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
    EXPECT_EQ(LattixCode([&] { g->SetColWidth(Variant(1), -1); }), 514);

    g->SetColMaxWidth(Variant(2), 20);
    EXPECT_EQ(g->ColWidth(Variant(2)), 20);
    EXPECT_EQ(LattixCode([&] { g->SetColMinWidth(Variant(2), 30); }), 519);
    EXPECT_EQ(g->ColMinWidth(Variant(2)), -1);
    g->SetColMinWidth(Variant(1), -1);
    g->SetColWidth(Variant(1), 30);
    EXPECT_EQ(g->ColWidth(Variant(1)), 30);

    // The row text column takes a width but no limits.
    const int32_t rt = g->RowTextCol();
    g->SetColWidth(Variant(rt), 33);
    EXPECT_EQ(g->ColWidth(Variant(rt)), 33);
    EXPECT_EQ(LattixCode([&] { g->SetColMinWidth(Variant(rt), 1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetColMaxWidth(Variant(rt), 1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->ColWidth(Variant(9)); }), 513);

    // Columns left of a column sum into its left offset.
    EXPECT_EQ(g->Column(3).left, 30 + 20);
}

TEST(ColumnWidths, SetColWidthsWorksByIndexWithEachColumnsLimits) {
    auto g = NumberedGrid(4, 1);
    g->SetColPos(Variant(3), 1); // display order 3 1 2 4
    g->SetColMaxWidth(Variant(2), 70);
    g->SetColWidths(80, Variant(2), Variant(3));
    EXPECT_EQ(g->ColWidth(Variant(1)), 64);
    EXPECT_EQ(g->ColWidth(Variant(2)), 70);
    EXPECT_EQ(g->ColWidth(Variant(3)), 80);
    EXPECT_EQ(g->ColWidth(Variant(4)), 64);
    g->SetColWidths(10);
    for (int c = 1; c <= 4; ++c) EXPECT_EQ(g->ColWidth(Variant(c)), 10);
    EXPECT_EQ(LattixCode([&] { g->SetColWidths(-1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetColWidths(5, Variant(9)); }), 513);
    EXPECT_EQ(g->ColWidth(Variant(1)), 10);
    auto empty = Lattix::Create();
    EXPECT_EQ(LattixCode([&] { empty->SetColWidths(-1); }), 0); // nothing happens without columns
}

TEST(ColumnWidths, ResizeColToFillSpaceUsesTheCellsArea) {
    auto g = NumberedGrid(3, 1);
    g->SetViewMetrics(300, 1, 17);
    g->ResizeColToFillSpace(Variant(2));
    EXPECT_EQ(g->ColWidth(Variant(2)), 300 - 2 - 17 - 64 - 64);
    g->SetColVisible(Variant(3), false);
    g->SetColMaxWidth(Variant(2), 100);
    g->ResizeColToFillSpace(Variant(2));
    EXPECT_EQ(g->ColWidth(Variant(2)), 100);
    g->SetViewMetrics(50, 0, 0);
    g->ResizeColToFillSpace(Variant(2)); // no room left: nothing happens
    EXPECT_EQ(g->ColWidth(Variant(2)), 100);
    EXPECT_EQ(LattixCode([&] { g->ResizeColToFillSpace(Variant(g->RowTextCol())); }), 514);
}

TEST(ColumnVisibility, HidingKeepsPropertiesAndHeaderItemsFollowDisplayOrder) {
    auto g = NumberedGrid(4, 2);
    g->SetColWidth(Variant(2), 77);
    g->SetColVisible(Variant(2), false);
    EXPECT_EQ(g->ColVisibleIndex(Variant(2)), 0);
    EXPECT_EQ(g->ColVisibleIndex(Variant(3)), 2);
    EXPECT_EQ(g->HeaderItems(), (std::vector<int32_t>{1, 3, 4}));
    EXPECT_EQ(g->Column(3).left, 64);
    g->SetColVisible(Variant(2), true);
    EXPECT_EQ(g->ColPos(Variant(2)), 2);
    EXPECT_EQ(g->ColWidth(Variant(2)), 77);
    EXPECT_EQ(g->ColVisibleIndex(Variant(2)), 2);
    EXPECT_EQ(g->HeaderItems(), (std::vector<int32_t>{1, 2, 3, 4}));
    // A zero-wide column has no visible index either.
    g->SetColWidth(Variant(1), 0);
    EXPECT_EQ(g->ColVisibleIndex(Variant(1)), 0);
    EXPECT_EQ(g->ColVisibleIndex(Variant(2)), 1);
    EXPECT_EQ(LattixCode([&] { g->SetColVisible(Variant(g->RowTextCol()), false); }), 514);
    EXPECT_TRUE(g->ColVisible(Variant(g->RowTextCol())));
}

TEST(ColumnMoving, ColPosMovesRecordsButNoCells) {
    auto g = NumberedGrid(4, 3);
    g->SetColPos(Variant(3), 1);
    EXPECT_EQ(DisplayOrder(*g), (std::vector<int32_t>{3, 1, 2, 4, 5}));
    EXPECT_EQ(g->ColFromPos(1), 3);
    EXPECT_EQ(g->ColPos(Variant(1)), 2);
    EXPECT_EQ(g->HeaderItems(), (std::vector<int32_t>{3, 1, 2, 4}));
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 5; ++c) EXPECT_EQ(g->CellValue(Variant(r), Variant(c)), Variant(r * 100 + c));
    g->SetColPos(Variant(3), 4);
    EXPECT_EQ(DisplayOrder(*g), (std::vector<int32_t>{1, 2, 4, 3, 5}));

    // The row text column never moves, and no column moves past it.
    const int32_t before = g->LayoutMark();
    EXPECT_EQ(LattixCode([&] { g->SetColPos(Variant(5), 1); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetColPos(Variant(1), 5); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetColPos(Variant(1), 0); }), 514);
    EXPECT_EQ(LattixCode([&] { g->SetColPos(Variant(7), 1); }), 513);
    EXPECT_EQ(DisplayOrder(*g), (std::vector<int32_t>{1, 2, 4, 3, 5}));
    EXPECT_EQ(g->LayoutMark(), before);
    EXPECT_EQ(LattixCode([&] { g->ColFromPos(6); }), 513);
    EXPECT_EQ(g->ColFromPos(5), 5);
}

TEST(ColumnMoving, FrozenAreaFollowsMovesAcrossItsEdge) {
    auto g = NumberedGrid(5, 1);
    g->SetFrozenCols(2);
    g->SetColPos(Variant(4), 1); // into the frozen area: 4 1 2 3 5, frozen 4 1 2
    EXPECT_EQ(g->FrozenCols(), 3);
    EXPECT_EQ(DisplayOrder(*g), (std::vector<int32_t>{4, 1, 2, 3, 5, 6}));
    g->SetColPos(Variant(1), 5); // out of it: 4 2 3 5 1, frozen 4 2
    EXPECT_EQ(g->FrozenCols(), 2);
    EXPECT_EQ(DisplayOrder(*g), (std::vector<int32_t>{4, 2, 3, 5, 1, 6}));
    EXPECT_EQ(g->ColLayout().frozenCount, 2);
    EXPECT_EQ(g->ColLayout().frozenWidth, 128);
    EXPECT_EQ(g->ColLayout().scrollCount, 3);
}

TEST(ColumnMoving, TheLastVisibleColumnOfAnAreaCannotMove) {
    auto g = NumberedGrid(3, 1);
    g->SetColVisible(Variant(2), false);
    g->SetColVisible(Variant(3), false);
    EXPECT_EQ(LattixCode([&] { g->SetColPos(Variant(1), 3); }), 522);
    EXPECT_EQ(g->ColPos(Variant(1)), 1);
    // The hidden ones move freely.
    g->SetColPos(Variant(3), 1);
    EXPECT_EQ(g->ColPos(Variant(3)), 1);

    auto f = NumberedGrid(3, 1);
    f->SetFrozenCols(1);
    EXPECT_EQ(LattixCode([&] { f->SetColPos(Variant(1), 2); }), 522);
    f->SetColPos(Variant(2), 3); // the scrollable area keeps two columns
    EXPECT_EQ(f->ColFromPos(3), 2);
}

TEST(ColumnFrozenSettings, ValuesChecksAndLoopsStopAtColCount) {
    auto g = NumberedGrid(3, 1);
    g->SetFrozenCols(10);
    EXPECT_EQ(g->FrozenCols(), 10);
    EXPECT_EQ(g->ColLayout().frozenCount, 3);
    EXPECT_EQ(g->ColLayout().scrollCount, 0);
    g->SetColPos(Variant(1), 3); // everything frozen: the count does not change
    EXPECT_EQ(g->FrozenCols(), 10);
    g->AddCol();
    EXPECT_EQ(g->ColLayout().frozenCount, 4);
    EXPECT_EQ(LattixCode([&] { g->SetFrozenCols(-1); }), 514);
    EXPECT_EQ(g->FrozenColsEdgeWidth(), 2);
    EXPECT_EQ(LattixCode([&] { g->SetFrozenColsEdgeWidth(0); }), 514);
    g->SetFrozenColsEdgeWidth(3);
    EXPECT_EQ(g->FrozenColsEdgeWidth(), 3);
    EXPECT_EQ(g->FrozenColsEdgeColor(), static_cast<int32_t>(0x80000010u));
    g->SetFrozenColsEdgeDrawAlways(true);
    EXPECT_TRUE(g->FrozenColsEdgeDrawAlways());
}

TEST(ColumnHeader, AttributesAreStoredAndRefreshTheItem) {
    auto g = NumberedGrid(2, 1);
    const uint64_t before = g->HeaderItemRefreshCount();
    g->SetColHeaderText(Variant(1), "Weight");
    g->SetColHeaderIcon(Variant(1), 3);
    g->SetColHeaderAlignH(Variant(1), 2);
    g->SetColHeaderAlignV(Variant(1), 1);
    g->SetColHeaderTextFlags(Variant(1), 1);
    g->SetColHeaderBackColor(Variant(1), 0xFF);
    g->SetColHeaderForeColor(Variant(1), 0xFF00);
    g->SetColSortOrder(Variant(1), 1);
    g->SetColSortKey(Variant(1), 2);
    EXPECT_EQ(g->HeaderItemRefreshCount(), before + 9);
    g->SetColSortType(Variant(1), 4);
    g->SetColSortOrderDefault(Variant(1), 1);
    g->SetColAllowSizing(Variant(1), false);
    EXPECT_EQ(g->HeaderItemRefreshCount(), before + 9);
    EXPECT_EQ(g->ColHeaderText(Variant(1)), "Weight");
    EXPECT_EQ(g->ColHeaderIcon(Variant(1)), 3);
    EXPECT_EQ(g->ColHeaderAlignH(Variant(1)), 2);
    EXPECT_EQ(g->ColHeaderAlignV(Variant(1)), 1);
    EXPECT_EQ(g->ColHeaderTextFlags(Variant(1)), 1);
    EXPECT_EQ(g->ColHeaderBackColor(Variant(1)), 0xFF);
    EXPECT_EQ(g->ColHeaderForeColor(Variant(1)), 0xFF00);
    EXPECT_EQ(g->ColSortOrder(Variant(1)), 1);
    // The only sort key is renumbered 1: the sort criteria are rebuilt from the keys without gaps.
    EXPECT_EQ(g->ColSortKey(Variant(1)), 1);
    EXPECT_EQ(g->ColSortType(Variant(1)), 4);
    EXPECT_EQ(g->ColSortOrderDefault(Variant(1)), 1);
    EXPECT_FALSE(g->ColAllowSizing(Variant(1)));
    // A hidden column has no item to refresh; nor is anything drawn while updates are suspended.
    g->SetColVisible(Variant(2), false);
    g->SetColHeaderText(Variant(2), "x");
    g->BeginUpdate();
    g->SetColHeaderText(Variant(1), "y");
    g->EndUpdate();
    EXPECT_EQ(g->HeaderItemRefreshCount(), before + 9);
}

TEST(ColumnHeader, TemplateAppliesToColumnsCreatedLater) {
    auto g = Lattix::Create();
    g->SetColCount(2);
    g->SetAutoColHeaderTextTemplate("Field #");
    g->SetColCount(3);
    EXPECT_EQ(g->ColHeaderText(Variant(1)), "Col 1");
    EXPECT_EQ(g->ColHeaderText(Variant(3)), "Field 3");
    EXPECT_EQ(g->AutoColHeaderTextTemplate(), "Field #");
}

TEST(ColumnBindings, PublishedMembersReachTheColumnFamily) {
    auto g = NumberedGrid(3, 2);
    std::vector<Variant> args{Variant(2), Variant(90)};
    g->invoke("ColWidth", InvokeKind::Let, args);
    EXPECT_EQ(g->ColWidth(Variant(2)), 90);
    std::vector<Variant> pos{Variant(3), Variant(1)};
    g->invoke("ColPos", InvokeKind::Let, pos);
    EXPECT_EQ(g->ColFromPos(1), 3);
    std::vector<Variant> widths{Variant(50)};
    g->invoke("SetColWidths", InvokeKind::Method, widths);
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
    std::vector<Variant> frozen{Variant(1)};
    g->invoke("FrozenCols", InvokeKind::Let, frozen);
    EXPECT_EQ(g->invoke("FrozenCols", InvokeKind::Get), Variant(1));
}
