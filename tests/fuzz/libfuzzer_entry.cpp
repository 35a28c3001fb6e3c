// The entry libFuzzer calls: one program per target, chosen by LATTIX_FUZZ_TARGET at compile time.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/fuzz_target.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const lattix::fuzz::FuzzTarget* target = [] {
        const auto* t = lattix::fuzz::FindFuzzTarget(LATTIX_FUZZ_TARGET);
        if (!t) {
            std::fprintf(stderr, "no fuzz target named %s\n", LATTIX_FUZZ_TARGET);
            std::abort();
        }
        return t;
    }();
    target->run({data, size});
    return 0;
}
