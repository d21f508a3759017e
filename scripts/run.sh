#!/usr/bin/env bash
# Installs what is missing, builds Tallyfield and its shipped database, and starts it in
# build/run, whose folder Table holds the database.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
mkdir -p build
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo > build.configure.log 2>&1 \
    || { cat build.configure.log; exit 1; }
cmake --build build -j "$(nproc)" --target tallyfield shipped_database
cd build/run
exec ../src/shell/tallyfield "$@"
