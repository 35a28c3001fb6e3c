// Selection figures, printed: SelectAll on 1,000,000 x 10, SelItems.Count and GetArray on it, a
// Shift range over 100,000 rows, and the memory the selection takes per selected cell.
// Targets: SelectAll under 0.5 s, the Shift range under 50 ms.
#include <cstdio>
#include <vector>

#include "bench/bench_timing.h"
#include "grid/lattix.h"
#include "grid/objects/sel_items_object.h"

using lattix::Lattix;
using lattix::Variant;

using namespace bench_timing;

int main() {
    constexpr int kRuns = 5;
    auto g = Lattix::Create();
    g->SetColCount(10);
    g->SetRowCount(1000000);
    g->SetMultiSelect(true);

    std::vector<double> selectAll, selectAllCpu, count, getArray;
    size_t items = 0;
    int32_t n = 0;
    size_t storeBytes = 0;
    for (int i = 0; i < kRuns; ++i) {
        g->ClearSelection();
        selectAll.push_back(millis([&] { g->SelectAll(); }));
        selectAllCpu.push_back(cpuMs);
        count.push_back(millis([&] { n = g->SelItems()->Count(); }));
        getArray.push_back(millis([&] { items = g->SelItems()->GetArray().size(); }));
        storeBytes = g->Selection().bytes();
    }
    std::printf("SelectAll 1,000,000 x 10 (%d items): median %.1f ms wall, %.1f ms CPU (target < 500 ms)\n", n,
                median(selectAll), median(selectAllCpu));
    std::printf("SelItems.Count on it: median %.4f ms\n", median(count));
    std::printf("SelItems.GetArray on it (sorted, %zu items): median %.1f ms\n", items, median(getArray));
    g->SelItems()->SetSorted(false);
    std::vector<double> unsorted;
    for (int i = 0; i < 3; ++i) unsorted.push_back(millis([&] { items = g->SelItems()->GetArray().size(); }));
    std::printf("SelItems.GetArray on it (unsorted, bucket order): median %.1f ms\n", median(unsorted));
    std::printf("Selection store: %zu bytes for %d items = %.3f bytes per selected cell\n", storeBytes, n,
                static_cast<double>(storeBytes) / n);
    const double clearMs = millis([&] { g->ClearSelection(); });
    std::printf("ClearSelection of it: %.1f ms wall, %.1f ms CPU\n", clearMs, cpuMs);

    // A click on row 1, then a Shift-click 100,000 rows further down.
    std::vector<double> range, rangeCpu;
    for (int i = 0; i < kRuns; ++i) {
        g->UserMove(1, 2, 0, Lattix::MoveInput::Mouse);
        range.push_back(millis([&] { g->UserMove(100000, 9, 1, Lattix::MoveInput::Mouse); }));
        rangeCpu.push_back(cpuMs);
    }
    std::printf("Shift-click range over 100,000 rows x 8 columns (%d items): median %.1f ms wall, %.1f ms CPU "
                "(target < 50 ms)\n", g->SelItems()->Count(), median(range), median(rangeCpu));
    return 0;
}
