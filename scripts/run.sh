#!/usr/bin/env bash
# Sets up, builds and starts Blattwart with the sample product folder beside the programs.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
"$here/scripts/setup.sh"
"$here/scripts/build.sh"
bin=${BW_BUILD_DIR:-$here/build}/bin
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Kein Bildschirm gefunden (DISPLAY ist leer)." >&2
    echo "Ohne Bildschirm läuft das Fenster unter Xvfb, z. B. mit einem Bildschirmfoto nach 5 s:" >&2
    echo "  xvfb-run -a -s '-screen 0 1280x800x24' sh -c '$bin/blattwart & sleep 5; import -window root shot.png'" >&2
    exit 2
fi
# A session bus is needed to reach the CAD host; start a private one when there is none.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    exec dbus-run-session -- "$bin/blattwart" "$@"
fi
exec "$bin/blattwart" "$@"
