#!/bin/sh
# Screenshots of the splash, every page of the main window, the help viewer,
# the model guide of each page, the about window and the customer retrieval
# window under a virtual X server:
# tests/app/screenshots.sh [build dir] [out dir]
set -e
build=${1:-build}
out=${2:-$build/screenshots}
cmake --build "$build" --target quiverwise qw-screenshots
xvfb-run -a -s "-screen 0 1024x768x24" "$build/tests/qw-screenshots" "$out"
