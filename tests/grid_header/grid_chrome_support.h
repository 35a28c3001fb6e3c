// A grid on a headless host with its events recorded, for the header bar and scroll bar tests.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "grid/objects/header_object.h"
#include "grid/objects/scroll_bar_object.h"
#include "grid/view/grid_chrome.h"
#include "platform/headless/headless_host.h"
#include "runtime/automation_error.h"
#include "runtime/conversions.h"

namespace chrome_test {

using lattix::Lattix;
using lattix::Variant;

using lattix::test::LattixCode;

struct Fired {
    std::string name;
    std::vector<Variant> args;
    int32_t I(size_t i) const { return lattix::ToInt32(args[i].deref()); }
};

// A grid filling the host window: no border, header 20 high, cols x 80 px columns, rows x 20 px rows.
struct ChromeGrid {
    explicit ChromeGrid(int width = 400, int height = 300, int cols = 4, int rows = 0) : host(width, height) {
        grid = Lattix::Create();
        grid->AttachToWindow(host.TopLevel());
        grid->SetBorderType(0);
        grid->SetColCount(cols);
        if (cols > 0) grid->SetColWidths(80);
        for (int c = 1; c <= cols; ++c) grid->SetColHeaderText(Variant(c), "Col " + std::to_string(c));
        grid->SetRowCount(rows);
        if (rows > 0) grid->SetRowHeights(20);
        host.Pump();
        grid->events()->connect([this](const lattix::EventInfo& e, std::span<Variant> args) {
            Fired f{e.name, {args.begin(), args.end()}};
            auto answer = answers.find(e.name);
            if (answer != answers.end()) answer->second(args);
            log.push_back(std::move(f));
        });
    }
    ~ChromeGrid() { grid.reset(); }
    Lattix* operator->() { return grid.get(); }
    lattix::GridChrome& chrome() { return grid->Chrome(); }
    lattix::ui::Hwnd HeaderHwnd() { return chrome().HeaderBar()->hWnd(); }

    std::vector<std::string> Names(const std::string& prefix = "") const {
        std::vector<std::string> n;
        for (const auto& f : log)
            if (f.name.rfind(prefix, 0) == 0) n.push_back(f.name);
        return n;
    }
    const Fired* Find(const std::string& name) const {
        for (const auto& f : log)
            if (f.name == name) return &f;
        return nullptr;
    }
    int Count(const std::string& name) const {
        int n = 0;
        for (const auto& f : log) n += f.name == name;
        return n;
    }

    lattix::ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> grid;
    std::vector<Fired> log;
    // Handlers by event name: they may set by-reference arguments (*args[i].slot() = ...).
    std::map<std::string, std::function<void(std::span<Variant>)>> answers;
};

inline void SetRef(std::span<Variant> args, size_t i, Variant v) { *args[i].slot() = std::move(v); }

} // namespace chrome_test
