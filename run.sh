#!/usr/bin/env bash
# Installs what is missing, builds Palvex and starts it on the bundled example project.
# Without a display it prints the example's results instead.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
example="examples/concrete.txt"
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec build/app/palvex "$example"
else
  echo "No display: the results of $example"
  exec build/cli/palvex-cli calc "$example"
fi
