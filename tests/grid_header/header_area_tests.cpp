// The header's place in the grid window: the cells area follows its height and visibility at once,
// and header clicks report client-area pixels like every other event.
#include "platform/gfx/bitmap.h"
#include "tests/grid_header/grid_chrome_support.h"

namespace chrome_test {
namespace {

using lattix::ui::headless::MouseButton;
constexpr int32_t kCellsAreaEndRow = 4, kCellsAreaEndRowBottomY = 5, kCellsAreaHeight = 9;

int32_t Sys(ChromeGrid& g, int32_t what) { return lattix::ToInt32(g->Sys(what)); }

TEST(HeaderArea, TheCellsAreaFollowsTheHeadersHeightAndVisibilityAtOnce) {
    ChromeGrid g(400, 300, 2, 100);
    EXPECT_EQ(Sys(g, kCellsAreaHeight), 280);
    g->Header()->SetHeight(40);
    EXPECT_EQ(Sys(g, kCellsAreaHeight), 260);
    // The last row scrolled into view ends at the window's bottom, not below it.
    g->EnsureVisibleRow(Variant(100));
    EXPECT_EQ(Sys(g, kCellsAreaEndRow), 100);
    EXPECT_EQ(g->ScrollY() + g->ViewHeight(), 2000);
    EXPECT_EQ(Sys(g, kCellsAreaEndRowBottomY), 300);

    // Hidden, the header gives the cells its room, and the rows there are painted.
    g->SetCellBackColor(Variant(100), Variant(1), 0x0000FF);
    g->Header()->SetVisible(false);
    g.host.Pump();
    EXPECT_EQ(Sys(g, kCellsAreaHeight), 300);
    EXPECT_EQ(g->ScrollY(), 1700);
    EXPECT_EQ(g.host.Render().colorAt(40, 290), 0x0000FFu);
    g->Header()->SetVisible(true);
    EXPECT_EQ(Sys(g, kCellsAreaHeight), 260);
}

TEST(HeaderArea, ColHeaderClickReportsClientPixelsWhateverTheBorder) {
    for (int32_t border : {0, 1, 2, 3}) {
        SCOPED_TRACE(border);
        ChromeGrid g(400, 300, 3, 2);
        g->SetBorderType(border);
        g.answers["ColHeaderClick"] = [](std::span<Variant> a) { SetRef(a, 1, Variant(false)); };
        g.host.Advance(1000);
        g.host.Click(130, 7);
        const Fired* click = g.Find("ColHeaderClick");
        ASSERT_NE(click, nullptr);
        EXPECT_EQ(click->I(0), 2);
        // The press point in the grid's client area, as MouseDown would report it: the grid's
        // window fills the host's client area, its own client area starts inside its border.
        EXPECT_EQ(click->I(3), 130 - g->BorderWidth());
        EXPECT_EQ(click->I(4), 7 - g->BorderWidth());
    }
}

} // namespace
} // namespace chrome_test
