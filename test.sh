#!/usr/bin/env bash
# Sets everything up and runs every test: once in a release build, once under the
# address and undefined-behaviour sanitizers; then replays the fuzz targets' seed corpora.
set -euo pipefail
root=$(cd "$(dirname "$0")" && pwd)
cd "$root"

scripts/setup.sh

echo "== Release-Build =="
scripts/build.sh build -DCMAKE_BUILD_TYPE=Release
ctest --test-dir build --output-on-failure --parallel "$(nproc)"

echo "== Sanitizer-Build (address, undefined) =="
scripts/build.sh build-sanitize -DCMAKE_BUILD_TYPE=Debug -DVELMORA_SANITIZE=ON \
    -DVELMORA_BENCHMARKS=OFF -DCMAKE_CXX_FLAGS=-O1
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"

echo "== Fuzz-Ziele (clang, libFuzzer): Startkorpora =="
scripts/build.sh build-fuzz -DCMAKE_BUILD_TYPE=Debug -DVELMORA_FUZZ=ON \
    -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_CXX_FLAGS=-O1
ctest --test-dir build-fuzz -L fuzz --output-on-failure --parallel "$(nproc)"
