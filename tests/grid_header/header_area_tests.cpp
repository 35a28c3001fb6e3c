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

// The header window is as wide as all the columns; past the largest bitmap it keeps only the part
// the grid shows, and that part paints and scrolls like any other.
TEST(HeaderArea, AHeaderWiderThanTheLargestBitmapPaintsWhereverItIsScrolled) {
    auto headerStrip = [](int cols) {
        ChromeGrid g(400, 200, cols, 3);
        g->SetColWidths(2000);
        for (int c = 1; c <= cols; ++c) g->SetColHeaderText(Variant(c), c == cols ? "Last" : "Weight");
        g->SetCurRow(1);
        g->SetCurCol(1);
        g->FocusGridWindow();
        g.host.KeyPress(lattix::ui::VK_END);
        g.host.Pump();
        EXPECT_EQ(g->CurCol(), cols);
        return g.host.Render().copyRect({0, 0, 400, 20});
    };
    // 100 columns of 2000 pixels: 200,000 pixels of header, against 3 columns drawn whole.
    const lattix::gfx::Bitmap wide = headerStrip(100);
    const lattix::gfx::Bitmap narrow = headerStrip(3);
    EXPECT_TRUE(wide == narrow);

    // Scrolled back to the start, the header shows the first columns again.
    ChromeGrid g(400, 200, 100, 3);
    g->SetColWidths(2000);
    g->SetCurRow(1);
    g->SetCurCol(100);
    g->FocusGridWindow();
    g.host.KeyPress(lattix::ui::VK_HOME);
    g.host.Pump();
    ChromeGrid fresh(400, 200, 100, 3);
    fresh->SetColWidths(2000);
    fresh.host.Pump();
    EXPECT_TRUE(g.host.Render().copyRect({0, 0, 400, 20}) == fresh.host.Render().copyRect({0, 0, 400, 20}));
}

} // namespace
} // namespace chrome_test
