#!/usr/bin/env bash
# Builds the benchmarks in Release into build-bench/ and runs them. Arguments go to
# the benchmark program, for example --benchmark_filter=AnomalySearch.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DKALVO_BENCH=ON -DBUILD_TESTING=OFF > /dev/null
cmake --build build-bench --target kalvo_bench -j 2
lscpu | grep -E '^(Model name|CPU\(s\)):'
exec build-bench/bench/kalvo_bench "$@"
