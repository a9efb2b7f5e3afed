#!/usr/bin/env bash
# Fuzzes one file reader for a while: tests/fuzz/fuzz.sh TARGET [SECONDS] [libFuzzer options...]
# TARGET is one of tipplan rows rowtext blocks sequences filtervalues signchange slipsettings.
# The seed corpus is copied to a scratch folder under /tmp, which keeps what the run finds;
# a finding is saved there too. The repository's corpus is left as it is.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
target=${1:?"Aufruf: tests/fuzz/fuzz.sh ZIEL [SEKUNDEN] [libFuzzer-Optionen...]"}
seconds=${2:-600}
shift $(($# >= 2 ? 2 : 1))
if [[ ! -d "$root/tests/fuzz/corpus/$target" ]]; then
    echo "Unbekanntes Fuzz-Ziel '$target'." >&2
    exit 2
fi

"$root/scripts/setup.sh"
"$root/scripts/build.sh" "$root/build-fuzz" -DCMAKE_BUILD_TYPE=Debug -DVELMORA_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS=-O1

work=${VELMORA_FUZZ_WORK:-/tmp/velmora-fuzz}/$target
mkdir -p "$work/corpus" "$work/funde"
cp -n "$root/tests/fuzz/corpus/$target/"* "$work/corpus/"
echo "Korpus: $work/corpus, Funde: $work/funde"
exec "$root/build-fuzz/tests/fuzz/fuzz_$target" -max_total_time="$seconds" \
    -print_final_stats=1 -artifact_prefix="$work/funde/" "$@" "$work/corpus"
