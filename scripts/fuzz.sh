#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan + UBSan) and runs each for SECONDS
# (default 60). Long runs: scripts/fuzz.sh 36000. Crashing inputs are kept as regression
# cases in tests/fuzz/corpus/<target>/ and replayed first on every run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build_dir=${LUMIRA_FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DLUMIRA_FUZZ=ON >/dev/null
targets=$(sed -n 's/^lumira_fuzzer(\([a-z_]*\).*/\1/p' tests/fuzz/CMakeLists.txt)
cmake --build "$build_dir" --target $targets
export QT_QPA_PLATFORM=offscreen
for target in $targets; do
    corpus=tests/fuzz/corpus/${target#fuzz_}
    work=$(mktemp -d)
    echo "== $target: ${seconds}s"
    "$build_dir/$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -artifact_prefix="$corpus/" "$work" "$corpus" 2>&1 | tail -n 3
    rm -rf "$work"
done
