# shellcheck shell=bash
# Sourced by the scripts: whether $DISPLAY is a virtual screen (Xvfb, as under xvfb-run) that nobody
# sees. BW_INVISIBLE=1 says so for any display.
bw_invisible_screen() {
    [ "${BW_INVISIBLE:-}" = 1 ] && return 0
    [ -n "${WAYLAND_DISPLAY:-}" ] && return 1
    case "${DISPLAY:-}" in
        :*) ;;
        *) return 1 ;; # none, or a remote display: someone looks at it
    esac
    local number=${DISPLAY#:}
    number=${number%%.*}
    local lock=/tmp/.X${number}-lock
    [ -r "$lock" ] || return 1
    local pid
    pid=$(tr -d ' \n' <"$lock")
    [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = Xvfb ]
}
