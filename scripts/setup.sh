#!/usr/bin/env bash
# Installs the Debian packages that the build and the tests need, when they are missing.
# As root it runs apt-get itself; otherwise it prints the exact command and stops.
set -euo pipefail

packages=(
    cmake g++ make pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite qt6-translations-l10n libgl-dev
    libchm-dev fp-utils sqlite3
    dbus-daemon dbus-bin python3-ezdxf poppler-utils clang
    xvfb xauth
    openbox xdotool x11-utils at-spi2-core python3-pyatspi libglib2.0-bin
    dpkg-dev lintian desktop-file-utils appstream
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    echo "Es fehlen Pakete. Bitte als root ausführen:" >&2
    echo "  apt-get install -y ${missing[*]}" >&2
    exit 1
fi

export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}"
