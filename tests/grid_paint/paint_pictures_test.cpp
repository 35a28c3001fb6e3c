// Pictures of the painted grid, one per look, compared pixel for pixel with the reference PNGs of
// this folder. Rendered headless at 96 dpi with the fixed font. LATTIX_UPDATE_PICTURES=1 rewrites
// the references; scripts/contact-sheet.sh puts them all on one sheet to look at.
#include "tests/grid_paint/paint_support.h"
#include "tests/picture_check.h"

#include "grid/view/dc_handles.h"
#include "platform/gfx/text_draw.h"

namespace paint_test {
namespace {

constexpr int32_t kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2;
constexpr int32_t kAlignTop = 0, kAlignVCenter = 1, kAlignBottom = 2;

gfx::Bitmap Stack(const std::vector<gfx::Bitmap>& parts) {
    int w = 0, h = 0;
    for (const auto& p : parts) {
        w = std::max(w, p.width());
        h += p.height();
    }
    h += 4 * static_cast<int>(parts.size() - 1);
    gfx::Bitmap out(w, h, gfx::pixelOf(0x808080));
    gfx::DeviceContext dc(out);
    int y = 0;
    for (const auto& p : parts) {
        dc.bitBlt(0, y, p.width(), p.height(), p, 0, 0);
        y += p.height() + 4;
    }
    return out;
}

void Fill(Lattix& g, int rows, int cols, const std::function<Variant(int, int)>& value) {
    g.SetColCount(cols);
    g.SetRowCount(rows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols; ++c) g.SetCellValue(Variant(r), Variant(c), value(r, c));
}

std::string Pic(const std::string& name) { return "tests/grid_paint/" + name + ".png"; }

TEST(GridPictures, PlainText) {
    HostedGrid h(300, 120);
    const char* fruit[] = {"Apple", "Banana", "Cherry", "Damson", "Elderberry", "Fig"};
    Fill(*h.g, 6, 4, [&](int r, int c) {
        if (c == 1) return Variant(fruit[r - 1]);
        if (c == 2) return Variant("Row " + std::to_string(r));
        if (c == 3) return Variant("A longer text that is cut with an ellipsis");
        return Variant(std::string(""));
    });
    h.g->SetColWidth(Variant(3), 110);
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("plain_text")));
}

TEST(GridPictures, NumbersAndDatesWithFormatsAndAlignments) {
    HostedGrid h(330, 130);
    Lattix& g = *h.g;
    g.SetColCount(4);
    g.SetRowCount(4);
    g.SetRowHeights(26);
    const double numbers[] = {1234.5, -0.25, 1e6, 42};
    const double shares[] = {0.125, -0.5, 0.9999, 0.042};
    for (int r = 1; r <= 4; ++r) {
        g.SetCellValue(Variant(r), Variant(1), Variant(numbers[r - 1]));
        g.SetCellFmtString(Variant(r), Variant(1), "#,##0.00");
        g.SetCellAlignH(Variant(r), Variant(1), kAlignRight);
        g.SetCellValue(Variant(r), Variant(2), Variant(shares[r - 1]));
        g.SetCellFmtString(Variant(r), Variant(2), "0.0%");
        g.SetCellAlignH(Variant(r), Variant(2), kAlignCenter);
        lattix::Variant date = lattix::Variant(lattix::Date{45000.0 + r * 31});
        g.SetCellValue(Variant(r), Variant(3), date);
        g.SetCellFmtString(Variant(r), Variant(3), "yyyy-mm-dd");
        g.SetCellValue(Variant(r), Variant(4), Variant("v-align"));
        g.SetCellAlignV(Variant(r), Variant(4), (r - 1) % 3);
        g.SetCellAlignH(Variant(r), Variant(4), (r - 1) % 3);
    }
    g.SetColWidth(Variant(1), 90);
    g.SetColWidth(Variant(2), 76);
    g.SetColWidth(Variant(3), 80);
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("formats_alignment")));
}

TEST(GridPictures, FontsAndColoursPerCell) {
    HostedGrid h(320, 110);
    Lattix& g = *h.g;
    Fill(g, 5, 3, [](int r, int c) { return Variant("Cell " + std::to_string(r) + "," + std::to_string(c)); });
    g.SetColWidths(100);
    g.SetRowHeights(20);
    lattix::FontCloneArgs bold;
    bold.bBold = Variant(true);
    g.SetCellFont(Variant(1), Variant(1), g.FontClone(bold));
    lattix::FontCloneArgs italic;
    italic.bItalic = Variant(true);
    italic.cSize = Variant(10.0);
    g.SetCellFont(Variant(2), Variant(2), g.FontClone(italic));
    lattix::FontCloneArgs serif;
    serif.sName = Variant("Serif");
    serif.bUnderline = Variant(true);
    g.SetCellFont(Variant(3), Variant(3), g.FontClone(serif));
    g.SetCellForeColor(Variant(1), Variant(2), 0x0000C0);
    g.SetCellBackColor(Variant(2), Variant(1), 0xC0FFFF);
    g.SetCellForeColor(Variant(4), Variant(1), 0xFFFFFF);
    g.SetCellBackColor(Variant(4), Variant(1), 0x804000);
    g.SetCellBackColor(Variant(5), Variant(3), static_cast<int32_t>(0x8000000Fu)); // button face
    g.SetBackColorOddRows(0xF4F0E8);
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("fonts_colours")));
}

TEST(GridPictures, SixHatches) {
    HostedGrid h(300, 80);
    Lattix& g = *h.g;
    Fill(g, 3, 3, [](int r, int c) { return Variant("Hatch " + std::to_string((r - 1) * 3 + c - 1)); });
    g.SetColWidths(96);
    g.SetRowHeights(24);
    const int32_t colours[] = {0x0000C0, 0x008000, 0xC00000, 0x008080, 0x800080, 0x404040};
    for (int i = 0; i < 6; ++i) {
        g.SetCellBackColor(Variant(i / 3 + 1), Variant(i % 3 + 1), colours[i]);
        g.SetCellHatch(Variant(i / 3 + 1), Variant(i % 3 + 1), i);
    }
    // The same hatch with opaque and with transparent text.
    g.SetCellBackColor(Variant(3), Variant(1), 0x0000C0);
    g.SetCellHatch(Variant(3), Variant(1), 5);
    g.SetCellValue(Variant(3), Variant(1), Variant("Opaque text"));
    g.SetCellValue(Variant(3), Variant(2), Variant(std::string("")));
    g.SetCellValue(Variant(3), Variant(3), Variant("Transparent text"));
    h.attach();
    g.SetOpaqueTextInHatchedCells(false);
    g.SetCellBackColor(Variant(3), Variant(3), 0x0000C0);
    g.SetCellHatch(Variant(3), Variant(3), 5);
    g.SetOpaqueTextInHatchedCells(true);
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("hatches")));
}

gfx::Bitmap CheckBoxGrid(bool flat, bool enabled, bool themed = false) {
    HostedGrid h(300, 44);
    Lattix& g = *h.g;
    g.SetUseXPStyles(themed); // the classic glyphs unless asked
    const char* names[] = {"Unchecked", "Checked", "Grayed"};
    Fill(g, 2, 3, [&](int r, int c) { return Variant(r == 1 ? std::string(names[c - 1]) : std::string("Right")); });
    g.SetColWidths(96);
    g.SetRowHeights(20);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) {
            g.SetCellCheckVisible(Variant(r), Variant(c), true);
            g.SetCellCheckState(Variant(r), Variant(c), c - 1);
            g.SetCellCheckPos(Variant(r), Variant(c), r == 1 ? 0 : 2);
        }
    g.SetFlatCellControls(flat);
    g.SetEnabled(enabled);
    h.attach();
    return h.picture();
}

TEST(GridPictures, CheckBoxesThreeStatesFlat3DAndDisabled) {
    EXPECT_TRUE(lattix::test::MatchesReference(
        Stack({CheckBoxGrid(false, true), CheckBoxGrid(true, true), CheckBoxGrid(false, false)}), Pic("check_boxes")));
}

TEST(GridPictures, IconsWithText) {
    HostedGrid h(330, 110);
    Lattix& g = *h.g;
    g.RegisterImageList(SampleIcons());
    Fill(g, 3, 3, [](int r, int c) { return Variant("Icon " + std::to_string(r) + "." + std::to_string(c)); });
    g.SetColWidths(104);
    g.SetRowHeight(Variant(1), 22);
    g.SetRowHeight(Variant(2), 40);
    g.SetRowHeight(Variant(3), 40);
    for (int c = 1; c <= 3; ++c) {
        g.SetCellIcon(Variant(1), Variant(c), static_cast<int16_t>(c));
        g.SetCellIconToText(Variant(2), Variant(c), c == 1 ? 1 : c == 2 ? 2 : 3); // right, above, below
        g.SetCellIcon(Variant(2), Variant(c), static_cast<int16_t>(c));
        g.SetCellAlignH(Variant(2), Variant(c), kAlignCenter);
    }
    g.SetCellExtraIcon(Variant(1), Variant(2), 3);
    g.SetCellIcon(Variant(3), Variant(1), 1);
    g.SetCellExtraIcon(Variant(3), Variant(1), 2);
    g.SetCellValue(Variant(3), Variant(2), Variant(std::string("")));
    g.SetCellIcon(Variant(3), Variant(2), 2);
    g.SetCellAlignH(Variant(3), Variant(2), kAlignCenter);
    g.SetCellAlignV(Variant(3), Variant(2), kAlignVCenter);
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("icons_text")));
}

gfx::Bitmap ComboGrid(bool flat, bool themed = false) {
    HostedGrid h(300, 48);
    Lattix& g = *h.g;
    g.SetUseXPStyles(themed); // the classic glyphs unless asked
    Fill(g, 2, 3, [](int r, int c) { return Variant("Choice " + std::to_string(r * 10 + c)); });
    g.SetColWidths(96);
    g.SetRowHeights(20);
    for (int r = 1; r <= 2; ++r) {
        g.SetCellType(Variant(r), Variant(2), 2); // text-combo
        g.SetCellType(Variant(r), Variant(3), 2);
    }
    g.SetShowControlsInAllCells(true);
    g.SetFlatCellControls(flat);
    h.attach();
    return h.picture();
}

TEST(GridPictures, ComboButtons) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({ComboGrid(false), ComboGrid(true)}), Pic("combo_buttons")));
}

// Farms, barns and pens on four levels, the third barn collapsed.
void FillTree(Lattix& g) {
    g.SetColCount(2);
    g.SetColWidth(Variant(1), 180);
    g.SetTreeCol(1);
    g.SetAddRowAutoTreeButton(true);
    auto add = [&](int level, const std::string& text) {
        lattix::AddRowArgs a;
        if (level > 0)
            for (int32_t r = g.RowCount(); r >= 1; --r)
                if (g.Row(r).level == level - 1) {
                    a.vRowParent = Variant(r);
                    break;
                }
        const int32_t row = g.AddRow(a);
        g.SetCellValue(Variant(row), Variant(1), Variant(text));
        g.SetCellValue(Variant(row), Variant(2), Variant(level));
        return row;
    };
    add(0, "Farms");
    add(1, "North");
    add(2, "Barn 1");
    add(2, "Barn 2");
    add(3, "Pen A");
    add(3, "Pen B");
    add(1, "South");
    const int32_t collapsed = add(2, "Barn 3 (collapsed)");
    add(3, "Pen C");
    add(1, "East");
    add(0, "Hatchery");
    g.SetRowExpanded(Variant(collapsed), false);
}

gfx::Bitmap TreeGrid(int32_t treeLines, bool themed = false) {
    HostedGrid h(300, 170);
    Lattix& g = *h.g;
    g.SetUseXPStyles(themed); // the classic glyphs unless asked
    FillTree(g);
    g.SetTreeLines(treeLines);
    h.attach();
    return h.picture();
}

// Row mode with FullRowSelect: the selected rows (a pen on the fourth level, the current one, and a
// barn) are highlighted from their left edge, the tree indentation included.
gfx::Bitmap FullRowSelectGrid(bool focused) {
    HostedGrid h(300, 130);
    Lattix& g = *h.g;
    g.SetUseXPStyles(false);
    FillTree(g);
    g.SetTreeLines(1);
    g.SetRowMode(true);
    g.SetMultiSelect(true);
    g.SetFullRowSelect(true);
    g.SetCurRow(5);
    g.SetCellSelected(Variant(3), Variant(1), true);
    h.attach();
    if (focused) g.FocusGridWindow();
    return h.picture();
}

TEST(GridPictures, FullRowSelectWithAndWithoutFocus) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({FullRowSelectGrid(true), FullRowSelectGrid(false)}),
                                               Pic("full_row_select")));
}

TEST(GridPictures, TreeWithLinesAndButtons) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({TreeGrid(1), TreeGrid(2)}), Pic("tree")));
}

// Check boxes and combo buttons under the mouse, and the combo button of the current cell while
// its list is down, in the themed look.
gfx::Bitmap HotGrid(int hoverCol) {
    HostedGrid h(300, 44);
    Lattix& g = *h.g;
    Fill(g, 2, 3, [](int r, int c) { return Variant(c == 1 ? "Check " + std::to_string(r) : "Choice " + std::to_string(r)); });
    g.SetColWidths(96);
    g.SetRowHeights(20);
    for (int r = 1; r <= 2; ++r) {
        g.SetCellCheckVisible(Variant(r), Variant(1), true);
        g.SetCellCheckState(Variant(r), Variant(1), r == 1 ? 1 : 0);
        g.SetCellType(Variant(r), Variant(2), 2); // text-combo
    }
    g.SetShowControlsInAllCells(true);
    h.attach();
    g.SetCurRow(2);
    g.SetCurCol(2);
    g.SetComboDroppedDown(true);
    h.host.MouseMove((hoverCol - 1) * 96 + 48, 10); // over row 1
    h.host.Pump();
    return h.picture();
}

TEST(GridPictures, ThemedGlyphsAndHotLooks) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({CheckBoxGrid(false, true, true), CheckBoxGrid(false, false, true),
                                                      ComboGrid(false, true), HotGrid(1), HotGrid(2), TreeGrid(1, true)}),
                                               Pic("themed_controls")));
}

TEST(GridPictures, FrozenColumnsScrolledHorizontally) {
    HostedGrid h(320, 90);
    Lattix& g = *h.g;
    Fill(g, 4, 8, [](int r, int c) { return Variant("R" + std::to_string(r) + "C" + std::to_string(c)); });
    g.SetColWidths(60);
    g.SetFrozenCols(2);
    h.attach();
    g.SetHScrollValue(3);
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("frozen_scrolled")));
}

gfx::Bitmap SelectionGrid(bool focused, uint8_t alpha) {
    HostedGrid h(300, 90);
    Lattix& g = *h.g;
    Fill(g, 4, 3, [](int r, int c) { return Variant("Item " + std::to_string(r * 10 + c)); });
    g.SetColWidths(96);
    g.SetCellBackColor(Variant(2), Variant(2), 0x80FFFF);
    g.SetCellForeColor(Variant(3), Variant(2), 0x0000C0);
    g.SetMultiSelect(true);
    // The current cell first: a move keeps only its own cell selected.
    g.SetCurRow(3);
    g.SetCurCol(2);
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c) g.SetCellSelected(Variant(r), Variant(c), true);
    g.SetSelectionAlphaBlend(alpha);
    h.attach();
    if (focused) g.FocusGridWindow();
    return h.picture();
}

TEST(GridPictures, SelectionWithAndWithoutFocus) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({SelectionGrid(true, 255), SelectionGrid(false, 255)}),
                                               Pic("selection_focus")));
}

TEST(GridPictures, AlphaBlendedSelection) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({SelectionGrid(true, 96), SelectionGrid(false, 96)}),
                                               Pic("selection_alpha")));
}

TEST(GridPictures, RowTextColumn) {
    HostedGrid h(320, 130);
    Lattix& g = *h.g;
    Fill(g, 3, 3, [](int r, int c) { return Variant("Field " + std::to_string(r * 10 + c)); });
    g.SetColWidths(100);
    g.SetDrawRowText(true);
    g.SetRowTextStartCol(2);
    for (int r = 1; r <= 3; ++r) {
        g.SetRowHeight(Variant(r), 38);
        g.SetRowNormalCellHeight(Variant(r), 18);
        g.SetCellValue(Variant(r), Variant(g.RowTextCol()), Variant("Notes of row " + std::to_string(r) + ": spans the columns"));
        g.SetCellForeColor(Variant(r), Variant(g.RowTextCol()), 0x606060);
    }
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("row_text")));
}

TEST(GridPictures, DisabledGrid) {
    HostedGrid h(300, 90);
    Lattix& g = *h.g;
    g.SetUseXPStyles(false); // the classic glyphs
    g.RegisterImageList(SampleIcons());
    Fill(g, 4, 3, [](int r, int c) { return Variant("Off " + std::to_string(r * 10 + c)); });
    g.SetColWidths(96);
    g.SetRowHeights(20);
    g.SetCellBackColor(Variant(1), Variant(2), 0x0000FF);
    g.SetCellIcon(Variant(2), Variant(1), 1);
    g.SetCellCheckVisible(Variant(3), Variant(3), true);
    g.SetCellCheckState(Variant(3), Variant(3), 1);
    g.SetEnabled(false);
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("disabled")));
}

TEST(GridPictures, BackgroundPicture) {
    HostedGrid h(300, 110);
    Lattix& g = *h.g;
    Fill(g, 3, 3, [](int r, int c) { return Variant("On picture " + std::to_string(r * 10 + c)); });
    g.SetColWidths(90);
    g.SetCellBackColor(Variant(2), Variant(2), 0xFFFFFF);
    g.SetBackgroundPicture(CheckerPicture(24, 24, 0xF0E0D0, 0xFFF8F0));
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("background_picture")));
}

TEST(GridPictures, CellDrawnByTheHost) {
    HostedGrid h(300, 70);
    Lattix& g = *h.g;
    Fill(g, 3, 3, [](int r, int c) { return Variant(r * 25 + c * 10); });
    g.SetColWidths(96);
    g.SetRowHeights(20);
    for (int r = 1; r <= 3; ++r) g.SetCellType(Variant(r), Variant(3), 3); // custom draw
    // The host draws a bar as long as the value in the cell's own column.
    OnEvent(g, "CustomDrawCell", [&](std::span<Variant> a) {
        gfx::DeviceContext* dc = lattix::DeviceContextFromHandle(lattix::ToInt32(a[2]));
        ASSERT_NE(dc, nullptr);
        const int32_t row = lattix::ToInt32(a[0]);
        const int left = lattix::ToInt32(a[3]) + 3, top = lattix::ToInt32(a[4]) + 4, bottom = lattix::ToInt32(a[6]) - 4;
        const int len = lattix::ToInt32(g.CellValue(Variant(row), Variant(1)));
        dc->fillRect({left, top, left + len, bottom}, gfx::rgb(40, 120, 200));
        dc->setBkMode(gfx::BackgroundMode::Transparent);
        dc->setTextColor(gfx::rgb(255, 255, 255));
        gfx::drawText(*dc, std::to_string(len) + "%", gfx::Rect{left, top - 3, left + len, bottom + 3},
                      gfx::DT_SINGLELINE | gfx::DT_VCENTER | gfx::DT_CENTER);
    });
    h.attach();
    EXPECT_TRUE(lattix::test::MatchesReference(h.picture(), Pic("custom_draw")));
}

} // namespace
} // namespace paint_test
