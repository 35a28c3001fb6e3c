// Geometry on a 1,000,000-row grid of varied row heights: point-to-cell lookup, row positions,
// and the relayout after one height change. Targets: lookups under 1 microsecond after layout,
// relayout under 20 ms.
#include <benchmark/benchmark.h>

#include <random>

#include "grid/lattix.h"

using namespace lattix;

namespace {

constexpr int32_t kRows = 1'000'000;

// 20 columns, rows 12..40 pixels high, a 1920x1080 view, laid out.
std::shared_ptr<Lattix> VariedGrid() {
    static std::shared_ptr<Lattix> grid = [] {
        auto g = Lattix::Create();
        g->SetColCount(20);
        g->SetColWidths(90);
        g->SetRowCount(kRows);
        g->BeginUpdate();
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> height(12, 40);
        for (int32_t r = 1; r <= kRows; ++r) g->SetRowHeight(Variant(r), height(rng));
        g->EndUpdate();
        g->SetClientSize(1920, 1080);
        g->RecalcVisibleRange();
        return g;
    }();
    return grid;
}

void BM_CellFromPoint(benchmark::State& state) {
    auto g = VariedGrid();
    g->SetScrollY(g->ContentHeight() / 2);
    g->RecalcVisibleRange();
    std::mt19937 rng(1);
    std::uniform_int_distribution<int> x(0, 1919), y(g->CellsAreaTop(), 1079);
    int32_t row = 0, col = 0;
    for (auto _ : state) {
        g->CellFromPoint(x(rng), y(rng), row, col);
        benchmark::DoNotOptimize(row);
        benchmark::DoNotOptimize(col);
    }
}
BENCHMARK(BM_CellFromPoint);

// The row under any content y of the whole grid (binary search over the stored tops).
void BM_RowAtContentY(benchmark::State& state) {
    auto g = VariedGrid();
    std::mt19937 rng(2);
    std::uniform_int_distribution<int> y(0, g->ContentHeight() - 1);
    for (auto _ : state) benchmark::DoNotOptimize(g->RowAtContentY(y(rng)));
}
BENCHMARK(BM_RowAtContentY);

void BM_RowStartY(benchmark::State& state) {
    auto g = VariedGrid();
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> row(1, kRows);
    for (auto _ : state) benchmark::DoNotOptimize(g->RowStartY(Variant(row(rng))));
}
BENCHMARK(BM_RowStartY);

// One height change near the top, then everything the next paint needs: the positions of every
// row below and the visible range.
void BM_RelayoutAfterHeightChange(benchmark::State& state) {
    auto g = VariedGrid();
    g->SetScrollY(0);
    int32_t h = 20;
    for (auto _ : state) {
        h = h == 20 ? 21 : 20;
        g->SetRowHeight(Variant(2), h);
        g->RecalcVisibleRange();
        benchmark::DoNotOptimize(g->RowStartY(Variant(kRows)));
    }
    state.SetLabel("row 2 of 1,000,000");
}
BENCHMARK(BM_RelayoutAfterHeightChange)->Unit(benchmark::kMillisecond);

} // namespace
