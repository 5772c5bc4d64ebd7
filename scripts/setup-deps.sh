#!/usr/bin/env bash
# Installs, from Debian 12's own packages, what Quiverwise needs:
#   setup-deps.sh run    building and running the program (scripts/run.sh,
#                        scripts/package.sh)
#   setup-deps.sh test   that, and everything the tests need (scripts/test.sh):
#                        the clang sanitizer build, the independent table
#                        readers, Xvfb and the accessibility bus, LibreOffice
#                        for the spreadsheet, the private print server, the
#                        package validators
# Safe to run again: only what is missing is installed.
set -euo pipefail

run_packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-qpa-plugins
  nlohmann-json3-dev libxlsxwriter-dev zlib1g-dev
  fonts-dejavu-core fonts-liberation2
)
test_packages=(
  libbenchmark-dev
  clang libclang-rt-14-dev
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  xvfb xauth imagemagick poppler-utils
  dbus dbus-x11 at-spi2-core python3-pyatspi
  fonts-urw-base35
  libreoffice-calc-nogui
  cups cups-client cups-filters printer-driver-cups-pdf ghostscript
  lintian desktop-file-utils appstream dpkg-dev
)

case "${1:-test}" in
run) packages=("${run_packages[@]}") ;;
test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
*)
  echo "usage: setup-deps.sh [run|test]" >&2
  exit 2
  ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
export DEBIAN_FRONTEND=noninteractive

# The print server is installed for the tests' private queue only: nothing
# may start a system print service (there is no init system in a container,
# and the tests never use one). A policy-rc.d answering 101 forbids every
# start for the length of the install, unless the machine has its own.
policy=/usr/sbin/policy-rc.d
own_policy=0
if [ ! -e "$policy" ]; then
  printf '#!/bin/sh\nexit 101\n' | "${sudo_cmd[@]}" tee "$policy" >/dev/null
  "${sudo_cmd[@]}" chmod 755 "$policy"
  own_policy=1
  trap '"${sudo_cmd[@]}" rm -f "$policy"' EXIT
fi
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
if [ "$own_policy" -eq 1 ]; then
  "${sudo_cmd[@]}" rm -f "$policy"
  trap - EXIT
fi
