#!/usr/bin/env bash
# Builds the coverage-guided fuzz programs of tests/fuzz (clang's libFuzzer, with AddressSanitizer
# and UndefinedBehaviorSanitizer, in build-fuzz/) and runs them.
#   scripts/fuzz.sh                  every target, 60 seconds each
#   scripts/fuzz.sh paste 1800       one target for 30 minutes
#   scripts/fuzz.sh all 300          every target, 5 minutes each
#   scripts/fuzz.sh format,paste 600 a list of targets, 10 minutes each
# A run stops early after 10 million executions. Inputs that find new coverage collect in
# build-fuzz/corpus/<target>/; an input that fails is written into tests/fuzz/corpus/<target>/, where
# the ordinary test run replays it, so it stays in the tree once the fault is mended.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
target="${1:-all}"
seconds="${2:-60}"
"$here/scripts/setup.sh"
missing=()
for p in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build="$here/build-fuzz"
only="runtime;platform/gfx;platform/ui;platform/theme;platform/controls;platform/headless;grid;app/core;app/forms;app/batch;tests/fuzz"
CC=clang-14 CXX=clang++-14 cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DLATTIX_SANITIZE=ON -DLATTIX_FUZZ=ON -DLATTIX_BUILD_BENCH=OFF "-DLATTIX_ONLY=$only" >/dev/null
targets=(tab_text layout_text property_bag_json format text_conversion paste record_set member_calls
         carcass_file calibration_file flock_file parts_list batch_command_line)
[ "$target" != "all" ] && IFS=, read -ra targets <<<"$target"
cmake --build "$build" -j "$(nproc)" --target "${targets[@]/#/fuzz_}"

# A host may ask for as much as the machine holds (the grid refuses more before allocating), so a
# single large allocation is no fault; memory actually used stays limited to 4 GB per input.
physical_mb=$(awk '/^MemTotal:/ {print int($2 / 1024)}' /proc/meminfo)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
printf '%-20s %12s %8s %8s %s\n' target executions edges features result
status=0
for t in "${targets[@]}"; do
  mkdir -p "$build/corpus/$t" "$here/tests/fuzz/corpus/$t"
  log="$build/fuzz_$t.log"
  result=clean
  if ! (cd "$build" && "$build/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -runs=10000000 -timeout=20 \
        -rss_limit_mb=4096 -malloc_limit_mb="$physical_mb" -max_len=65536 -print_final_stats=1 \
        -artifact_prefix="$here/tests/fuzz/corpus/$t/" "$build/corpus/$t" "$here/tests/fuzz/corpus/$t" \
        >"$log" 2>&1); then
    result="FAILED (see $log)"
    status=1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  line=$(grep -E '^#[0-9]+.*cov: ' "$log" | tail -1)
  edges=$(sed -E 's/.*cov: ([0-9]+).*/\1/' <<<"$line")
  features=$(sed -E 's/.*ft: ([0-9]+).*/\1/' <<<"$line")
  printf '%-20s %12s %8s %8s %s\n' "$t" "${runs:-?}" "${edges:-?}" "${features:-?}" "$result"
done
exit $status
