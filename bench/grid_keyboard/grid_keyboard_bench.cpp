// Keyboard and editing figures, printed: a type-ahead search that walks 100,000 rows without a
// match, a search that matches the last row, 1,000 Down keys through DoKeyboardCommand on a
// 100,000-row grid, and 10,000 texts stored through the commit path.
// Targets: a full search walk under 50 ms; a key step under 0.1 ms; a commit under 20 us.
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_timing.h"
#include "grid/lattix.h"

using lattix::Lattix;
using lattix::Variant;

using namespace bench_timing;

int main() {
    constexpr int kRuns = 5;
    constexpr int kRows = 100000;
    auto g = Lattix::Create();
    g->SetColCount(3);
    g->SetRowCount(kRows);
    for (int r = 1; r <= kRows; ++r) g->SetCellValue(Variant(r), Variant(1), Variant("item " + std::to_string(r)));
    g->SetCellValue(Variant(kRows), Variant(1), Variant("zebra"));

    std::vector<double> miss, hit, keys, commits;
    for (int run = 0; run < kRuns; ++run) {
        int32_t found = 0;
        miss.push_back(millis([&] { found = g->FindSearchMatchRow(Variant(1), "nothing", Variant(1), false, 0, false, 0); }));
        if (found != 0) return std::printf("unexpected match %d\n", found), 1;
        hit.push_back(millis([&] { found = g->FindSearchMatchRow(Variant(1), "ZEB", Variant(1), false, 0, false, 0); }));
        if (found != kRows) return std::printf("match %d\n", found), 1;
        g->SetCurCell(Variant(1), Variant(1));
        keys.push_back(millis([&] {
                           for (int i = 0; i < 1000; ++i) g->DoKeyboardCommand(0x28); // Down
                       }) /
                       1000.0);
        if (g->CurRow() != 1001) return std::printf("row %d\n", g->CurRow()), 1;
        for (int r = 1; r <= 10000; ++r) g->SetCellValue(Variant(r), Variant(2), Variant(1.0));
        commits.push_back(millis([&] {
                              for (int r = 1; r <= 10000; ++r) g->CommitTextToCell(r, 2, "12.5", false);
                          }) /
                          10.0);
    }
    std::printf("search walking %d rows without a match: %.2f ms (median of %d)\n", kRows, median(miss), kRuns);
    std::printf("search matching the last of %d rows:    %.2f ms\n", kRows, median(hit));
    std::printf("Down key through DoKeyboardCommand:       %.4f ms per key\n", median(keys));
    std::printf("text stored through the commit path:      %.2f us per cell\n", median(commits));
    return 0;
}
