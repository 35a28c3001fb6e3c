// Helpers shared by the selection tests: a grid and a log of the selection and current-cell events.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/automation/error_table.h"
#include "grid/lattix.h"
#include "grid/objects/sel_items_object.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"
#include "tests/cell_grid_host.h"

namespace lattix_test {

using lattix::Lattix;
using lattix::Variant;

using lattix::test::LattixCode;

inline std::shared_ptr<Lattix> SelectionGrid(int cols, int rows, bool multi = true) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    g->SetMultiSelect(multi);
    return g;
}

// Events as "Name(a,b,...)" strings; CellSelectionChange is left out unless asked for.
class EventLog {
public:
    EventLog(Lattix& g, bool withCells = false) {
        g.events()->connect([this, withCells](const lattix::EventInfo& e, std::span<Variant> args) {
            if (e.name == "CellSelectionChange" && !withCells) {
                ++cellChanges;
                return;
            }
            entries.push_back(lattix::test::EventEntry(e.name, args));
        });
    }
    std::vector<std::string> take() {
        std::vector<std::string> out;
        out.swap(entries);
        cellChanges = 0;
        return out;
    }
    int count(const std::string& prefix) const {
        int n = 0;
        for (const auto& e : entries) n += e.rfind(prefix, 0) == 0;
        return n;
    }
    std::vector<std::string> entries;
    int cellChanges = 0;
};

// The selected cells in row-major order as "(r,c)" joined, from the cells' own flags.
inline std::string SelectedCells(Lattix& g) {
    std::string s;
    for (int r = 1; r <= g.RowCount(); ++r)
        for (int c = 1; c <= g.ColCount() + 1; ++c)
            if (g.CellSelected(Variant(r), Variant(c))) s += "(" + std::to_string(r) + "," + std::to_string(c) + ")";
    return s;
}

} // namespace lattix_test
