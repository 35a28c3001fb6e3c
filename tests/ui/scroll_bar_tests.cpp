// Non-client scroll bars: state, client area, and the notifications presses and drags produce.
#include <gtest/gtest.h>

#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;

namespace {

struct ScrollFixture : ::testing::Test {
    HeadlessHost host{400, 300};
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = 0;

    void SetUp() override {
        w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 200, 200), WS_CHILD | WS_VISIBLE | WS_VSCROLL);
        ScrollInfo info;
        info.mask = SIF_RANGE | SIF_PAGE | SIF_POS;
        info.min = 0;
        info.max = 999;
        info.page = 100;
        info.pos = 0;
        wm.SetScrollInfo(w, SB_VERT, info);
        probe.Clear();
    }
    std::vector<int> Codes() const {
        std::vector<int> codes;
        for (const Received& r : probe.Log({WM_VSCROLL})) codes.push_back(LoWord(r.wParam));
        return codes;
    }
};

TEST_F(ScrollFixture, ShowingBarsChangesTheClientAreaAndSendsSize) {
    int t = wm.ScrollBarThickness();
    EXPECT_EQ(wm.GetClientRect(w), (Rect{0, 0, 200 - t, 200}));
    EXPECT_TRUE(wm.ShowScrollBar(w, SB_HORZ, true));
    EXPECT_EQ(wm.GetClientRect(w), (Rect{0, 0, 200 - t, 200 - t}));
    ASSERT_EQ(probe.Log({WM_SIZE}).size(), 1u);
    EXPECT_EQ(HiWord(static_cast<std::uintptr_t>(probe.Log({WM_SIZE})[0].lParam)), 200 - t);
    EXPECT_EQ(wm.GetScrollBarRect(w, SB_VERT), (Rect{200 - t, 0, 200, 200 - t}));
    wm.ShowScrollBar(w, SB_BOTH, false);
    EXPECT_EQ(wm.GetClientRect(w), (Rect{0, 0, 200, 200}));
    EXPECT_FALSE(wm.IsScrollBarShown(w, SB_VERT));
    EXPECT_TRUE(wm.GetScrollBarRect(w, SB_VERT).isEmpty());
    // Showing what is shown already sends nothing.
    probe.Clear();
    wm.ShowScrollBar(w, SB_BOTH, false);
    EXPECT_TRUE(probe.Log({WM_SIZE}).empty());
}

TEST_F(ScrollFixture, PositionIsClampedToTheRangeMinusThePage) {
    EXPECT_EQ(wm.SetScrollPos(w, SB_VERT, 5000), 0);
    EXPECT_EQ(wm.GetScrollPos(w, SB_VERT), 900);
    ScrollInfo info;
    info.mask = SIF_PAGE;
    info.page = 50;
    EXPECT_EQ(wm.SetScrollInfo(w, SB_VERT, info), 900);
    info.mask = SIF_ALL;
    wm.GetScrollInfo(w, SB_VERT, info);
    EXPECT_EQ(info.page, 50u);
    EXPECT_EQ(info.max, 999);
    wm.SetScrollRange(w, SB_VERT, 0, 99);
    EXPECT_EQ(wm.GetScrollPos(w, SB_VERT), 50);
    EXPECT_FALSE(wm.SetScrollRange(w, SB_VERT, 10, 5));
    wm.SetScrollPos(w, SB_VERT, -4);
    EXPECT_EQ(wm.GetScrollPos(w, SB_VERT), 0);
}

TEST_F(ScrollFixture, ArrowAndPageClicksNotifyAndRepeatWhileHeld) {
    int t = wm.ScrollBarThickness();
    int x = 200 - t / 2;
    host.Click(x, 200 - t / 2); // down arrow
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_TRUE(probe.Log({WM_LBUTTONDOWN}).empty()); // the client never hears of it
    probe.Clear();
    host.Click(x, t / 2); // up arrow
    host.Click(x, 150);   // below the thumb
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEUP, SB_ENDSCROLL, SB_PAGEDOWN, SB_ENDSCROLL}));

    probe.Clear();
    host.MouseDown(x, 200 - t / 2);
    host.Advance(399);
    EXPECT_EQ(Codes().size(), 1u);
    host.Advance(1 + 50 * 3); // the first repeat at 400 ms, then every 50 ms
    EXPECT_EQ(Codes().size(), 5u);
    host.MouseUp(x, 200 - t / 2);
    host.Advance(500);
    EXPECT_EQ(Codes().back(), SB_ENDSCROLL);
    EXPECT_EQ(Codes().size(), 6u);
}

TEST_F(ScrollFixture, ThumbDragTracksAndEndsWithThePosition) {
    int t = wm.ScrollBarThickness();
    int x = 200 - t / 2;
    // Track: 200 - 2 * t pixels; thumb: a tenth of it.
    int track = 200 - 2 * t;
    int thumb = track * 100 / 1000;
    int grabY = t + thumb / 2;
    host.MouseDown(x, grabY);
    host.MouseMove(x, grabY + (track - thumb) / 2);
    host.MouseMove(x + 80, grabY + (track - thumb)); // far outside the bar: still tracking
    ScrollInfo info;
    info.mask = SIF_TRACKPOS | SIF_POS;
    wm.GetScrollInfo(w, SB_VERT, info);
    EXPECT_EQ(info.trackPos, 900);
    EXPECT_EQ(info.pos, 0); // the window moves the bar itself
    host.MouseUp(x + 80, grabY + (track - thumb));
    std::vector<Received> log = probe.Log({WM_VSCROLL});
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(LoWord(log[0].wParam), SB_THUMBTRACK);
    EXPECT_NEAR(HiWord(log[0].wParam), 450, 10);
    EXPECT_EQ(LoWord(log[1].wParam), SB_THUMBTRACK);
    EXPECT_EQ(HiWord(log[1].wParam), 900);
    EXPECT_EQ(LoWord(log[2].wParam), SB_THUMBPOSITION);
    EXPECT_EQ(HiWord(log[2].wParam), 900);
    EXPECT_EQ(LoWord(log[3].wParam), SB_ENDSCROLL);
}

TEST_F(ScrollFixture, DisabledOrFlatBars) {
    int t = wm.ScrollBarThickness();
    EXPECT_TRUE(wm.EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH));
    EXPECT_FALSE(wm.EnableScrollBar(w, SB_VERT, ESB_DISABLE_BOTH)); // no change
    host.Click(200 - t / 2, 200 - t / 2);
    EXPECT_TRUE(Codes().empty());
    EXPECT_EQ(wm.GetScrollBarArrowState(w, SB_VERT), ESB_DISABLE_BOTH);
    wm.EnableScrollBar(w, SB_VERT, ESB_ENABLE_BOTH);

    EXPECT_FALSE(wm.SetFlatScrollBarMode(w, SB_VERT, FSB_FLAT_MODE)); // not initialised
    EXPECT_TRUE(wm.InitializeFlatScrollBars(w));
    EXPECT_TRUE(wm.SetFlatScrollBarMode(w, SB_BOTH, FSB_ENCARTA_MODE));
    EXPECT_FALSE(wm.SetFlatScrollBarMode(w, SB_VERT, 7));
    EXPECT_EQ(wm.GetFlatScrollBarMode(w, SB_HORZ), FSB_ENCARTA_MODE);
    host.Click(200 - t / 2, 200 - t / 2); // flat bars work the same way
    EXPECT_EQ(Codes(), (std::vector<int>{SB_LINEDOWN, SB_ENDSCROLL}));
    EXPECT_TRUE(wm.UninitializeFlatScrollBars(w));
    EXPECT_EQ(wm.GetFlatScrollBarMode(w, SB_VERT), FSB_REGULAR_MODE);
}

} // namespace
