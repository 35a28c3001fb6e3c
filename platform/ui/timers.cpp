// Timers on the backend's clock.
#include <algorithm>

#include "platform/gfx/system_metrics.h"

#include "platform/ui/window_manager.h"
#include "platform/ui/window_record.h"

namespace lattix::ui {

WindowManager::Timer* WindowManager::FindTimer(Hwnd hwnd, TimerId id) {
    for (Timer& t : timers_)
        if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
}

const WindowManager::Timer* WindowManager::FindTimer(Hwnd hwnd, TimerId id) const {
    for (const Timer& t : timers_)
        if (t.hwnd == hwnd && t.id == id) return &t;
    return nullptr;
}

std::uint32_t WindowManager::GetTickCount() const {
    return backend_ == nullptr ? 0 : static_cast<std::uint32_t>(backend_->NowMs());
}

unsigned WindowManager::GetDoubleClickTime() const {
    return static_cast<unsigned>(std::max(1, gfx::systemMetrics().doubleClickTimeMs));
}

int WindowManager::GetWheelScrollLines() const { return gfx::systemMetrics().wheelScrollLines; }

TimerId WindowManager::SetTimer(Hwnd hwnd, TimerId id, unsigned elapseMs, TimerProc callback) {
    if (backend_ == nullptr) return 0;
    if (hwnd != 0 && Find(hwnd) == nullptr) return 0;
    if (hwnd == 0 && !callback) return 0;
    unsigned interval = std::max(1u, elapseMs);
    std::uint64_t now = backend_->NowMs();
    if (Timer* existing = (hwnd != 0 || id != 0) ? FindTimer(hwnd, id) : nullptr) {
        existing->interval = interval;
        existing->due = now + interval;
        existing->seq = ++timerSeq_;
        existing->callback = std::move(callback);
        TimersChangedNotify();
        return hwnd != 0 ? id : existing->id;
    }
    if (timers_.size() >= timerLimit_) return 0;
    if (hwnd == 0) {
        // Task timers get ids of their own, never reused while running.
        do {
            id = nextTaskTimerId_++;
            if (nextTaskTimerId_ == 0) nextTaskTimerId_ = 1;
        } while (id == 0 || FindTimer(0, id) != nullptr);
    }
    timers_.push_back(Timer{hwnd, id, interval, now + interval, ++timerSeq_, std::move(callback)});
    TimersChangedNotify();
    return hwnd != 0 ? (id == 0 ? 1 : id) : id;
}

bool WindowManager::KillTimer(Hwnd hwnd, TimerId id) {
    auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.hwnd == hwnd && t.id == id; });
    if (it == timers_.end()) return false;
    timers_.erase(it);
    TimersChangedNotify();
    return true;
}

bool WindowManager::IsTimerRunning(Hwnd hwnd, TimerId id) const { return FindTimer(hwnd, id) != nullptr; }

std::optional<std::uint64_t> WindowManager::NextTimerDue() const {
    std::optional<std::uint64_t> next;
    for (const Timer& t : timers_)
        if (!next || t.due < *next) next = t.due;
    return next;
}

void WindowManager::TimersChangedNotify() {
    if (backend_ != nullptr) backend_->TimersChanged(NextTimerDue());
}

std::size_t WindowManager::RunDueTimers() {
    if (backend_ == nullptr) return 0;
    std::uint64_t now = backend_->NowMs();
    std::size_t fired = 0;
    // Each round picks the earliest due timer afresh, so that callbacks may kill or start timers.
    for (;;) {
        Timer* next = nullptr;
        for (Timer& t : timers_)
            if (t.due <= now && (next == nullptr || t.due < next->due || (t.due == next->due && t.seq < next->seq)))
                next = &t;
        if (next == nullptr) break;
        Hwnd hwnd = next->hwnd;
        TimerId id = next->id;
        std::uint64_t firedAt = next->due;
        next->due = firedAt + next->interval;
        // A late clock does not make up missed ticks one by one: the next tick is in the future.
        if (next->due <= now) next->due = now + next->interval;
        TimerProc callback = next->callback;
        ++fired;
        if (callback) {
            callback(hwnd, id, static_cast<std::uint32_t>(now));
        } else if (WindowRecord* w = Find(hwnd)) {
            Deliver(*w, WM_TIMER, id, 0);
        }
    }
    TimersChangedNotify();
    return fired;
}

} // namespace lattix::ui
