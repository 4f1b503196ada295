#!/usr/bin/env bash
# Builds Palvex for release and packs it as a Debian package:
# build-package/palvex_<version>_<architecture>.deb (install it with `sudo apt install ./…deb`).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
      -DPALVEX_BUILD_TESTS=OFF -DPALVEX_BUILD_BENCH=OFF
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB -D CPACK_STRIP_FILES=ON)
ls -l build-package/palvex_*.deb
