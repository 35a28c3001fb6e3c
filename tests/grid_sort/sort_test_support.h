// Helpers shared by the sorting tests.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/objects/sort_group_object.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "runtime/text_conversion.h"

namespace sort_test {

using lattix::Lattix;
using lattix::Variant;

using lattix::test::LattixCode;

// A grid with the given columns whose rows are the given values (one vector per row); the row key
// of row r is "r<r>" so that tests can follow rows.
inline std::shared_ptr<Lattix> GridOf(int cols, const std::vector<std::vector<Variant>>& rows) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    for (size_t r = 0; r < rows.size(); ++r) {
        lattix::AddRowArgs a;
        a.sKey = "r" + std::to_string(r + 1);
        int32_t row = g->AddRow(a);
        for (size_t c = 0; c < rows[r].size(); ++c) g->SetCellValue(Variant(row), Variant(static_cast<int32_t>(c + 1)), rows[r][c]);
    }
    return g;
}

// The row keys in row order, joined by spaces: "r3 r1 r2".
inline std::string KeyOrder(const Lattix& g) {
    std::string s;
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        if (r > 1) s += ' ';
        s += g.RowKey(r);
    }
    return s;
}

// The texts of column c in row order, joined by "|".
inline std::string Column(Lattix& g, int32_t c) {
    std::string s;
    for (int32_t r = 1; r <= g.RowCount(); ++r) {
        if (r > 1) s += '|';
        s += lattix::TextOf(g.CellValue(Variant(r), Variant(c)));
    }
    return s;
}

// Records the names of the events a grid raises.
struct EventLog {
    std::vector<std::string> names;
    explicit EventLog(Lattix& g) {
        g.events()->connect([this](const lattix::EventInfo& e, std::span<Variant>) { names.push_back(e.name); });
    }
    int count(const std::string& name) const {
        int n = 0;
        for (const auto& s : names) n += s == name;
        return n;
    }
};

inline Variant Num(double d) { return Variant(d); }
inline Variant Txt(const char* s) { return Variant(s); }

} // namespace sort_test
