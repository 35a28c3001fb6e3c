// Wheels that send parts of a notch (touchpads, high-resolution wheels): the parts add up to whole
// notches, each of which scrolls and raises MouseWheel once; a change of direction or a pause
// drops what is left over.
#include "tests/grid_header/grid_chrome_support.h"

namespace chrome_test {
namespace {

namespace ui = lattix::ui;
using lattix::kBarH;
using lattix::kBarV;

struct WheelResult {
    int32_t line = 0; // the bar's small change
    int32_t value = 0;
    int wheelEvents = 0;
    int posChanges = 0;
};

// A vertical scroll of `deltas` at one point in time.
WheelResult VerticalAfter(const std::vector<int>& deltas) {
    ChromeGrid g(400, 300, 2, 200);
    g->VScrollBar()->SetValue(1000);
    g.log.clear();
    for (int d : deltas) g.host.Wheel(100, 100, d);
    return {g->VScrollBar()->SmallChange(), g->VScrollBar()->Value(), g.Count("MouseWheel"),
            g.Count("ScrollBarPosChanged")};
}

TEST(GridWheel, PartsOfANotchAddUpToWhatAWholeNotchScrolls) {
    WheelResult notch = VerticalAfter({-120});
    const int32_t line = notch.line;
    EXPECT_EQ(notch.value, 1000 + 3 * line);
    EXPECT_EQ(notch.wheelEvents, 1);

    WheelResult eighths = VerticalAfter(std::vector<int>(8, -15));
    EXPECT_EQ(eighths.value, notch.value);
    EXPECT_EQ(eighths.wheelEvents, 1);
    EXPECT_EQ(eighths.posChanges, 1);

    WheelResult fortieths = VerticalAfter(std::vector<int>(40, -3));
    EXPECT_EQ(fortieths.value, notch.value);
    EXPECT_EQ(fortieths.wheelEvents, 1);

    // Upwards alike; two and a half notches scroll two, in two steps.
    EXPECT_EQ(VerticalAfter(std::vector<int>(8, 15)).value, 1000 - 3 * line);
    WheelResult twoAndAHalf = VerticalAfter(std::vector<int>(20, -15));
    EXPECT_EQ(twoAndAHalf.value, 1000 + 6 * line);
    EXPECT_EQ(twoAndAHalf.wheelEvents, 2);
    // One message of several notches scrolls each of them.
    WheelResult fast = VerticalAfter({-360});
    EXPECT_EQ(fast.value, 1000 + 9 * line);
    EXPECT_EQ(fast.wheelEvents, 3);
    // Seven eighths scroll nothing and tell the host nothing.
    WheelResult short_ = VerticalAfter(std::vector<int>(7, -15));
    EXPECT_EQ(short_.value, 1000);
    EXPECT_EQ(short_.wheelEvents, 0);
}

TEST(GridWheel, ADirectionChangeOrAPauseDropsTheRemainder) {
    ChromeGrid g(400, 300, 2, 200);
    g->VScrollBar()->SetValue(1000);
    lattix::cScrollBars& bars = *g.chrome().Bars();
    const int32_t line = g->VScrollBar()->SmallChange();
    for (int i = 0; i < 7; ++i) g.host.Wheel(100, 100, -15);
    EXPECT_EQ(bars.WheelRemainder(false), -105);
    // Turning back starts from nothing: one eighth up scrolls nothing, and the seven eighths down
    // gathered before are gone.
    g.host.Wheel(100, 100, 15);
    EXPECT_EQ(bars.WheelRemainder(false), 15);
    for (int i = 0; i < 6; ++i) g.host.Wheel(100, 100, 15);
    EXPECT_EQ(g->VScrollBar()->Value(), 1000);
    g.host.Wheel(100, 100, 15);
    EXPECT_EQ(g->VScrollBar()->Value(), 1000 - 3 * line);
    EXPECT_EQ(g.Count("MouseWheel"), 1);

    // Within a second the parts still add up; after a second's pause they start again.
    for (int i = 0; i < 4; ++i) g.host.Wheel(100, 100, -15);
    g.host.Advance(999);
    for (int i = 0; i < 4; ++i) g.host.Wheel(100, 100, -15);
    EXPECT_EQ(g->VScrollBar()->Value(), 1000);
    for (int i = 0; i < 4; ++i) g.host.Wheel(100, 100, -15);
    g.host.Advance(1000);
    for (int i = 0; i < 4; ++i) g.host.Wheel(100, 100, -15);
    EXPECT_EQ(g->VScrollBar()->Value(), 1000);
    EXPECT_EQ(bars.WheelRemainder(false), -60);
    EXPECT_EQ(g.Count("MouseWheel"), 2);
}

TEST(GridWheel, MouseWheelIsRaisedOncePerNotchWithTheHostsSayKeptPerNotch) {
    ChromeGrid g(400, 300, 2, 200);
    const int32_t line = g->VScrollBar()->SmallChange();
    int calls = 0;
    // The host lets every other notch scroll.
    g.answers["MouseWheel"] = [&calls](std::span<Variant> a) {
        if (++calls % 2 == 0) SetRef(a, 5, Variant(false));
    };
    for (int i = 0; i < 16; ++i) g.host.Wheel(100, 100, -30); // four notches
    EXPECT_EQ(g.Count("MouseWheel"), 4);
    EXPECT_EQ(g->VScrollBar()->Value(), 2 * 3 * line);
    for (const Fired& f : g.log)
        if (f.name == "MouseWheel") EXPECT_EQ(f.I(0), -3);
    // With Ctrl nothing scrolls, but the host hears of each notch all the same.
    g.answers.clear();
    g.log.clear();
    for (int i = 0; i < 8; ++i) g.host.Wheel(100, 100, -15, ui::kModCtrl);
    EXPECT_EQ(g.Count("MouseWheel"), 1);
    EXPECT_EQ(g->VScrollBar()->Value(), 2 * 3 * line);
}

TEST(GridWheel, TheHorizontalWheelGathersOnItsOwnAndScrollsAsShiftWithTheWheel) {
    ChromeGrid g(400, 300, 20, 200);
    int32_t small = g->HScrollBar()->SmallChange();
    // A vertical remainder does not mix with the horizontal one.
    for (int i = 0; i < 7; ++i) g.host.Wheel(100, 100, -15);
    for (int i = 0; i < 8; ++i) g.host.HWheel(100, 100, 15);
    EXPECT_EQ(g->HScrollBar()->Value(), 3 * small);
    EXPECT_EQ(g->VScrollBar()->Value(), 0);
    EXPECT_EQ(g.chrome().Bars()->WheelRemainder(false), -105);
    const Fired* wheel = g.Find("MouseWheel");
    ASSERT_NE(wheel, nullptr);
    EXPECT_EQ(wheel->I(0), -3); // to the right: onwards, as the wheel turned towards the user
    EXPECT_EQ(wheel->I(2), 1);  // Shift
    for (int i = 0; i < 40; ++i) g.host.HWheel(100, 100, -3);
    EXPECT_EQ(g->HScrollBar()->Value(), 0);
    EXPECT_EQ(g.Count("MouseWheel"), 2);
}

} // namespace
} // namespace chrome_test
