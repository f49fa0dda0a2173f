#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The programs find their data at <their folder>/../share/orvane both in the build tree and
# installed into a fresh prefix: orvane-cli copies the shipped Komendy.ini on its first run and
# assembles a script against the shipped Konfig.asm and Pamiec.asm, and runs it on the simulated
# chip under the shipped firmware; orvane-sim reads the shipped
# Komendy.ini before it announces its terminal.
# Usage: check-install.sh BUILD_DIR CMAKE
set -eu
BUILD=$1
CMAKE=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/orvane-install.XXXXXX")
trap 'rm -rf "$WORK"' EXIT

fail() { echo "check-install: $*" >&2; exit 1; }

check_programs() {
  bin=$1
  home="$WORK/home-$2"
  mkdir -p "$home"
  printf 'Var: p;\np = 1000;\nServoSet(1, 0, 0, 0, p);\n' > "$home/t.orv"
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" ORVANE_DATA_DIR= \
    "$bin/orvane-cli" compile "$home/t.orv" > "$home/cli.out" 2>&1 || fail "$2: compile failed: $(cat "$home/cli.out")"
  [ -s "$home/t.hex" ] || fail "$2: no HEX file"
  data=$(cd "$bin/../share/orvane" && pwd -P)
  grep -rqsF "$data/Konfig.asm" "$home" || fail "$2: the program was not assembled against $data"
  cmp -s "$home/data/ORVANE/Komendy.ini" "$bin/../share/orvane/Komendy.ini" \
    || fail "$2: the shipped Komendy.ini was not copied on the first run"
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" ORVANE_DATA_DIR= \
    "$bin/orvane-cli" help skroty > "$home/help.out" 2>&1 || fail "$2: help failed: $(cat "$home/help.out")"
  grep -q 'Skróty klawiszowe' "$home/help.out" || fail "$2: no keyboard help: $(cat "$home/help.out")"
  if [ -x "$bin/orvane" ]; then  # the pages and the keyboard rows come with the window
    grep -q 'F5 *Uruchom' "$home/help.out" || fail "$2: the help has no keyboard table"
    [ -f "$bin/../share/doc/orvane/komenda-ServoSet.html" ] || fail "$2: the help pages are missing"
  fi
  HOME="$home" XDG_CONFIG_HOME="$home/config" XDG_DATA_HOME="$home/data" ORVANE_DATA_DIR= \
    "$bin/orvane-cli" simulate "$home/t.orv" --ms 10 > "$home/chip.out" 2>&1 || true
  grep -qx 'p = 1000.00' "$home/chip.out" || fail "$2: the simulated chip did not run: $(cat "$home/chip.out")"
  HOME="$home" ORVANE_DATA_DIR= timeout 1 "$bin/orvane-sim" > "$home/sim.out" 2>&1 || true
  grep -q '^/dev/' "$home/sim.out" || fail "$2: orvane-sim did not start: $(cat "$home/sim.out")"
}

check_programs "$BUILD/bin" build-tree
"$CMAKE" --install "$BUILD" --prefix "$WORK/prefix" > "$WORK/install.out" || fail "install failed"
for f in Komendy.ini Konfig.asm Pamiec.asm ChipFirmware.hex examples/decyzja.orv; do
  [ -f "$WORK/prefix/share/orvane/$f" ] || fail "share/orvane/$f was not installed"
done
check_programs "$WORK/prefix/bin" installed
echo "build tree and installed programs find their data"
