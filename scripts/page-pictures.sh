#!/usr/bin/env bash
# Draws the same page in the simulator-ABI host with the real GDI under Wine and
# with the Linux stand-in host, after the ORB example (Get All, r copied into p, Vt
# solved): docs/KalvoMFD-page.png, the picture of the pilots' guide (shipped beside
# it in Doc/) and of the README, from the host's BMP, and docs/page-linux.png for
# the README. Needs build/ and build-windows/ (scripts/build.sh, scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/wine-run.sh build-windows/tests/windows/simulator/Orbiter.exe --save "$work/page.bmp" > /dev/null
scripts/bmp-to-png.py "$work/page.bmp" docs/KalvoMFD-page.png
build/kalvo play --png docs/page-linux.png Dr\> All Eq\> Cpy Vr\> Pst Vr\> Slv draw
echo "docs/KalvoMFD-page.png docs/page-linux.png"
