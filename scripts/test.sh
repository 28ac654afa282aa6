#!/usr/bin/env bash
# Sets up, builds and runs every test.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
build=${BW_BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure -j"$(nproc)" "$@"
