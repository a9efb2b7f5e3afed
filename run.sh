#!/usr/bin/env bash
# Sets everything up and starts Velmora with its bundled week.
#
# The program works in its own directory (VELMORA_DIR, by default ~/.local/share/velmora):
# the bundled week is copied there once, so saving never changes the files under data/.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/setup.sh
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release

work=${VELMORA_DIR:-${XDG_DATA_HOME:-$HOME/.local/share}/velmora}
mkdir -p "$work"
for file in data/*; do
    [ -e "$work/$(basename "$file")" ] || cp "$file" "$work/"
done

cd "$work"
export VELMORA_PATH="$work/"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Keine grafische Anzeige gefunden: Velmora läuft unsichtbar unter Xvfb (Beenden mit Strg+C)." >&2
    exec xvfb-run -a "$root/build/src/velmora"
fi
exec "$root/build/src/velmora"
