#!/usr/bin/env bash
# Newcomer's command: installs what is missing, builds and starts Lumira.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
exec "${LUMIRA_BUILD_DIR:-build}/lumira" "$@"
