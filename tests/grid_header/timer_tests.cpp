// CTimer in virtual time: intervals, order of firing, stopping, the 1000-slot table and its errors.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/view/ctimer.h"
#include "grid/view/timer_table.h"
#include "platform/headless/headless_host.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace lattix {
namespace {

using ui::headless::HeadlessHost;

int ErrorCode(const std::function<void()>& f) {
    try {
        f();
    } catch (const AutomationError& e) {
        return e.number() - static_cast<int32_t>(0x80040000);
    }
    return 0;
}

struct TimerFixture : ::testing::Test {
    HeadlessHost host{100, 100};
    std::vector<std::string> fired;

    std::shared_ptr<CTimer> Make(const std::string& name) {
        auto t = std::make_shared<CTimer>();
        t->events()->connect([this, name](const EventInfo& e, std::span<Variant>) {
            EXPECT_EQ(e.name, "Timer");
            fired.push_back(name + "@" + std::to_string(host.Now()));
        });
        return t;
    }
};

TEST_F(TimerFixture, TimersFireInDueOrderAndStopAtZeroOrBelow) {
    std::uint64_t t0 = host.Now();
    auto a = Make("a");
    auto b = Make("b");
    a->SetInterval(30);
    b->SetInterval(20);
    host.Advance(60);
    auto at = [&](const char* n, int ms) { return std::string(n) + "@" + std::to_string(t0 + ms); };
    EXPECT_EQ(fired, (std::vector<std::string>{at("b", 20), at("a", 30), at("b", 40), at("a", 60), at("b", 60)}));
    fired.clear();
    a->SetInterval(0);
    b->SetInterval(-5);
    EXPECT_EQ(a->Interval(), 0);
    EXPECT_EQ(b->Interval(), 0);
    host.Advance(200);
    EXPECT_TRUE(fired.empty());
    EXPECT_EQ(TimerTable::instance().UsedCount(), 0);
}

TEST_F(TimerFixture, SameIntervalChangesNothingAnotherRestarts) {
    std::uint64_t t0 = host.Now();
    auto a = Make("a");
    a->SetInterval(50);
    host.Advance(30);
    a->SetInterval(50); // no restart: still due at 50
    host.Advance(20);
    ASSERT_EQ(fired.size(), 1u);
    EXPECT_EQ(fired[0], "a@" + std::to_string(t0 + 50));
    a->SetInterval(100); // restarts from now
    host.Advance(99);
    EXPECT_EQ(fired.size(), 1u);
    host.Advance(1);
    EXPECT_EQ(fired.size(), 2u);
}

TEST_F(TimerFixture, AHandlerStoppingAnotherTimerDueAtTheSameTimeKeepsItFromFiring) {
    auto a = Make("a");
    auto b = std::make_shared<CTimer>();
    int bFired = 0;
    b->events()->connect([&](const EventInfo&, std::span<Variant>) { ++bFired; });
    a->events()->connect([&](const EventInfo&, std::span<Variant>) { b->SetInterval(0); });
    a->SetInterval(10);
    b->SetInterval(10);
    host.Advance(100);
    EXPECT_EQ(bFired, 0);
    EXPECT_EQ(fired.size(), 10u);
}

TEST_F(TimerFixture, DroppingTheLastReferenceInItsOwnHandlerIsSafe) {
    auto a = Make("a");
    a->events()->connect([&](const EventInfo&, std::span<Variant>) { a.reset(); });
    a->SetInterval(10);
    host.Advance(50);
    EXPECT_EQ(fired.size(), 1u);
    EXPECT_EQ(TimerTable::instance().UsedCount(), 0);
}

TEST_F(TimerFixture, TheThousandAndFirstTimerRaises527AndLeavesNoSystemTimer) {
    std::vector<std::shared_ptr<CTimer>> timers;
    for (int i = 0; i < TimerTable::kSlots; ++i) {
        timers.push_back(std::make_shared<CTimer>());
        timers.back()->SetInterval(1000 + i);
    }
    std::size_t systemTimers = ui::Wm().TimerCount();
    auto extra = std::make_shared<CTimer>();
    EXPECT_EQ(ErrorCode([&] { extra->SetInterval(10); }), lattix_error::kTooManyTimers);
    EXPECT_EQ(extra->Interval(), 0);
    EXPECT_EQ(ui::Wm().TimerCount(), systemTimers);
    // A freed slot is found again, also below the highest one in use.
    timers[3]->SetInterval(0);
    extra->SetInterval(10);
    EXPECT_EQ(extra->Interval(), 10);
    timers.clear();
    extra.reset();
    EXPECT_EQ(TimerTable::instance().UsedCount(), 0);
    EXPECT_EQ(TimerTable::instance().HighestUsedSlot(), -1);
}

TEST_F(TimerFixture, ARefusedSystemTimerRaises526AndFreesItsSlot) {
    ui::Wm().SetTimerLimit(ui::Wm().TimerCount());
    auto a = Make("a");
    EXPECT_EQ(ErrorCode([&] { a->SetInterval(10); }), lattix_error::kCannotCreateTimer);
    EXPECT_EQ(a->Interval(), 0);
    EXPECT_EQ(TimerTable::instance().UsedCount(), 0);
    ui::Wm().SetTimerLimit(10000);
    a->SetInterval(10);
    host.Advance(10);
    EXPECT_EQ(fired.size(), 1u);
}

TEST(TimerWithoutHost, StartingWithoutAWindowSystemRaises526) {
    CTimer t;
    EXPECT_EQ(ErrorCode([&] { t.SetInterval(10); }), lattix_error::kCannotCreateTimer);
    EXPECT_EQ(t.Interval(), 0);
}

TEST_F(TimerFixture, PublishedMembersByName) {
    auto a = Make("a");
    a->invoke("Interval", InvokeKind::Let, std::vector<Variant>{Variant(25)});
    EXPECT_EQ(ToInt32(a->invoke("Interval", InvokeKind::Get)), 25);
    a->invoke("Tag", InvokeKind::Let, std::vector<Variant>{Variant("x")});
    EXPECT_EQ(ToString(a->invoke("Tag", InvokeKind::Get)), "x");
    a->invoke("RaiseTimerEvent", InvokeKind::Method);
    EXPECT_EQ(fired.size(), 1u);
    EXPECT_EQ(a->typeInfo().eventInterfaceName(), "__CTimer");
}

} // namespace
} // namespace lattix
