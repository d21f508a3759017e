#!/usr/bin/env bash
# Installs what is missing, builds Tallyfield and runs every test.
# With CI=true, warnings are errors and the tests run a second time in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer.
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

if [ "${CI:-}" = "true" ] && [ -x build/bench/tallyfield_bench ]; then
    # The benchmarks once, briefly, on a small synthetic database: every case still runs,
    # and the views and the SQL still give the same answers.
    (cd build && ./bench/tallyfield_bench --results=2000 --benchmark_min_time=0.01)
    (cd build && ./bench/tallyfield_bench_grid --results=2000 --benchmark_min_time=0.01)
fi

if [ "${CI:-}" = "true" ] || [ "${TALLYFIELD_SANITIZE:-}" = "1" ]; then
    export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    mkdir -p build-sanitize
    run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTALLYFIELD_SANITIZE=ON -DTALLYFIELD_BENCH=OFF -DTALLYFIELD_DATABASE=OFF
fi
