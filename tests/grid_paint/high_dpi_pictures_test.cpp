// Pictures of grids on screens of 192 and 144 dpi, compared pixel for pixel with the reference PNGs
// of this folder: fonts, the system's control sizes and the sizes given in 96-dpi units grow with
// the dpi, drawn at the screen's own resolution rather than enlarged.
#include "tests/grid_paint/paint_support.h"
#include "tests/picture_check.h"

#include "grid/objects/header_object.h"
#include "grid/view/image_list_object.h"
#include "grid/objects/sort_group_object.h"
#include "platform/gfx/resample.h"

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
    // As when the window moves to a screen of `dpi`: it keeps its size on the screen, so its
    // pixels scale with the dpi, and the screen announces the change.
    void moveToDpi(int dpi) {
        lattix::ui::SystemInfo info = host.GetSystemInfo();
        const int old = info.dpiX;
        lattix::ui::WindowManager& wm = host.Manager();
        const lattix::ui::Rect r = wm.GetClientRect(host.TopLevel());
        const int w = r.width() * dpi / old, hgt = r.height() * dpi / old;
        wm.MoveWindow(host.TopLevel(), 0, 0, w, hgt, false);
        g->MoveGridWindow(0, 0, w, hgt);
        info.dpiX = info.dpiY = dpi;
        host.SetSystemInfo(info);
    }
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
// Made at `dpi`, or made at `madeAt` and then moved to a screen of `dpi`.
gfx::Bitmap TextGrid(int dpi, int width96, int height96, int madeAt = 0) {
    const int first = madeAt > 0 ? madeAt : dpi;
    DpiGrid h(width96 * first / 96, height96 * first / 96, first);
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
    if (first != dpi) h.moveToDpi(dpi);
    return h.picture();
}

// A tree with dotted lines and buttons, check boxes in three states and combo buttons, in the
// classic or the themed look.
gfx::Bitmap ControlsGrid(int dpi, bool themed, bool solidLines = false) {
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
    g.SetTreeLines(solidLines ? 2 : 1);
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
    EXPECT_TRUE(lattix::test::MatchesReference(
        Stack({ControlsGrid(192, false), ControlsGrid(192, true), ControlsGrid(192, false, true)}), Pic("dpi192_controls")));
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

    // One screen serves every host: the 96-dpi grid is measured before the screen changes (its
    // grid then moves to the new screen with the other).
    DpiGrid a(300, 150, 96);
    a.attach();
    const int32_t rowA = a.g->DefaultRowHeight(), topA = a.g->CellsAreaTop();
    const int32_t buttonA = a.g->TreeButtonPx(), indentA = a.g->LevelIndentPx();
    DpiGrid b(600, 300, 192);
    b.attach();
    // Rows, the header, the bars and the check boxes measure about twice as much.
    EXPECT_NEAR(b.g->DefaultRowHeight(), 2 * rowA, 2);
    EXPECT_NEAR(b.g->CellsAreaTop(), 2 * topA, 2);
    EXPECT_EQ(lattix::ui::Wm().ScrollBarThickness(), 34);
    EXPECT_EQ(b.g->TreeButtonPx(), 2 * buttonA);
    EXPECT_EQ(b.g->LevelIndentPx(), 2 * indentA);
    EXPECT_EQ(a.g->ScreenDpiX(), 192);
}

// The sample icons drawn afresh at 32x32: the same shapes in other colours, so a picture tells
// which source was drawn.
gfx::Bitmap SampleIconsAt32() {
    std::vector<std::uint32_t> px(32 * 32 * 3, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const int dx = 2 * x - 31, dy = 2 * y - 31;
            if (dx * dx + dy * dy <= 28 * 28) px[y * 96 + x] = 0xFF8030D0u;
            if (x >= 4 && x < 28 && y >= 4 && y < 28) px[y * 96 + 32 + x] = (x < 6 || x >= 26 || y < 6 || y >= 26) ? 0xFF502010u : 0xFFE0A040u;
            if (y >= 4 && y < 28 && 2 * std::abs(x - 16) <= y - 2) px[y * 96 + 64 + x] = 0xFF10A0A0u;
        }
    gfx::Bitmap b(96, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 96; ++x) b.setPixel(x, y, px[static_cast<std::size_t>(y * 96 + x)]);
    return b;
}

// Where `block` lies in `picture` with every pixel equal, or {-1, -1}.
std::pair<int, int> Find(const gfx::Bitmap& picture, const gfx::Bitmap& block) {
    for (int y = 0; y + block.height() <= picture.height(); ++y)
        for (int x = 0; x + block.width() <= picture.width(); ++x) {
            bool same = true;
            for (int by = 0; by < block.height() && same; ++by)
                for (int bx = 0; bx < block.width() && same; ++bx) same = picture.pixel(x + bx, y + by) == block.pixel(bx, by);
            if (same) return {x, y};
        }
    return {-1, -1};
}

// The part of a 32x32 picture of the square icon that is opaque however it was made (its border
// included), as pixels of the picture.
gfx::Bitmap Inner(const gfx::Bitmap& icon) {
    gfx::Bitmap b = icon.copyRect({5, 5, 27, 27});
    for (int y = 0; y < b.height(); ++y)
        for (int x = 0; x < b.width(); ++x) b.setPixel(x, y, b.pixel(x, y) | 0xFF000000u);
    return b;
}

// Icons in cells and in the header at 192 dpi: list 1 has only 16x16 images, drawn at 32x32 resized
// smoothly; list 2 was also given a 32x32 strip, which is drawn as it is.
TEST(GridPicturesAtDpi, IconsAt192AreResizedSmoothlyOrTakenFromALargerStrip) {
    DpiGrid h(560, 260, 192);
    Lattix& g = *h.g;
    auto plain = SampleIcons();
    auto sharp = SampleIcons();
    sharp->addLargerStrip(SampleIconsAt32());
    g.RegisterImageList(plain);
    g.RegisterImageList(sharp);
    g.SetColCount(3);
    g.SetRowCount(2);
    g.SetColWidths(h.Px(90));
    g.SetRowHeights(h.Px(26));
    for (int c = 1; c <= 3; ++c) {
        g.SetColHeaderText(Variant(c), "Pen " + std::to_string(c));
        g.SetColHeaderIcon(Variant(c), static_cast<int16_t>(c));
        for (int r = 1; r <= 2; ++r) {
            g.SetCellValue(Variant(r), Variant(c), Variant(r == 1 ? "Resized" : "Given"));
            g.SetCellImageList(Variant(r), Variant(c), static_cast<uint8_t>(r));
            g.SetCellIcon(Variant(r), Variant(c), static_cast<int16_t>(c));
        }
    }
    g.Header()->SetImageList(Variant(std::static_pointer_cast<lattix::AutomationObject>(lattix::ImageListObject::Create(sharp))));
    h.attach();
    const gfx::Bitmap picture = h.picture();
    EXPECT_TRUE(lattix::test::MatchesReference(picture, Pic("dpi192_icons")));

    // The given 32x32 pictures are in the cells and the header as they are (green square: image 2).
    const gfx::Bitmap given = SampleIconsAt32().copyRect({32, 0, 64, 32});
    EXPECT_NE(Find(picture, Inner(given)).first, -1);
    // The 16x16 image is drawn at 32x32, resized smoothly: not each pixel doubled.
    const gfx::Bitmap& own = plain->image(1);
    EXPECT_NE(Find(picture, Inner(gfx::resampleSmooth(own, 32, 32))).first, -1);
    gfx::Bitmap doubled(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) doubled.setPixel(x, y, own.pixel(x / 2, y / 2));
    EXPECT_EQ(Find(picture, Inner(doubled)).first, -1);
    // Rows measure their icons at the screen's size.
    EXPECT_EQ(g.IconSize(1, 1), (gfx::Size{32, 32}));
}

// A grid whose window moves to a screen of another dpi lays out as one made there: every picture
// equals the one of a grid made on that screen.
TEST(GridPicturesAtDpi, MovingToAScreenOfAnotherDpiLooksAsIfMadeThere) {
    const gfx::Bitmap at192 = TextGrid(192, 300, 150);
    const gfx::Bitmap moved = TextGrid(192, 300, 150, 96);
    EXPECT_TRUE(moved == at192);
    if (!(moved == at192)) lattix::test::MatchesReference(moved, Pic("dpi192_text"));
    EXPECT_TRUE(TextGrid(144, 300, 150, 96) == TextGrid(144, 300, 150));
    EXPECT_TRUE(TextGrid(96, 300, 150, 192) == TextGrid(96, 300, 150));

    // Sizes a host set in pixels keep their share of the grid; the scroll position its rows.
    DpiGrid h(300, 150, 96);
    Lattix& g = *h.g;
    g.SetColCount(3);
    g.SetRowCount(40);
    g.SetRowHeight(Variant(5), 30);
    g.SetColWidth(Variant(2), 75);
    g.SetColMinWidth(Variant(3), 50);
    h.attach();
    g.SetScrollY(g.Row(10).top);
    auto topRow = [&] { return g.RowAtContentY(g.ScrollY()); };
    ASSERT_EQ(topRow(), 10);
    const int32_t rowBefore = g.RowHeight(Variant(1));
    h.moveToDpi(192);
    EXPECT_EQ(g.ScreenDpiX(), 192);
    EXPECT_EQ(g.RowHeight(Variant(1)), 2 * rowBefore);
    EXPECT_EQ(g.RowHeight(Variant(5)), 60);
    EXPECT_EQ(g.ColWidth(Variant(2)), 150);
    EXPECT_EQ(g.ColMinWidth(Variant(3)), 100);
    EXPECT_EQ(topRow(), 10);
    h.moveToDpi(144);
    EXPECT_EQ(g.RowHeight(Variant(5)), 45);
    EXPECT_EQ(g.ColWidth(Variant(2)), 113); // 112.5 rounds up
    EXPECT_EQ(topRow(), 10);
    h.moveToDpi(96);

    // The screen's change lays the grid out and paints it once, whatever the scroll bars do.
    auto fullRedraws = [&] { return lattix::ToInt32(g.DevDbg(15, Variant())); };
    lattix::ui::SystemInfo info = h.host.GetSystemInfo();
    info.dpiX = info.dpiY = 192;
    const int32_t before = fullRedraws();
    h.host.SetSystemInfo(info);
    EXPECT_EQ(fullRedraws() - before, 1);
}

} // namespace
} // namespace paint_test
