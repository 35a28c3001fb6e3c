// The grid's scroll bars in virtual time: bars following the contents, the wheel, arrows with
// auto-repeat, the host's veto, the published members and the visual-styles switch.
#include "platform/gfx/system_metrics.h"
#include "platform/ui/keys.h"
#include "tests/grid_header/grid_chrome_support.h"

namespace chrome_test {
namespace {

namespace ui = lattix::ui;
using lattix::kBarH;
using lattix::kBarV;

TEST(GridScrollBars, BarsFollowTheContentsAndRaiseVisibilityEvents) {
    ChromeGrid g(400, 300, 3, 5);
    EXPECT_FALSE(g->VScrollBar()->Visible());
    g->SetRowCount(100);
    EXPECT_TRUE(g->VScrollBar()->Visible());
    EXPECT_FALSE(g->HScrollBar()->Visible());
    const Fired* vis = g.Find("ScrollBarVisibilityChanged");
    ASSERT_NE(vis, nullptr);
    EXPECT_EQ(vis->I(0), 1);
    int t = ui::Wm().ScrollBarThickness();
    // The rows below a 20-pixel header in a 300-pixel window.
    EXPECT_EQ(g->VScrollBar()->Max(), g->ContentHeight() - 280);
    EXPECT_EQ(g->VScrollBar()->LargeChange(), 280);
    EXPECT_EQ(g->VScrollBar()->SmallChange(), g->DefaultRowHeight());
    EXPECT_EQ(g->ViewWidth(), 400 - t);
    g->SetColWidths(200);
    EXPECT_TRUE(g->HScrollBar()->Visible());
    EXPECT_EQ(g->HScrollBar()->Max(), 600 - (400 - t));
}

TEST(GridScrollBars, AHiddenLastRowAddsNothingToTheRange) {
    ChromeGrid g(400, 300, 2, 100);
    int32_t max = g->VScrollBar()->Max();
    g->SetRowVisible(Variant(100), false);
    g.host.Pump();
    EXPECT_EQ(g->VScrollBar()->Max(), max - 20);
}

TEST(GridScrollBars, WheelScrollsThreeRowsInOneStepAndTheHostDecides) {
    ChromeGrid g(400, 300, 2, 100);
    g.host.Wheel(100, 100, -120);
    EXPECT_EQ(g->VScrollBar()->Value(), 3 * g->DefaultRowHeight());
    EXPECT_EQ(g->ScrollY(), 3 * g->DefaultRowHeight());
    EXPECT_EQ(g.Count("ScrollBarPosChanged"), 1);
    const Fired* wheel = g.Find("MouseWheel");
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->I(0), -3);
    g.answers["ScrollBarBeforeScroll"] = [](std::span<Variant> a) { SetRef(a, 4, Variant(false)); };
    g.host.Wheel(100, 100, -120);
    EXPECT_EQ(g->VScrollBar()->Value(), 3 * g->DefaultRowHeight());
    g.answers["ScrollBarBeforeScroll"] = [](std::span<Variant> a) { SetRef(a, 3, Variant(int32_t{5})); };
    g.host.Wheel(100, 100, -120);
    EXPECT_EQ(g->VScrollBar()->Value(), 5);
    g.answers.clear();
    g.host.Wheel(100, 100, -120, ui::kModCtrl);
    EXPECT_EQ(g->VScrollBar()->Value(), 5);
}

TEST(GridScrollBars, ArrowsRepeatWhileHeldAndTheThumbDragTracks) {
    ChromeGrid g(400, 300, 2, 100);
    int t = ui::Wm().ScrollBarThickness();
    int x = 400 - t / 2;
    int32_t line = g->VScrollBar()->SmallChange();
    g.host.MouseDown(x, 300 - t / 2);
    EXPECT_EQ(g->VScrollBar()->Value(), line);
    g.host.Advance(450); // repeats at 400 and 450 ms
    g.host.MouseUp(x, 300 - t / 2);
    EXPECT_EQ(g->VScrollBar()->Value(), 3 * line);
    EXPECT_EQ(g.log.back().name, "ScrollBarEndScroll");
    g.host.Advance(1000);
    EXPECT_EQ(g->VScrollBar()->Value(), 3 * line);
    // A track click below the thumb pages down.
    g.host.Click(x, 250);
    EXPECT_EQ(g->VScrollBar()->Value(), 3 * line + 280);
    // The thumb, back at the top, dragged down.
    g->VScrollBar()->SetValue(0);
    g.log.clear();
    g.host.Advance(1000);
    g.host.Drag(x, t + 3, x, t + 83, 4);
    EXPECT_GT(g->VScrollBar()->Value(), 280);
    EXPECT_GE(g.Count("ScrollBarThumbTrack"), 1);
    EXPECT_EQ(g->ScrollY(), g->VScrollBar()->Value());
}

TEST(GridScrollBars, PublishedMembersClampAndCheck) {
    ChromeGrid g(400, 300, 2, 100);
    auto v = g->VScrollBar();
    v->SetValue(100000);
    EXPECT_EQ(v->Value(), v->Max());
    g.log.clear();
    v->SetValue(v->Max());
    EXPECT_EQ(g.Count("ScrollBarPosChanged"), 0);
    EXPECT_EQ(LattixCode([&] { v->SetSmallChangeDesiredValue(-1); }), 514);
    v->SetSmallChangeDesiredValue(7);
    EXPECT_EQ(v->SmallChange(), 7);
    EXPECT_EQ(LattixCode([&] { v->SetDisplayMode(3); }), 514);
    v->SetDisplayMode(lattix::lxScrollBarDisplayNever);
    EXPECT_FALSE(v->Visible());
    EXPECT_EQ(v->Min(), 0);
    EXPECT_EQ(v->Thickness(), ui::Wm().ScrollBarThickness());
    auto h = g->HScrollBar();
    h->SetDisplayMode(lattix::lxScrollBarDisplayAlways);
    EXPECT_TRUE(h->Visible());
    EXPECT_EQ(ui::Wm().GetScrollBarArrowState(g->WindowHandle(), ui::SB_HORZ), ui::ESB_DISABLE_BOTH);
    h->SetEnabled(false);
    EXPECT_FALSE(h->Enabled());
    EXPECT_EQ(LattixCode([&] { g->SetScrollBarStyle(3); }), 514);
    EXPECT_EQ(lattix::ToInt32(v->invoke("Max", lattix::InvokeKind::Get)), v->Max());
}

TEST(GridScrollBars, EachBarHasItsOwnThickness) {
    lattix::gfx::SystemMetrics& m = lattix::gfx::systemMetrics();
    const lattix::gfx::SystemMetrics saved = m;
    {
        // The host sets the metrics of its dpi: the bars' sizes change after it.
        ChromeGrid g(400, 300, 1, 0);
        m.horizontalScrollBarHeight = 11;
        m.verticalScrollBarWidth = 19;
        g->SetColCount(8);
        g->SetColWidths(80);
        g->SetRowCount(100);
        g.host.Pump();
        ASSERT_TRUE(g->HScrollBar()->Visible());
        ASSERT_TRUE(g->VScrollBar()->Visible());
        EXPECT_EQ(g->HScrollBar()->Thickness(), 11);
        EXPECT_EQ(g->VScrollBar()->Thickness(), 19);
        // The cells area ends at each bar.
        EXPECT_EQ(g->ViewWidth(), 400 - 19);
        EXPECT_EQ(g->ViewHeight(), 300 - 20 - 11);
        EXPECT_EQ(ui::Wm().GetScrollBarRect(g->WindowHandle(), ui::SB_HORZ).height(), 11);
        EXPECT_EQ(ui::Wm().GetScrollBarRect(g->WindowHandle(), ui::SB_VERT).width(), 19);
    }
    m = saved;
}

TEST(GridScrollBars, KeysOfADisabledGridScrollByTheBarsSteps) {
    ChromeGrid g(400, 300, 8, 100);
    g->SetEnabled(false);
    g->VScrollBar()->SetSmallChangeDesiredValue(7);
    g->HScrollBar()->SetSmallChangeDesiredValue(9);
    g->DoKeyboardCommand(ui::VK_DOWN);
    g->DoKeyboardCommand(ui::VK_DOWN);
    EXPECT_EQ(g->ScrollY(), 14);
    g->DoKeyboardCommand(ui::VK_UP);
    EXPECT_EQ(g->ScrollY(), 7);
    g->DoKeyboardCommand(ui::VK_NEXT);
    EXPECT_EQ(g->ScrollY(), 7 + g->VScrollBar()->LargeChange());
    g->DoKeyboardCommand(ui::VK_RIGHT);
    EXPECT_EQ(g->ScrollX(), 9);
    // A bar that is not shown does not move.
    g->HScrollBar()->SetDisplayMode(lattix::lxScrollBarDisplayNever);
    const int32_t hidden = g->ScrollX();
    g->DoKeyboardCommand(ui::VK_RIGHT);
    EXPECT_EQ(g->ScrollX(), hidden);
    // Row mode: Left and Right scroll by the small change too.
    g->SetEnabled(true);
    g->SetRowMode(true);
    g->HScrollBar()->SetDisplayMode(lattix::lxScrollBarDisplayNormal);
    const int32_t shown = g->ScrollX();
    g->DoKeyboardCommand(ui::VK_RIGHT);
    EXPECT_EQ(g->ScrollX(), shown + 9);
}

TEST(GridScrollBars, FrozenColumnsScrollByColumns) {
    ChromeGrid g(300, 200, 6, 2);
    g->SetFrozenCols(1);
    g.host.Pump();
    auto h = g->HScrollBar();
    EXPECT_TRUE(h->Visible());
    EXPECT_EQ(h->SmallChange(), 1);
    EXPECT_EQ(h->Max(), 3);
    // Three lines of one column reach beyond the page of one column: one column per notch.
    g.host.Wheel(150, 100, -120, ui::kModShift);
    EXPECT_EQ(h->Value(), 1);
    // The header shows the frozen item, then the items from the first one scrolled to.
    EXPECT_EQ(g.chrome().ItemPositions().front(), 1);
    EXPECT_EQ(g.chrome().ItemPositions()[1], 2 + h->Value());
}

TEST(GridScrollBars, ThemeChangesAreReportedAndStylesSwitchTheEngine) {
    ChromeGrid g(300, 200, 2, 50);
    ui::SystemInfo info = g.host.GetSystemInfo();
    info.visualStylesInUse = false;
    g.host.SetSystemInfo(info);
    const Fired* theme = g.Find("WindowsThemeChanged");
    ASSERT_NE(theme, nullptr);
    EXPECT_FALSE(lattix::ToBool(theme->args[0]));
    EXPECT_FALSE(g->XPStylesInEffect());
    info.visualStylesInUse = true;
    g.host.SetSystemInfo(info);
    EXPECT_TRUE(g->XPStylesInEffect());
    EXPECT_TRUE(ui::Wm().IsWindowThemed(g->WindowHandle()));
    g->SetUseXPStyles(false);
    EXPECT_FALSE(g->XPStylesInEffect());
    EXPECT_FALSE(ui::Wm().IsWindowThemed(g->WindowHandle()));
}

TEST(GridScrollBars, SwitchingStylesOffUsesTheFlatEngineWhereSupported) {
    lattix::ui::headless::HeadlessHost host(300, 200);
    lattix::Lattix::Options o;
    o.system.osMajor = 10;
    o.system.appThemed = true;
    o.system.hasCommonControlsVersion = true;
    o.system.commonControlsMajor = 5;
    o.system.commonControlsMinor = 81;
    auto grid = lattix::Lattix::Create(o);
    grid->AttachToWindow(host.TopLevel());
    grid->SetScrollBarStyle(lattix::lxScrollBarFlat);
    grid->SetUseXPStyles(false);
    EXPECT_TRUE(ui::Wm().HasFlatScrollBars(grid->WindowHandle()));
    EXPECT_EQ(ui::Wm().GetFlatScrollBarMode(grid->WindowHandle(), ui::SB_VERT), ui::FSB_FLAT_MODE);
    grid->SetUseXPStyles(true);
    EXPECT_FALSE(ui::Wm().HasFlatScrollBars(grid->WindowHandle()));
}

} // namespace
} // namespace chrome_test

namespace chrome_test {
namespace {

TEST(GridScrollBars, AVirtualGridAsksForOneMoreRowWhenALineScrollReachesItsEnd) {
    ChromeGrid g(300, 200, 2, 0);
    int asked = 0;
    g.answers["RequestRow"] = [&](std::span<Variant> a) {
        ++asked;
        if (lattix::ToInt32(a[0].deref()) > 14) SetRef(a, 1, Variant(true));
    };
    g->SetVirtual(true);
    g.host.Pump();
    const int32_t shown = g->RowCount();
    ASSERT_GT(shown, 0);
    auto v = g->VScrollBar();
    auto lineDown = [&] {
        lattix::ui::Wm().SendMessage(g->WindowHandle(), lattix::ui::WM_VSCROLL, lattix::ui::SB_LINEDOWN, 0);
        g.host.Pump();
    };
    v->SetValue(v->Max());
    const int32_t rows = g->RowCount(), oldMax = v->Max();
    asked = 0;
    lineDown();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(g->RowCount(), rows + 1);
    EXPECT_GT(v->Max(), oldMax);
    EXPECT_EQ(v->Value(), v->Max());
    // Once the host has no more rows, a line down at the end asks nothing more.
    for (int i = 0; i < 20; ++i) lineDown();
    EXPECT_EQ(g->RowCount(), 14);
    const int32_t finalCount = g->RowCount();
    asked = 0;
    lineDown();
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(g->RowCount(), finalCount);
    EXPECT_EQ(v->Value(), v->Max());
}

} // namespace
} // namespace chrome_test
