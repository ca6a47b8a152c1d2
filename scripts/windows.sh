#!/usr/bin/env bash
# The Windows build: cross-builds KalvoMFD.dll, kalvo-sim.exe and the tests with
# MinGW-w64 into build-windows/, runs the tests under Wine and makes the add-on
# package (build-windows/KalvoMFD-1.20.zip). Installs what it needs with apt-get
# when missing. With a Linux build in build/ (scripts/build.sh), the drawings of
# the two are compared too.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 googletest wine64 fonts-wine

linux_build=()
[ -x build/kalvo-sim ] && linux_build=(-DKALVO_LINUX_BUILD_DIR="$PWD/build")
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DKALVO_WERROR=ON \
      "${linux_build[@]}" > /dev/null
cmake --build build-windows -j 2

# A Wine prefix of our own, and a Wine server kept running for the whole test run:
# without it every program started with its output in a pipe waits seconds for a
# server to start and stop.
export KALVO_WINEPREFIX=${KALVO_WINEPREFIX:-/tmp/kalvo-wine-$(id -u)}
mkdir -p "$(dirname "$KALVO_WINEPREFIX")"
flock "$KALVO_WINEPREFIX.lock" scripts/wine-prefix.sh "$KALVO_WINEPREFIX"
export WINEPREFIX=$KALVO_WINEPREFIX WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
# A server already running for the prefix (another run's) serves this one as well.
if /usr/lib/wine/wineserver -p 2> /dev/null; then
  trap '/usr/lib/wine/wineserver -k || true' EXIT
fi
/usr/lib/wine/wine64 wineboot > /dev/null 2>&1 || true

ctest --test-dir build-windows --output-on-failure -j 2
(cd build-windows && cpack -G ZIP > /dev/null && echo "windows: package $(ls "$PWD"/KalvoMFD-*.zip)")
