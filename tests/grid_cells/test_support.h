// Helpers shared by the cell tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>

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

inline Variant V(int32_t i) { return Variant(i); }

// A grid with `cols` columns and `rows` rows.
inline std::shared_ptr<Lattix> MakeGrid(int32_t cols, int32_t rows) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    return g;
}

// Connects a handler for one event by name; by-reference arguments are written with *args[i].slot().
inline int OnEvent(Lattix& g, const std::string& name, std::function<void(std::span<Variant>)> handler) {
    return g.events()->connect([name, handler](const EventInfo& e, std::span<Variant> args) {
        if (e.name == name) handler(args);
    });
}

} // namespace lattix::test
