// The model at memory speed: cell values of doubles through C++ and Invoke, filling a big grid end to
// end, creating a million rows, and bulk exchange with arrays (time and peak memory).
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>


#include "grid/lattix.h"

using namespace lattix;

namespace {

constexpr int32_t kRows = 1000000;
constexpr int32_t kCols = 10;
constexpr int64_t kCells = int64_t{kRows} * kCols;
constexpr int32_t kCellValueId = 0x680300AB;

// Heap bytes in use and their peak since the last ResetPeak, counted by the global allocator below.
std::atomic<long long> gHeapBytes{0}, gHeapPeak{0};

void ResetPeak() { gHeapPeak = gHeapBytes.load(); }
long long PeakAboveNow(long long before) { return gHeapPeak.load() - before; }

// A grid of 1,000,000 x 10 doubles.
std::shared_ptr<Lattix> DoubleGrid() {
    auto g = Lattix::Create();
    g->SetColCount(kCols);
    g->SetRowCount(kRows);
    for (int32_t r = 1; r <= kRows; ++r)
        for (int32_t c = 1; c <= kCols; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 0.5 + c));
    return g;
}

void GetDoublesCpp(benchmark::State& state) {
    auto g = DoubleGrid();
    double sum = 0;
    for (auto _ : state)
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) sum += g->CellValue(Variant(r), Variant(c)).get<double>();
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(GetDoublesCpp)->Unit(benchmark::kMillisecond)->Iterations(3);

void PutDoublesCpp(benchmark::State& state) {
    auto g = DoubleGrid();
    for (auto _ : state)
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 0.25 + c));
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(PutDoublesCpp)->Unit(benchmark::kMillisecond)->Iterations(3);

void GetDoublesInvoke(benchmark::State& state) {
    auto g = DoubleGrid();
    Variant args[2];
    double sum = 0;
    for (auto _ : state)
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) {
                args[0] = Variant(r);
                args[1] = Variant(c);
                sum += g->invoke(kCellValueId, InvokeKind::Get, args).get<double>();
            }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(GetDoublesInvoke)->Unit(benchmark::kMillisecond)->Iterations(3);

void PutDoublesInvoke(benchmark::State& state) {
    auto g = DoubleGrid();
    Variant args[3];
    for (auto _ : state)
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) {
                args[0] = Variant(r);
                args[1] = Variant(c);
                args[2] = Variant(r * 0.25 + c);
                g->invoke(kCellValueId, InvokeKind::Let, args);
            }
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(PutDoublesInvoke)->Unit(benchmark::kMillisecond)->Iterations(3);

// RowCount let, then one put per cell, grid creation and teardown included.
void FillEndToEnd(benchmark::State& state) {
    for (auto _ : state) {
        auto g = Lattix::Create();
        g->SetColCount(kCols);
        g->SetRowCount(kRows);
        for (int32_t r = 1; r <= kRows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 0.5 + c));
        benchmark::DoNotOptimize(g->RowCount());
    }
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(FillEndToEnd)->Unit(benchmark::kMillisecond)->Iterations(3);

void RowCountLetMillion(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto g = Lattix::Create();
        g->SetColCount(kCols);
        state.ResumeTiming();
        g->SetRowCount(kRows);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(RowCountLetMillion)->Unit(benchmark::kMillisecond)->Iterations(5);

ArrayRef Doubles2D(int32_t rows, int32_t cols) {
    ArrayRef a = SafeArray::make2D(0, rows, 0, cols);
    for (int32_t i = 0; i < rows; ++i)
        for (int32_t j = 0; j < cols; ++j) a->at(i, j) = Variant(i * 1000.0 + j);
    return a;
}

// LoadFromArray of 1000 x 1000 doubles; peak_KiB is the peak resident memory the call added.
void LoadFromArray1000(benchmark::State& state) {
    auto g = Lattix::Create();
    g->SetColCount(1000);
    g->SetRowCount(1000);
    Variant array(Doubles2D(1000, 1000));
    // New rows hold their defaults without their cells being written; the first load writes them
    // out (LoadFromArray1000IntoNewRows). This figure is the load itself.
    g->LoadFromArray(Variant(1), Variant(1), array);
    long long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        const long long before = gHeapBytes.load();
        state.ResumeTiming();
        g->LoadFromArray(Variant(1), Variant(1), array);
        state.PauseTiming();
        peak = std::max(peak, PeakAboveNow(before) / 1024);
        state.ResumeTiming();
    }
    state.counters["peak_KiB"] = static_cast<double>(peak);
    state.counters["array_KiB"] = 1000.0 * 1000.0 * sizeof(Variant) / 1024.0;
    state.counters["heap_KiB"] = static_cast<double>(gHeapBytes.load() / 1024); // grid and array
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(LoadFromArray1000)->Unit(benchmark::kMillisecond)->Iterations(5);

// The first load into 1000 fresh rows: their cells are written out as the values land.
void LoadFromArray1000IntoNewRows(benchmark::State& state) {
    Variant array(Doubles2D(1000, 1000));
    for (auto _ : state) {
        state.PauseTiming();
        auto g = Lattix::Create();
        g->SetColCount(1000);
        g->SetRowCount(1000);
        state.ResumeTiming();
        g->LoadFromArray(Variant(1), Variant(1), array);
        state.PauseTiming();
        g.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(LoadFromArray1000IntoNewRows)->Unit(benchmark::kMillisecond)->Iterations(5);

void LoadIntoArray1000(benchmark::State& state) {
    auto g = Lattix::Create();
    g->SetColCount(1000);
    g->SetRowCount(1000);
    Variant array(Doubles2D(1000, 1000));
    g->LoadFromArray(Variant(1), Variant(1), array);
    Variant out(Doubles2D(1000, 1000));
    long long peak = 0;
    for (auto _ : state) {
        state.PauseTiming();
        ResetPeak();
        const long long before = gHeapBytes.load();
        state.ResumeTiming();
        g->LoadIntoArray(Variant(1), Variant(1), out);
        state.PauseTiming();
        peak = std::max(peak, PeakAboveNow(before) / 1024);
        state.ResumeTiming();
    }
    state.counters["peak_KiB"] = static_cast<double>(peak);
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(LoadIntoArray1000)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

namespace {
void* Counted(void* p) {
    if (!p) throw std::bad_alloc();
    const long long now = gHeapBytes += static_cast<long long>(malloc_usable_size(p));
    long long peak = gHeapPeak.load();
    while (now > peak && !gHeapPeak.compare_exchange_weak(peak, now)) {
    }
    return p;
}
} // namespace

void* operator new(size_t n) { return Counted(std::malloc(n ? n : 1)); }
void operator delete(void* p) noexcept {
    if (!p) return;
    gHeapBytes -= static_cast<long long>(malloc_usable_size(p));
    std::free(p);
}
void operator delete(void* p, size_t) noexcept { operator delete(p); }
// Large cell arenas are allocated on huge-page boundaries: they count too.
void* operator new(size_t n, std::align_val_t a) {
    const size_t align = static_cast<size_t>(a);
    return Counted(std::aligned_alloc(align, (n + align - 1) & ~(align - 1)));
}
void operator delete(void* p, std::align_val_t) noexcept { operator delete(p); }
void operator delete(void* p, size_t, std::align_val_t) noexcept { operator delete(p); }

BENCHMARK_MAIN();
