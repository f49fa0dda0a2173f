#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# `make fuzz`: runs every libFuzzer target of fuzz/ for SECONDS each (default 30) and fails when
# one finds a crash, a sanitizer report, a leak, a hang or a broken property. Each target's
# corpus grows in BUILD/fuzz/corpus/<target>, seeded from data/, the tests' files and
# fuzz/seeds/; a finding is kept as BUILD/fuzz/findings/<target>-<kind>-<hash>.
set -eu
BUILD=${1:-build-fuzz}
SECONDS_EACH=${2:-30}
ROOT=$(cd "$(dirname "$0")/.." && pwd)
OUT=$BUILD/fuzz
mkdir -p "$OUT/findings"

# Copies the files given into a fresh seed folder of the target, named after their paths.
seed() {
  dir=$OUT/seeds/$1
  shift
  rm -rf "$dir"
  mkdir -p "$dir"
  for f in "$@"; do
    [ -f "$f" ] && cp "$f" "$dir/$(echo "${f#"$ROOT"/}" | tr / _)"
  done
  return 0
}

seed komendy "$ROOT"/data/Komendy.ini "$ROOT"/fuzz/seeds/komendy/*
seed hex "$ROOT"/tests/compiler/firmware/*.hex "$ROOT"/fuzz/seeds/hex/*
for t in expression run translate; do
  seed $t "$ROOT"/data/examples/*.orv "$ROOT"/data/examples/*/*.orv "$ROOT"/tests/compiler/corpus/*.orv \
    "$ROOT"/fuzz/seeds/script/*
done

dict() {
  case $1 in
    komendy) echo "$ROOT/fuzz/komendy.dict" ;;
    hex) echo "$ROOT/fuzz/hex.dict" ;;
    *) echo "$ROOT/fuzz/script.dict" ;;
  esac
}

status=0
for t in komendy hex expression run translate; do
  echo "== fuzz_$t: $SECONDS_EACH s"
  mkdir -p "$OUT/corpus/$t"
  if ! "$OUT/fuzz_$t" -max_total_time="$SECONDS_EACH" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -dict="$(dict $t)" -artifact_prefix="$OUT/findings/$t-" \
      "$OUT/corpus/$t" "$OUT/seeds/$t"; then
    echo "fuzz_$t: FINDING, see $OUT/findings/" >&2
    status=1
  fi
done
exit $status
