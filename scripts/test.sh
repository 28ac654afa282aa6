#!/usr/bin/env bash
# Sets up, builds and runs every test, $BW_JOBS at a time (default: every core).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/jobs.sh"
jobs=$(bw_jobs)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
build=${BW_BUILD_DIR:-$here/build}
cd "$build"
ctest --output-on-failure -j"$jobs" "$@"
