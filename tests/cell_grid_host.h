// What the interaction tests share: a grid of plain cells filling a headless host window, and the
// "Name(a,b,...)" form in which their event logs write what the grid raised.
#pragma once

#include <memory>
#include <span>
#include <string>

#include "grid/lattix.h"
#include "platform/headless/headless_host.h"
#include "runtime/conversions.h"

namespace lattix::test {

// cols columns 50 pixels wide and rows 20 pixels high under a 20-pixel header, without a border:
// cell (r, c) is centred at (X(c), Y(r)) in the host's client coordinates, scrolling included.
struct CellGridHost {
    CellGridHost(int cols, int rows, int width, int height) : host(width, height), grid(Lattix::Create()) {
        grid->AttachToWindow(host.TopLevel());
        grid->SetBorderType(0);
        grid->SetColCount(cols);
        grid->SetColWidths(50);
        grid->SetRowCount(rows);
        if (rows > 0) grid->SetRowHeights(20);
    }
    // The grid goes before its host window.
    ~CellGridHost() { grid.reset(); }
    CellGridHost(const CellGridHost&) = delete;
    CellGridHost& operator=(const CellGridHost&) = delete;

    Lattix* operator->() { return grid.get(); }
    int X(int col) const { return (col - 1) * 50 + 25 - grid->ScrollX(); }
    int Y(int row) const { return 20 + (row - 1) * 20 + 10 - grid->ScrollY(); }
    void Set(int row, int col, const Variant& v) { grid->SetCellValue(Variant(row), Variant(col), v); }
    Variant Get(int row, int col) { return grid->CellValue(Variant(row), Variant(col)); }

    ui::headless::HeadlessHost host;
    std::shared_ptr<Lattix> grid;
};

// An event as "Name(a,b,...)", each argument written by show (by default its text).
inline std::string EventEntry(const std::string& name, std::span<Variant> args,
                              std::string (*show)(const Variant&) = nullptr) {
    std::string s = name + "(";
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) s += ",";
        s += show ? show(args[i]) : ToString(args[i].deref());
    }
    return s + ")";
}

} // namespace lattix::test
