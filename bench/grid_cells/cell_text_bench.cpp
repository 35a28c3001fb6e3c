// Displayed text of a million cells holding doubles, with and without a format string.
#include <benchmark/benchmark.h>

#include "grid/lattix.h"

namespace {

constexpr int32_t kRows = 100000;
constexpr int32_t kCols = 10;

std::shared_ptr<lattix::Lattix> makeGrid(const char* format) {
    auto g = lattix::Lattix::Create();
    g->SetColCount(kCols);
    g->SetRowCount(kRows);
    for (int32_t r = 1; r <= kRows; ++r)
        for (int32_t c = 1; c <= kCols; ++c) {
            g->SetCellValue(lattix::Variant(r), lattix::Variant(c), lattix::Variant(r * 0.731 + c * 12.0625));
            if (format) g->SetCellFmtString(lattix::Variant(r), lattix::Variant(c), format);
        }
    return g;
}

void run(benchmark::State& state, lattix::Lattix& g) {
    size_t bytes = 0;
    for (auto _ : state) {
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) bytes += g.DisplayedText(r, c).size();
    }
    benchmark::DoNotOptimize(bytes);
    state.SetItemsProcessed(state.iterations() * int64_t{kRows} * kCols);
    state.counters["texts/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRows * kCols,
                                                  benchmark::Counter::kIsRate);
}

void BM_CellTextWithFormat(benchmark::State& state) {
    static auto g = makeGrid("#,##0.00");
    run(state, *g);
}

void BM_CellTextWithoutFormat(benchmark::State& state) {
    static auto g = makeGrid(nullptr);
    run(state, *g);
}

void BM_CellTextPublishedProperty(benchmark::State& state) {
    // The published getter with its address resolution, as a host calls it.
    static auto g = makeGrid("0.##0");
    size_t bytes = 0;
    for (auto _ : state) {
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) bytes += g->CellText(lattix::Variant(r), lattix::Variant(c)).size();
    }
    benchmark::DoNotOptimize(bytes);
    state.counters["texts/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * kRows * kCols,
                                                  benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(BM_CellTextWithFormat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CellTextWithoutFormat)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CellTextPublishedProperty)->Unit(benchmark::kMillisecond);
