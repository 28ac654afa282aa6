#!/usr/bin/env bash
# Sets up, builds and starts Blattwart with the sample product folder beside the programs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
bin=${BW_BUILD_DIR:-$here/build}/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY und WAYLAND_DISPLAY sind leer): das Fenster kann nicht erscheinen." >&2
    echo "So ist es trotzdem zu sehen:" >&2
    echo "  $here/scripts/screenshot.sh /tmp/blattwart.png   # Bild des Fensters mit Bibliothek und zwei Zeichnungen (Xvfb)" >&2
    echo "  xvfb-run -a $here/scripts/run.sh                  # läuft auf einem unsichtbaren Bildschirm" >&2
    exit 2
fi
# A session bus is needed to reach the CAD host; start a private one when there is none.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$bin/blattwart" "$@"
fi
exec "$bin/blattwart" "$@"
