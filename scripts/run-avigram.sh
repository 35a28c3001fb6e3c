#!/usr/bin/env bash
# Sets up, builds and opens Avigram on the sample data of data/.
#   scripts/run-avigram.sh                     opens Avigram's window; the sample carcass file is
#                                              handed over to it as another program would (ReadMe.txt)
#   scripts/run-avigram.sh --batch [options]   runs the batch front end instead (options e.g.
#                                              --decimal-comma or --cv 0.08); results (reports,
#                                              grids.json, CSV and XLSX exports, charts) in out/
# The window works on a copy of the sample data in out/desktop/, where its reports are written too.
# Without a display (no DISPLAY or WAYLAND_DISPLAY) the batch front end runs.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
out="$here/out"
cmake -S "$here" -B "$build" -G Ninja >/dev/null

batch=0
if [ "${1:-}" = "--batch" ]; then
  batch=1
  shift
elif [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo "run-avigram: no display; running the batch front end (--batch) instead"
  batch=1
fi

if [ "$batch" = 1 ]; then
  cmake --build "$build" --target avigram -j "$(nproc)"
  "$build/app/batch/avigram" --batch --carcass "$here/data/BroilerCARCDATA.txt" --out "$out" --csv --xlsx --charts "$@"
  echo "Avigram results in $out:"
  echo "  $out/regvals.txt  fitted lines per part and sex"
  echo "  $out/WtDist.txt   birds per weight class, flock and sex"
  echo "  $out/grids.json   the three grids and the messages shown"
  echo "  $out/flock_weights.csv, parts_analysis.csv, avigram.xlsx   the two result grids"
  echo "  $out/distribution.png, parts_yield.png   the charts"
  exit 0
fi

cmake --build "$build" --target avigram-qt -j "$(nproc)"
work="$out/desktop"
mkdir -p "$work"
cp "$here"/data/Broiler* "$work/"
# The hand-over: the carcass file's name in ReadMe.txt beside the program, which takes it and
# deletes the file.
printf '%s\r\n' "$work/BroilerCARCDATA.txt" > "$build/app/qt/ReadMe.txt"
cd "$work"
exec "$build/app/qt/avigram-qt" "$@"
