#!/usr/bin/env bash
# Builds and runs every benchmark program (each folder of bench/ makes one) and prints its figures.
#   scripts/bench.sh [benchmark options, e.g. --benchmark_repetitions=3]
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build" -j "$(nproc)"
# The Qt benchmark draws offscreen unless a display is chosen.
export QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}"
for program in $(find "$build/bench" -mindepth 2 -maxdepth 2 -type f -executable | sort); do
  echo "== ${program#$build/}"
  "$program" "$@"
done
