#!/usr/bin/env bash
# Builds Kalvo MFD and runs every test: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer (any report fails the run).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc)"

cmake -S . -B build-sanitize -DKALVO_WERROR=ON -DKALVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug > /dev/null
cmake --build build-sanitize -j "$(nproc)"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"

# The Windows build of the same sources and its tests under Wine, comparing its
# drawings with the Linux build's.
scripts/windows.sh
