#!/usr/bin/env bash
# Takes docs/screenshot.png (or the file named): Blattwart with the sample library and two drawings
# open, on a virtual screen (Xvfb) with a session bus of its own. The user's settings stay untouched.
#   scripts/screenshot.sh [FILE.png [LAYOUT]]   with LAYOUT: that layout's details
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/jobs.sh"
build=${BW_BUILD_DIR:-$here/build}
out=${1:-$here/docs/screenshot.png}
layout=()
if [ $# -ge 2 ]; then
    layout=(--layout "$2")
fi
"$here/scripts/build.sh"
if ! cmake --build "$build" -j"$(bw_jobs)" --target bw_screenshot >>"$build/build.log" 2>&1; then
    echo "Der Build von bw_screenshot ist fehlgeschlagen. Das Ende des Protokolls $build/build.log:" >&2
    tail -n 40 "$build/build.log" >&2
    exit 1
fi
bin=$build/bin
work=$(mktemp -d)
# The drawings' folder shows in the picture, so it has a plain name.
project="${TMPDIR:-/tmp}/Projekt Wohnhaus"
if [ -e "$project" ]; then
    echo "Der Ordner \"$project\" ist schon vorhanden." >&2
    exit 1
fi
trap 'rm -rf "$work" "$project"' EXIT
mkdir -p "$project" "$work/config" "$(dirname "$out")"
cp "$bin/Bibliothek/Vorlagen/Bestand EG.dwg" "$project/Wohnhaus Nord.dwg"
cp "$bin/Bibliothek/Vorlagen/Detailblatt.dwg" "$project/Details Treppe.dwg"
XDG_CONFIG_HOME=$work/config CADHOST_PROFILE=$work/cadhost-profile.ini \
    xvfb-run -a -s '-screen 0 1280x800x24' dbus-run-session -- \
    "$bin/bw_screenshot" "${layout[@]}" "$out" "$project/Wohnhaus Nord.dwg" "$project/Details Treppe.dwg"
echo "$out"
