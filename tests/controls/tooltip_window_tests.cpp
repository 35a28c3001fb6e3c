// The tooltip window in virtual time: delays, visible time, re-showing, lines and pictures.
#include <gtest/gtest.h>

#include "platform/controls/tooltip_window.h"
#include "platform/headless/headless_host.h"
#include "tests/picture_check.h"
#include "tests/ui/probe_window.h"

namespace lattix::controls {
namespace {

using ui::headless::HeadlessHost;

struct TooltipFixture : ::testing::Test {
    HeadlessHost host{400, 300};
    ui::testing::Probe probe;
    Hwnd tool = probe.Create(host.TopLevel(), {50, 50, 250, 150});
    Hwnd tipHwnd = TooltipWindow::Create(tool);
    TooltipWindow* tip = TooltipWindow::FromWindow(tipHwnd);

    void SetUp() override {
        ASSERT_NE(tip, nullptr);
        tip->SetText("Flock 12");
        tip->SetInitialDelay(400);
        tip->SetVisibleTime(3000);
    }
};

TEST_F(TooltipFixture, AppearsAfterTheDelayBelowThePointerAndGoesAfterTheVisibleTime) {
    host.MouseMove(100, 80);
    host.Advance(399);
    EXPECT_FALSE(tip->IsShown());
    host.Advance(1);
    ASSERT_TRUE(tip->IsShown());
    ui::Rect r = ui::Wm().GetWindowRect(tipHwnd);
    ui::Point cursor = host.ToScreen(100, 80);
    EXPECT_EQ(r.left, cursor.x);
    EXPECT_GT(r.top, cursor.y);
    host.Advance(2999);
    EXPECT_TRUE(tip->IsShown());
    host.Advance(1);
    EXPECT_FALSE(tip->IsShown());
    // Resting on: it stays away until the pointer leaves the tool and comes back.
    host.MouseMove(110, 85);
    host.Advance(5000);
    EXPECT_FALSE(tip->IsShown());
    host.MouseMove(300, 250);
    host.Pump();
    host.MouseMove(120, 90);
    host.Advance(400);
    EXPECT_TRUE(tip->IsShown());
}

TEST_F(TooltipFixture, MovingRestartsTheDelayAndLeavingCancelsIt) {
    host.MouseMove(100, 80);
    host.Advance(300);
    host.MouseMove(105, 80);
    host.Advance(300);
    EXPECT_FALSE(tip->IsShown());
    host.Advance(100);
    EXPECT_TRUE(tip->IsShown());
    host.MouseMove(300, 250);
    host.Pump();
    EXPECT_FALSE(tip->IsShown());
    host.MouseMove(100, 80);
    host.Advance(200);
    host.MouseMove(300, 250);
    host.Pump();
    host.Advance(1000);
    EXPECT_FALSE(tip->IsShown());
}

TEST_F(TooltipFixture, PressDeactivationAndEmptyTextKeepTheTipAway) {
    host.MouseMove(100, 80);
    host.Advance(400);
    ASSERT_TRUE(tip->IsShown());
    host.Click(100, 80);
    EXPECT_FALSE(tip->IsShown());
    host.Advance(1000);
    EXPECT_FALSE(tip->IsShown());

    host.MouseMove(300, 250);
    host.Pump();
    tip->Activate(false);
    host.MouseMove(100, 80);
    host.Advance(1000);
    EXPECT_FALSE(tip->IsShown());

    tip->Activate(true);
    tip->SetText("");
    host.MouseMove(101, 80);
    host.Advance(1000);
    EXPECT_FALSE(tip->IsShown());
}

TEST_F(TooltipFixture, LinesBreakOnlyAtExplicitBreaks) {
    tip->SetText("one");
    ui::Size one = tip->MeasureTip();
    tip->SetText("one\r\ntwo\nthree");
    ui::Size three = tip->MeasureTip();
    EXPECT_GT(three.cy, one.cy * 2);
    std::string wide(200, 'w');
    tip->SetText(wide);
    ui::Size w = tip->MeasureTip();
    EXPECT_GT(w.cx, 400); // wider than the screen part we use: never wrapped
    EXPECT_EQ(w.cy, one.cy);
    tip->SetTitle("Title", TooltipIcon::Warning);
    EXPECT_GT(tip->MeasureTip().cy, w.cy + 10);
}

TEST_F(TooltipFixture, TheTipGoesWithItsTool) {
    ui::Wm().DestroyWindow(tool);
    EXPECT_FALSE(ui::Wm().IsWindow(tipHwnd));
    EXPECT_EQ(TooltipWindow::Create(tool), 0u);
}

gfx::Bitmap TipPicture(bool themed) {
    HeadlessHost host{260, 110};
    ui::SystemInfo info = host.GetSystemInfo();
    info.visualStylesInUse = themed;
    host.SetSystemInfo(info);
    ui::testing::Probe probe;
    Hwnd tool = probe.Create(host.TopLevel(), {0, 0, 260, 110});
    TooltipWindow* tip = TooltipWindow::FromWindow(TooltipWindow::Create(tool));
    tip->SetTitle("Weight class 1.8 kg", TooltipIcon::Info);
    tip->SetText("Birds: 1,204\nShare: 12.5 %\tof the flock");
    host.MouseMove(10, 10);
    host.Advance(500);
    gfx::Bitmap b = host.Render();
    info.visualStylesInUse = true;
    host.SetSystemInfo(info);
    return b;
}

TEST(TooltipPictures, TitleIconAndLinesInBothLooks) {
    EXPECT_TRUE(lattix::test::MatchesReference(TipPicture(true), "tests/controls/reference/tooltip_themed.png"));
    EXPECT_TRUE(lattix::test::MatchesReference(TipPicture(false), "tests/controls/reference/tooltip_classic.png"));
}

TEST(TooltipIcons, EachIconHasItsOwnColours) {
    gfx::Bitmap b(16 * 4, 16, gfx::pixelOf(gfx::rgb(255, 255, 255)));
    gfx::DeviceContext dc(b);
    for (int i = 0; i < 4; ++i) DrawTooltipIcon(dc, static_cast<TooltipIcon>(i), i * 16, 0);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 16; ++y) EXPECT_EQ(b.colorAt(x, y), gfx::rgb(255, 255, 255));
    EXPECT_EQ(b.colorAt(16 + 8, 13), gfx::rgb(28, 113, 216)); // info: blue disc
    EXPECT_EQ(b.colorAt(32 + 8, 14), gfx::rgb(229, 165, 10)); // warning: amber triangle
    EXPECT_EQ(b.colorAt(48 + 8, 2), gfx::rgb(224, 27, 36));   // error: red disc
}

} // namespace
} // namespace lattix::controls
