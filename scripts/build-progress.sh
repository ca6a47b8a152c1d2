#!/usr/bin/env bash
# Shows the progress of a build with CMake's Makefiles, read on standard input:
# on a terminal one line that counts up ("building 42% sim/world/world.cpp"), elsewhere
# one line per step; the compiler's messages go through as they are, and the
# bookkeeping lines (scanning, targets built) are left out.
set -euo pipefail
if [ -t 1 ]; then live=1; else live=0; fi
exec awk -v live="$live" '
  function finish() { if (shown) { printf "\n"; shown = 0 } }
  /^\[ *[0-9]+%\] / {
    percent = $0; sub(/^\[ */, "", percent); sub(/%\].*/, "", percent)
    what = $0; sub(/^\[ *[0-9]+%\] /, "", what)
    if (what ~ /^Built target / || what ~ /^Scanning / || what ~ /^Consolidate /) next
    object = what
    if (match(what, /[^ ]+\.cpp\.o$/)) { object = substr(what, RSTART, RLENGTH); sub(/^CMakeFiles\/[^\/]+\.dir\//, "", object); sub(/\.o$/, "", object) }
    else if (what ~ /^Linking /) { object = what; sub(/^Linking [^ ]+ [^ ]+ /, "linking ", object) }
    line = sprintf("kalvo.sh: building %3d%% %s", percent, object)
    if (live) { printf "\r%-79.79s", line; shown = 1 } else print line
    fflush()
    next
  }
  /^(gmake|make)(\[[0-9]+\])?: / && !/Error/ { next }
  { finish(); print; fflush() }
  END { finish() }
'
