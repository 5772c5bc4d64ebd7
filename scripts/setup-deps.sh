#!/usr/bin/env bash
# Installs, from Debian 12's own packages, everything that building, running
# and testing Quiverwise needs. Safe to run again: apt-get skips what is there.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools libqt6printsupport6 qt6-qpa-plugins
  nlohmann-json3-dev libbenchmark-dev
  clang libclang-rt-14-dev
  python3 python3-dbfread python3-dbf libdbd-xbase-perl
  xvfb xauth imagemagick poppler-utils
  dbus dbus-x11 at-spi2-core python3-pyatspi
  fonts-dejavu-core fonts-urw-base35 fonts-liberation2
  libreoffice-calc-nogui
  cups cups-client cups-filters printer-driver-cups-pdf ghostscript
)

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
