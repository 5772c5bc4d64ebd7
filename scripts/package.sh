#!/usr/bin/env bash
# Builds the Debian package: a Release build of the program and its tools in
# build/release (without the tests and benchmarks), with Debian's hardening
# flags, then CPack's DEB generator into build/packages/. Prints the path of
# the package it wrote. Needs what scripts/setup-deps.sh run installs.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/release
out=build/packages
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DQW_TESTS=OFF -DQW_BENCHMARKS=OFF \
  -DCMAKE_CXX_FLAGS="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)" \
  -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$build" --parallel "$(nproc)" >&2
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$PWD/../packages" >/dev/null)
ls -t "$out"/quiverwise_*.deb | head -n 1 | xargs realpath
