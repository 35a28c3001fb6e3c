// Timing helpers of the printed benchmarks: wall time of a call with the process CPU time beside it
// (the machine is shared, so both are printed), and the median of a few runs.
#pragma once

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace bench_timing {

// The process CPU time, in ms, of the latest call timed by millis.
inline double cpuMs = 0;

// Wall time of f() in ms.
template <class F> double millis(F&& f) {
    const auto t0 = std::chrono::steady_clock::now();
    const std::clock_t c0 = std::clock();
    f();
    cpuMs = 1000.0 * static_cast<double>(std::clock() - c0) / CLOCKS_PER_SEC;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

} // namespace bench_timing
