#!/usr/bin/env bash
# Builds the Debian package in a release build tree and tries it without installing it:
# scripts/package-check.sh BUILD_DIR
# The package must hold every file "cmake --install" installs; unpacked into a scratch root,
# its velmora-cli works on its week and its program starts headless from there and finds
# the week beside it.
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "Paketprüfung: $*" >&2
    exit 1
}

rm -f "$build"/velmora_*_amd64.deb
(cd "$build" && cpack -G DEB >"$work/cpack.log" 2>&1) || {
    cat "$work/cpack.log" >&2
    fail "cpack ist gescheitert"
}
debs=("$build"/velmora_*_amd64.deb)
[[ -f ${debs[0]} && ${#debs[@]} -eq 1 ]] || fail "kein velmora_<Version>_amd64.deb in $build"
deb=${debs[0]}
echo "Paket: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libqt6core6 libc6 libstdc++6; do
    [[ $depends == *"$library "* ]] || fail "Depends nennt $library nicht: $depends"
done
dpkg-deb -f "$deb" Description | grep -q "Fußballtoto" || fail "die deutsche Beschreibung fehlt"

root="$work/root"
dpkg-deb -x "$deb" "$root"
DESTDIR="$work/installed" cmake --install "$build" --prefix /usr >/dev/null
listing() { (cd "$1" && find . ! -type d | sort); }
diff <(listing "$work/installed") <(listing "$root") ||
    fail "das Paket enthält nicht genau die Dateien der Installation (links: installiert, rechts: Paket)"

week="$root/usr/share/velmora/week"
cli="$root/usr/bin/velmora-cli"
mkdir "$work/run"
cd "$work/run"
"$cli" show --plan "$week/AKTUELLEWOCHE.TTD" >show.txt
grep -q "^Spiele: 13$" show.txt || fail "velmora-cli show: $(cat show.txt)"
"$cli" generate --plan "$week/AKTUELLEWOCHE.TTD" --guarantee 0 --out woche.prd >generate.txt
grep -q "^Systemgröße: 1627 Reihen$" generate.txt || fail "velmora-cli generate: $(cat generate.txt)"
"$cli" info --games 13 --rows woche.prd >info.txt
grep -q "^Reihen: 1627$" info.txt || fail "velmora-cli info: $(cat info.txt)"

# The program copies the installed week into the user's data folder on its first start: a
# home of its own shows that it found the week relative to where it was unpacked.
mkdir "$work/home"
status=0
env -u VELMORA_PATH -u XDG_DATA_HOME HOME="$work/home" QT_QPA_PLATFORM=offscreen \
    timeout 5 "$root/usr/bin/velmora" >program.log 2>&1 || status=$?
# Still running when the time was up (124) is the good end; anything else is a failure.
[[ $status -eq 124 ]] || {
    cat program.log >&2
    fail "das Programm endete vorzeitig mit Status $status"
}
cmp -s "$week/AKTUELLEWOCHE.TTD" "$work/home/.local/share/velmora/AKTUELLEWOCHE.TTD" ||
    fail "das Programm hat die mitgelieferte Woche nicht gefunden"
echo "Paketprüfung bestanden."
