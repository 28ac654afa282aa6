#!/usr/bin/env bash
# Configures and builds into build/ (or $BW_BUILD_DIR) with $BW_JOBS jobs (default: every core).
# The compiler's output goes to build.log in the build folder; on failure its end is shown.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/jobs.sh"
build=${BW_BUILD_DIR:-$here/build}
jobs=$(bw_jobs)
mkdir -p "$build"
log=$build/build.log
echo "Build in $build mit $jobs Jobs (Protokoll: $log) ..."
if ! { cmake -S "$here" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo &&
       cmake --build "$build" -j"$jobs" "$@"; } >"$log" 2>&1; then
    echo "Der Build ist fehlgeschlagen. Das Ende des Protokolls $log:" >&2
    tail -n 40 "$log" >&2
    exit 1
fi
