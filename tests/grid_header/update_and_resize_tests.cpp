// The header bar while repainting is suspended, the grid's resize events, and the placeholder a
// grid shows in a design environment.
#include "tests/grid_header/grid_chrome_support.h"

#include "grid/control_site.h"
#include "grid/view/painter.h"
#include "grid/view/product_info.h"
#include "platform/gfx/system_colors.h"

namespace chrome_test {
namespace {

using lattix::ui::Wm;

TEST(HeaderRedraw, BeginUpdateStopsTheHeaderAndEndUpdateRebuildsItOnce) {
    ChromeGrid g(300, 200, 6, 2);
    g->SetFrozenCols(1);
    g.host.Pump();
    const lattix::ui::Hwnd header = g.HeaderHwnd();
    g->BeginUpdate();
    EXPECT_FALSE(Wm().IsRedrawEnabled(header));
    g->BeginUpdate();
    // Scrolling by columns needs new header items: they wait.
    g->HScrollBar()->SetValue(2);
    EXPECT_TRUE(g.chrome().HeaderNeedsRelayout());
    EXPECT_EQ(g.chrome().ItemPositions()[1], 2);
    g->EndUpdate();
    EXPECT_FALSE(Wm().IsRedrawEnabled(header));
    g->EndUpdate();
    EXPECT_TRUE(Wm().IsRedrawEnabled(header));
    EXPECT_FALSE(g.chrome().HeaderNeedsRelayout());
    EXPECT_EQ(g.chrome().ItemPositions()[1], 4);
    // A hidden header is left alone.
    g->Header()->SetVisible(false);
    g->BeginUpdate();
    EXPECT_TRUE(Wm().IsRedrawEnabled(header));
    g->EndUpdate();
}

TEST(Resizing, TheHostHearsBeforeWithPaintingHeldAndAfterTheRepaint) {
    ChromeGrid g(300, 200, 3, 4);
    std::vector<std::string> order;
    g.answers["ResizeBeforeRedraw"] = [&](std::span<Variant>) {
        order.push_back("before:" + std::to_string(g->BeginUpdateCount()));
        // Changes made here are shown by the one repaint that follows.
        g->SetBackColor(0xE0FFFF);
    };
    g.answers["ResizeAfterRedraw"] = [&](std::span<Variant>) { order.push_back("after:" + std::to_string(g->BeginUpdateCount())); };
    const uint64_t full = g->Painter().FullPaints();
    g->MoveGridWindow(0, 0, 250, 150);
    EXPECT_EQ(order, (std::vector<std::string>{"before:1", "after:0"}));
    EXPECT_EQ(g->BeginUpdateCount(), 0);
    EXPECT_EQ(g->Painter().FullPaints(), full + 1);
    EXPECT_EQ(g->ClientWidth(), 250);
    // A handler that raises leaves painting possible.
    g.answers["ResizeBeforeRedraw"] = [](std::span<Variant>) { throw lattix::AutomationError(5, "host", "no"); };
    EXPECT_ANY_THROW(g->Resized(200, 120));
    EXPECT_EQ(g->BeginUpdateCount(), 0);
}

struct DesignSite : lattix::ControlSite {
    bool userMode() const override { return false; }
    std::string displayName() const override { return "Lattix1"; }
};

TEST(DesignMode, TheWindowShowsThePlaceholderAndTheGridIsNotPainted) {
    lattix::ui::headless::HeadlessHost host(240, 80);
    DesignSite site;
    Lattix::Options options;
    options.site = &site;
    auto g = Lattix::Create(options);
    g->SetBorderType(0);
    g->AttachToWindow(host.TopLevel());
    g->SetColCount(3);
    g->SetRowCount(3);
    host.Pump();
    EXPECT_EQ(g->Painter().RowsPainted(), 0u);
    lattix::gfx::Bitmap shot = host.Render();
    // Three lines of text in the cells area's top left: the name dark, the product and its version
    // grey; nothing else is drawn.
    const lattix::gfx::Color text = lattix::gfx::sysColor(lattix::gfx::COLOR_WINDOWTEXT);
    const lattix::gfx::Color grey = lattix::gfx::sysColor(lattix::gfx::COLOR_GRAYTEXT);
    auto count = [&](int top, int bottom, lattix::gfx::Color c) {
        int n = 0;
        for (int y = top; y < bottom; ++y)
            for (int x = 0; x < 120; ++x) n += shot.colorAt(x, y) == c;
        return n;
    };
    const int step = lattix::gfx::Font::defaultFont()->textExtent("A").cy;
    EXPECT_GT(count(0, step, text), 3);
    EXPECT_EQ(count(0, step, grey), 0);
    EXPECT_GT(count(step, 3 * step, grey), 10);
    EXPECT_EQ(count(step, 3 * step, text), 0);
    EXPECT_EQ(count(3 * step, 80, text) + count(3 * step, 80, grey), 0);
    EXPECT_EQ(lattix::LibraryVersionText().substr(lattix::LibraryVersionText().size() - 12), ", build 0000");
}

} // namespace
} // namespace chrome_test
