// Dragging the vertical thumb through a grid of 1,000,000 rows: each step moves the pointer on the
// thumb, which scrolls the grid and repaints it (one WM_VSCROLL thumb-track, the scroll, the paint).
// Target: under 4 ms a step.
#include <benchmark/benchmark.h>

#include "grid/lattix.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/window_manager.h"

namespace {

using lattix::Lattix;
using lattix::Variant;

void BM_VerticalThumbDragStep(benchmark::State& state) {
    lattix::ui::headless::HeadlessHost host(1024, 768);
    auto grid = Lattix::Create();
    grid->AttachToWindow(host.TopLevel());
    grid->SetBorderType(0);
    grid->SetColCount(8);
    grid->SetColWidths(110);
    grid->SetRowCount(1000000);
    for (int r = 1; r <= 60; ++r) grid->SetCellValue(Variant(r), Variant(1), Variant(r));
    host.Pump();
    int t = lattix::ui::Wm().ScrollBarThickness();
    int x = 1024 - t / 2;
    int top = t + 2, bottom = 768 - t - 12;
    host.MouseDown(x, top);
    int y = top, dir = 1;
    for (auto _ : state) {
        y += dir;
        if (y >= bottom || y <= top) dir = -dir;
        host.MouseMove(x, y);
    }
    host.MouseUp(x, y);
    state.counters["final_value"] = grid->ScrollY();
}
BENCHMARK(BM_VerticalThumbDragStep)->Unit(benchmark::kMicrosecond);

} // namespace
