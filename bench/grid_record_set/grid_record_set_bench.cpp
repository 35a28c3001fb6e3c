// FillFromRS from a SQLite query of 1,000,000 records x 5 fields (integer, real, text, date as text,
// sometimes NULL) into an empty grid. Target: under 2 s. Prints the median of a few runs.
#include <sqlite3.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <ctime>
#include <cstdio>
#include <string>
#include <unistd.h>
#include <vector>

#include "grid/lattix.h"
#include "grid/model/sqlite_record_set.h"

int main(int argc, char** argv) {
    // A record count only from a numeric first argument (scripts/bench.sh passes benchmark options to all).
    const int records = argc > 1 && std::isdigit(static_cast<unsigned char>(argv[1][0])) ? std::max(1, std::atoi(argv[1])) : 1000000;
    const std::string path = "/tmp/lattix_rs_bench_" + std::to_string(getpid()) + ".db";
    std::remove(path.c_str());
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    const std::string script =
        "CREATE TABLE t (k INTEGER, w REAL, name TEXT, day DATE, note TEXT);"
        "WITH RECURSIVE c(x) AS (SELECT 1 UNION ALL SELECT x + 1 FROM c WHERE x < " + std::to_string(records) + ")"
        "INSERT INTO t SELECT x, x * 0.25, 'flock ' || x, date('2024-01-01', '+' || (x % 365) || ' days'),"
        " CASE WHEN x % 3 = 0 THEN NULL ELSE 'n' || (x % 97) END FROM c;";
    if (sqlite3_exec(db, script.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        return 1;
    }
    sqlite3_close(db);

    std::vector<double> seconds, cpu;
    for (int run = 0; run < 3; ++run) {
        auto grid = lattix::Lattix::Create();
        auto rs = lattix::SqliteRecordSet::Open(path, "SELECT * FROM t");
        const auto t0 = std::chrono::steady_clock::now();
        const std::clock_t c0 = std::clock();
        grid->FillFromRS(*rs, 1);
        const std::clock_t c1 = std::clock();
        const auto t1 = std::chrono::steady_clock::now();
        seconds.push_back(std::chrono::duration<double>(t1 - t0).count());
        cpu.push_back(static_cast<double>(c1 - c0) / CLOCKS_PER_SEC);
        if (grid->RowCount() != records) return 1;
    }
    std::sort(seconds.begin(), seconds.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("FillFromRS %d records x 5 fields from SQLite: median %.3f s wall (min %.3f, max %.3f), "
                "%.3f s CPU; target < 2 s\n",
                records, seconds[1], seconds.front(), seconds.back(), cpu[1]);
    std::remove(path.c_str());
    return 0;
}
