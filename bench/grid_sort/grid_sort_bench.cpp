// Sorting and grouping of 1,000,000 rows. Prints the median of a few runs of each case; every run
// starts from a freshly built grid (building it is not timed).
//
//   grid_sort_bench [runs] [name filter]   (default 3 runs, every case)
//
// Besides the wall time, the CPU time of the process is printed: on a busy machine it shows what the
// work itself costs.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "grid/lattix.h"
#include "grid/objects/aggr_funcs_object.h"
#include "grid/objects/sort_group_object.h"

using namespace lattix;

namespace {

constexpr int32_t kRows = 1'000'000;

std::shared_ptr<Lattix> Grid(int32_t cols, const std::function<void(Lattix&, int32_t row)>& fill) {
    auto g = Lattix::Create();
    g->SetColCount(cols);
    g->SetRowCount(kRows);
    for (int32_t r = 1; r <= kRows; ++r) fill(*g, r);
    return g;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

const char* gFilter = nullptr;

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void Case(const char* name, double target, int runs, const std::function<std::shared_ptr<Lattix>()>& build,
          const std::function<void(Lattix&)>& work) {
    if (gFilter && !std::strstr(name, gFilter)) return;
    std::vector<double> times, cpu;
    for (int i = 0; i < runs; ++i) {
        auto g = build();
        const auto t0 = std::chrono::steady_clock::now();
        const double c0 = CpuSeconds();
        work(*g);
        cpu.push_back(CpuSeconds() - c0);
        times.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::printf("%-52s %8.3f s wall %8.3f s cpu", name, Median(times), Median(cpu));
    if (target > 0) std::printf("  (target < %.1f s)", target);
    std::printf("\n");
    std::fflush(stdout);
}

std::string RandomWord(std::mt19937& rng) {
    std::string s(8, ' ');
    for (char& c : s) {
        const uint32_t x = rng() % 52;
        c = static_cast<char>(x < 26 ? 'a' + x : 'A' + (x - 26));
    }
    return s;
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    if (argc > 2) gFilter = argv[2];
    std::printf("Sorting and grouping %d rows, median of %d runs\n", kRows, runs);

    Case("sort by one numeric column", 0.5, runs,
         [] {
             std::mt19937 rng(1);
             return Grid(2, [&](Lattix& g, int32_t r) { g.Cell(r, 1).setDouble(static_cast<double>(rng()) / 7.0); });
         },
         [](Lattix& g) { g.Sort(Variant(1)); });

    Case("sort by one text column (mixed case, no case)", 1.5, runs,
         [] {
             std::mt19937 rng(2);
             return Grid(2, [&](Lattix& g, int32_t r) { g.Cell(r, 1).setValue(Variant(RandomWord(rng))); });
         },
         [](Lattix& g) { g.Sort(Variant(1)); });

    Case("sort by two columns (1,000 values, then numbers)", 0, runs,
         [] {
             std::mt19937 rng(3);
             return Grid(2, [&](Lattix& g, int32_t r) {
                 g.Cell(r, 1).setValue(Variant(static_cast<int32_t>(rng() % 1000)));
                 g.Cell(r, 2).setDouble(static_cast<double>(rng() % 100000));
             });
         },
         [](Lattix& g) {
             g.SortObject()->AddItem(Variant(1));
             g.SortObject()->AddItem(Variant(2), 1);
             g.Sort();
         });

    Case("sort a tree of depth 3 (1,000 x 9 x 110 rows)", 0, runs,
         [] {
             std::mt19937 rng(4);
             auto g = Grid(2, [&](Lattix& g, int32_t r) { g.Cell(r, 1).setDouble(static_cast<double>(rng() % 100000)); });
             g->SetTreeCol(1);
             g->BeginUpdate();
             // Depth first: each top row, then 9 times (a level-1 row and its 110 level-2 rows).
             for (int32_t r = 1; r <= kRows; ++r) {
                 const int32_t k = (r - 1) % 1000;
                 const int level = k == 0 ? 0 : ((k - 1) % 111 == 0 ? 1 : 2);
                 if (level) g->SetRowLevel(Variant(r), level);
             }
             g->EndUpdate();
             return g;
         },
         [](Lattix& g) { g.Sort(Variant(1)); });

    Case("group by a column with 1,000 values (sum of another)", 1.0, runs,
         [] {
             std::mt19937 rng(5);
             auto g = Grid(2, [&](Lattix& g, int32_t r) {
                 g.Cell(r, 1).setValue(Variant(static_cast<int32_t>(rng() % 1000)));
                 g.Cell(r, 2).setDouble(static_cast<double>(rng() % 1000));
             });
             g->GroupObject()->AddItem(Variant(1));
             g->AggrFuncs()->AddItem(Variant(2), 0);
             return g;
         },
         [](Lattix& g) {
             g.Group();
             if (g.GroupRowCount() != 1000) std::printf("unexpected group count %d\n", g.GroupRowCount());
         });

    Case("ungroup the same grid", 0, runs,
         [] {
             std::mt19937 rng(5);
             auto g = Grid(2, [&](Lattix& g, int32_t r) {
                 g.Cell(r, 1).setValue(Variant(static_cast<int32_t>(rng() % 1000)));
                 g.Cell(r, 2).setDouble(static_cast<double>(rng() % 1000));
             });
             g->GroupObject()->AddItem(Variant(1));
             g->AggrFuncs()->AddItem(Variant(2), 0);
             g->Group();
             return g;
         },
         [](Lattix& g) { g.Ungroup(); });
    return 0;
}
