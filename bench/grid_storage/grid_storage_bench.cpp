// Storage figures: adding rows, counting rows, cell values through C++ and Invoke, key lookups,
// adding a column to a big grid, and the memory a cell takes.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "grid/lattix.h"

using namespace lattix;

namespace {

long ResidentKiB() {
    std::ifstream in("/proc/self/status");
    std::string line;
    while (std::getline(in, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
    return 0;
}

void MemoryPerMillionCells(benchmark::State& state) {
    for (auto _ : state) {
        long before = ResidentKiB();
        auto g = Lattix::Create();
        g->SetMemMngWantFreeRows(0);
        g->SetColCount(9); // 10 cells a row with the row text column
        g->SetRowCount(1000000);
        long after = ResidentKiB();
        state.counters["sizeof_CellRecord"] = sizeof(CellRecord);
        state.counters["sizeof_RowRecord"] = sizeof(RowRecord);
        state.counters["MiB_per_million_cells"] = (after - before) / 1024.0 / 10.0;
    }
}
BENCHMARK(MemoryPerMillionCells)->Unit(benchmark::kMillisecond)->Iterations(1);

void AddRowOneAtATime(benchmark::State& state) {
    for (auto _ : state) {
        auto g = Lattix::Create();
        g->SetColCount(10);
        for (int i = 0; i < 1000000; ++i) g->AddRow();
        benchmark::DoNotOptimize(g->RowCount());
    }
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(AddRowOneAtATime)->Unit(benchmark::kMillisecond)->Iterations(1);

void RowCountLet(benchmark::State& state) {
    for (auto _ : state) {
        auto g = Lattix::Create();
        g->SetColCount(10);
        g->SetRowCount(1000000);
        benchmark::DoNotOptimize(g->RowCount());
    }
}
BENCHMARK(RowCountLet)->Unit(benchmark::kMillisecond)->Iterations(3);

struct BigGrid {
    std::shared_ptr<Lattix> g = Lattix::Create();
    BigGrid() {
        g->SetColCount(10);
        g->SetRowCount(1000000);
    }
};

void CellValuePutCpp(benchmark::State& state) {
    BigGrid big;
    for (auto _ : state) {
        for (int32_t r = 1; r <= 1000000; ++r)
            for (int32_t c = 1; c <= 10; ++c) big.g->SetCellValue(Variant(r), Variant(c), Variant(r * 0.5 + c));
    }
    state.SetItemsProcessed(state.iterations() * 10000000);
}
BENCHMARK(CellValuePutCpp)->Unit(benchmark::kMillisecond)->Iterations(1);

void CellValueGetCpp(benchmark::State& state) {
    BigGrid big;
    double sum = 0;
    for (auto _ : state) {
        for (int32_t r = 1; r <= 1000000; ++r)
            for (int32_t c = 1; c <= 10; ++c) {
                Variant v = big.g->CellValue(Variant(r), Variant(c));
                sum += v.isString() ? 1 : 0;
            }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 10000000);
}
BENCHMARK(CellValueGetCpp)->Unit(benchmark::kMillisecond)->Iterations(1);

void CellValuePutInvoke(benchmark::State& state) {
    BigGrid big;
    std::vector<Variant> args(3);
    for (auto _ : state) {
        for (int32_t r = 1; r <= 1000000; ++r)
            for (int32_t c = 1; c <= 10; ++c) {
                args[0] = Variant(r);
                args[1] = Variant(c);
                args[2] = Variant(r * 0.5 + c);
                big.g->invoke(0x680300AB, InvokeKind::Let, args);
            }
    }
    state.SetItemsProcessed(state.iterations() * 10000000);
}
BENCHMARK(CellValuePutInvoke)->Unit(benchmark::kMillisecond)->Iterations(1);

void CellValueGetInvoke(benchmark::State& state) {
    BigGrid big;
    std::vector<Variant> args(2);
    double sum = 0;
    for (auto _ : state) {
        for (int32_t r = 1; r <= 1000000; ++r)
            for (int32_t c = 1; c <= 10; ++c) {
                args[0] = Variant(r);
                args[1] = Variant(c);
                sum += big.g->invoke(0x680300AB, InvokeKind::Get, args).isString();
            }
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 10000000);
}
BENCHMARK(CellValueGetInvoke)->Unit(benchmark::kMillisecond)->Iterations(1);

void RowIndexLookups(benchmark::State& state) {
    auto g = Lattix::Create();
    g->SetColCount(1);
    g->SetStoreInitRowNumbers(1); // keys "1".."1000000"
    g->SetRowCount(1000000);
    std::vector<std::string> keys;
    for (int i = 0; i < 1000000; ++i) keys.push_back(std::to_string((i * 7919L) % 1000000 + 1));
    int64_t sum = 0;
    for (auto _ : state) {
        for (const std::string& k : keys) sum += g->RowIndex(k);
    }
    benchmark::DoNotOptimize(sum);
    state.SetItemsProcessed(state.iterations() * 1000000);
}
BENCHMARK(RowIndexLookups)->Unit(benchmark::kMillisecond)->Iterations(3);

void AddColOnAMillionRows(benchmark::State& state) {
    for (auto _ : state) {
        state.PauseTiming();
        auto g = Lattix::Create();
        g->SetColCount(10);
        g->SetRowCount(1000000);
        state.ResumeTiming();
        g->AddCol();
        benchmark::DoNotOptimize(g->ColCount());
    }
}
BENCHMARK(AddColOnAMillionRows)->Unit(benchmark::kMillisecond)->Iterations(2);


} // namespace

BENCHMARK_MAIN();
