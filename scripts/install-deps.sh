#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need.
# Skips apt entirely when everything is already there, so it also works offline.
set -euo pipefail
packages=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6svg6
    libsqlite3-dev sqlite3 libzint-dev zbar-tools
    fonts-liberation fonts-dejavu-core
    xvfb xauth x11-utils xdotool imagemagick
    poppler-utils libxml2-utils python3 desktop-file-utils appstream
    clang clang-format git
)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo_cmd=""
    [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
    $sudo_cmd apt-get update
    DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y --no-install-recommends "${missing[@]}"
fi
