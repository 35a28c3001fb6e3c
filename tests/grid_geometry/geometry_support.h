// Helpers shared by the geometry tests: a grid in a headless host window.
#pragma once

#include "tests/lattix_error_code.h"
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "grid/lattix.h"
#include "grid/objects/scroll_bar_object.h"
#include "grid/view/scroll_bars.h"
#include "platform/headless/headless_host.h"
#include "runtime/automation_error.h"

namespace geometry_test {

using lattix::Lattix;
using lattix::Variant;

using lattix::test::LattixCode;

// A grid filling a host window of the given size, without a border, header 20 pixels high.
struct HostedGrid {
    explicit HostedGrid(int width = 400, int height = 300) : host(width, height) {
        grid = Lattix::Create();
        grid->AttachToWindow(host.TopLevel());
        grid->SetBorderType(0);
    }
    ~HostedGrid() { grid.reset(); }
    Lattix& operator*() { return *grid; }
    Lattix* operator->() { return grid.get(); }
    // For tests of the layout arithmetic: the whole window below the header is the view.
    void HideScrollBars() {
        grid->HScrollBar()->SetDisplayMode(lattix::lxScrollBarDisplayNever);
        grid->VScrollBar()->SetDisplayMode(lattix::lxScrollBarDisplayNever);
    }

    lattix::ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> grid;
};

// cols columns of width colWidth, rows rows of height rowHeight.
inline void Fill(Lattix& g, int cols, int rows, int colWidth = 50, int rowHeight = 20) {
    g.SetColCount(cols);
    g.SetColWidths(colWidth);
    g.SetRowCount(rows);
    if (rows > 0) g.SetRowHeights(rowHeight);
}

} // namespace geometry_test
