// Pictures of grids on screens of 192 and 144 dpi, compared pixel for pixel with the reference PNGs
// of this folder: fonts, the system's control sizes and the sizes given in 96-dpi units grow with
// the dpi, drawn at the screen's own resolution rather than enlarged.
#include "tests/grid_paint/paint_support.h"
#include "tests/picture_check.h"

#include "grid/objects/sort_group_object.h"

namespace paint_test {
namespace {

// A grid on a headless host window of a screen at `dpi`, measured at that dpi, with its header.
struct DpiGrid {
    lattix::ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> g;
    DpiGrid(int width, int height, int dpi) : host(width, height, "Lattix", dpi) {
        Lattix::Options options;
        options.system.dpiX = dpi;
        g = Lattix::Create(options);
        g->SetBorderType(0);
    }
    // Sizes a host keeps in 96-dpi units, in pixels of this screen.
    int32_t Px(int32_t units) const { return units * g->ScreenDpiX() / 96; }
    void attach() { g->AttachToWindow(host.TopLevel()); }
    gfx::Bitmap picture() { return host.Render(); }
};

std::string Pic(const std::string& name) { return "tests/grid_paint/" + name + ".png"; }

gfx::Bitmap Stack(const std::vector<gfx::Bitmap>& parts) {
    int w = 0, h = 0;
    for (const auto& p : parts) {
        w = std::max(w, p.width());
        h += p.height() + 8;
    }
    gfx::Bitmap out(w, h - 8, gfx::pixelOf(0x808080));
    gfx::DeviceContext dc(out);
    int y = 0;
    for (const auto& p : parts) {
        dc.bitBlt(0, y, p.width(), p.height(), p, 0, 0);
        y += p.height() + 8;
    }
    return out;
}

// Plain text under a header with sort marks, both scroll bars, and a selection with the focus
// rectangle on the current cell.
gfx::Bitmap TextGrid(int dpi, int width96, int height96) {
    DpiGrid h(width96 * dpi / 96, height96 * dpi / 96, dpi);
    Lattix& g = *h.g;
    const char* breeds[] = {"Broiler", "Layer", "Bantam", "Orpington", "Leghorn", "Sussex", "Silkie", "Brahma"};
    g.SetColCount(4);
    g.SetRowCount(12);
    for (int r = 1; r <= 12; ++r) {
        g.SetCellValue(Variant(r), Variant(1), Variant(breeds[(r - 1) % 8]));
        g.SetCellValue(Variant(r), Variant(2), Variant("Pen " + std::to_string(r)));
        g.SetCellValue(Variant(r), Variant(3), Variant(1800.0 + 37.5 * r));
        g.SetCellValue(Variant(r), Variant(4), Variant("A longer text that is cut"));
    }
    const char* heads[] = {"Breed", "Pen", "Weight", "Notes"};
    for (int c = 1; c <= 4; ++c) g.SetColHeaderText(Variant(c), heads[c - 1]);
    g.SetColWidth(Variant(1), h.Px(90));
    g.SetColWidth(Variant(2), h.Px(70));
    g.SetColWidth(Variant(3), h.Px(70));
    g.SetColWidth(Variant(4), h.Px(110));
    g.SetGridLines(3);
    g.SortObject()->AddItem(Variant(1), 0);
    g.SortObject()->AddItem(Variant(3), 1);
    g.Sort();
    g.SetMultiSelect(true);
    g.SetCurRow(3);
    g.SetCurCol(2);
    for (int r = 2; r <= 3; ++r)
        for (int c = 1; c <= 2; ++c) g.SetCellSelected(Variant(r), Variant(c), true);
    h.attach();
    g.FocusGridWindow();
    return h.picture();
}

// A tree with dotted lines and buttons, check boxes in three states and combo buttons, in the
// classic or the themed look.
gfx::Bitmap ControlsGrid(int dpi, bool themed) {
    DpiGrid h(300 * dpi / 96, 190 * dpi / 96, dpi);
    Lattix& g = *h.g;
    g.SetUseXPStyles(themed);
    g.SetHeaderHeight(0);
    g.SetColCount(3);
    g.SetColWidth(Variant(1), h.Px(130));
    g.SetColWidth(Variant(2), h.Px(80));
    g.SetColWidth(Variant(3), h.Px(80));
    g.SetTreeCol(1);
    g.SetAddRowAutoTreeButton(true);
    g.SetTreeLines(1);
    auto add = [&](int32_t parent, const std::string& text) {
        lattix::AddRowArgs a;
        if (parent > 0) a.vRowParent = Variant(parent);
        const int32_t row = g.AddRow(a);
        g.SetCellValue(Variant(row), Variant(1), Variant(text));
        return row;
    };
    const int32_t farms = add(0, "Farms");
    const int32_t north = add(farms, "North");
    add(north, "Barn 1");
    const int32_t barn2 = add(north, "Barn 2");
    add(barn2, "Pen A");
    const int32_t south = add(farms, "South");
    add(south, "Pen B");
    add(0, "Hatchery");
    g.SetRowExpanded(Variant(south), false);
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        g.SetCellValue(Variant(r), Variant(2), Variant("Check"));
        g.SetCellCheckVisible(Variant(r), Variant(2), true);
        g.SetCellCheckState(Variant(r), Variant(2), (r - 1) % 3);
        g.SetCellValue(Variant(r), Variant(3), Variant("Choice"));
        g.SetCellType(Variant(r), Variant(3), 2); // text-combo
    }
    g.SetShowControlsInAllCells(true);
    h.attach();
    return h.picture();
}

TEST(GridPicturesAtDpi, TextHeaderScrollBarsAndSelectionAt192) {
    EXPECT_TRUE(lattix::test::MatchesReference(TextGrid(192, 300, 150), Pic("dpi192_text")));
}

TEST(GridPicturesAtDpi, TreeCheckBoxesAndCombosAt192InBothLooks) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({ControlsGrid(192, false), ControlsGrid(192, true)}),
                                               Pic("dpi192_controls")));
}

TEST(GridPicturesAtDpi, TextAndControlsAt144) {
    EXPECT_TRUE(lattix::test::MatchesReference(Stack({TextGrid(144, 300, 150), ControlsGrid(144, false)}),
                                               Pic("dpi144_grid")));
}

// The picture at 192 dpi is drawn at that resolution: its layout is the one at 96 dpi twice over,
// but it is not the 96-dpi picture with every pixel doubled.
TEST(GridPicturesAtDpi, TheDoubleDpiPictureIsNotTheSinglePictureEnlarged) {
    const gfx::Bitmap single = TextGrid(96, 300, 150);
    const gfx::Bitmap twice = TextGrid(192, 300, 150);
    ASSERT_EQ(twice.width(), 2 * single.width());
    ASSERT_EQ(twice.height(), 2 * single.height());
    int differing = 0;
    for (int y = 0; y < twice.height(); ++y)
        for (int x = 0; x < twice.width(); ++x) differing += twice.colorAt(x, y) != single.colorAt(x / 2, y / 2);
    // Text, lines and edges are drawn anew: a good share of the pixels differ from the enlargement.
    EXPECT_GT(differing, twice.width() * twice.height() / 50);

    // One screen serves every host: the 96-dpi grid is measured before the screen changes.
    DpiGrid a(300, 150, 96);
    a.attach();
    const int32_t rowA = a.g->DefaultRowHeight(), topA = a.g->CellsAreaTop();
    DpiGrid b(600, 300, 192);
    b.attach();
    // Rows, the header, the bars and the check boxes measure about twice as much.
    EXPECT_NEAR(b.g->DefaultRowHeight(), 2 * rowA, 2);
    EXPECT_NEAR(b.g->CellsAreaTop(), 2 * topA, 2);
    EXPECT_EQ(lattix::ui::Wm().ScrollBarThickness(), 34);
    EXPECT_EQ(b.g->TreeButtonPx(), 2 * a.g->TreeButtonPx());
    EXPECT_EQ(b.g->LevelIndentPx(), 2 * a.g->LevelIndentPx());
}

} // namespace
} // namespace paint_test
