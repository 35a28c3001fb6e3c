#include "grid/view/ctimer.h"

#include <memory>

#include "grid/automation/error_table.h"
#include "grid/view/timer_table.h"
#include "platform/ui/window_manager.h"

namespace lattix {

CTimer::~CTimer() { Stop(); }

void CTimer::Stop() {
    if (systemId_ != 0) ui::Wm().KillTimer(0, systemId_);
    TimerTable::instance().Release(slot_);
    systemId_ = 0;
    slot_ = -1;
    interval_ = 0;
}

void CTimer::SetInterval(int32_t n) {
    if (n < 1) {
        Stop();
        return;
    }
    if (n == interval_) return;
    Stop();
    // The slot first: a system timer is only started for a timer the callback can find.
    int slot = TimerTable::instance().Reserve(this);
    if (slot < 0) RaiseLattixError(lattix_error::kTooManyTimers);
    ui::WindowManager& wm = ui::Wm();
    ui::TimerId id = 0;
    if (wm.HasBackend())
        id = wm.SetTimer(0, 0, static_cast<unsigned>(n),
                         [](ui::Hwnd, ui::TimerId timer, std::uint32_t) { CTimer::OnSystemTimer(timer); });
    if (id == 0) {
        TimerTable::instance().Release(slot);
        RaiseLattixError(lattix_error::kCannotCreateTimer);
    }
    slot_ = slot;
    systemId_ = id;
    interval_ = n;
}

void CTimer::OnSystemTimer(std::uintptr_t systemId) {
    CTimer* timer = TimerTable::instance().FindBySystemId(systemId);
    if (timer == nullptr) return;
    // A handler may drop the last reference to the timer: keep it alive for the tick.
    std::shared_ptr<AutomationObject> keep = timer->weak_from_this().lock();
    if (timer->tick_) {
        auto tick = timer->tick_;
        tick();
        // The tick may have stopped the timer.
        if (TimerTable::instance().FindBySystemId(systemId) != timer) return;
    }
    timer->RaiseTimerEvent();
}

void CTimer::RaiseTimerEvent() {
    const EventInfo* e = typeInfo().findEvent("Timer");
    if (e != nullptr) events_.fire(*e, {});
}

} // namespace lattix
