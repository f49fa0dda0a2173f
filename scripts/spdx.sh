#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Puts the licence's SPDX line at the top of every source file of ours that lacks one, as a
# comment of the file's own kind and after a "#!" line; with --check only lists those files and
# fails when there are any. Data the programs read or ship (scripts, dictionaries, INI and HEX
# files, pictures) is left as it is.
# Usage: spdx.sh [--check] [ROOT]   (ROOT: the source tree, by default the one holding this script)
set -eu
LICENCE="SPDX-License-Identifier: GPL-3.0-or-later"
check=0
if [ "${1:-}" = "--check" ]; then check=1; shift; fi
root=${1:-$(dirname "$0")/..}
cd "$root"

# The files of the tree: what git tracks, or every file outside .git and build folders.
files() {
  if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files
  else
    find . -path ./.git -prune -o -path './build*' -prune -o -type f -print | sed 's|^\./||'
  fi
}

# The comment leader a file's kind takes, into $mark; empty for a file that is not source. Kept
# in this shell (no subshell, no process per file): the check runs in every test run.
leader() {
  mark=""
  case "$1" in
    *.cpp | *.cc | *.c | *.h | *.hpp) mark="//" ;;
    *.sh | *.cmake | *.cmake.in | *.py | */CMakeLists.txt | CMakeLists.txt | */Makefile | Makefile | *.mk) mark="#" ;;
    *.asm | *.inc) case "$1" in data/*) ;; *) mark=";" ;; esac ;;
    *.[1-8]) mark='.\"' ;;
    *.png | *.svg | *.orv | *.ini | *.hex | *.txt | *.md | *.xml | *.desktop | *.json) ;;
    *) first=""; IFS= read -r first < "$1" 2>/dev/null || true
       case "$first" in '#!'*) mark="#" ;; esac ;;
  esac
}

lacking=0
sources=$(mktemp)
trap 'rm -f "$sources"' EXIT
for f in $(files); do
  [ -f "$f" ] || continue
  leader "$f"
  [ -n "$mark" ] || continue
  if [ "$check" -eq 1 ]; then
    printf '%s\n' "$f" >> "$sources"
    continue
  fi
  head -n 5 "$f" | grep -q "$LICENCE" && continue
  lacking=$((lacking + 1))
  # Written beside the file and renamed over it, so an interruption leaves the old file whole.
  tmp=$(mktemp "$f.spdx.XXXXXX")
  awk -v line="$mark $LICENCE" 'NR == 1 && /^#!/ { print; print line; next } NR == 1 { print line } { print }
    END { if (NR == 0) print line }' "$f" > "$tmp"
  chmod "$(stat -c %a "$f")" "$tmp"
  mv "$tmp" "$f"
done
if [ "$check" -eq 1 ]; then
  # One reader for all files: each must carry the line within its first five lines.
  missing=$(tr '\n' '\0' < "$sources" | xargs -0 -r awk -v licence="$LICENCE" '
    FNR == 1 { if (name != "" && !found) print name; name = FILENAME; found = 0 }
    FNR <= 5 && index($0, licence) { found = 1 }
    END { if (name != "" && !found) print name }')
  # An empty file is never read by awk, and carries no line either.
  empty=$(while IFS= read -r f; do [ -s "$f" ] || printf '%s\n' "$f"; done < "$sources")
  for f in $missing $empty; do echo "$f"; lacking=$((lacking + 1)); done
fi
if [ "$check" -eq 1 ] && [ "$lacking" -gt 0 ]; then
  echo "spdx: $lacking file(s) lack the line \"$LICENCE\" (scripts/spdx.sh adds it)" >&2
  exit 1
fi
[ "$check" -eq 1 ] || echo "spdx: added the licence line to $lacking file(s)"
