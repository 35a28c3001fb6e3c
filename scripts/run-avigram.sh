#!/usr/bin/env bash
# Sets up, builds Avigram and runs it in batch mode on the sample data of data/.
#   scripts/run-avigram.sh [extra avigram options, e.g. --decimal-comma or --cv 0.08]
# The results (regvals.txt, WtDist.txt and grids.json) are written to out/.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
out="$here/out"
cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target avigram -j "$(nproc)"
"$build/app/batch/avigram" --batch --carcass "$here/data/BroilerCARCDATA.txt" --out "$out" "$@"
echo "Avigram results in $out:"
echo "  $out/regvals.txt  fitted lines per part and sex"
echo "  $out/WtDist.txt   birds per weight class, flock and sex"
echo "  $out/grids.json   the three grids and the messages shown"
