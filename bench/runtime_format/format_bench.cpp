// ns per Format call for the grid's common number pattern, and per standard text conversion.
#include <benchmark/benchmark.h>

#include <vector>

#include "runtime/format.h"
#include "runtime/text_conversion.h"

namespace {

std::vector<double> sampleValues() {
    std::vector<double> values;
    for (int i = 0; i < 1024; ++i) values.push_back((i * 7919 % 10000) / 1000.0 + i * 1e-7);
    return values;
}

void BM_FormatNumberPattern(benchmark::State& state) {
    const lattix::Locale locale = lattix::Locale::invariant();
    const std::vector<double> values = sampleValues();
    size_t i = 0;
    for (auto _ : state) {
        std::string s = lattix::Format(lattix::Variant(values[i++ & 1023]), "0.##0", locale);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatNumberPattern);

void BM_FormatGroupedPattern(benchmark::State& state) {
    const lattix::Locale locale = lattix::Locale::decimalComma();
    const std::vector<double> values = sampleValues();
    size_t i = 0;
    for (auto _ : state) {
        std::string s = lattix::Format(lattix::Variant(values[i++ & 1023] * 1e5), "#,##0.00", locale);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatGroupedPattern);

void BM_FormatDatePattern(benchmark::State& state) {
    const lattix::Locale locale = lattix::Locale::invariant();
    size_t i = 0;
    for (auto _ : state) {
        lattix::Variant v(lattix::Date{45000.0 + static_cast<double>(i++ & 1023) * 0.37});
        std::string s = lattix::Format(v, "yyyy-mm-dd hh:nn", locale);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_FormatDatePattern);

void BM_TextOfDouble(benchmark::State& state) {
    const lattix::Locale locale = lattix::Locale::invariant();
    const std::vector<double> values = sampleValues();
    size_t i = 0;
    for (auto _ : state) {
        std::string s = lattix::TextOf(lattix::Variant(values[i++ & 1023]), locale);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_TextOfDouble);

} // namespace
