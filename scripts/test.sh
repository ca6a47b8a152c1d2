#!/usr/bin/env bash
# Builds Kalvo MFD and runs every test: once as shipped, once under AddressSanitizer
# and UndefinedBehaviorSanitizer (any report fails the run), then the page fuzzer
# for a minute and the scenario fuzzer for half a minute from their seed corpora (a
# broken invariant fails the run), then the Windows build. Every stage runs; the
# run ends with one line per stage (its counts and time) and fails when any stage
# failed.
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

# Builds fuzzer NAME and runs it for SECONDS from its SEEDS into a corpus of the
# build's own (the seeds stay as they are), then prints one line of what it did.
fuzz() {
  local name=$1 seconds=$2 seeds=$3 log=build-fuzz/$1.log
  cmake -S . -B build-fuzz -DCMAKE_CXX_COMPILER=clang++ -DKALVO_FUZZ=ON -DKALVO_WERROR=ON -DBUILD_TESTING=OFF > /dev/null
  cmake --build build-fuzz --target "kalvo_${name}_fuzz" -j "$(nproc)"
  mkdir -p "build-fuzz/$name-corpus"
  build-fuzz/fuzz/kalvo_${name}_fuzz -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix=build-fuzz/ "build-fuzz/$name-corpus" "$seeds" 2>&1 | tee "$log"
  awk -v name="$name" '/DONE/ { for (i = 1; i < NF; i++) if ($i == "cov:") coverage = $(i + 1) }
    /number_of_executed_units/ { runs = $2 } /average_exec_per_sec/ { rate = $2 }
    END { printf "%s fuzzer: %s executions, %s/s, coverage %s\n", name, runs, rate, coverage }' "$log"
}

# One line per stage.
stage "tests as built" tests_as_built
stage "sanitizers" sanitizers
stage "page fuzzer" fuzz page 60 fuzz/corpus
stage "scenario fuzzer" fuzz scenario 30 fuzz/scenarios
stage "Windows" scripts/windows.sh

verdict
