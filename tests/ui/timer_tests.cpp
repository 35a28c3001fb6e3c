// Timers on the virtual clock.
#include <gtest/gtest.h>

#include "tests/ui/probe_window.h"

using namespace lattix::ui;
using namespace lattix::ui::testing;
using lattix::ui::headless::HeadlessHost;

namespace {

TEST(Timers, FireInVirtualTimeInDueOrder) {
    HeadlessHost host(100, 100);
    WindowManager& wm = Wm();
    std::vector<std::pair<std::string, std::uint32_t>> fired;
    TimerId a = wm.SetTimer(0, 0, 10, [&](Hwnd, TimerId, std::uint32_t t) { fired.emplace_back("a", t); });
    TimerId b = wm.SetTimer(0, 0, 15, [&](Hwnd, TimerId, std::uint32_t t) { fired.emplace_back("b", t); });
    ASSERT_NE(a, 0u);
    ASSERT_NE(b, a);
    host.Advance(9);
    EXPECT_TRUE(fired.empty());
    host.Advance(36); // to 45
    std::vector<std::pair<std::string, std::uint32_t>> expected{{"a", 10}, {"b", 15}, {"a", 20}, {"a", 30},
                                                                {"b", 30}, {"a", 40}, {"b", 45}};
    EXPECT_EQ(fired, expected);
    EXPECT_EQ(host.Now(), 45u);
    EXPECT_EQ(wm.GetTickCount(), 45u);

    // Killed timers never fire again.
    fired.clear();
    EXPECT_TRUE(wm.KillTimer(0, a));
    EXPECT_FALSE(wm.KillTimer(0, a));
    host.Advance(100);
    for (const auto& f : fired) EXPECT_EQ(f.first, "b");
    EXPECT_FALSE(wm.IsTimerRunning(0, a));
}

TEST(Timers, CallbacksMayKillRestartAndStartTimers) {
    HeadlessHost host(100, 100);
    WindowManager& wm = Wm();
    std::vector<std::string> fired;
    TimerId second = 0;
    // Both are due at 10; the first started kills the second before it runs.
    TimerId first = wm.SetTimer(0, 0, 10, [&](Hwnd, TimerId id, std::uint32_t) {
        fired.push_back("first");
        wm.KillTimer(0, second);
        wm.KillTimer(0, id); // one-shot
        wm.SetTimer(0, 0, 5, [&](Hwnd, TimerId own, std::uint32_t) {
            fired.push_back("late");
            wm.KillTimer(0, own);
        });
    });
    second = wm.SetTimer(0, 0, 10, [&](Hwnd, TimerId, std::uint32_t) { fired.push_back("second"); });
    host.Advance(100);
    EXPECT_EQ(fired, (std::vector<std::string>{"first", "late"}));
    EXPECT_FALSE(wm.IsTimerRunning(0, first));
    EXPECT_EQ(wm.TimerCount(), 0u);

    // Setting a running timer again starts its interval afresh.
    int ticks = 0;
    TimerId t = wm.SetTimer(0, 0, 50, [&](Hwnd, TimerId, std::uint32_t) { ++ticks; });
    host.Advance(40);
    EXPECT_EQ(wm.SetTimer(0, t, 50, [&](Hwnd, TimerId, std::uint32_t) { ++ticks; }), t);
    host.Advance(40);
    EXPECT_EQ(ticks, 0);
    host.Advance(10);
    EXPECT_EQ(ticks, 1);
}

TEST(Timers, WindowTimersSendWmTimerAndEndWithTheWindow) {
    HeadlessHost host(100, 100);
    Probe probe;
    WindowManager& wm = Wm();
    Hwnd w = probe.Create(host.TopLevel(), rectOfSize(0, 0, 10, 10));
    EXPECT_EQ(wm.SetTimer(w, 7, 20), 7u);
    EXPECT_EQ(wm.SetTimer(0xBAD, 7, 20), 0u);
    EXPECT_EQ(wm.SetTimer(0, 0, 20), 0u); // a task timer needs a callback
    host.Advance(45);
    std::vector<Received> ticks = probe.Log({WM_TIMER});
    ASSERT_EQ(ticks.size(), 2u);
    EXPECT_EQ(ticks[0].wParam, 7u);
    // A zero interval counts as 1 ms.
    int fast = 0;
    wm.SetTimer(w, 8, 0, [&](Hwnd h, TimerId id, std::uint32_t) {
        EXPECT_EQ(h, w);
        EXPECT_EQ(id, 8u);
        ++fast;
    });
    host.Advance(3);
    EXPECT_EQ(fast, 3);
    wm.DestroyWindow(w);
    EXPECT_EQ(wm.TimerCount(), 0u);
    host.Advance(100);
    EXPECT_EQ(fast, 3);
}

TEST(Timers, LimitRefusesFurtherTimers) {
    HeadlessHost host(100, 100);
    WindowManager& wm = Wm();
    wm.SetTimerLimit(2);
    auto noop = [](Hwnd, TimerId, std::uint32_t) {};
    TimerId a = wm.SetTimer(0, 0, 10, noop);
    EXPECT_NE(wm.SetTimer(0, 0, 10, noop), 0u);
    EXPECT_EQ(wm.SetTimer(0, 0, 10, noop), 0u);
    EXPECT_EQ(wm.SetTimer(0, a, 30, noop), a); // restarting an existing one is still allowed
    EXPECT_EQ(wm.TimerCount(), 2u);
    wm.KillTimer(0, a);
    EXPECT_NE(wm.SetTimer(0, 0, 10, noop), 0u);
}

} // namespace
