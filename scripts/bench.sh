#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# `make bench`: runs every benchmark of bench/ one after the other.
set -eu
BUILD=${1:-build-bench}
status=0
for b in "$BUILD"/bench/bench_*; do
  [ -x "$b" ] || continue
  echo "== $(basename "$b")"
  "$b" || status=1
done
exit $status
