#!/usr/bin/env bash
# Runs the Windows build's tests and velmora-cli.exe under Wine: scripts/windows-check.sh DIR
# (DIR built with cmake/mingw-w64-x86_64.cmake). The Wine prefix lives in DIR/wine. Beside the
# core tests this runs the command line with names holding umlauts and blanks, and finds the
# program directory through the registry entry an installation writes.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "$1" && pwd)
wine=$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)
[[ -x $wine ]] || { echo "Wine fehlt (Paket wine64)" >&2; exit 1; }

export WINEPREFIX="$build/wine" WINEDEBUG=-all
# No prompts for the .NET and browser add-ons, which nothing here needs.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine hands the arguments on as the Unix locale encodes them.
export LC_ALL=C.UTF-8
if [[ ! -f $WINEPREFIX/system.reg ]]; then
    mkdir -p "$WINEPREFIX"
    "$wine" wineboot -i >/dev/null 2>&1
    # The prefix is complete once its server has written the registry.
    "$(dirname "$(readlink -f "$wine")")/wineserver" -w 2>/dev/null || true
fi

ctest --test-dir "$build" --output-on-failure

work=$(mktemp -d)
key='HKLM\Software\microsoft\windows\CurrentVersion\app Paths\velmora.exe'
cleanup() {
    "$wine" reg delete "$key" /f >/dev/null 2>&1 || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "Windows-Prüfung: $*" >&2
    exit 1
}
cli() { "$wine" "$build/tools/velmora-cli.exe" "$@"; }

# The bundled week under a name with an umlaut and blanks, in a folder of that kind; the
# filter files follow the plan's name, so a system of the filtered size shows they were found.
folder="$work/Mein Ordner ä"
mkdir "$folder"
for file in "$root"/data/*; do
    name=$(basename "$file")
    case $name in
        schein.dat) cp "$file" "$folder/$name" ;;
        *) cp "$file" "$folder/Wöche 1 Spiel.${name##*.}" ;;
    esac
done
cd "$folder"
cli show --plan "Wöche 1 Spiel.TTD" | tr -d '\r' >show.txt
grep -q "^Spiele: 13$" show.txt || fail "show: $(cat show.txt)"
cli generate --plan "$folder/Wöche 1 Spiel.TTD" --guarantee 0 --out "Mein System ä.prd" |
    tr -d '\r' >generate.txt
grep -q "^Systemgröße: 1627 Reihen$" generate.txt || fail "generate: $(cat generate.txt)"
[[ -f "Mein System ä.prd" ]] || fail "die Reihendatei fehlt: $(ls)"
cli info --games 13 --rows "Mein System ä.prd" | tr -d '\r' >info.txt
grep -q "^Reihen: 1627$" info.txt || fail "info: $(cat info.txt)"
status=0
cli info --games 13 --rows "Fehlt ö.prd" >/dev/null 2>missing.txt || status=$?
[[ $status -eq 1 ]] && grep -q "'Fehlt ö.prd'" missing.txt || fail "eine fehlende Datei: $(cat missing.txt)"

# The rows per slip come from schein.dat in the program directory, which the registry names.
head -c 924 "Wöche 1 Spiel.TTD" >elf.TTD  # the first eleven games, without filters
cli generate --plan elf.TTD --guarantee 0 --out elf.prd >/dev/null
program="$work/Programm Ördner"
mkdir "$program"
printf '\001\0\0\0\002\0\0\0\003\0\0\0\004\0\0\0\005\0\0\0\006\0\0\0\006\0\0\0' >"$program/schein.dat"
details() { cli evaluate --plan elf.TTD --rows elf.prd --result '???????????' --details | tr -d '\r'; }
details >unregistered.txt
grep -q "S:1 R:12\"" unregistered.txt || fail "ohne Eintrag gelten 12 Reihen je Schein"
"$wine" reg add "$key" /v PATH /d "$("$wine" winepath -w "$program" | tr -d '\r')" /f >/dev/null
details >registered.txt
grep -q "S:1 R:6\"" registered.txt && ! grep -q "S:1 R:7\"" registered.txt ||
    fail "der Programmordner aus der Registrierung wurde nicht gefunden"
echo "Windows-Prüfung bestanden."
