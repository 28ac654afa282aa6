#!/usr/bin/env bash
# For CI, as root on a throwaway machine: installs the package that the test suite built, the way a
# user does (apt, with its dependencies and its install script), starts the installed program from
# the PATH, checks the family key's group and mode, and removes the package again.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${BW_BUILD_DIR:-$here/build}
if [ "$(id -u)" -ne 0 ]; then
    echo "Die Installationsprobe läuft nur als root (CI)." >&2
    exit 1
fi
if dpkg-query -W -f='${Status}' blattwart 2>/dev/null | grep -q 'install ok installed'; then
    echo "blattwart ist bereits installiert; die Probe ändert daran nichts." >&2
    exit 1
fi
debs=("$build"/package-test/blattwart_*_amd64.deb)
if [ ! -f "${debs[0]}" ]; then
    echo "Kein Paket in $build/package-test; zuerst die Tests (package_deb) laufen lassen." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq "${debs[0]}" >/dev/null
purged=no
trap '[ "$purged" = yes ] || apt-get purge -y -qq blattwart >/dev/null' EXIT
version=$(cd / && blattwart --version)
echo "$version"
grep -q "Produktordner: /usr/share/blattwart" <<<"$version"
key="/etc/xdg/Velmora/Kvarto 2.1.ini"
test "$(stat -c '%G %a' "$key")" = "kvarto 664"
dpkg-query -W -f='${Conffiles}\n' blattwart | grep -q "Kvarto 2.1.ini"
command -v rendlo cadhost >/dev/null
apt-get purge -y -qq blattwart >/dev/null
purged=yes
# The purge takes the group away that the install made.
if getent group kvarto >/dev/null; then
    echo "Die Gruppe kvarto ist nach dem Entfernen noch da." >&2
    exit 1
fi
echo "Paket installiert, aus dem PATH gestartet und wieder entfernt."
