// The layout of one cell, HitTest, CellBoundary and CellTextBoundary.
#include "tests/grid_geometry/geometry_support.h"

#include "grid/view/geometry.h"
#include "platform/gfx/image_list.h"
#include "platform/gfx/system_metrics.h"

namespace geometry_test {
namespace {

using lattix::gfx::Rect;

// A grid without grid lines and focus frame, so that the contents are the cell rectangle.
struct PlainGrid : HostedGrid {
    PlainGrid() : HostedGrid(400, 300) {
        Fill(*grid, 3, 4, 100, 30);
        grid->SetGridLines(0);
        grid->SetFocusRect(false);
        for (int c = 1; c <= 3; ++c) {
            for (int r = 1; r <= 4; ++r) {
                grid->SetCellIndentLeft(Variant(r), Variant(c), 0);
                grid->SetCellIndentRight(Variant(r), Variant(c), 0);
            }
        }
    }
};

TEST(CellBoundary, NormalRowTextAndGroupCells) {
    HostedGrid g(400, 300);
    Fill(*g, 3, 4, 100, 30);
    EXPECT_EQ(g->CellBoundary(Variant(2), Variant(2)), (Rect{100, 20 + 30, 200, 20 + 60}));
    g->SetDrawRowText(true);
    g->SetRowTextStartCol(2);
    g->SetRowNormalCellHeight(Variant(1), 20);
    EXPECT_EQ(g->CellBoundary(Variant(1), Variant(3)), (Rect{200, 20, 300, 40}));
    EXPECT_EQ(g->CellBoundary(Variant(1), Variant(1)), (Rect{0, 20, 100, 50}));
    EXPECT_EQ(g->CellBoundary(Variant(1), Variant(g->RowTextCol())), (Rect{100, 40, 300, 50}));
    g->SetRowIsGroup(Variant(3), true);
    EXPECT_EQ(g->CellBoundary(Variant(3), Variant(2)), (Rect{0, 80, 300, 110}));
    g->SetRowCount(20);
    g->SetRowHeights(30);
    g->SetScrollY(10);
    EXPECT_EQ(g->CellBoundary(Variant(2), Variant(1)).top, 20 + 30 - 10);
    EXPECT_EQ(LattixCode([&] { g->CellBoundary(Variant(99), Variant(1)); }), 513);
    EXPECT_EQ(LattixCode([&] { g->CellBoundary(Variant(1), Variant(9)); }), 513);
}

TEST(CellLayout, GridLinesFocusFrameAndIndentsShrinkTheContents) {
    HostedGrid g(400, 300);
    Fill(*g, 2, 2, 100, 30);
    g->SetCellIndentLeft(Variant(1), Variant(2), 3);
    g->SetCellIndentTop(Variant(1), Variant(2), 2);
    g->SetCellIndentRight(Variant(1), Variant(2), 0);
    g->SetCellIndentRight(Variant(1), Variant(1), 0);
    // Both grid lines of 1 pixel, the focus frame 1 pixel on every side, then the indents.
    EXPECT_EQ(g->CellTextBoundary(Variant(1), Variant(2)), (Rect{100 + 1 + 3, 20 + 1 + 2, 200 - 1 - 1, 50 - 1 - 1}));
    g->SetGridLineThicknessV(3);
    EXPECT_EQ(g->CellTextBoundary(Variant(1), Variant(2)).right, 200 - 3 - 1);
    // The frozen edge takes its own width.
    g->SetFrozenCols(1);
    g->SetFrozenColsEdgeWidth(4);
    EXPECT_EQ(g->CellTextBoundary(Variant(1), Variant(1)).right, 100 - 4 - 1);
}

TEST(CellLayout, CheckBoxPositions) {
    PlainGrid g;
    const int side = lattix::gfx::systemMetrics().checkBoxSize;
    g->SetCellCheckVisible(Variant(1), Variant(1), true);
    const Rect left = g->LayoutCellParts(1, 1, g->CellBoundary(Variant(1), Variant(1))).checkBox;
    EXPECT_EQ(left, (Rect{0, 20 + (30 - side) / 2, side, 20 + (30 - side) / 2 + side}));
    EXPECT_EQ(g->CellTextBoundary(Variant(1), Variant(1)).left, side + g->CellCheckGap());
    g->SetCellCheckPos(Variant(1), Variant(1), 4); // centre: the text keeps its rectangle
    EXPECT_EQ(g->CellTextBoundary(Variant(1), Variant(1)), (Rect{0, 20, 100, 50}));
    g->SetCellCheckPos(Variant(1), Variant(1), 2); // right
    EXPECT_EQ(g->CellTextBoundary(Variant(1), Variant(1)).right, 100 - side - g->CellCheckGap());
    EXPECT_EQ(g->HitTest(100 - side + 1, 20 + 15), lattix::cell_part::kCheckBox);
    EXPECT_EQ(g->HitTest(10, 20 + 15), lattix::cell_part::kText);
}

TEST(CellLayout, ComboButtonOnlyWhereShown) {
    PlainGrid g;
    const int bw = lattix::gfx::systemMetrics().comboButtonWidth;
    g->SetCellType(Variant(2), Variant(2), 1);
    EXPECT_FALSE(g->LayoutCellParts(2, 2, g->CellBoundary(Variant(2), Variant(2))).hasComboButton);
    g->SetShowControlsInAllCells(true);
    const lattix::CellParts p = g->LayoutCellParts(2, 2, g->CellBoundary(Variant(2), Variant(2)));
    ASSERT_TRUE(p.hasComboButton);
    EXPECT_EQ(p.comboButton, (Rect{200 - bw, 50, 200, 50 + bw}));
    EXPECT_EQ(p.text.right, 200 - bw - 1);
    EXPECT_EQ(g->HitTest(195, 55), lattix::cell_part::kComboButton);
    g->SetEditable(false);
    EXPECT_EQ(g->HitTest(195, 55), lattix::cell_part::kText);
}

TEST(CellLayout, IconsBesideAndAboveTheText) {
    PlainGrid g;
    auto list = std::make_shared<lattix::gfx::ImageList>(16, 16);
    list->add(lattix::gfx::Bitmap(32, 16));
    ASSERT_EQ(g->RegisterImageList(list), 1);
    g->SetCellValue(Variant(1), Variant(1), Variant("text"));
    g->SetCellImageList(Variant(1), Variant(1), 1);
    g->SetCellIcon(Variant(1), Variant(1), 1);
    lattix::CellParts p = g->LayoutCellParts(1, 1, g->CellBoundary(Variant(1), Variant(1)));
    ASSERT_TRUE(p.hasIcon);
    EXPECT_EQ(p.icon, (Rect{0, 20, 16, 36})); // left of the text, top aligned
    EXPECT_EQ(p.text.left, 16 + g->CellIconGap());
    EXPECT_EQ(g->HitTest(5, 25), lattix::cell_part::kIcon);
    g->SetCellExtraImageList(Variant(1), Variant(1), 1);
    g->SetCellExtraIcon(Variant(1), Variant(1), 2);
    p = g->LayoutCellParts(1, 1, g->CellBoundary(Variant(1), Variant(1)));
    EXPECT_EQ(p.extraIcon.left, 16 + g->CellIconGap());
    EXPECT_EQ(p.text.left, 2 * (16 + g->CellIconGap()));
    EXPECT_EQ(g->HitTest(16 + g->CellIconGap() + 3, 25), lattix::cell_part::kExtraIcon);
    g->SetCellIconToText(Variant(1), Variant(1), 2); // above the text
    g->SetCellAlignH(Variant(1), Variant(1), 1);
    p = g->LayoutCellParts(1, 1, g->CellBoundary(Variant(1), Variant(1)));
    EXPECT_EQ(p.icon.left, (100 - 16) / 2);
    EXPECT_EQ(p.text.top, 20 + 2 * (16 + g->CellIconGap()));
    // An icon index beyond the registered lists is no icon.
    g->SetCellImageList(Variant(2), Variant(1), 2);
    g->SetCellIcon(Variant(2), Variant(1), 1);
    EXPECT_FALSE(g->LayoutCellParts(2, 1, g->CellBoundary(Variant(2), Variant(1))).hasIcon);
}

TEST(CellLayout, TreeIndentAndButton) {
    PlainGrid g;
    g->SetLevelIndent(16);
    g->SetRowLevel(Variant(2), 2);
    g->SetRowTreeButton(Variant(2), 2);
    const lattix::CellParts p = g->LayoutCellParts(2, 1, g->CellBoundary(Variant(2), Variant(1)));
    EXPECT_TRUE(p.inTreeColumn);
    EXPECT_EQ(p.indented.left, 32);
    EXPECT_EQ(p.text.left, 48);
    ASSERT_TRUE(p.hasTreeButton);
    const int s = g->TreeButtonPx();
    EXPECT_EQ(p.treeButton, (Rect{32 + 8 - s / 2, 50 + (30 - s) / 2, 32 + 8 - s / 2 + s, 50 + (30 - s) / 2 + s}));
    EXPECT_EQ(g->HitTest(40, 65), lattix::cell_part::kTreeButton);
    // Another column is not the tree column.
    EXPECT_FALSE(g->LayoutCellParts(2, 2, g->CellBoundary(Variant(2), Variant(2))).inTreeColumn);
    g->SetTreeCol(2);
    EXPECT_TRUE(g->LayoutCellParts(2, 2, g->CellBoundary(Variant(2), Variant(2))).inTreeColumn);
}

TEST(HitTest, ResolvesGivenCellsAndRefusesMissingOnes) {
    PlainGrid g;
    EXPECT_EQ(g->HitTest(10, 25), lattix::cell_part::kText);
    EXPECT_EQ(g->HitTest(10, 5), lattix::cell_part::kNone);   // on the header
    EXPECT_EQ(g->HitTest(350, 25), lattix::cell_part::kNone); // right of the last column
    // A given cell is tested even when the point lies elsewhere.
    EXPECT_EQ(g->HitTest(10, 25, 1, 1), lattix::cell_part::kText);
    EXPECT_EQ(LattixCode([&] { g->HitTest(10, 25, 5, 1); }), 513);
    EXPECT_EQ(LattixCode([&] { g->HitTest(10, 25, 1, 9); }), 513);
    EXPECT_EQ(LattixCode([&] { g->HitTest(10, 25, -1, 0); }), 513);
    g->SetCellType(Variant(1), Variant(1), 3); // custom drawn: no parts
    EXPECT_EQ(g->HitTest(10, 25), lattix::cell_part::kNone);
    g->SetRowCount(0);
    EXPECT_EQ(g->HitTest(10, 25), lattix::cell_part::kNone);
}

} // namespace
} // namespace geometry_test
