#!/usr/bin/env bash
# Sets up and builds everything, then starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
exec ./build/orv "$@"
