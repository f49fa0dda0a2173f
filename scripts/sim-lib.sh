# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by run.sh and demo.sh (sourced, after BUILD is set): a private work folder, the board
# check and the virtual controller, stopped and cleaned up when the script ends.
SIM="$BUILD/bin/orvane-sim"
CONF="${XDG_CONFIG_HOME:-$HOME/.config}/ORVANE/ORVANE.ini"
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-run.XXXXXX")
SIM_PID=""

cleanup() {
  if [ -n "$SIM_PID" ]; then kill "$SIM_PID" 2>/dev/null || true; wait "$SIM_PID" 2>/dev/null || true; fi
  rm -rf "$WORK"
}
trap cleanup EXIT INT TERM

# True when the settings name a board's COM port.
board_configured() { [ -f "$CONF" ] && grep -q '^COM=' "$CONF"; }

# Starts orvane-sim on the link $WORK/tty (extra options as arguments) and waits for the link.
start_sim() {
  "$SIM" --link "$WORK/tty" --flash "$WORK/flash.hex" "$@" > "$WORK/sim.out" &
  SIM_PID=$!
  for _ in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    [ -e "$WORK/tty" ] && break
    sleep 0.1
  done
}
