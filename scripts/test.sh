#!/usr/bin/env bash
# Newcomer's command: installs what is missing, builds with warnings as errors and runs every
# test (the formatting check among them).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh -DLUMIRA_WERROR=ON
cd "${LUMIRA_BUILD_DIR:-build}"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 600
