#!/usr/bin/env bash
# Sets everything up and runs every test: once in a release build, whose Debian package is
# then built and tried; once in a Windows build under Wine; once under the address and
# undefined-behaviour sanitizers; then replays the fuzz targets' seed corpora.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/setup.sh

echo "== Release-Build =="
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

echo "== Debian-Paket (cpack), entpackt ausprobiert =="
scripts/package-check.sh build

echo "== Windows-Build (MinGW-w64), Tests unter Wine =="
scripts/build.sh build-windows -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake"
scripts/windows-check.sh build-windows

echo "== Sanitizer-Build (address, undefined) =="
scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
    -DVELMORA_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS=-O1
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"

echo "== Fuzz-Ziele (clang, libFuzzer): Startkorpora =="
scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=Debug -DVELMORA_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS=-O1
ctest --test-dir build-fuzz -L fuzz --output-on-failure --parallel "$(nproc)"
