// Helpers shared by the persistence tests.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "runtime/automation_error.h"

namespace persist_test {

using lattix::Lattix;
using lattix::Variant;

using lattix::test::LattixCode;

inline std::shared_ptr<Lattix> GridAtDpi(int dpi, int cols = 0) {
    Lattix::Options o;
    o.system.dpiX = dpi;
    auto g = Lattix::Create(o);
    if (cols > 0) g->SetColCount(cols);
    return g;
}

// Everything the layout strings describe, plus the frozen count and the sort criteria, as one text.
inline std::string LayoutState(const Lattix& g) {
    std::string s = g.LayoutCol() + "#" + g.LayoutSort() + "#" + std::to_string(g.FrozenCols()) + "#";
    for (int32_t p = 1; p <= g.ColCount() + 1; ++p) {
        const auto& c = g.Column(p);
        s += std::to_string(c.index) + ":" + std::to_string(c.left) + ":" + std::to_string(c.visibleIndex) + ";";
    }
    return s;
}

} // namespace persist_test
