#!/usr/bin/env bash
# Sets up what building and running need, builds the program, its tools and
# its tables (no tests), and starts the program from its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh run
scripts/build.sh -DQW_TESTS=OFF -DQW_BENCHMARKS=OFF -DQW_CUSTOMER_IN_PROGRAM_FOLDER=OFF
exec build/bin/quiverwise "$@"
