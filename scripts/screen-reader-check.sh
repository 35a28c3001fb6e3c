#!/usr/bin/env bash
# Reads Avigram's results as a screen reader would: opens Avigram on the sample data on a virtual
# display with a session bus, the accessibility bus (at-spi2-core) and Qt's AT-SPI bridge on, and
# runs tests/screen_reader/read_results.py, which presses through to the results over AT-SPI
# (pyatspi) and reads cells of the results table by the names of their flock and figure. Prints
# what it read; the exit status is the reader's (0: the cells were read). The same runs in ctest as
# screen_reader_reads_results.
#   scripts/screen-reader-check.sh
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
build="$here/build"
cmake -S "$here" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target avigram-qt -j "$(nproc)" >/dev/null
exec "$here/tests/screen_reader/run_in_session.sh" "$build/app/qt/avigram-qt" "$here/data" "$here/out/screen-reader"
