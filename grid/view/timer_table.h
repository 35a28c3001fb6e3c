// The library-wide table of running CTimer objects: 1000 slots, each holding the timer that owns
// one running system timer. A timer takes a slot before its system timer starts, so a system
// timer never runs without an owner the callback can find.
#pragma once

#include <array>
#include <cstdint>

namespace lattix {

class CTimer;

class TimerTable {
public:
    static constexpr int kSlots = 1000;

    static TimerTable& instance();

    // The first free slot, now held by `timer`; -1 when every slot is taken.
    int Reserve(CTimer* timer);
    void Release(int slot);
    // The timer holding a slot with this system timer identifier; the search stops at the highest
    // slot in use. nullptr when none.
    CTimer* FindBySystemId(std::uintptr_t systemId) const;
    int UsedCount() const { return used_; }
    int HighestUsedSlot() const { return highest_; }

private:
    std::array<CTimer*, kSlots> slots_{};
    int highest_ = -1;
    int used_ = 0;
};

} // namespace lattix
