// Figures at scale, printed: the bytes a cell of a plain double takes (and where they go), bulk
// exchange of doubles, SetCellValue loops on a small and a large grid, sorting by one numeric
// column, and a bound query's first screen, a page down and Ctrl+End with the peak memory.
//
//   big_data_bench [rows]            (default 10,000,000 rows x 10 columns; give fewer on a small machine)
#include <sqlite3.h>
#include <unistd.h>

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

#include "bench/bench_timing.h"
#include "grid/lattix.h"
#include "grid/model/big_array.h"
#include "grid/model/cell_record.h"
#include "grid/model/row_record.h"
#include "grid/model/sqlite_record_set.h"
#include "grid/model/value_block.h"
#include "platform/headless/headless_host.h"
#include "platform/ui/keys.h"
#include "runtime/conversions.h"

using lattix::Lattix;
using lattix::ValueBlock;
using lattix::Variant;
using bench_timing::millis;

namespace {

constexpr int32_t kCols = 10;

long StatusKiB(const char* field) {
    std::ifstream in("/proc/self/status");
    std::string line;
    const std::string key = std::string(field) + ":";
    while (std::getline(in, line))
        if (line.rfind(key, 0) == 0) return std::stol(line.substr(key.size()));
    return 0;
}
long ResidentKiB() { return StatusKiB("VmRSS"); }
long PeakKiB() { return StatusKiB("VmHWM"); }
// The peak resident size starts again from the present one.
void ResetPeak() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

// A block over a row-major array of rows x kCols numbers.
template <class T> ValueBlock NumbersBlock(std::vector<T>& values, int32_t rows) {
    ValueBlock b;
    b.kind = std::is_same_v<T, double> ? ValueBlock::Kind::Doubles : ValueBlock::Kind::Int32s;
    b.rows = rows;
    b.cols = kCols;
    b.numbers = reinterpret_cast<char*>(values.data());
    b.rowStride = kCols * static_cast<ptrdiff_t>(sizeof(T));
    b.colStride = sizeof(T);
    return b;
}

double CellsPerSecond(double cells, double ms) { return ms > 0 ? cells / ms / 1000.0 : 0; }

// How fast this machine hands out memory never touched before: filling new rows cannot be faster
// than touching their cells' bytes for the first time (on a virtual machine often far slower than
// writing memory already touched).
double FirstTouchMsOf(size_t bytes) {
    std::vector<char, lattix::BigArrayAllocator<char>> fresh;
    return millis([&] { fresh.resize(bytes, 1); });
}

void StorageAndBulk(int32_t rows) {
    const double cells = static_cast<double>(rows) * kCols;
    std::vector<double> values(static_cast<size_t>(rows) * kCols);
    for (size_t i = 0; i < values.size(); ++i) values[i] = static_cast<double>((i * 2654435761u) % 1000003) * 0.25;
    const ValueBlock in = NumbersBlock(values, rows);

    const long before = ResidentKiB();
    auto g = Lattix::Create();
    g->SetMemMngWantFreeRows(0);
    g->SetColCount(kCols);
    int32_t r = 0, c = 0;
    double rowCountMs = 0;
    const double newRowsMs = millis([&] {
        rowCountMs = millis([&] { g->SetRowCount(rows); });
        g->LoadFromBlock(Variant(1), Variant(1), in, &r, &c);
    });
    const long after = ResidentKiB();
    const double bytesPerCell = (after - before) * 1024.0 / cells;
    std::printf("rows %d x %d doubles\n", rows, kCols);
    std::printf("  bytes per cell: %.1f (resident growth %.0f MiB)\n", bytesPerCell, (after - before) / 1024.0);
    const double storage = lattix::ToDouble(g->DevDbg(7, Variant()));
    std::printf("  where they go: cell records %.1f (%zu bytes each, %d columns + the row-text cell), "
                "row records %.1f (%zu bytes a row), the rest %.1f\n",
                storage / cells, sizeof(lattix::CellRecord), kCols, sizeof(lattix::RowRecord) / double(kCols),
                sizeof(lattix::RowRecord), bytesPerCell - storage / cells - sizeof(lattix::RowRecord) / double(kCols));
    std::printf("  RowCount + LoadFromBlock into new rows: %.0f ms, %.1f M cells/s (cpu %.0f ms; RowCount alone %.0f ms)\n",
                newRowsMs, CellsPerSecond(cells, newRowsMs), bench_timing::cpuMs, rowCountMs);
    const double touchMs = FirstTouchMsOf(static_cast<size_t>(storage));
    std::printf("  first touch of as many new bytes on this machine: %.0f ms (%.2f GB/s)\n", touchMs, storage / touchMs / 1e6);
    const double rewriteMs = millis([&] { g->LoadFromBlock(Variant(1), Variant(1), in, &r, &c); });
    std::printf("  LoadFromBlock into written rows: %.0f ms, %.1f M cells/s\n", rewriteMs, CellsPerSecond(cells, rewriteMs));
    std::vector<double> back(values.size());
    const ValueBlock out = NumbersBlock(back, rows);
    const double readMs = millis([&] { g->LoadIntoBlock(Variant(1), Variant(1), out, &r, &c); });
    std::printf("  LoadIntoBlock: %.0f ms, %.1f M cells/s%s\n", readMs, CellsPerSecond(cells, readMs),
                back == values ? "" : " (VALUES DIFFER)");

    {
        // The same exchange with 32-bit integers.
        std::vector<int32_t> ints(values.size());
        for (size_t i = 0; i < ints.size(); ++i) ints[i] = static_cast<int32_t>((i * 2654435761u) % 1000003);
        const ValueBlock intsIn = NumbersBlock(ints, rows);
        const double intsInMs = millis([&] { g->LoadFromBlock(Variant(1), Variant(1), intsIn, &r, &c); });
        std::vector<int32_t> intsBack(ints.size());
        const ValueBlock intsOut = NumbersBlock(intsBack, rows);
        const double intsOutMs = millis([&] { g->LoadIntoBlock(Variant(1), Variant(1), intsOut, &r, &c); });
        std::printf("  int32s: LoadFromBlock into written rows %.0f ms, %.1f M cells/s; LoadIntoBlock %.0f ms, %.1f M cells/s%s\n",
                    intsInMs, CellsPerSecond(cells, intsInMs), intsOutMs, CellsPerSecond(cells, intsOutMs),
                    intsBack == ints ? "" : " (VALUES DIFFER)");
        g->LoadFromBlock(Variant(1), Variant(1), in, &r, &c);
    }

    g->SetColSortType(Variant(3), 0); // by value, numbers as numbers
    const double sortMs = millis([&] { g->Sort(Variant(3), Variant(), Variant()); });
    std::printf("  Sort by one numeric column: %.0f ms (cpu %.0f ms)\n", sortMs, bench_timing::cpuMs);
}

void SetCellValueLoop(int32_t rows) {
    auto g = Lattix::Create();
    g->SetColCount(kCols);
    g->SetRowCount(rows);
    const double ms = millis([&] {
        for (int32_t r = 1; r <= rows; ++r)
            for (int32_t c = 1; c <= kCols; ++c) g->SetCellValue(Variant(r), Variant(c), Variant(r * 0.5 + c));
    });
    std::printf("SetCellValue loop at %d rows: %.0f ms, %.1f M cells/s\n", rows, ms,
                CellsPerSecond(static_cast<double>(rows) * kCols, ms));
}

void BoundQuery(int32_t records) {
    const std::string path = "/tmp/lattix_big_bench_" + std::to_string(getpid()) + ".db";
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    const std::string script =
        "CREATE TABLE t (k INTEGER, w REAL, name TEXT, note TEXT, day TEXT);"
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " + std::to_string(records) + ")"
        "INSERT INTO t SELECT x, x * 0.25, 'flock ' || x, 'n' || (x % 97), date('2024-01-01', '+' || (x % 365) || ' days') FROM c;";
    sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr);
    sqlite3_close(db);

    lattix::ui::headless::HeadlessHost host(1280, 800);
    auto g = Lattix::Create();
    g->AttachToWindow(host.TopLevel());
    host.Pump();
    ResetPeak();
    const long base = ResidentKiB();
    const double firstMs = millis([&] {
        g->BindRecordSet(lattix::SqliteRecordSet::Open(path, "SELECT * FROM t"));
        host.Pump();
    });
    std::printf("bound query of %d records: first screen %.1f ms (%d rows read), peak +%ld KiB\n", records, firstMs,
                g->RowCount(), PeakKiB() - base);
    g->SetCurRow(1);
    g->SetCurCol(1);
    g->FocusGridWindow();
    // The first Page Down moves to the bottom of the screen; the second scrolls a page of new rows in.
    host.KeyPress(lattix::ui::VK_NEXT);
    const double pageMs = millis([&] { host.KeyPress(lattix::ui::VK_NEXT); });
    std::printf("  page down: %.2f ms (%d rows read)\n", pageMs, g->RowCount());
    const double endMs = millis([&] { host.KeyPress(lattix::ui::VK_END, lattix::ui::kModCtrl); });
    std::printf("  Ctrl+End: %.0f ms (%d rows read), peak +%.0f MiB\n", endMs, g->RowCount(),
                (PeakKiB() - base) / 1024.0);
    g.reset();
    std::remove(path.c_str());
}

} // namespace

int main(int argc, char** argv) {
    // Ten million rows need about 7 GB at the peak; a smaller machine measures a million.
    const double physical = static_cast<double>(sysconf(_SC_PHYS_PAGES)) * static_cast<double>(sysconf(_SC_PAGESIZE));
    int32_t rows = physical >= 12e9 ? 10000000 : 1000000;
    // Options meant for the other benchmark programs (scripts/bench.sh passes them to all) are passed over.
    if (argc > 1 && std::isdigit(static_cast<unsigned char>(argv[1][0]))) rows = std::atoi(argv[1]);
    if (rows < 1) {
        std::fprintf(stderr, "usage: big_data_bench [rows]\n");
        return 2;
    }
    StorageAndBulk(rows);
    SetCellValueLoop(100000);
    SetCellValueLoop(std::min<int32_t>(rows, 2000000));
    BoundQuery(std::min<int32_t>(rows, 1000000));
    return 0;
}
