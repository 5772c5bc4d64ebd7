#!/bin/sh
# Runs the real program, from a copy of the build's tables, under a virtual X server
# with its own session bus and accessibility bus, and lets atspi_buttons.py
# read its buttons as a screen reader would:
# atspi.sh <program> <tables folder>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$2"/*.DBF "$2"/*.dbf "$2"/*.idx "$2"/*.fpt "$2"/*.txt "$work"/ 2>/dev/null || true
cp "$1" "$work"/
# A shop that has had its first start: the Shop Information offer would
# stand in front of the buttons read here (tests/app/tst_shell.cpp tests it).
: >"$work/.shop-information-offered"
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=0
unset QT_QPA_PLATFORMTHEME
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1024x768x24" sh -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  bus=$!
  "$1/$2" &
  program=$!
  /usr/bin/python3 "$3" "$2"
  status=$?
  kill $program $bus 2>/dev/null
  exit $status' checker "$work" "$(basename "$1")" "$here/atspi_buttons.py"
