#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in the project's Wine prefix
# (KALVO_WINEPREFIX, by default /tmp/kalvo-wine-$UID), making the prefix first when
# it is missing. CMake's emulator for the cross-built programs and tests.
set -euo pipefail
export WINEPREFIX=${KALVO_WINEPREFIX:-/tmp/kalvo-wine-$(id -u)}
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
scripts=$(dirname "$0")
if [ ! -e "$WINEPREFIX/.kalvo-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Tests started side by side make the prefix once.
  flock "$WINEPREFIX.lock" "$scripts/wine-prefix.sh" "$WINEPREFIX"
fi
exec /usr/lib/wine/wine64 "$@"
