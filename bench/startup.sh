#!/usr/bin/env bash
# Start-up of the real editor beside its floor, a bare Qt dialog of the same
# size painting one pixmap, on a private Xvfb display: the two start in turn,
# RUNS times each (15 by default), with a session bus and without one, and
# the medians of the time to the mapped window and to its first paint are
# printed with their ratio. On a busy machine, run it under `chrt -f 10` so
# that other work does not stand in the figures.
#   bench/startup.sh [build folder]
set -euo pipefail
build="${1:-build}"
runs="${RUNS:-15}"
probe="$build/bench/startup_probe"
editor="$build/app/pelto5"
floor="$build/bench/startup_floor"
for f in "$probe" "$editor" "$floor"; do
  [ -x "$f" ] || { echo "missing $f: build the project first (cmake --build $build)" >&2; exit 1; }
done

display=":$(( 300 + $$ % 200 ))"
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
work="$(mktemp -d)"
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X${display#:}" ] && break; sleep 0.05; done
mkdir -m 700 "$work/runtime"
export DISPLAY="$display" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="$work/runtime"
unset WAYLAND_DISPLAY

# Each way a desktop may run the editor: with a session bus of its own (a
# private dbus-daemon, as a desktop session gives), and with none, where
# D-Bus may launch one itself (with dbus-x11) into the private home.
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
report() {
  local column=$1 what=$2 e f
  e=$(cut -d' ' -f"$column" "$work/editor" | median)
  f=$(cut -d' ' -f"$column" "$work/floor" | median)
  printf '  %-22s editor %7.1f ms   floor %7.1f ms   ratio %.2f\n' "$what" "$e" "$f" "$(awk -v e="$e" -v f="$f" 'BEGIN { print e / f }')"
}
measure() {
  rm -f "$work/editor" "$work/floor"
  # One start of each before measuring, so that both find the libraries cached.
  "$probe" "$editor" >/dev/null
  "$probe" "$floor" >/dev/null
  for _ in $(seq "$runs"); do
    "$probe" "$editor" >>"$work/editor"
    "$probe" "$floor" >>"$work/floor"
  done
  report 1 "window mapped"
  report 2 "first frame painted"
}

mkdir -m 700 "$work/home"
export HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_CACHE_HOME="$work/home/.cache"
echo "Start-up on Xvfb, median of $runs runs each:"
echo "with a session bus:"
dbus-daemon --session --fork --print-address=3 --print-pid=4 3>"$work/bus" 4>"$work/bus.pid"
DBUS_SESSION_BUS_ADDRESS=$(head -n 1 "$work/bus") measure
kill "$(cat "$work/bus.pid")"
echo "without a session bus:"
(unset DBUS_SESSION_BUS_ADDRESS; measure)
