// Helpers shared by the grid model tests.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "runtime/automation_error.h"

namespace lattix_test {

using lattix::Lattix;
using lattix::Variant;

using lattix::test::LattixCode;

// A grid with `cols` columns and `rows` rows whose cell (r, c) holds r * 100 + c.
inline std::shared_ptr<Lattix> NumberedGrid(int cols, int rows) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    for (int r = 1; r <= rows; ++r)
        for (int c = 1; c <= cols + 1; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 100 + c));
    return g;
}

// Adds a row with the given level as a child of the nearest row above with level - 1.
inline int32_t AddTreeRow(Lattix& g, int level, const std::string& key = {}) {
    lattix::AddRowArgs a;
    a.sKey = key;
    if (level > 0) {
        int32_t parent = 0;
        for (int32_t r = g.RowCount(); r >= 1; --r)
            if (g.Row(r).level == level - 1) {
                parent = r;
                break;
            }
        a.vRowParent = Variant(parent);
    }
    return g.AddRow(a);
}

inline std::vector<int32_t> Levels(const Lattix& g) {
    std::vector<int32_t> v;
    for (int32_t r = 1; r <= g.RowCount(); ++r) v.push_back(g.Row(r).level);
    return v;
}

inline std::vector<bool> Displayed(const Lattix& g) {
    std::vector<bool> v;
    for (int32_t r = 1; r <= g.RowCount(); ++r) v.push_back(g.Row(r).displayed());
    return v;
}

} // namespace lattix_test
