# The stages of a test run and the verdict that ends it, for scripts to source.
#   stage NAME COMMAND [ARGUMENTS...]   runs the command (under set -e), its output
#                                       shown and kept; a failure is recorded, not fatal
#   verdict                             one line per stage, then the overall result;
#                                       returns 1 when a stage failed
# A stage's counts are read from its output: CTest's "tests passed" lines (summed,
# for a stage that runs several test folders) with the tests CTest reports skipped
# and the lines saying that a part was skipped ("NAME: skipped: WHY"), or a
# fuzzer's figures line ("NAME fuzzer: N executions, R/s, coverage C"), or a line
# saying that the stage was skipped ("NAME: skipped: WHY").
stage_names=()
stage_results=()
stage_counts=()
stage_seconds=()
stage_logs=$(mktemp -d)
trap 'rm -rf "$stage_logs"' EXIT

stage_counts_of() {
  local log=$1 tests executions skipped why
  tests=$(sed -n 's/^[0-9]*% tests passed, \([0-9]*\) tests\{0,1\} failed out of \([0-9]*\)$/\2 \1/p' "$log" |
    awk '{ all += $1; failed += $2 } END { if (NR) print all, failed }')
  executions=$(sed -n 's/^[a-z]* fuzzer: \([0-9]* executions, .*\)$/\1/p' "$log" | tail -n 1)
  if [ -n "$tests" ]; then
    set -- $tests
    skipped=$(grep -c '^ *[0-9]*/[0-9]* Test *#[0-9]*: .*\*\*\*Skipped' "$log" || true)
    why=$(grep '^[^ ][^:]*: skipped: ' "$log" | sed 's/^/; /' | tr -d '\n' || true)
    if [ "$skipped" -gt 0 ]; then
      echo "$(($1 - $2 - skipped)) of $1 tests passed, $2 failed, $skipped skipped$why"
    else
      echo "$(($1 - $2)) of $1 tests passed, $2 failed$why"
    fi
  elif [ -n "$executions" ]; then
    echo "$executions"
  elif grep -q ": skipped: " "$log"; then
    echo "skipped (its reason is above)"
  else
    echo "-"
  fi
}

stage() {
  local name=$1 log="$stage_logs/${#stage_names[@]}" started=$SECONDS status
  shift
  set +e
  (set -e; "$@") 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  stage_names+=("$name")
  if [ "$status" -eq 0 ]; then stage_results+=(passed); else stage_results+=("FAILED (exit status $status)"); fi
  stage_counts+=("$(stage_counts_of "$log")")
  stage_seconds+=($((SECONDS - started)))
}

verdict() {
  local index failed=()
  echo
  echo "Verdict:"
  for index in "${!stage_names[@]}"; do
    printf '  %-16s %-24s %-42s %5d s\n' "${stage_names[index]}" "${stage_results[index]}" \
      "${stage_counts[index]}" "${stage_seconds[index]}"
    [ "${stage_results[index]}" = passed ] || failed+=("${stage_names[index]}")
  done
  if [ ${#failed[@]} -eq 0 ]; then
    echo "All ${#stage_names[@]} stages passed."
  else
    local IFS=,
    echo "FAILED: ${failed[*]}."
    return 1
  fi
}
