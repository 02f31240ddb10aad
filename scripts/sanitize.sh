#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer in build-asan and
# runs the whole test suite there. Leak detection is off: Qt keeps some allocations for the
# life of the process (fonts, plugins, translations) and reports them as leaks at exit.
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${LUMIRA_ASAN_BUILD_DIR:-build-asan}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DLUMIRA_SANITIZE=ON >/dev/null
cmake --build "$build_dir" -j2
cd "$build_dir"
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --output-on-failure -j2 --timeout 1800 "$@"
