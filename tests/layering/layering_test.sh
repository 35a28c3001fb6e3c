#!/usr/bin/env bash
# layering_test.sh <source dir>
# Each layer includes only from itself and the layers below it (lowest first: runtime, platform,
# grid, bindings, app), so that the platform can serve other programs without the grid, and the grid
# without any of its hosts.
set -euo pipefail
cd "$1"
failed=0
check() { # check <folder> <folders it must not include from...>
  local dir="$1"; shift
  for above in "$@"; do
    if found=$(grep -rnE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[\"<]$above/" "$dir" \
                 --include='*.h' --include='*.cpp' --include='*.c'); then
      echo "FAIL: $dir includes from $above/:"; echo "$found"; failed=1
    fi
  done
}
check runtime platform grid bindings app
check platform grid bindings app
check grid bindings app
check bindings app
[ "$failed" -eq 0 ] && echo "ok: every layer includes only from itself and the layers below"
exit "$failed"
