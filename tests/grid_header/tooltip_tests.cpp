// CTooltip: the grid's tip wrapper over the tooltip window, in virtual time.
#include <gtest/gtest.h>

#include "grid/view/ctooltip.h"
#include "platform/headless/headless_host.h"
#include "tests/ui/probe_window.h"

namespace lattix {
namespace {

using ui::headless::HeadlessHost;

struct CTooltipFixture : ::testing::Test {
    HeadlessHost host{300, 200};
    ui::testing::Probe probe;
    ui::Hwnd tool = probe.Create(host.TopLevel(), {0, 0, 300, 200});
};

TEST_F(CTooltipFixture, ValuesSetBeforeCreateApplyToTheWindow) {
    CTooltip tip;
    tip.SetTipText("Line one\nLine two");
    tip.SetTitle("Cell B3");
    tip.SetIcon(lxToolTipIconError);
    tip.SetDelayTime(250);
    tip.SetVisibleTime(1500);
    ASSERT_TRUE(tip.Create(tool));
    controls::TooltipWindow* w = tip.Window();
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->Text(), "Line one\nLine two");
    EXPECT_EQ(w->Title(), "Cell B3");
    EXPECT_EQ(w->Icon(), controls::TooltipIcon::Error);
    EXPECT_TRUE(ui::Wm().GetStyle(tip.hwnd()) & controls::TTS_NOFADE);
    host.MouseMove(40, 40);
    host.Advance(249);
    EXPECT_FALSE(w->IsShown());
    host.Advance(1);
    EXPECT_TRUE(w->IsShown());
    host.Advance(1500);
    EXPECT_FALSE(w->IsShown());
}

TEST_F(CTooltipFixture, DeactivateHidesAndDestroyRemovesTheWindow) {
    CTooltip tip;
    tip.SetTipText("x");
    tip.SetDelayTime(10);
    ASSERT_TRUE(tip.Create(tool));
    host.MouseMove(40, 40);
    host.Advance(10);
    ASSERT_TRUE(tip.Window()->IsShown());
    tip.Deactivate();
    EXPECT_FALSE(tip.Window()->IsShown());
    ui::Hwnd h = tip.hwnd();
    tip.Destroy();
    EXPECT_FALSE(ui::Wm().IsWindow(h));
    EXPECT_EQ(tip.hwnd(), 0u);
}

TEST_F(CTooltipFixture, CreatingAgainReplacesTheTipAndABadParentFails) {
    CTooltip tip;
    ASSERT_TRUE(tip.Create(tool));
    ui::Hwnd first = tip.hwnd();
    ASSERT_TRUE(tip.Create(tool));
    EXPECT_FALSE(ui::Wm().IsWindow(first));
    EXPECT_FALSE(tip.Create(0x7FFFFFF));
    EXPECT_EQ(tip.Window(), nullptr);
    tip.SetIcon(99); // clamped, kept for the next creation
    EXPECT_EQ(tip.Icon(), lxToolTipIconError);
}

} // namespace
} // namespace lattix
