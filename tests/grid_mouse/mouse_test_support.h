// A grid in a headless host window, driven by injected mouse input in virtual time, and a log of
// the events it raises.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "grid/objects/sel_items_object.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"
#include "tests/cell_grid_host.h"

namespace mouse_test {

using lattix::Lattix;
using lattix::Variant;
using lattix::ui::headless::MouseButton;
using Strings = std::vector<std::string>;
inline constexpr unsigned kShift = lattix::ui::kModShift, kCtrl = lattix::ui::kModCtrl;

// cols columns 50 pixels wide, rows 20 pixels high, header 20 pixels: cell (r, c) lies at
// x = (c - 1) * 50, y = 20 + (r - 1) * 20 while nothing is scrolled.
struct MouseGrid : lattix::test::CellGridHost {
    MouseGrid(int cols, int rows, int width = 400, int height = 300) : CellGridHost(cols, rows, width, height) {}
    void Click(int row, int col, unsigned mods = 0, MouseButton b = MouseButton::Left) { host.Click(X(col), Y(row), b, mods); }
    unsigned DoubleClickTime() const { return lattix::ui::Wm().GetDoubleClickTime(); }
};

// Events as "Name(a,b,...)"; the names in `skip` are only counted.
class EventLog {
public:
    explicit EventLog(Lattix& g, std::set<std::string> skip = {"CellSelectionChange", "MouseMove", "MouseEnter",
                                                                 "MouseLeave", "QuitCustomEdit"})
        : skip_(std::move(skip)) {
        g.events()->connect([this](const lattix::EventInfo& e, std::span<Variant> args) {
            // What the painter raises while drawing, and the tooltip requests of hovering (tested on
            // their own), are not the business of these logs.
            if (e.name.find("Draw") != std::string::npos || e.name.find("Dynamic") != std::string::npos ||
                e.name.find("ToolTip") != std::string::npos)
                return;
            ++counts[e.name];
            if (skip_.count(e.name)) return;
            entries.push_back(lattix::test::EventEntry(e.name, args));
        });
    }
    Strings take() {
        Strings out;
        out.swap(entries);
        counts.clear();
        return out;
    }
    Strings entries;
    std::map<std::string, int> counts;

private:
    std::set<std::string> skip_;
};

inline std::string Selected(Lattix& g) {
    g.SelItems()->SetSorted(true);
    return g.SelItems()->GetString();
}

} // namespace mouse_test
