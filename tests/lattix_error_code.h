// The Lattix error code of a call, shared by the grid tests: 0 when the call succeeded, the code
// (513 to 527) of a Lattix error it raised, -1 for any other automation error.
#pragma once

#include <cstdint>
#include <functional>

#include "runtime/automation_error.h"

namespace lattix::test {

inline int LattixCode(const std::function<void()>& f) {
    try {
        f();
    } catch (const lattix::AutomationError& e) {
        const uint32_t n = e.unsignedNumber();
        return n >= 0x80040000u && n < 0x80041000u ? static_cast<int>(n - 0x80040000u) : -1;
    }
    return 0;
}

} // namespace lattix::test
