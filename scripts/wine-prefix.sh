#!/usr/bin/env bash
# Makes the Wine prefix the Windows tests run in, when it is not there yet: a fresh
# prefix whose Fonts folder reaches Wine's own fonts (Wingdings draws arrows only
# then) and which maps "Times New Roman" to Liberation Serif.
# Usage: scripts/wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
marker=$prefix/.kalvo-ready
[ -e "$marker" ] && exit 0

export WINEPREFIX=$prefix WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
. "$(dirname "$0")/wine-tools.sh"
mkdir -p "$prefix"
# Harmless here: Wine reports that it has no 32-bit rundll32.
"$wine64" wineboot --init > /dev/null 2>&1 || true
fonts=$prefix/drive_c/windows/Fonts
mkdir -p "$fonts"
for font in /usr/share/wine/fonts/*.ttf; do ln -sf "$font" "$fonts/"; done
"$wine64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v 'Times New Roman' /d 'Liberation Serif' /f > /dev/null 2>&1
"$wineserver" -w
touch "$marker"
