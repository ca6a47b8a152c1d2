#!/usr/bin/env bash
# The main job: builds Kalvo MFD and runs it. Arguments go to `kalvo`.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh > /dev/null
if [ $# -eq 0 ]; then set -- catalogue; fi
exec build/kalvo "$@"
