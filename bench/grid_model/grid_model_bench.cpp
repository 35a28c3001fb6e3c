// Structural row operations on large grids and bulk loading from arrays.
#include <benchmark/benchmark.h>

#include "grid/lattix.h"

using namespace lattix;

namespace {

constexpr int32_t kRows = 1'000'000;

std::shared_ptr<Lattix> FlatGrid(int32_t rows, int32_t cols) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    g->SetRowCount(rows);
    return g;
}

// Depth 4: each top row holds 9 level-1 rows, each of those 9 level-2 rows, and so on
// (1 + 9 + 81 + 729 + ... rows per top row), built with the levels directly.
std::shared_ptr<Lattix> DeepTree(int32_t rows) {
    auto g = FlatGrid(rows, 2);
    g->SetTreeCol(1);
    // Position in a depth-first numbering of a 9-ary tree of depth 4 gives its level.
    for (int32_t r = 1; r <= rows; ++r) {
        int32_t k = (r - 1) % 7381; // 1 + 9 + 81 + 729 + 6561 rows per top row
        int level = 0;
        int32_t sizes[] = {820, 91, 10, 1}; // subtree sizes of levels 1..4
        while (k > 0 && level < 4) {
            k -= 1;
            k %= sizes[level];
            ++level;
        }
        g->SetRowLevel(Variant(r), level);
    }
    return g;
}

void BM_RemoveFirstRow(benchmark::State& state) {
    auto g = FlatGrid(kRows, 4);
    for (auto _ : state) {
        g->RemoveRow(Variant(1));
        state.PauseTiming();
        g->AddRow();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_RemoveFirstRow)->Unit(benchmark::kMillisecond);

void BM_MoveThousandRowsToEnd(benchmark::State& state) {
    auto g = FlatGrid(kRows, 4);
    for (auto _ : state) g->MoveRow(Variant(1), Variant(kRows), 1000, 1);
}
BENCHMARK(BM_MoveThousandRowsToEnd)->Unit(benchmark::kMillisecond);

void BM_ExpandAndCollapseAllRows(benchmark::State& state) {
    auto g = DeepTree(kRows);
    const bool expand = state.range(0) != 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (expand) g->CollapseAllRows();
        else g->ExpandAllRows();
        state.ResumeTiming();
        if (expand) g->ExpandAllRows();
        else g->CollapseAllRows();
    }
    state.SetLabel(expand ? "ExpandAllRows" : "CollapseAllRows");
}
BENCHMARK(BM_ExpandAndCollapseAllRows)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

void BM_LoadFromArray1000x1000(benchmark::State& state) {
    auto g = FlatGrid(1000, 1000);
    ArrayRef a = SafeArray::make2D(0, 1000, 0, 1000);
    for (size_t i = 0; i < a->data().size(); ++i) a->data()[i] = Variant(static_cast<double>(i));
    const Variant arr(a);
    for (auto _ : state) g->LoadFromArray(Variant(1), Variant(1), arr);
}
BENCHMARK(BM_LoadFromArray1000x1000)->Unit(benchmark::kMillisecond);

void BM_LoadIntoArray1000x1000(benchmark::State& state) {
    auto g = FlatGrid(1000, 1000);
    ArrayRef a = SafeArray::make2D(0, 1000, 0, 1000);
    const Variant arr(a);
    for (auto _ : state) g->LoadIntoArray(Variant(1), Variant(1), arr);
}
BENCHMARK(BM_LoadIntoArray1000x1000)->Unit(benchmark::kMillisecond);

} // namespace
