#!/usr/bin/env bash
# The verdict that ends a test run (scripts/stages.sh): every stage runs, a failing
# one stops at its failing command, and the run fails after the summary is shown.
set -euo pipefail
source "$1"
built() { echo "100% tests passed, 0 tests failed out of 12"; }
sanitized() {
  echo "83% tests passed, 2 tests failed out of 12"
  false
  echo "after the failure"
}
fuzzed() { echo "page fuzzer: 4567 executions, 912/s, coverage 1500"; }
silent() { :; }
# Two test folders, as the Windows stage runs them: their counts add up.
two_folders() {
  echo "100% tests passed, 0 tests failed out of 6"
  echo "67% tests passed, 1 test failed out of 3"
}
skipped() { echo "other: skipped: no headers"; }
# A test folder with a test skipped, and the line that says why.
part_skipped() {
  echo "2/3 Test #2: windows.simulator_host ............***Skipped   0.02 sec"
  echo "100% tests passed, 0 tests failed out of 3"
  echo "x86 host: skipped: no 32-bit programs here"
}
stage "tests as built" built > /dev/null
stage "sanitizers" sanitized > /dev/null
stage "fuzzer" fuzzed > /dev/null
stage "other" silent > /dev/null
stage "skipped" skipped > /dev/null
stage "two folders" two_folders > /dev/null
stage "part skipped" part_skipped > /dev/null

status=0
shown=$(verdict) || status=$?
expected='
Verdict:
  tests as built   passed                   12 of 12 tests passed, 0 failed                N s
  sanitizers       FAILED (exit status 1)   10 of 12 tests passed, 2 failed                N s
  fuzzer           passed                   4567 executions, 912/s, coverage 1500          N s
  other            passed                   -                                              N s
  skipped          passed                   skipped (its reason is above)                  N s
  two folders      passed                   8 of 9 tests passed, 1 failed                  N s
  part skipped     passed                   2 of 3 tests passed, 0 failed, 1 skipped; x86 host: skipped: no 32-bit programs here     N s
FAILED: sanitizers.'
masked=$(sed 's/[0-9][0-9]* s$/N s/' <<< "$shown")
if [ "$masked" != "$expected" ] || [ "$status" -ne 1 ]; then
  printf 'verdict (status %d):\n%s\nexpected (status 1):\n%s\n' "$status" "$masked" "$expected"
  exit 1
fi
if grep -q "after the failure" "$stage_logs/1"; then
  echo "the failing stage went on after its failing command"
  exit 1
fi

stage_names=()
stage_results=()
stage_counts=()
stage_seconds=()
stage "fuzzer" fuzzed > /dev/null
[ "$(verdict | tail -n 1)" = "All 1 stages passed." ] || { echo "a passing run: $(verdict)"; exit 1; }
