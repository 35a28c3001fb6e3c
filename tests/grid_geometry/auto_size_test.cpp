// AutoWidthCol(s), AutoHeightRow(s), GetOptimalCellHeight, text measuring and Sys.
#include "tests/grid_geometry/geometry_support.h"

#include "grid/objects/font_object.h"
#include "platform/gfx/font.h"
#include "platform/gfx/system_metrics.h"
#include "runtime/conversions.h"

namespace geometry_test {
namespace {

TEST(AutoWidthCol, FitsTheWidestTextWithinTheLimits) {
    HostedGrid g;
    Fill(*g, 2, 3, 40, 20);
    g->SetAutoWidthColWithHeader(false);
    g->SetCellValue(Variant(1), Variant(1), Variant("a"));
    g->SetCellValue(Variant(2), Variant(1), Variant("a much longer text"));
    const int32_t textWidth = g->EvaluateTextWidth(Variant(2), Variant(1));
    EXPECT_GT(textWidth, 60);
    g->AutoWidthCol(Variant(1));
    // The cell indents, the focus frame 2 and the vertical grid line 1.
    const int32_t indents = g->CellIndentLeft(Variant(2), Variant(1)) + g->CellIndentRight(Variant(2), Variant(1));
    EXPECT_EQ(g->ColWidth(Variant(1)), textWidth + indents + 3);
    g->AutoWidthCol(Variant(1), -1, 50);
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
    g->SetCellValue(Variant(2), Variant(1), Variant("x"));
    g->SetColMinWidth(Variant(1), 50);
    g->AutoWidthCol(Variant(1));
    EXPECT_EQ(g->ColWidth(Variant(1)), 50);
    g->AutoWidthCol(Variant(1), -1, 20); // the given maximum is applied last
    EXPECT_EQ(g->ColWidth(Variant(1)), 20);
    EXPECT_EQ(LattixCode([&] { g->AutoWidthCol(Variant(1), 30, 20); }), 514);
    EXPECT_EQ(LattixCode([&] { g->AutoWidthCol(Variant(7)); }), 513);
    EXPECT_EQ(g->ColWidth(Variant(1)), 20);
}

TEST(AutoWidthCol, TreeLevelsCheckBoxesAndHeader) {
    HostedGrid g;
    Fill(*g, 2, 2, 40, 20);
    g->SetAutoWidthColWithHeader(false);
    g->SetCellValue(Variant(1), Variant(1), Variant("abc"));
    g->AutoWidthCol(Variant(1));
    const int32_t plain = g->ColWidth(Variant(1));
    g->SetRowLevel(Variant(1), 2);
    g->SetRowTreeButton(Variant(1), 1);
    g->AutoWidthCol(Variant(1));
    EXPECT_EQ(g->ColWidth(Variant(1)), plain + 3 * g->LevelIndentPx());
    g->SetCellCheckVisible(Variant(1), Variant(2), true);
    g->AutoWidthCol(Variant(2));
    const int32_t indents = g->CellIndentLeft(Variant(1), Variant(2)) + g->CellIndentRight(Variant(1), Variant(2));
    EXPECT_EQ(g->ColWidth(Variant(2)), lattix::gfx::systemMetrics().checkBoxSize + g->CellCheckGap() + indents + 3);
    g->SetColHeaderText(Variant(2), "A rather long header text");
    g->SetAutoWidthColWithHeader(true);
    g->AutoWidthCol(Variant(2));
    EXPECT_EQ(g->ColWidth(Variant(2)), g->HeaderItemOptimalWidth(2));
}

TEST(AutoWidthCols, SkipsHiddenColumnsUnlessAsked) {
    HostedGrid g;
    Fill(*g, 3, 1, 40, 20);
    g->SetAutoWidthColWithHeader(false);
    for (int c = 1; c <= 3; ++c) g->SetCellValue(Variant(1), Variant(c), Variant("some words here"));
    g->SetColVisible(Variant(2), false);
    g->AutoWidthCols();
    EXPECT_GT(g->ColWidth(Variant(1)), 40);
    EXPECT_EQ(g->ColWidth(Variant(2)), 40);
    g->AutoWidthCols(Variant(2), Variant(2), true, -1, -1, 0);
    EXPECT_EQ(g->ColWidth(Variant(2)), g->ColWidth(Variant(1)));
    EXPECT_EQ(LattixCode([&] { g->AutoWidthCols(Variant::missing(), Variant::missing(), false, -1, -1, 3); }), 514);
}

TEST(AutoWidthCols, SizesEachColumnByItsOwnCellsWhenAHandlerMovesColumnsOnTheWay) {
    HostedGrid g;
    Fill(*g, 3, 1, 40, 20);
    g->SetAutoWidthColWithHeader(false);
    const char* texts[] = {"a", "a somewhat longer text", "medium text"};
    for (int c = 1; c <= 3; ++c) g->SetCellValue(Variant(1), Variant(c), Variant(texts[c - 1]));
    g->AutoWidthCols();
    int32_t expected[4] = {};
    for (int c = 1; c <= 3; ++c) {
        expected[c] = g->ColWidth(Variant(c));
        g->SetColWidth(Variant(c), 40);
    }
    EXPECT_LT(expected[1], expected[3]);
    EXPECT_LT(expected[3], expected[2]);
    // The first text the grid asks for moves the last column to the front.
    g->SetDynamicContentEvents(4);
    bool moved = false;
    const int cookie = g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant>) {
        if (e.name != "CellDynamicText" || moved) return;
        moved = true;
        g->SetColPos(Variant(3), 1);
    });
    g->AutoWidthCols();
    g->events()->disconnect(cookie);
    EXPECT_TRUE(moved);
    EXPECT_EQ(g->ColPos(Variant(3)), 1);
    for (int c = 1; c <= 3; ++c) EXPECT_EQ(g->ColWidth(Variant(c)), expected[c]) << "column " << c;
    // The positions follow the new widths.
    EXPECT_EQ(g->ColStartX(Variant(1)), g->ColStartX(Variant(3)) + expected[3]);
}

TEST(AutoHeightRow, MultiLineTextAndRowText) {
    HostedGrid g;
    Fill(*g, 2, 3, 100, 17);
    g->SetCellValue(Variant(1), Variant(1), Variant("one\ntwo\nthree"));
    g->AutoHeightRow(Variant(1));
    const int32_t line = g->EvaluateTextHeight(Variant(2), Variant(2)) == 0
                             ? g->GfxFontOf(*g->Font())->metrics().height
                             : g->EvaluateTextHeight(Variant(2), Variant(2));
    EXPECT_EQ(g->RowHeight(Variant(1)), 3 * line + 2 + 1);
    EXPECT_EQ(g->RowNormalCellHeight(Variant(1)), g->RowHeight(Variant(1)));
    EXPECT_EQ(g->RowStartY(Variant(2)), g->RowHeight(Variant(1)));
    g->SetDrawRowText(true);
    g->SetCellValue(Variant(2), Variant(g->RowTextCol()), Variant("row text"));
    g->AutoHeightRow(Variant(2));
    EXPECT_EQ(g->RowNormalCellHeight(Variant(2)), line + 3);
    EXPECT_EQ(g->RowHeight(Variant(2)), 2 * (line + 3));
    g->AutoHeightRow(Variant(3), 40, -1);
    EXPECT_EQ(g->RowHeight(Variant(3)), 40);
    EXPECT_EQ(LattixCode([&] { g->AutoHeightRow(Variant(3), 50, 40); }), 514);
}

TEST(AutoHeightRow, ClampsToTheLargestStoredHeight) {
    HostedGrid g;
    Fill(*g, 1, 2, 100, 17);
    std::string text;
    for (int i = 0; i < 4000; ++i) text += "line\n";
    g->SetCellValue(Variant(1), Variant(1), Variant(text));
    g->AutoHeightRow(Variant(1));
    EXPECT_EQ(g->RowHeight(Variant(1)), 32767);
    g->SetCellValue(Variant(2), Variant(1), Variant(text));
    g->AutoHeightRows();
    EXPECT_EQ(g->RowHeight(Variant(2)), 32767);
    EXPECT_EQ(g->RowStartY(Variant(2)), 32767);
    EXPECT_TRUE(g->Row(2).displayed());
}

TEST(AutoHeightRows, SkipsHiddenRowsUnlessAsked) {
    HostedGrid g;
    Fill(*g, 1, 3, 100, 50);
    g->SetRowVisible(Variant(2), false);
    g->AutoHeightRows();
    EXPECT_LT(g->RowHeight(Variant(1)), 50);
    EXPECT_EQ(g->RowHeight(Variant(2)), 50);
    g->AutoHeightRows(Variant(2), Variant(2), true);
    EXPECT_EQ(g->RowHeight(Variant(2)), g->RowHeight(Variant(1)));
}

TEST(GetOptimalCellHeight, AddsIconsCheckBoxesIndentsAndLines) {
    HostedGrid g;
    const int32_t line = g->GfxFontOf(*g->Font())->metrics().height;
    EXPECT_EQ(g->GetOptimalCellHeight(), line + 2 + 1);
    EXPECT_EQ(g->GetOptimalCellHeight(3), 3 * line + 3);
    EXPECT_EQ(g->GetOptimalCellHeight(1, 0, 0, 0, false, 0, false, 2, 3), line + 5 + 3);
    EXPECT_EQ(g->GetOptimalCellHeight(1, 0, 0, 0, false, 0, false, 0, 0, nullptr, false), line + 2);
    const int side = lattix::gfx::systemMetrics().checkBoxSize;
    EXPECT_EQ(g->GetOptimalCellHeight(0, 0, 0, 0, true, 1), side + g->CellCheckGap() + 3);
    auto big = lattix::FontObject::Create();
    big->SetSize(lattix::Currency{200000});
    EXPECT_GT(g->GetOptimalCellHeight(1, 0, 0, 0, false, 0, false, 0, 0, big), line + 3);
    EXPECT_EQ(LattixCode([&] { g->GetOptimalCellHeight(1, 16); }), 514);
    EXPECT_EQ(LattixCode([&] { g->GetOptimalCellHeight(1, 0, 0, 0, false, 5); }), 514);
}

TEST(TextMeasure, EmptyTextAndClipping) {
    HostedGrid g(300, 200);
    Fill(*g, 2, 3, 60, 20);
    EXPECT_EQ(g->EvaluateTextWidth(Variant(1), Variant(1)), 0);
    EXPECT_EQ(g->EvaluateTextHeight(Variant(1), Variant(1)), 0);
    EXPECT_FALSE(g->IsCellTextClipped(Variant(1), Variant(1)));
    g->SetCellValue(Variant(1), Variant(1), Variant("ab"));
    EXPECT_FALSE(g->IsCellTextClipped(Variant(1), Variant(1)));
    g->SetCellValue(Variant(1), Variant(1), Variant("a text far too wide for sixty pixels"));
    EXPECT_TRUE(g->IsCellTextClipped(Variant(1), Variant(1)));
    // Partly hidden: a fitting text in a row below the view.
    g->SetRowCount(20);
    g->SetRowHeights(20);
    g->SetCellValue(Variant(15), Variant(1), Variant("ab"));
    EXPECT_TRUE(g->IsCellTextClipped(Variant(15), Variant(1)));
    EXPECT_FALSE(g->IsCellTextClipped(Variant(15), Variant(1), false));
}

TEST(Sys, ViewValues) {
    HostedGrid g(200, 120);
    g.HideScrollBars();
    Fill(*g, 6, 30, 50, 20);
    g->SetFrozenCols(1);
    g->SetRowVisible(Variant(1), false);
    auto sys = [&](int i) { return lattix::ToInt32(g->Sys(i)); };
    EXPECT_EQ(sys(0), 2);
    EXPECT_EQ(sys(1), 20);
    EXPECT_EQ(sys(4), 6);
    EXPECT_EQ(sys(5), 20 + 100);
    EXPECT_EQ(sys(8), 200);
    EXPECT_EQ(sys(9), 100);
    EXPECT_EQ(sys(10), 200);
    EXPECT_EQ(sys(11), 120);
    EXPECT_EQ(sys(12), 1);
    EXPECT_EQ(sys(13), 6);
    EXPECT_EQ(sys(14), 1);
    EXPECT_EQ(sys(15), 2);
    EXPECT_EQ(sys(16), 1);
    EXPECT_EQ(sys(17), 5);
    EXPECT_EQ(sys(18), 50);
    EXPECT_EQ(sys(19), 250);
    EXPECT_EQ(sys(20), 2);
    EXPECT_EQ(sys(21), 30);
    EXPECT_EQ(sys(22), 29);
    EXPECT_EQ(sys(23), 29 * 20);
    EXPECT_EQ(LattixCode([&] { g->Sys(26); }), 514);
}

} // namespace
} // namespace geometry_test
