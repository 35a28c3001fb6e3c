// The window's own scroll bars in their three looks: themed, classic and flat.
#include <gtest/gtest.h>

#include "platform/headless/headless_host.h"
#include "tests/picture_check.h"
#include "tests/ui/probe_window.h"

namespace lattix::controls {
namespace {

using ui::headless::HeadlessHost;

gfx::Bitmap BarsPicture(bool themed, bool flat, bool pressThumb, ui::Point hover = {-1, -1}) {
    HeadlessHost host{200, 140};
    ui::testing::Probe probe;
    ui::Hwnd w = probe.Create(host.TopLevel(), {0, 0, 200, 140}, ui::WS_CHILD | ui::WS_VISIBLE | ui::WS_HSCROLL | ui::WS_VSCROLL);
    ui::WindowManager& wm = ui::Wm();
    wm.SetWindowTheme(w, themed);
    if (flat) {
        wm.InitializeFlatScrollBars(w);
        wm.SetFlatScrollBarMode(w, ui::SB_BOTH, ui::FSB_FLAT_MODE);
    }
    ui::ScrollInfo info;
    info.mask = ui::SIF_RANGE | ui::SIF_PAGE | ui::SIF_POS;
    info.max = 999;
    info.page = 200;
    info.pos = 300;
    wm.SetScrollInfo(w, ui::SB_VERT, info);
    info.max = 99;
    info.page = 60;
    info.pos = 0;
    wm.SetScrollInfo(w, ui::SB_HORZ, info);
    if (hover.x >= 0) host.MouseMove(hover.x, hover.y);
    if (pressThumb) host.MouseDown(191, 60);
    gfx::Bitmap b = host.Render();
    if (pressThumb) host.MouseUp(191, 60);
    return b;
}

TEST(ScrollBarLooks, BothBarsThemedClassicAndFlat) {
    EXPECT_TRUE(lattix::test::MatchesReference(BarsPicture(true, false, false), "tests/controls/reference/bars_themed.png"));
    EXPECT_TRUE(lattix::test::MatchesReference(BarsPicture(true, false, true), "tests/controls/reference/bars_themed_pressed.png"));
    EXPECT_TRUE(lattix::test::MatchesReference(BarsPicture(false, false, false), "tests/controls/reference/bars_classic.png"));
    EXPECT_TRUE(lattix::test::MatchesReference(BarsPicture(false, true, false), "tests/controls/reference/bars_flat.png"));
}

TEST(ScrollBarLooks, TheArrowOrThumbUnderThePointerIsHotInTheThemedLook) {
    // The vertical thumb under the pointer.
    EXPECT_TRUE(lattix::test::MatchesReference(BarsPicture(true, false, false, {191, 60}),
                                               "tests/controls/reference/bars_themed_hot.png"));
    // The down arrow: only its square changes.
    const gfx::Bitmap normal = BarsPicture(true, false, false);
    const gfx::Bitmap arrow = BarsPicture(true, false, false, {191, 115});
    int inside = 0, outside = 0;
    for (int y = 0; y < 140; ++y)
        for (int x = 0; x < 200; ++x)
            if (normal.pixel(x, y) != arrow.pixel(x, y)) (x >= 183 && y >= 106 && y < 123 ? inside : outside)++;
    EXPECT_GT(inside, 0);
    EXPECT_EQ(outside, 0);
    // Off the bars nothing is hot; the classic look has no hot parts.
    EXPECT_EQ(BarsPicture(true, false, false, {50, 50}), normal);
    EXPECT_EQ(BarsPicture(false, false, false, {191, 60}), BarsPicture(false, false, false));
}

TEST(ScrollBarLooks, ThemedWindowFallsBackToClassicWithoutSystemStyles) {
    HeadlessHost host{100, 100};
    ui::SystemInfo info = host.GetSystemInfo();
    gfx::Bitmap themed = BarsPicture(true, false, false);
    info.visualStylesInUse = false;
    host.SetSystemInfo(info);
    gfx::Bitmap off = BarsPicture(true, false, false);
    info.visualStylesInUse = true;
    host.SetSystemInfo(info);
    EXPECT_NE(themed, off);
    EXPECT_EQ(off, BarsPicture(false, false, false));
}

} // namespace
} // namespace lattix::controls
