#!/usr/bin/env bash
# Installs what is missing, builds Palvex and runs every test: once in an optimised build and
# once under AddressSanitizer and UndefinedBehaviorSanitizer; then builds the fuzz targets with
# clang (libFuzzer, ASan, UBSan) and replays every corpus file and reproducer through them.
set -euo pipefail
cd "$(dirname "$0")"
scripts/install-deps.sh
jobs="$(nproc)"

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$jobs"
ctest --test-dir build --output-on-failure -j"$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPALVEX_SANITIZE=ON -DPALVEX_BUILD_BENCH=OFF
cmake --build build-asan -j"$jobs"
ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j"$jobs"

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DPALVEX_FUZZ=ON -DPALVEX_BUILD_TESTS=OFF -DPALVEX_BUILD_BENCH=OFF
cmake --build build-fuzz -j"$jobs" --target fuzz
ctest --test-dir build-fuzz --output-on-failure -j"$jobs"
