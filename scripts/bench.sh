#!/usr/bin/env bash
# Installs what is missing, builds (optimised) and runs the benchmark for both book sizes.
# Extra arguments go to lumira-bench (for example --rows 10000 or --reps 3).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build_dir=${LUMIRA_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build_dir" --target lumira lumira-bench
exec "$build_dir/lumira-bench" "$@"
