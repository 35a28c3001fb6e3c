// Drop-down list figures, printed: filling a list of 10,000 items through AddItem (each measured in
// the list font), opening it over a cell (the window filled and shown), a typed search that runs to
// the last item, and choosing from it. Medians of 5 runs, wall and CPU time.
#include <cstdio>
#include <string>
#include <vector>

#include "grid/objects/combo_objects.h"
#include "bench/bench_timing.h"
#include "grid/lattix.h"
#include "platform/headless/headless_host.h"
#include "runtime/conversions.h"

using lattix::Lattix;
using lattix::Variant;

using namespace bench_timing;

int main() {
    constexpr int kRuns = 5;
    constexpr int kItems = 10000;
    lattix::ui::headless::HeadlessHost host(400, 300);
    auto g = Lattix::Create();
    g->AttachToWindow(host.TopLevel());
    g->SetColCount(3);
    g->SetRowCount(10);
    g->SetCellType(Variant(2), Variant(2), 1);
    std::vector<double> fill, fillCpu, open, openCpu, search, searchCpu, choose;
    for (int run = 0; run < kRuns; ++run) {
        g->Combos()->Clear();
        auto list = g->Combos()->Add("big");
        fill.push_back(millis([&] {
            for (int i = 0; i < kItems; ++i) list->AddItem("Item " + std::to_string(i), Variant(int32_t{i}));
        }));
        fillCpu.push_back(cpuMs);
        g->SetCellCtrlKey(Variant(2), Variant(2), "big");
        g->SetCurCell(Variant(2), Variant(2));
        open.push_back(millis([&] { g->RequestEditCurCell(0, false); }));
        openCpu.push_back(cpuMs);
        // "Item 9999" is the last item that starts with the typed text.
        search.push_back(millis([&] {
            for (char c : std::string("Item 9999")) g->DropDownChar(c);
        }));
        searchCpu.push_back(cpuMs);
        choose.push_back(millis([&] { g->DropDownKey(0x0D, 0); }));
    }
    std::printf("drop-down list of %d items (median of %d runs)\n", kItems, kRuns);
    std::printf("  AddItem x %d:        %8.2f ms wall, %8.2f ms CPU\n", kItems, median(fill), median(fillCpu));
    std::printf("  open over the cell:   %8.2f ms wall, %8.2f ms CPU\n", median(open), median(openCpu));
    std::printf("  typed search (9 ch):  %8.2f ms wall, %8.2f ms CPU\n", median(search), median(searchCpu));
    std::printf("  choose by Enter:      %8.2f ms wall\n", median(choose));
    std::printf("  chosen value: %s\n", lattix::ToString(g->CellValue(Variant(2), Variant(2))).c_str());
    return 0;
}
