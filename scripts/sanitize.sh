#!/usr/bin/env bash
# Builds the core, the command-line generator, the program and all tests with
# AddressSanitizer and UndefinedBehaviorSanitizer (clang) into build-asan/ and
# runs the whole test suite under them. Any report fails its test: undefined
# behaviour aborts at once, leaks are reported at exit unless the suppressions
# file names them as the libraries' own.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-asan"
"$root/scripts/setup.sh"
if ! command -v clang++ >/dev/null; then
    echo "The sanitizer build needs clang (apt-get install clang)." >&2
    exit 1
fi

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:detect_stack_use_after_return=1:check_initialization_order=1:strict_init_order=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
export LSAN_OPTIONS="suppressions=$root/tests/sanitizer/lsan.supp:print_suppressions=0"
# Test discovery runs the test programs while building, so the options above
# apply to the build as well.
if [[ ! -f "$build/build.ninja" ]]; then
    launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja "${launcher[@]}" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" \
        -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
        -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
        -DSCENEWRIGHT_BUILD_BENCHMARKS=OFF >/dev/null
fi
cmake --build "$build"
export NODE_PATH="/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}"
ctest --test-dir "$build" --output-on-failure -j "$(nproc)"
