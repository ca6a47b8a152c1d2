#!/usr/bin/env bash
# The Windows build: KalvoMFD.dll in the simulator's own ABI, cross-built on Debian
# with clang-cl and lld-link against the simulator's SDK headers, for 64-bit
# against the 2024 release (build-windows/) and for 32-bit against the 2016 release
# (build-windows-x86/). Checks each DLL's import and export tables, compiles the
# module against every release of the headers, runs a whole session in a host with
# the simulator's ABI under Wine, and makes the add-on packages
# (KalvoMFD-1.20-x64.zip, KalvoMFD-1.20-x86.zip). Installs what it needs with
# apt-get when missing, the 32-bit Wine (wine32:i386) that runs the 32-bit host
# among it. The SDK headers are looked for in ../shared/orbitersdk, or
# in KALVO_SDK_ROOT (a folder holding 2024/ and 2016/).
set -euo pipefail
cd "$(dirname "$0")/.."

sdk_root=${KALVO_SDK_ROOT:-$PWD/../shared/orbitersdk}
if [ ! -e "$sdk_root/2024/include/Orbitersdk.h" ]; then
  echo "windows: skipped: no simulator SDK headers at $sdk_root/2024/include (set KALVO_SDK_ROOT)"
  exit 0
fi

scripts/setup.sh clang lld llvm g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 wine64 wine32:i386 fonts-wine cmark-gfm

# A Wine prefix of our own, and a Wine server kept running for the whole test run:
# without it every program started with its output in a pipe waits seconds for a
# server to start and stop.
export KALVO_WINEPREFIX=${KALVO_WINEPREFIX:-/tmp/kalvo-wine-$(id -u)}
mkdir -p "$(dirname "$KALVO_WINEPREFIX")"
flock "$KALVO_WINEPREFIX.lock" scripts/wine-prefix.sh "$KALVO_WINEPREFIX"
export WINEPREFIX=$KALVO_WINEPREFIX WINEDEBUG=-all
unset DISPLAY WAYLAND_DISPLAY
# A server already running for the prefix (another run's) serves this one as well.
. scripts/wine-tools.sh
if "$wineserver" -p 2> /dev/null; then
  trap '"$wineserver" -k || true' EXIT
fi
"$wine64" wineboot > /dev/null 2>&1 || true

releases="$sdk_root/2024;$sdk_root/2016"
build() {  # build folder, toolchain, SDK release, releases to compile the module against
  local folder=$1 toolchain=$2 sdk=$3
  if [ ! -e "$sdk/include/Orbitersdk.h" ]; then
    echo "windows: skipped $folder: no SDK headers at $sdk/include"
    return
  fi
  cmake -S . -B "$folder" -DCMAKE_TOOLCHAIN_FILE="cmake/simulator-abi/$toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DKALVO_WERROR=ON -DKALVO_SDK_DIR="$sdk" -DKALVO_SDK_RELEASES="$4" > /dev/null
  cmake --build "$folder" -j 2
  ctest --test-dir "$folder" --output-on-failure -j 2
  (cd "$folder" && cpack -G ZIP > /dev/null && echo "windows: package $(ls "$PWD"/KalvoMFD-*.zip)")
}
build build-windows x86_64 "$sdk_root/2024" "$releases"
build build-windows-x86 i686 "$sdk_root/2016" ""
# The one skip a 32-bit host may have, said in the test run's verdict.
if [ -n "$wine32" ] && ! wine32_starts; then
  echo "x86 host: skipped: this machine cannot run 32-bit programs (the 32-bit Wine does not start)"
fi
