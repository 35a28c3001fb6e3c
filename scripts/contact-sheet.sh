#!/bin/sh
# Writes every reference picture of the grid painting tests onto one contact sheet.
# Usage: scripts/contact-sheet.sh [build dir] [sheet.png]
# With LATTIX_UPDATE_PICTURES=1 the pictures are rendered anew into the references first.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build}
sheet=${2:-$build/grid_paint_contact_sheet.png}
cmake --build "$build" --target grid_paint_tests grid_paint_contact_sheet
if [ "${LATTIX_UPDATE_PICTURES:-0}" = 1 ]; then
    "$build/tests/grid_paint/grid_paint_tests" --gtest_filter='GridPictures.*'
fi
"$build/tests/grid_paint/grid_paint_contact_sheet" "$root/tests/grid_paint" "$sheet"
