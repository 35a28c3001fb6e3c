// What the pointer resting on a cell shows: the cell's tooltip after its delay (gone after its
// visible time or when the pointer moves on), and the hot look of check boxes and combo buttons.
#include "tests/grid_mouse/mouse_test_support.h"

#include "grid/view/grid_chrome.h"
#include "grid/view/painter.h"
#include "platform/controls/tooltip_window.h"

namespace mouse_test {
namespace {

TEST(CellTooltips, AClippedCellOffersItsTextTheHostMayReplaceItAndTheTipFollowsTheClock) {
    MouseGrid g(4, 5);
    g->SetCellValue(Variant(2), Variant(2), Variant("a text much wider than fifty pixels"));
    g->SetCellValue(Variant(2), Variant(3), Variant("ok"));
    g->SetCellValue(Variant(3), Variant(3), Variant("host"));
    g->SetToolTipDelayTime(400);
    g->SetToolTipVisibleTime(3000);
    std::vector<std::string> offered;
    g->events()->connect([&](const lattix::EventInfo& e, std::span<Variant> a) {
        if (e.name != "RequestCellToolTip") return;
        offered.push_back(lattix::ToString(a[2].deref()));
        if (lattix::ToInt32(a[0]) == 3 && lattix::ToInt32(a[1]) == 3) {
            *a[2].slot() = Variant("From the host");
            *a[3].slot() = Variant(int32_t{2});
            *a[4].slot() = Variant("Title");
        }
    });
    lattix::CTooltip& tip = g->Chrome().CellTooltip();
    g.host.MouseMove(g.X(2), g.Y(2));
    ASSERT_EQ(offered, (Strings{"a text much wider than fifty pixels"}));
    lattix::controls::TooltipWindow* w = tip.Window();
    ASSERT_NE(w, nullptr);
    g.host.Advance(399);
    EXPECT_FALSE(w->IsShown());
    g.host.Advance(1);
    EXPECT_TRUE(w->IsShown());
    EXPECT_EQ(w->Text(), "a text much wider than fifty pixels");
    g.host.Advance(3000);
    EXPECT_FALSE(w->IsShown());

    // A cell whose text fits offers nothing, and no tip is made.
    g.host.MouseMove(g.X(3), g.Y(2));
    EXPECT_EQ(offered.back(), "");
    EXPECT_EQ(tip.Window(), nullptr);

    // The host's text, icon and title.
    g.host.MouseMove(g.X(3), g.Y(3));
    ASSERT_NE(tip.Window(), nullptr);
    g.host.Advance(400);
    EXPECT_TRUE(tip.Window()->IsShown());
    EXPECT_EQ(tip.Window()->Text(), "From the host");
    EXPECT_EQ(tip.Window()->Title(), "Title");
    // Leaving the cell takes the tip away at once.
    g.host.MouseMove(g.X(4), g.Y(3));
    EXPECT_EQ(tip.Window(), nullptr);
}

TEST(HotLooks, TheCellUnderThePointerIsHotAndRepaintedOnlyWhenItShowsAControl) {
    MouseGrid g(3, 4);
    g->SetCellCheckVisible(Variant(1), Variant(1), true);
    g->SetCellType(Variant(2), Variant(2), 1);
    g->SetShowControlsInAllCells(true);
    g.host.Pump();
    lattix::GridPainter& painter = g->Painter();
    uint64_t rows = painter.RowsPainted();
    g.host.MouseMove(g.X(1), g.Y(1)); // the check box cell
    EXPECT_EQ(painter.HotRow(), 1);
    EXPECT_EQ(painter.HotCol(), 1);
    EXPECT_EQ(painter.RowsPainted() - rows, 1u);
    rows = painter.RowsPainted();
    g.host.MouseMove(g.X(2), g.Y(2)); // the combo cell: both rows repainted
    EXPECT_EQ(painter.HotRow(), 2);
    EXPECT_EQ(painter.RowsPainted() - rows, 2u);
    rows = painter.RowsPainted();
    g.host.MouseMove(g.X(3), g.Y(3)); // a plain cell: the combo cell's row loses its hot look
    EXPECT_EQ(painter.RowsPainted() - rows, 1u);
    rows = painter.RowsPainted();
    g.host.MouseMove(g.X(3), g.Y(4)); // plain to plain: nothing to repaint
    EXPECT_EQ(painter.RowsPainted(), rows);
    // Leaving the grid (noticed by the poll) leaves nothing hot.
    g.host.MouseMove(g.X(1), g.Y(1));
    g.host.MouseMove(390, 290);
    g.host.Advance(40);
    EXPECT_EQ(painter.HotRow(), 0);
    EXPECT_EQ(painter.HotCol(), 0);
}

TEST(HotLooks, TheComboButtonShowsPressedWhileTheCurrentCellsListIsDown) {
    MouseGrid g(3, 4);
    g->SetCellType(Variant(2), Variant(2), 2);
    g->SetShowControlsInAllCells(true);
    g->SetCurRow(2);
    g->SetCurCol(2);
    g.host.Pump();
    const lattix::gfx::Bitmap up = g.host.Render();
    const uint64_t rows = g->Painter().RowsPainted();
    g->SetComboDroppedDown(true);
    EXPECT_TRUE(g->ComboDroppedDown());
    g.host.Pump();
    EXPECT_EQ(g->Painter().RowsPainted() - rows, 1u);
    const lattix::gfx::Bitmap down = g.host.Render();
    // The button of the cell (at its right end) changed; the other cells of the row did not.
    int changed = 0, elsewhere = 0;
    for (int y = 40; y < 60; ++y)
        for (int x = 0; x < 150; ++x) {
            if (up.pixel(x, y) == down.pixel(x, y)) continue;
            (x >= 50 + 25 && x < 100 ? changed : elsewhere)++;
        }
    EXPECT_GT(changed, 0);
    EXPECT_EQ(elsewhere, 0);
    g->SetComboDroppedDown(false);
    EXPECT_EQ(g.host.Render().pixel(90, 50), up.pixel(90, 50));
}

} // namespace
} // namespace mouse_test
