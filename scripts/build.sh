#!/usr/bin/env bash
# Configures and builds into build/ (or $LUMIRA_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${LUMIRA_BUILD_DIR:-build}
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE:-RelWithDebInfo} "$@"
cmake --build "$build_dir"
