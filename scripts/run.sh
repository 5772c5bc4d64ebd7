#!/usr/bin/env bash
# Sets everything up, builds, and starts the program from its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh
exec build/bin/quiverwise "$@"
