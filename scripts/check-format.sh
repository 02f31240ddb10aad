#!/usr/bin/env bash
# Fails when a tracked .cpp or .h file differs from what clang-format makes of it with the
# repository's .clang-format; `clang-format -i FILE` fixes one.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
