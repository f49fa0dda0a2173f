#!/bin/sh
# `make run`: opens the ORVANE window. With no board configured in the settings, it starts the
# virtual controller and talks to it for this run only (--port; the stored settings stay as they
# are). With no display, it says so and runs the terminal demonstration instead.
set -eu
BUILD=${1:-build}
SIM="$BUILD/sim/orvane-sim"
APP="$BUILD/app/orvane"
CONF="${XDG_CONFIG_HOME:-$HOME/.config}/ORVANE/ORVANE.ini"
EXAMPLE=data/examples/serwo_przemiatanie.orv

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "make run: no display available (DISPLAY and WAYLAND_DISPLAY unset): the terminal demonstration instead of the window."
  exec sh scripts/demo.sh "$BUILD"
fi

if [ -f "$CONF" ] && grep -q '^COM=' "$CONF"; then
  echo "make run: a board is configured in $CONF: opening ORVANE on it"
  exec "$APP" "$EXAMPLE"
fi

WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-run.XXXXXX")
SIM_PID=""
cleanup() {
  if [ -n "$SIM_PID" ]; then kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

"$SIM" --link "$WORK/tty" --flash "$WORK/flash.hex" > "$WORK/sim.out" &
SIM_PID=$!
for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
  [ -e "$WORK/tty" ] && break
  sleep 0.1
done
echo "make run: no board configured: ORVANE on the virtual controller $(head -n 1 "$WORK/sim.out")"
"$APP" --port "$WORK/tty" "$EXAMPLE"
