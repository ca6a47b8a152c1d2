#!/usr/bin/env bash
# Configures and builds the whole project into build/, tests included, with
# warnings as errors, as the test command does (after installing what it needs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build -DKALVO_WERROR=ON -DBUILD_TESTING=ON > /dev/null
cmake --build build -j "$(nproc)"
