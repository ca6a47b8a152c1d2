#!/usr/bin/env bash
# Builds Kalvo MFD and runs every test: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer (any report fails the run), then the page fuzzer
# for a minute from its seed corpus (a broken invariant fails the run), then the
# Windows build. Every stage runs; the run ends with one line per stage (its
# counts and time) and fails when any stage failed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/stages.sh

tests_as_built() {
  scripts/build.sh
  ctest --test-dir build --output-on-failure -j "$(nproc)"
}

sanitizers() {
  cmake -S . -B build-sanitize -DKALVO_WERROR=ON -DKALVO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug > /dev/null
  cmake --build build-sanitize -j "$(nproc)"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build-sanitize --output-on-failure -j "$(nproc)"
}

fuzzer() {
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DKALVO_FUZZ=ON -DKALVO_WERROR=ON -DBUILD_TESTING=OFF > /dev/null
  cmake --build build-fuzz --target kalvo_page_fuzz -j "$(nproc)"
  # New inputs go to a corpus of the build's own; the seeds in fuzz/corpus stay as they are.
  mkdir -p build-fuzz/corpus
  build-fuzz/fuzz/kalvo_page_fuzz -max_total_time=60 -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ build-fuzz/corpus fuzz/corpus
}

# One line per stage.
stage "tests as built" tests_as_built
stage "sanitizers" sanitizers
stage "fuzzer" fuzzer
stage "Windows" scripts/windows.sh

verdict
