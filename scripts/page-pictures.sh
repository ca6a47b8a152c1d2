#!/usr/bin/env bash
# Draws the same page in the simulator-ABI host with the real GDI under Wine and
# with the Linux stand-in host, for the README: docs/page-windows.png and
# docs/page-linux.png, after the ORB example (Get All, r copied into p, Vt solved). Needs build/ and build-windows/
# (scripts/build.sh, scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/wine-run.sh build-windows/tests/windows/simulator/Orbiter.exe --save "$work/page.bmp" > /dev/null
scripts/bmp-to-png.py "$work/page.bmp" docs/page-windows.png
build/kalvo play --png docs/page-linux.png Dr\> All Eq\> Cpy Vr\> Pst Vr\> Slv draw
echo "docs/page-windows.png docs/page-linux.png"
