#!/usr/bin/env bash
# Installs what building, testing and running need, from Debian's packages.
# Only missing packages are installed; a machine that has them all is left alone.
set -euo pipefail

packages=(
    cmake ninja-build g++ clang-format
    qt6-base-dev libqt6printsupport6 qt6-translations-l10n libgl-dev fonts-dejavu-core
    qt6-charts-dev libqt6charts6 libqt6opengl6-dev
    libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev nlohmann-json3-dev
    xvfb xauth
    clang-14 libclang-rt-14-dev llvm-14
    dpkg-dev file
    g++-mingw-w64-x86-64-posix wine64
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
        missing+=("$package")
done

if ((${#missing[@]} > 0)); then
    echo "Installiere fehlende Pakete: ${missing[*]}"
    sudo=""
    [[ $(id -u) -eq 0 ]] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
