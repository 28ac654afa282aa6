#!/usr/bin/env bash
# The second half of run.sh, on a display and a session bus: when no CAD host runs, starts a visible
# cadhost with two sample drawings and waits until it is on the bus, then starts Blattwart, which
# finds the host and opens on a populated window. On a virtual screen (Xvfb) nobody sees the windows:
# it says so, takes a picture when ImageMagick's import is there, and ends both after a while.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
source "$here/scripts/screen.sh"
bin=${BW_BUILD_DIR:-$here/build}/bin
bus_name=de.velmora.CadHost.AutoCAD_Application_18
# The copies are the user's to change; a later run keeps them as they are.
samples=${XDG_DATA_HOME:-$HOME/.local/share}/Blattwart/Beispielzeichnungen
drawings=("Bestand EG.dwg" "Detailblatt.dwg")
seconds=${BW_RUN_SECONDS:-120}
started=()

end_started() {
    local pid
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
}

host_on_bus() {
    dbus-send --session --print-reply --reply-timeout=2000 --dest=org.freedesktop.DBus \
        /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "string:$bus_name" 2>/dev/null |
        grep -q 'boolean true'
}

copy_samples() {
    mkdir -p "$samples"
    local name
    for name in "${drawings[@]}"; do
        [ -e "$samples/$name" ] || cp "$bin/Bibliothek/Vorlagen/$name" "$samples/$name"
    done
}

# Starts cadhost with its window and waits at most 10 s for its bus name. On a screen that somebody
# sees, the host is the user's: it gets a session of its own, so that Ctrl+C here does not end it
# with unsaved drawings; it is ended like any CAD program, from its window.
start_host() {
    local log=$1 pid
    if bw_invisible_screen; then
        "$bin/cadhost" >"$log" 2>&1 &
        pid=$!
        started+=("$pid")
    else
        setsid "$bin/cadhost" >"$log" 2>&1 </dev/null &
        pid=$!
    fi
    local i
    for ((i = 0; i < 100; i++)); do
        host_on_bus && return 0
        if ! kill -0 "$pid" 2>/dev/null; then
            echo "cadhost hat sich beendet, bevor er sich am D-Bus angemeldet hat:" >&2
            cat "$log" >&2
            return 1
        fi
        sleep 0.1
    done
    echo "cadhost hat sich nicht innerhalb von 10 s am D-Bus angemeldet und wird beendet (Ausgabe: $log)." >&2
    kill "$pid" 2>/dev/null || true
    return 1
}

open_samples() {
    local name
    for name in "${drawings[@]}"; do
        if ! dbus-send --session --print-reply --reply-timeout=10000 --dest="$bus_name" /Documents \
            de.velmora.CadHost.Documents.Open "string:$samples/$name" >/dev/null; then
            echo "cadhost konnte \"$samples/$name\" nicht öffnen; Blattwart startet trotzdem." >&2
        fi
    done
}

# On a virtual screen: say so, take a picture, and end what was started after $seconds.
run_invisible() {
    local shot=$1
    shift
    echo "DISPLAY=$DISPLAY ist ein unsichtbarer Bildschirm (Xvfb): die Fenster laufen, sind aber nicht zu sehen."
    "$bin/blattwart" "$@" &
    local pid=$!
    started+=("$pid")
    sleep 5
    if command -v import >/dev/null && import -window root "$shot" 2>/dev/null; then
        echo "Bild des Bildschirms: $shot"
    fi
    echo "Ein (neues) Bild aus einem anderen Terminal:"
    echo "  DISPLAY=$DISPLAY XAUTHORITY=${XAUTHORITY:-~/.Xauthority} import -window root bild.png"
    echo "Ohne dieses Terminal: $here/scripts/screenshot.sh bild.png"
    echo "Blattwart und der hier gestartete cadhost enden nach $seconds s von selbst; Strg+C beendet sie sofort."
    local t
    for ((t = 0; t < seconds; t++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 1
    done
    echo "$seconds s sind um: Blattwart und cadhost werden beendet."
}

main() {
    [[ $seconds =~ ^[1-9][0-9]*$ ]] || {
        echo "BW_RUN_SECONDS=\"$seconds\" ist keine Anzahl von Sekunden." >&2
        exit 2
    }
    local work
    work=$(mktemp -d "${TMPDIR:-/tmp}/blattwart-run.XXXXXX")
    trap 'end_started' EXIT
    trap 'exit 130' INT TERM
    if host_on_bus; then
        echo "Ein CAD-Host läuft schon: Blattwart zeigt dessen Zeichnungen."
    else
        copy_samples
        echo "Starte cadhost mit \"${drawings[0]}\" und \"${drawings[1]}\" aus $samples ..."
        start_host "$work/cadhost.log"
        open_samples
    fi
    if bw_invisible_screen; then
        run_invisible "$work/bildschirm.png" "$@"
        return
    fi
    echo "Starte Blattwart ..."
    # Ending Blattwart leaves the CAD host running, as it does with the CAD program.
    "$bin/blattwart" "$@"
}

main "$@"
