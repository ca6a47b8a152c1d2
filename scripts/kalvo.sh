#!/usr/bin/env bash
# The main job: builds what the live page needs (the kalvo front end, the module
# and the stand-in host; not the tests) into build/ and shows the page in the
# terminal, or prints it once when the output is not a terminal. Arguments go to
# `kalvo`. What it is doing goes to standard error, from its first second.
set -euo pipefail
cd "$(dirname "$0")/.."
say() { echo "kalvo.sh: $*" >&2; }

say "checking the Debian packages the build needs"
scripts/setup.sh --page >&2

# A build/ configured before (by scripts/test.sh, say) is kept as it is.
if [ ! -f build/CMakeCache.txt ]; then
  say "configuring build/"
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  if ! cmake -S . -B build -DBUILD_TESTING=OFF > "$log" 2>&1; then
    cat "$log" >&2
    say "configuring failed (cmake's messages are above)"
    exit 1
  fi
fi

say "building kalvo, its module and the stand-in host"
if ! cmake --build build --target kalvo -j "$(nproc)" 2>&1 | scripts/build-progress.sh >&2; then
  say "the build failed (the compiler's messages are above)"
  exit 1
fi
exec build/kalvo "$@"
