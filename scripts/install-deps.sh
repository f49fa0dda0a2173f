#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package ORVANE needs to build, test and run.
# Works as root or through sudo; does nothing when everything is present.
set -eu

# One group per line, so each part of the program names its own needs.
PACKAGES="cmake ninja-build make g++ pkg-config git"
PACKAGES="$PACKAGES googletest libgtest-dev libgmock-dev libbenchmark-dev"     # tests, benchmarks
PACKAGES="$PACKAGES avra simavr libsimavr-dev"                           # HEX, assembler, AVR simulator
PACKAGES="$PACKAGES qt6-base-dev libqscintilla2-qt6-dev qt6-svg-dev libqt6svg6" # the window application
PACKAGES="$PACKAGES qt6-translations-l10n fonts-dejavu-core"                     # Polish Qt dialogs, a font offscreen
PACKAGES="$PACKAGES xvfb xauth desktop-file-utils shared-mime-info dpkg-dev"    # window tests, install checks, .deb
PACKAGES="$PACKAGES appstream lintian"                                           # metadata check, package check
PACKAGES="$PACKAGES clang libclang-rt-14-dev"                                    # fuzz targets
PACKAGES="$PACKAGES gdb"                                                        # stacks of a stuck soak

missing=""
for p in $PACKAGES; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  SUDO=""
elif command -v sudo >/dev/null 2>&1; then
  SUDO="sudo"
else
  echo "install-deps: these packages are missing and neither root nor sudo is available:$missing" >&2
  exit 1
fi

echo "install-deps: installing$missing"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
