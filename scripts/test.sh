#!/usr/bin/env bash
# Sets everything up and runs the whole test suite:
#  1. the normal build and every test (unit, interoperability, windows, the
#     package and its validators), with a customer saved into the program's
#     folder first, as a user would, which must change no result;
#  2. a clang build with AddressSanitizer and UndefinedBehaviorSanitizer that
#     runs the unit tests again and each parser's fuzzer for a short while.
# Exits non-zero when anything fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh test
scripts/build.sh -DQW_TESTS=ON -DQW_BENCHMARKS=ON -DQW_CUSTOMER_IN_PROGRAM_FOLDER=ON
# CTest stops the tests' private print server after the last test that
# prints, even when tests fail; this stops it too should ctest itself be
# stopped or killed on the way.
trap 'scripts/print-queue.sh stop build/print-queue || true' EXIT
export QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8
ctest --test-dir build --output-on-failure --timeout 900

CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DQW_SANITIZE=ON -DQW_FUZZ=ON -DQW_BUILD_GUI=OFF -DQW_BENCHMARKS=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)"
# LeakSanitizer cannot run in the sandboxed containers CI uses (it needs ptrace).
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir build-asan --output-on-failure --timeout 900 -L 'unit|fuzz'
