#!/usr/bin/env bash
# Runs a Windows program under Wine, headless, in the project's Wine prefix
# (KALVO_WINEPREFIX, by default /tmp/kalvo-wine-$UID), making the prefix first when
# it is missing. CMake's emulator for the cross-built programs and tests.
# A 32-bit program fails without a 32-bit Wine (scripts/windows.sh installs it), and
# is skipped, with a line saying why and exit status 77, on a machine whose kernel
# runs no 32-bit program (the 32-bit Wine does not start).
set -euo pipefail
export WINEPREFIX=${KALVO_WINEPREFIX:-/tmp/kalvo-wine-$(id -u)}
export WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
scripts=$(dirname "$0")
. "$scripts/wine-tools.sh"

# The machine field of a PE file's header: 014c for 32-bit x86.
pe_machine() {
  local header
  header=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((header + 4)) -N2 "$1" | tr -d ' '
}
if [ -f "$1" ] && [ "$(pe_machine "$1")" = 014c ]; then
  if [ -z "$wine32" ]; then
    echo "wine-run: no 32-bit Wine to run $1 (dpkg --add-architecture i386; apt-get install wine32:i386)" >&2
    exit 1
  elif ! wine32_starts; then
    echo "skipped: this machine cannot run 32-bit programs, so not $1 (the 32-bit Wine does not start)"
    exit 77
  fi
fi

if [ ! -e "$WINEPREFIX/.kalvo-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  # Tests started side by side make the prefix once.
  flock "$WINEPREFIX.lock" "$scripts/wine-prefix.sh" "$WINEPREFIX"
fi
if [ -z "$wine64" ]; then
  echo "wine-run: no Wine on PATH or in /usr/lib/wine (apt-get install wine64)" >&2
  exit 1
fi
exec "$wine64" "$@"
