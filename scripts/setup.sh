#!/usr/bin/env bash
# Installs every Debian package Tallyfield needs to build, test and run.
# Only missing packages are installed, so a second run is quick.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config clang-format
    qt6-base-dev libqt6sql6-sqlite libsqlite3-dev qt6-qpa-plugins
    libxlsxwriter-dev python3 python3-openpyxl
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth locales fonts-dejavu-core fonts-liberation
    poppler-utils
    valgrind clang libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
