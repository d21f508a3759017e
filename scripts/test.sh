#!/usr/bin/env bash
# Installs what is missing, builds Tallyfield and runs every test.
# With CI=true, warnings are errors, the sources' formatting is checked, and the tests run
# a second time in a build with AddressSanitizer (leaks included) and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
werror=OFF
[ "${CI:-}" = "true" ] && werror=ON

run_suite() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DTALLYFIELD_WERROR="$werror" "$@" > "$dir.configure.log" 2>&1 \
        || { cat "$dir.configure.log"; exit 1; }
    cmake --build "$dir" -j "$jobs"
    (cd "$dir" && ctest --output-on-failure -j "$jobs")
}

mkdir -p build
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${CI:-}" = "true" ]; then
    cmake --build build --target check-format
fi

if [ "${CI:-}" = "true" ] || [ "${TALLYFIELD_SANITIZE:-}" = "1" ]; then
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    mkdir -p build-sanitize
    run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTALLYFIELD_SANITIZE=ON -DTALLYFIELD_BENCH=OFF -DTALLYFIELD_DATABASE=OFF
fi
