#!/usr/bin/env bash
# Sets up, builds and runs every test.
#   scripts/test.sh            normal build in build/
#   scripts/test.sh --sanitize AddressSanitizer + UndefinedBehaviorSanitizer build in build-asan/
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
flags=()
if [ "${1:-}" = "--sanitize" ]; then
  build="$here/build-asan"
  flags=(-DLATTIX_SANITIZE=ON -DLATTIX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug)
  export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
  export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  # The seeded random user runs longer here than in the normal build: 20 seeds of 5,000 steps
  # (about two minutes under the sanitizers). The environment can still choose another run.
  export LATTIX_RANDOM_USER_SEEDS="${LATTIX_RANDOM_USER_SEEDS:-20}"
  export LATTIX_RANDOM_USER_STEPS="${LATTIX_RANDOM_USER_STEPS:-5000}"
fi
cmake -S "$here" -B "$build" -G Ninja "${flags[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
