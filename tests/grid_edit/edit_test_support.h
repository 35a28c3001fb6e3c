// A grid in a headless host window for editing and keyboard tests: cells 50 x 20 pixels below a
// 20-pixel header, keys and mouse injected in virtual time, and a log of the events it raises.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "grid/objects/sel_items_object.h"
#include "platform/controls/edit_box.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/keys.h"
#include "platform/ui/window_manager.h"
#include "runtime/conversions.h"
#include "runtime/text_conversion.h"
#include "tests/cell_grid_host.h"

namespace edit_test {

using lattix::Lattix;
using lattix::Variant;
using Strings = std::vector<std::string>;
namespace ui = lattix::ui;
inline constexpr unsigned kShift = ui::kModShift, kCtrl = ui::kModCtrl, kAlt = ui::kModAlt;

struct EditGrid : lattix::test::CellGridHost {
    EditGrid(int cols, int rows, int width = 400, int height = 300) : CellGridHost(cols, rows, width, height) {
        ui::Wm().SetFocus(grid->WindowHandle());
    }
    void Key(ui::VirtualKey k, unsigned mods = 0) { host.KeyPress(k, mods); }
    void Type(const std::string& s) { host.TypeText(s); }
    lattix::controls::EditBox* Editor() { return lattix::controls::EditBox::FromWindow(grid->TextEditHwnd()); }
    void Current(int row, int col) { grid->SetCurCell(Variant(row), Variant(col)); }
    const std::vector<ui::headless::ShownMessageBox>& Boxes() { return host.MessageBoxesShown(); }
};

inline std::string Show(const Variant& v) {
    const Variant& d = v.deref();
    if (d.isObject()) return "<object>";
    return lattix::TextOf(d);
}

// Events as "Name(a,b,...)"; painting events and the names in `skip` are left out.
class EventLog {
public:
    explicit EventLog(Lattix& g, std::set<std::string> skip = {"CellSelectionChange", "MouseMove", "MouseEnter",
                                                                 "MouseLeave", "TextEditMouseMove"})
        : skip_(std::move(skip)) {
        g.events()->connect([this](const lattix::EventInfo& e, std::span<Variant> args) {
            if (e.name.find("Draw") != std::string::npos || e.name.find("Dynamic") != std::string::npos) return;
            ++counts[e.name];
            if (skip_.count(e.name)) return;
            entries.push_back(lattix::test::EventEntry(e.name, args, &Show));
        });
    }
    Strings take() {
        Strings out;
        out.swap(entries);
        counts.clear();
        return out;
    }
    Strings names() {
        Strings out;
        for (const std::string& e : take()) out.push_back(e.substr(0, e.find('(')));
        return out;
    }
    Strings entries;
    std::map<std::string, int> counts;

private:
    std::set<std::string> skip_;
};

// Answers an event's by-reference argument from a handler: OnEvent(g, "RequestEdit", [](args){...}).
inline void OnEvent(Lattix& g, const std::string& name, std::function<void(std::span<Variant>)> handler) {
    g.events()->connect([name, handler](const lattix::EventInfo& e, std::span<Variant> args) {
        if (e.name == name) handler(args);
    });
}

inline void SetRef(Variant& arg, Variant value) { *arg.slot() = std::move(value); }

} // namespace edit_test
