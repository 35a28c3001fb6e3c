// The seeded random user, run over a few seeds. Environment:
//   LATTIX_RANDOM_USER_SEED   the first seed (default 1)
//   LATTIX_RANDOM_USER_SEEDS  how many seeds from there (default 3)
//   LATTIX_RANDOM_USER_STEPS  steps per seed (default 1000)
// so one failing seed is replayed with
//   LATTIX_RANDOM_USER_SEED=<seed> LATTIX_RANDOM_USER_SEEDS=1 grid_hardening_tests --gtest_filter=RandomUser.*
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/grid_hardening/random_user.h"

namespace {
uint64_t fromEnvironment(const char* name, uint64_t fallback) {
    const char* v = std::getenv(name);
    if (!v || !*v) return fallback;
    return std::strtoull(v, nullptr, 10);
}
} // namespace

TEST(RandomUser, KeepsTheGridWholeOverEverySeed) {
    const uint64_t first = fromEnvironment("LATTIX_RANDOM_USER_SEED", 1);
    const uint64_t seeds = fromEnvironment("LATTIX_RANDOM_USER_SEEDS", 3);
    const int steps = static_cast<int>(fromEnvironment("LATTIX_RANDOM_USER_STEPS", 1000));
    int64_t total = 0;
    const auto start = std::chrono::steady_clock::now();
    for (uint64_t seed = first; seed < first + seeds; ++seed) {
        lattix::test::RandomUser user(seed);
        const std::string failure = user.Run(steps);
        total += user.StepsRun();
        ASSERT_EQ(failure, "") << "seed " << seed;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("random user: %lld steps over %llu seeds in %.1f s (%.0f steps/s)\n", static_cast<long long>(total),
                static_cast<unsigned long long>(seeds), seconds, seconds > 0 ? total / seconds : 0.0);
}
