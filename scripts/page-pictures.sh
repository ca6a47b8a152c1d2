#!/usr/bin/env bash
# Draws the same page with the real GDI under Wine and with the Linux stand-in host,
# for the README: docs/page-windows.png and docs/page-linux.png. Needs build/ and
# build-windows/ (scripts/build.sh, scripts/windows.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
steps=(Dr\> Eq\> Get Vr\> Vr\> Vr\> Get Vr\< Vr\< Inp type:6771000 Vr\> Slv draw)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
scripts/wine-run.sh build-windows/kalvo-sim.exe --save "$work/page.bmp" "${steps[@]}" > /dev/null
scripts/bmp-to-png.py "$work/page-1.bmp" docs/page-windows.png
build/kalvo-sim --save "$work/page.png" "${steps[@]}" > /dev/null
cp "$work/page-1.png" docs/page-linux.png
echo "docs/page-windows.png docs/page-linux.png"
