#!/usr/bin/env bash
# The desktop entry and the AppStream metadata validate where the validators are installed.
set -euo pipefail
dir=$(dirname "$0")/../../resources/desktop
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$dir/cz.lumira.Lumira.desktop"
else
    echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$dir/cz.lumira.Lumira.metainfo.xml"
else
    echo "appstreamcli not installed: skipped"
fi
