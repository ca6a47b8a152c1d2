#!/usr/bin/env bash
# The main job: builds Kalvo MFD and shows the live page in the terminal (or, when
# the output is not a terminal, prints the page once). Arguments go to `kalvo`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh > /dev/null
exec build/kalvo "$@"
