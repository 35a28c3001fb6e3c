// Fuzz targets: one function per reader or entry point, run by libFuzzer (scripts/fuzz.sh builds one
// program per target) and by the corpus replay test of the ordinary test run. A target returns
// normally for every input; a broken property aborts through FUZZ_REQUIRE, which both runners
// report with the input that caused it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace lattix::fuzz {

using TargetFunction = void (*)(std::span<const uint8_t> data);

struct FuzzTarget {
    std::string_view name; // also the folder of its corpus: tests/fuzz/corpus/<name>/
    TargetFunction run;
};

// Test runners print a target by its name.
template <class Stream> Stream& operator<<(Stream& out, const FuzzTarget& t) {
    out << t.name;
    return out;
}

// Every target, in a fixed order.
std::span<const FuzzTarget> AllFuzzTargets();
const FuzzTarget* FindFuzzTarget(std::string_view name);

// Names the input being run, for FuzzFailure's message (the replay test names its corpus files).
void SetCurrentInputName(std::string_view name);

// Prints what failed and aborts.
[[noreturn]] void FuzzFailure(const char* file, int line, const char* what);

} // namespace lattix::fuzz

#define FUZZ_REQUIRE(cond)                                                            \
    do {                                                                              \
        if (!(cond)) ::lattix::fuzz::FuzzFailure(__FILE__, __LINE__, #cond);          \
    } while (0)
