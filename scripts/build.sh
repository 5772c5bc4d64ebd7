#!/usr/bin/env bash
# Configures and builds in build/: the program, its tools and its tables,
# and, unless told otherwise with -DQW_TESTS=OFF -DQW_BENCHMARKS=OFF, the
# tests and benchmarks. Arguments go to the configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build --parallel "$(nproc)"
