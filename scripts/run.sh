#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# `make run`: opens the ORVANE window. With no board configured in the settings, it starts the
# virtual controller and talks to it for this run only (--port; the stored settings stay as they
# are). With no display, it says so and runs the terminal demonstration instead.
set -eu
BUILD=${1:-build}
APP="$BUILD/bin/orvane"
EXAMPLE=data/examples/serwo_przemiatanie.orv

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "make run: no display available (DISPLAY and WAYLAND_DISPLAY unset): the terminal demonstration instead of the window."
  exec sh scripts/demo.sh "$BUILD"
fi

. "$(dirname "$0")/sim-lib.sh"
if board_configured; then
  echo "make run: a board is configured in $CONF: opening ORVANE on it"
  "$APP" "$EXAMPLE"
  exit
fi

start_sim
echo "make run: no board configured: ORVANE on the virtual controller $(head -n 1 "$WORK/sim.out")"
"$APP" --port "$WORK/tty" "$EXAMPLE"
