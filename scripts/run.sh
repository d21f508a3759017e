#!/usr/bin/env bash
# Installs what is missing, builds Tallyfield and starts it on the database in ./Table.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
mkdir -p build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > build.configure.log 2>&1 \
    || { cat build.configure.log; exit 1; }
cmake --build build -j "$(nproc)" --target tallyfield
exec ./build/src/shell/tallyfield "$@"
