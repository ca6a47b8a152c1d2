# Sourced by the Wine scripts: where Wine's programs are. Taken from PATH where a
# Wine installation put them there; else from where Debian's wine64 and wine32
# packages keep them, which put nothing on PATH without the wine package.
wine_tool() {
  command -v "$1" 2> /dev/null || { [ -x "/usr/lib/wine/$1" ] && echo "/usr/lib/wine/$1"; } || true
}
wine64=$(wine_tool wine64)
wine64=${wine64:-$(wine_tool wine)}
wine32=$(wine_tool wine)
wineserver=$(wine_tool wineserver)

# Whether the 32-bit Wine starts: a kernel without 32-bit support cannot run it.
wine32_starts() {
  [ -n "$wine32" ] && "$wine32" --version > /dev/null 2>&1
}
