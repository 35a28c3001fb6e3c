// Helpers shared by the storage tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <set>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "runtime/automation_error.h"

namespace lattix::test {

// Expects `call` to raise the automation error with this number.
template <class F> void ExpectError(int32_t number, F&& call) {
    try {
        call();
        ADD_FAILURE() << "expected error 0x" << std::hex << static_cast<uint32_t>(number);
    } catch (const AutomationError& e) {
        EXPECT_EQ(e.unsignedNumber(), static_cast<uint32_t>(number)) << e.description();
    }
}

inline int32_t Code(int code) { return LattixErrorNumber(code); }

} // namespace lattix::test
