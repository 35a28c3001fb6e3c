// The scroll bar engine on a headless window: bar decisions from the geometry, values and ranges,
// arrows with auto-repeat, track clicks, thumb drags, the wheel and the host's vetoes.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "grid/view/scroll_bars.h"
#include "platform/gfx/system_metrics.h"
#include "platform/headless/headless_host.h"
#include "tests/ui/probe_window.h"

namespace lattix {
namespace {

using ui::headless::HeadlessHost;

struct Recorder : ScrollBarsListener {
    std::vector<std::string> log;
    bool wheelDefault = true;
    bool allowScroll = true;
    int32_t redirect = -1;
    cScrollBars* engine = nullptr;
    bool OnMouseWheel(int32_t d, int32_t, int32_t& shift, float, float) override {
        log.push_back("wheel " + std::to_string(d) + " shift " + std::to_string(shift));
        return wheelDefault;
    }
    bool OnBeforeScroll(int bar, int32_t reason, bool wheel, int32_t& nv) override {
        log.push_back("before " + std::to_string(bar) + " " + std::to_string(reason) + (wheel ? " wheel " : " ") +
                      std::to_string(nv));
        if (redirect >= 0) nv = redirect;
        return allowScroll;
    }
    void OnValueChanged(int bar, int32_t v) override { log.push_back("value " + std::to_string(bar) + " " + std::to_string(v)); }
    void OnThumbTrack(int bar, int32_t v) override { log.push_back("track " + std::to_string(bar) + " " + std::to_string(v)); }
    void OnEndScroll(int bar) override { log.push_back("end " + std::to_string(bar)); }
    void OnEnabledChanged(int bar, bool e) override { log.push_back("enabled " + std::to_string(bar) + " " + std::to_string(e)); }
    void OnVisibilityChanged(int bar, bool v) override { log.push_back("visible " + std::to_string(bar) + " " + std::to_string(v)); }
    void OnHeaderReposition() override {}
    int Count(const std::string& prefix) const {
        int n = 0;
        for (const auto& s : log) n += s.rfind(prefix, 0) == 0;
        return n;
    }
};

struct EngineFixture : ::testing::Test {
    HeadlessHost host{400, 300};
    ui::testing::Probe probe;
    ui::Hwnd w = probe.Create(host.TopLevel(), {0, 0, 300, 200});
    Recorder rec;
    cScrollBars bars{w, &rec, false, lxScrollBarRegular};
    int t = ui::Wm().ScrollBarThickness();

    ScrollGeometry Geometry(int32_t width, int32_t height) {
        ScrollGeometry g;
        g.cellsWidth = 300;
        g.cellsHeight = 200;
        g.scrollableWidth = width;
        g.scrollableWidths = {width};
        g.contentHeight = height;
        g.defaultRowHeight = 20;
        return g;
    }
    // A tall content with the vertical bar of range 0..max.
    void Tall(int32_t height = 2000) { bars.Adjust(Geometry(100, height), true); rec.log.clear(); }
};

TEST_F(EngineFixture, ContentsThatFitShowNoBarsAndWiderOnesTheHorizontal) {
    ScrollAdjustResult r = bars.Adjust(Geometry(250, 150), true);
    EXPECT_FALSE(r.hShown);
    EXPECT_FALSE(r.vShown);
    EXPECT_EQ(r.viewWidth, 300);
    // Bars that cannot scroll are disabled.
    EXPECT_EQ(rec.log, (std::vector<std::string>{"enabled 0 0", "enabled 1 0"}));
    rec.log.clear();
    r = bars.Adjust(Geometry(500, 150), true);
    EXPECT_TRUE(r.hShown);
    EXPECT_EQ(r.viewHeight, 200 - t);
    EXPECT_EQ(bars.bar(kBarH).max, 200);
    EXPECT_EQ(bars.bar(kBarH).largeChange, 300);
    EXPECT_EQ(bars.bar(kBarH).smallChange, 5);
    EXPECT_TRUE(ui::Wm().IsScrollBarShown(w, ui::SB_HORZ));
    EXPECT_EQ(rec.log, (std::vector<std::string>{"enabled 0 1", "visible 0 1"}));
}

TEST_F(EngineFixture, ShowingTheVerticalBarCanMakeTheHorizontalNecessary) {
    // 290 fits 300, but not 300 minus the vertical bar.
    ScrollAdjustResult r = bars.Adjust(Geometry(290, 1000), true);
    EXPECT_TRUE(r.vShown);
    EXPECT_TRUE(r.hShown);
    EXPECT_EQ(r.viewWidth, 300 - t);
    EXPECT_EQ(r.viewHeight, 200 - t);
    EXPECT_EQ(bars.bar(kBarV).max, 1000 - (200 - t));
    EXPECT_EQ(bars.bar(kBarV).smallChange, 20);
}

TEST_F(EngineFixture, DisplayModesAlwaysAndNever) {
    bars.SetDisplayMode(kBarH, lxScrollBarDisplayAlways);
    ScrollAdjustResult r = bars.Adjust(Geometry(100, 100), true);
    EXPECT_TRUE(r.hShown);
    EXPECT_FALSE(bars.bar(kBarH).enabled);
    EXPECT_EQ(ui::Wm().GetScrollBarArrowState(w, ui::SB_HORZ), ui::ESB_DISABLE_BOTH);
    bars.SetDisplayMode(kBarH, lxScrollBarDisplayNever);
    r = bars.Adjust(Geometry(900, 100), true);
    EXPECT_FALSE(r.hShown);
    EXPECT_TRUE(bars.bar(kBarH).scrollable);
    // The wheel with Shift scrolls the hidden bar only when asked to.
    host.Wheel(100, 100, -120, ui::kModShift);
    EXPECT_EQ(bars.bar(kBarH).value, 0);
    bars.mutableBar(kBarH).wheelWhenHidden = true;
    host.Wheel(100, 100, -120, ui::kModShift);
    EXPECT_EQ(bars.bar(kBarH).value, 15);
}

TEST_F(EngineFixture, OneShownNonFrozenColumnDisablesTheHorizontalBar) {
    ScrollGeometry g = Geometry(400, 100);
    g.frozenCols = 1;
    g.frozenWidth = 80;
    ScrollAdjustResult r = bars.Adjust(g, true);
    EXPECT_TRUE(r.hShown);
    EXPECT_FALSE(bars.bar(kBarH).enabled);
    // Three non-frozen columns: column scrolling, max from the widths that fit at the end.
    g.scrollableWidths = {150, 150, 100};
    r = bars.Adjust(g, true);
    EXPECT_TRUE(bars.bar(kBarH).enabled);
    EXPECT_EQ(bars.bar(kBarH).smallChange, 1);
    EXPECT_EQ(bars.bar(kBarH).largeChange, 1);
    // avail 220: 100 fits, 100 + 150 does not (k = 2): max = 3 - 2 + 1.
    EXPECT_EQ(bars.bar(kBarH).max, 2);
    EXPECT_EQ(r.scrollX, 0);
}

TEST_F(EngineFixture, ValuesAreClampedAndAnUnchangedValueReportsNothing) {
    Tall();
    int32_t max = bars.bar(kBarV).max;
    bars.SetValue(kBarV, max + 500);
    EXPECT_EQ(bars.bar(kBarV).value, max);
    bars.SetValue(kBarV, max);
    bars.SetValue(kBarV, -4);
    EXPECT_EQ(bars.bar(kBarV).value, 0);
    EXPECT_EQ(rec.log, (std::vector<std::string>{"value 1 " + std::to_string(max), "value 1 0"}));
    // The window bar's thumb reaches exactly the max.
    bars.SetValue(kBarV, max);
    EXPECT_EQ(ui::Wm().GetScrollPos(w, ui::SB_VERT), max);
    // A smaller max pulls the value down with it.
    bars.SetMax(kBarV, 100);
    EXPECT_EQ(bars.bar(kBarV).value, 100);
}

TEST_F(EngineFixture, ArrowHeldDownRepeatsOnTheClockAndEndsTheScroll) {
    Tall();
    int x = 300 - t / 2, y = 200 - t / 2; // the down arrow
    host.MouseDown(x, y);
    EXPECT_EQ(bars.bar(kBarV).value, 20);
    host.Advance(399);
    EXPECT_EQ(bars.bar(kBarV).value, 20);
    host.Advance(1);   // first repeat after 400 ms
    host.Advance(100); // then every 50 ms
    EXPECT_EQ(bars.bar(kBarV).value, 80);
    host.MouseUp(x, y);
    host.Advance(500);
    EXPECT_EQ(bars.bar(kBarV).value, 80);
    EXPECT_EQ(rec.log.back(), "end 1");
    EXPECT_EQ(rec.Count("before 1 1 "), 4);
}

TEST_F(EngineFixture, TrackClickPagesAndThumbDragTracks) {
    Tall();
    host.Click(300 - t / 2, 190 - t);
    EXPECT_EQ(bars.bar(kBarV).value, 200);
    rec.log.clear();
    ui::Rect thumb;
    int32_t before = bars.bar(kBarV).value;
    // Drag the thumb (it sits just below the top arrow plus the value's share of the track).
    host.Advance(1000);
    int trackStart = t, trackLength = 200 - 2 * t;
    int thumbLength = std::max(gfx::systemMetrics().minimumThumbSize, trackLength * 200 / 2000);
    int thumbTop = trackStart + (trackLength - thumbLength) * before / bars.bar(kBarV).max;
    host.Drag(300 - t / 2, thumbTop + 2, 300 - t / 2, thumbTop + 42, 4);
    EXPECT_GT(bars.bar(kBarV).value, before);
    EXPECT_GE(rec.Count("track 1"), 3);
    EXPECT_EQ(rec.Count("before 1 4"), 1);
    EXPECT_EQ(rec.log.back(), "end 1");
}

TEST_F(EngineFixture, TheHostMayRedirectOrCancelAScroll) {
    Tall();
    rec.allowScroll = false;
    bars.Scroll(kBarV, ui::SB_PAGEDOWN);
    EXPECT_EQ(bars.bar(kBarV).value, 0);
    rec.allowScroll = true;
    rec.redirect = 33;
    bars.Scroll(kBarV, ui::SB_LINEDOWN);
    EXPECT_EQ(bars.bar(kBarV).value, 33);
}

TEST_F(EngineFixture, WheelScrollsNLinesInOneStepAndCtrlDoesNothing) {
    Tall();
    host.Wheel(100, 100, -120);
    EXPECT_EQ(bars.bar(kBarV).value, 60); // 3 lines of 20, one change
    EXPECT_EQ(rec.Count("value 1"), 1);
    EXPECT_EQ(rec.log.front(), "wheel -3 shift 0");
    EXPECT_EQ(rec.log[1], "before 1 1 wheel 60");
    host.Wheel(100, 100, 120);
    EXPECT_EQ(bars.bar(kBarV).value, 0);
    host.Wheel(100, 100, -120, ui::kModCtrl);
    EXPECT_EQ(bars.bar(kBarV).value, 0);
    rec.wheelDefault = false;
    host.Wheel(100, 100, -120);
    EXPECT_EQ(bars.bar(kBarV).value, 0);
}

TEST_F(EngineFixture, WheelLinesBeyondThePageOrThePageSettingScrollOnePageWithoutOverflow) {
    Tall(INT_MAX / 2);
    gfx::SystemMetrics saved = gfx::systemMetrics();
    gfx::systemMetrics().wheelScrollLines = 1000000000;
    host.Wheel(100, 100, -120);
    EXPECT_EQ(bars.bar(kBarV).value, bars.bar(kBarV).largeChange);
    gfx::systemMetrics().wheelScrollLines = -1; // all ones: a page per notch
    host.Wheel(100, 100, -120);
    EXPECT_EQ(bars.bar(kBarV).value, 2 * bars.bar(kBarV).largeChange);
    gfx::systemMetrics().wheelScrollLines = 0; // below 1 counts as 3
    host.Wheel(100, 100, 120);
    EXPECT_EQ(bars.bar(kBarV).value, 2 * bars.bar(kBarV).largeChange - 60);
    // Near the end a big step stops at max.
    bars.SetValue(kBarV, bars.bar(kBarV).max - 1);
    gfx::systemMetrics().wheelScrollLines = 1000000000;
    host.Wheel(100, 100, -120);
    EXPECT_EQ(bars.bar(kBarV).value, bars.bar(kBarV).max);
    gfx::systemMetrics() = saved;
}

TEST_F(EngineFixture, HiddenBarsIgnoreLineAndPageRequests) {
    bars.Adjust(Geometry(100, 100), true);
    bars.Scroll(kBarV, ui::SB_LINEDOWN);
    EXPECT_EQ(bars.bar(kBarV).value, 0);
    EXPECT_TRUE(rec.log.empty() || rec.log.back().rfind("before", 0) != 0);
}

TEST_F(EngineFixture, FlatEngineTakesTheStyleAndFallsBack) {
    bars.SetUseFlat(true);
    EXPECT_TRUE(bars.UsesFlat());
    bars.SetStyle(lxScrollBarFlat);
    EXPECT_EQ(ui::Wm().GetFlatScrollBarMode(w, ui::SB_HORZ), ui::FSB_FLAT_MODE);
    EXPECT_EQ(ui::Wm().GetFlatScrollBarMode(w, ui::SB_VERT), ui::FSB_FLAT_MODE);
    bars.SetUseFlat(false);
    EXPECT_FALSE(ui::Wm().HasFlatScrollBars(w));
}

} // namespace
} // namespace lattix
