#include "grid/view/timer_table.h"

#include "grid/view/ctimer.h"

namespace lattix {

TimerTable& TimerTable::instance() {
    static TimerTable table;
    return table;
}

int TimerTable::Reserve(CTimer* timer) {
    for (int i = 0; i < kSlots; ++i)
        if (slots_[static_cast<std::size_t>(i)] == nullptr) {
            slots_[static_cast<std::size_t>(i)] = timer;
            if (i > highest_) highest_ = i;
            ++used_;
            return i;
        }
    return -1;
}

void TimerTable::Release(int slot) {
    if (slot < 0 || slot >= kSlots || slots_[static_cast<std::size_t>(slot)] == nullptr) return;
    slots_[static_cast<std::size_t>(slot)] = nullptr;
    --used_;
    while (highest_ >= 0 && slots_[static_cast<std::size_t>(highest_)] == nullptr) --highest_;
}

CTimer* TimerTable::FindBySystemId(std::uintptr_t systemId) const {
    if (systemId == 0) return nullptr;
    for (int i = 0; i <= highest_; ++i) {
        CTimer* t = slots_[static_cast<std::size_t>(i)];
        if (t != nullptr && t->SystemTimerId() == systemId) return t;
    }
    return nullptr;
}

} // namespace lattix
