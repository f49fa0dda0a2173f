#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Holds manual pages to their program's --help: every long option the program prints (and, for a
# program with commands, every command under "Polecenia:") must be in each page, and every long
# option or command a page describes must be one the program still knows.
# Usage: check-manpages.sh PROGRAM PAGE...
set -eu
program=$1
shift
name=$(basename "$program")
help=$("$program" --help) || { echo "check-manpages: '$name --help' failed" >&2; exit 1; }

long_options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }
# The lines of $1 that are not lines of $2.
missing() { printf '%s\n' "$1" | awk -v known="$2" 'BEGIN { n = split(known, k, "\n"); for (i = 1; i <= n; i++) seen[k[i]] = 1 } $0 != "" && !($0 in seen)'; }
# A page's text with the font changes and escaped hyphens of roff undone.
plain() { sed -e 's/\\f[BIRP]//g' -e 's/\\-/-/g' "$1"; }
# The commands of the help: the indented words under "Polecenia:".
help_commands() { printf '%s\n' "$help" | awk '/^Polecenia:/ { on = 1; next } on && /^$/ { on = 0 } on && /^  [a-z]/ { print $1 }' | sort -u; }
# The commands of a page: the first word of each tagged paragraph under POLECENIA or COMMANDS.
page_commands() {
  plain "$1" | awk '/^\.SH/ { on = ($2 == "POLECENIA" || $2 == "COMMANDS"); next }
    on && /^\.TP/ { tag = 1; next }
    on && tag { sub(/^\.B +/, ""); print $1; tag = 0 }' | sort -u
}

faults=0
report() { echo "$1"; faults=$((faults + 1)); }
# Both ways: what --help names and the page lacks, and what the page names and --help lacks.
compare() {  # PAGE KIND WANTED HAVE
  for item in $(missing "$3" "$4"); do report "$1: $2 $item of '$name --help' is missing"; done
  for item in $(missing "$4" "$3"); do report "$1: $2 $item is not in '$name --help'"; done
}
for page in "$@"; do
  # --help itself is known: it printed the text.
  compare "$page" option "$(printf '%s\n--help\n' "$help" | long_options)" "$(plain "$page" | long_options)"
  compare "$page" command "$(help_commands)" "$(page_commands "$page")"
done
[ "$faults" -eq 0 ] || { echo "check-manpages: $faults difference(s) between the pages and '$name --help'"; exit 1; }
echo "check-manpages: $# page(s) of $name match its --help"
