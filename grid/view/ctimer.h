// CTimer: a public timer object that raises its event Timer every Interval milliseconds, on the
// clock of the window system the library runs on (the headless host's virtual clock in tests).
// Hosts create their own (by class name in C, lattix.CTimer() in Python); the grid uses the same
// class for its delayed work.
#pragma once

#include <cstdint>
#include <functional>

#include "runtime/automation.h"
#include "runtime/variant.h"

namespace lattix {

class CTimer final : public AutomationObject {
public:
    CTimer() = default;
    ~CTimer() override;
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    const TypeInfo& typeInfo() const override;
    EventSource* events() override { return &events_; }

    // 0 while stopped.
    int32_t Interval() const { return interval_; }
    // n < 1 stops the timer. Another value (re)starts it with that interval; the value it already
    // has changes nothing. Raises 527 when 1000 timers run already and 526 when the system refuses
    // a timer; the timer is stopped then and Interval reads 0.
    void SetInterval(int32_t n);

    const Variant& Tag() const { return tag_; }
    void SetTag(const Variant& v) { tag_ = v; }

    // Raises the Timer event now (also while stopped).
    void RaiseTimerEvent();

    // For the grid's own timers: called on every tick before the Timer event.
    void SetTickHandler(std::function<void()> handler) { tick_ = std::move(handler); }

    // Internal: the running system timer's identifier (0 while stopped).
    std::uintptr_t SystemTimerId() const { return systemId_; }
    // Internal: the library's timer callback.
    static void OnSystemTimer(std::uintptr_t systemId);

private:
    void Stop();

    int32_t interval_ = 0;
    std::uintptr_t systemId_ = 0;
    int slot_ = -1;
    Variant tag_;
    std::function<void()> tick_;
    EventSource events_;
};

} // namespace lattix
