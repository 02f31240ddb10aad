#!/usr/bin/env bash
# Builds the Debian package lumira_<version>_<arch>.deb into build-package/.
# Install it with: apt install ./build-package/lumira_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for p in dpkg-dev file; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
        DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "$p"
done
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DLUMIRA_BUILD_TESTS=OFF
cmake --build build-package
(cd build-package && cpack -G DEB)
ls -l build-package/lumira_*.deb
