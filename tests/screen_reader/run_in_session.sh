#!/usr/bin/env bash
# Runs read_results.py against Avigram on its own virtual display (Xvfb), session bus and
# accessibility bus (at-spi2-core), with Qt's AT-SPI bridge on.
#   run_in_session.sh AVIGRAM_QT DATA_DIR WORK_DIR
# AVIGRAM_QT is the built avigram-qt, DATA_DIR holds the sample data, WORK_DIR is emptied and
# used as the program's folder for its reports. Exit status: the reader's; 77 when Xvfb, the
# session bus, the accessibility bus or pyatspi is not installed.
set -euo pipefail
program="$1" data="$2" work="$3"
here="$(cd "$(dirname "$0")" && pwd)"
for tool in Xvfb dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "run_in_session: $tool is not installed"; exit 77; }
done
/usr/bin/python3 -c "import pyatspi" 2>/dev/null || { echo "run_in_session: python3-pyatspi is not installed"; exit 77; }

rm -rf "$work"
mkdir -p "$work"
cp "$data"/Broiler* "$work/"
# The carcass file is handed over beside the program, as scripts/run-avigram.sh does.
printf '%s\r\n' "$work/BroilerCARCDATA.txt" > "$(dirname "$program")/ReadMe.txt"

# Everything below runs on its own session bus, which goes with it.
exec dbus-run-session -- bash -s "$program" "$work" "$here" <<'SESSION'
set -euo pipefail
program="$1" work="$2" here="$3"
pids=()
finish() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; }
trap finish EXIT
# Xvfb picks a free display and writes its number.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || { echo "run_in_session: Xvfb did not start"; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"
# The session bus starts the accessibility bus when it is first asked for its address.
for _ in $(seq 50); do
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null 2>&1 && break
  sleep 0.1
done
# Qt's bridge to AT-SPI, on although no screen reader announced itself.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb
(cd "$work" && exec "$program") >"$work/avigram-qt.log" 2>&1 &
pids+=($!)
# The Debian interpreter: python3-pyatspi is installed for it.
/usr/bin/python3 "${READER:-$here/read_results.py}"
SESSION
