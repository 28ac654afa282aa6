#!/usr/bin/env bash
# Sets up, builds and starts Blattwart with the sample product folder beside the programs. When no
# CAD host runs, a visible cadhost with two sample drawings comes first (scripts/session.sh).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/screen.sh"
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY und WAYLAND_DISPLAY sind leer): das Fenster kann nicht erscheinen." >&2
    echo "So ist es trotzdem zu sehen:" >&2
    echo "  $here/scripts/screenshot.sh /tmp/blattwart.png   # Bild des Fensters mit Bibliothek und zwei Zeichnungen (Xvfb)" >&2
    echo "  xvfb-run -a $here/scripts/run.sh                  # läuft auf einem unsichtbaren Bildschirm" >&2
    exit 2
fi
# A session bus is needed to reach the CAD host. A private one when there is none, and always on a
# virtual screen, so that a host there never meets the desktop's own session.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || bw_invisible_screen; then
    exec dbus-run-session -- "$here/scripts/session.sh" "$@"
fi
exec "$here/scripts/session.sh" "$@"
