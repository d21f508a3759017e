#!/usr/bin/env bash
# Installs what is missing, builds Tallyfield and runs every test.
# With CI=true, warnings are errors and the sources' formatting is checked; the data tests
# run once more under valgrind's memcheck (which also sees freed memory used inside Qt's
# libraries), every test runs a second time in a build with AddressSanitizer (leaks
# included) and UndefinedBehaviorSanitizer, and the record filter is fuzzed for a minute
# under both sanitizers.
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

# The data tests under memcheck, in the build just tested.
memcheck_data_tests() {
    local test
    for test in build/tests/data/test_*; do
        [ -f "$test" ] && [ -x "$test" ] || continue
        echo "memcheck: $test"
        (cd build && QT_QPA_PLATFORM=offscreen LC_ALL=C.UTF-8 LANG=C.UTF-8 TZ=UTC \
            valgrind -q --error-exitcode=99 --suppressions=../tests/valgrind.supp "../$test" --gtest_brief=1)
    done
}

# The filter fuzz target, in a small clang build of the data library and the fuzzer alone,
# started from a seed corpus of every filter form the program builds.
fuzz_filters() {
    mkdir -p build-fuzz
    CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTALLYFIELD_WERROR="$werror" \
        -DTALLYFIELD_FUZZ=ON -DTALLYFIELD_SANITIZE=ON -DTALLYFIELD_BENCH=OFF -DTALLYFIELD_DATABASE=OFF \
        > build-fuzz.configure.log 2>&1 || { cat build-fuzz.configure.log; exit 1; }
    cmake --build build-fuzz --target filter_fuzz -j "$jobs"
    rm -rf build-fuzz/seeds build-fuzz/corpus
    mkdir -p build-fuzz/corpus
    build-fuzz/tests/fuzz/filter_fuzz --write-seeds build-fuzz/seeds
    build-fuzz/tests/fuzz/filter_fuzz -max_total_time=60 -max_len=4096 -print_final_stats=1 \
        build-fuzz/corpus build-fuzz/seeds
}

mkdir -p build
run_suite build -DCMAKE_BUILD_TYPE=RelWithDebInfo
if [ "${CI:-}" = "true" ]; then
    cmake --build build --target check-format
    memcheck_data_tests
fi

if [ "${CI:-}" = "true" ] && [ -x build/bench/tallyfield_bench ]; then
    # The benchmarks once, briefly, on a small synthetic database: every case still runs,
    # and the views and the SQL still give the same answers.
    (cd build && ./bench/tallyfield_bench --results=2000 --benchmark_min_time=0.01)
    (cd build && ./bench/tallyfield_bench_grid --results=2000 --benchmark_min_time=0.01)
fi

if [ "${CI:-}" = "true" ] || [ "${TALLYFIELD_SANITIZE:-}" = "1" ]; then
    export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
    export LSAN_OPTIONS=suppressions=$PWD/tests/lsan.supp:print_suppressions=0
    export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
    mkdir -p build-sanitize
    run_suite build-sanitize -DCMAKE_BUILD_TYPE=Debug -DTALLYFIELD_SANITIZE=ON -DTALLYFIELD_BENCH=OFF -DTALLYFIELD_DATABASE=OFF
fi
if [ "${CI:-}" = "true" ]; then
    fuzz_filters
fi
