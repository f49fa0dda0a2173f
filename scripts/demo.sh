#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The terminal demonstration of ORVANE (what `make run` shows where no display is available) on the
# virtual controller (or on the board, when one is configured in the settings).
set -eu
BUILD=${1:-build}
CLI="$BUILD/bin/orvane-cli"
. "$(dirname "$0")/sim-lib.sh"

step() { printf '\n\033[1m== %s\033[0m\n' "$*"; }

if board_configured; then
  step "A board is configured in $CONF: talking to it"
  PORT_ARGS=""
else
  step "No board configured: starting the virtual controller orvane-sim"
  start_sim --log "$WORK/traffic.log"
  echo "virtual controller on $(head -n 1 "$WORK/sim.out") (link $WORK/tty)"
  PORT_ARGS="--port $WORK/tty"
fi

cli() { echo "\$ orvane-cli $*"; "$CLI" $PORT_ARGS "$@"; }

step "Query the controller's mode, switch it, read its version"
cli mode
cli switch Komendy
cli switch System
cli version

step "Run a script on the PC, statement by statement (each device command goes over the link)"
cli run data/examples/decyzja.orv --trace || true

step "Compile a script to AVR assembler and assemble it with avra"
cp data/examples/serwo_przemiatanie.orv "$WORK/sweep.orv"
cli compile "$WORK/sweep.orv"
HEX="$WORK/sweep.hex"

step "Write a program into the flash through the boot loader, with read-back check"
cli --yes --verify write program "$HEX"
step "Read the program back into a HEX file"
cli read program "$WORK/readback.hex"
head -n 4 "$WORK/readback.hex"
cli switch System

if [ -n "$SIM_PID" ]; then
  step "The last bytes on the wire (traffic log of the virtual controller)"
  tail -n 6 "$WORK/traffic.log"
fi
step "Done"
