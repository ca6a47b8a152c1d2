#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing,
# and any further packages named as arguments (the Windows build's cross compiler
# and Wine). A package of another architecture (wine32:i386) has that architecture
# added to dpkg first. Shared by every command of the README. With --page first,
# only what the main job needs: the live page's build, without the tests.
# Usage: scripts/setup.sh [--page] [PACKAGE...]
set -euo pipefail

# The front end, the module and the stand-in host, with fonts for its pictures.
page_packages=(
  cmake g++ make pkg-config
  libcli11-dev nlohmann-json3-dev
  libcairo2-dev libfontconfig-dev libfreetype-dev libncurses-dev
  fonts-dejavu-core fonts-liberation
)
# The tests, the fuzzer and the benchmarks.
test_packages=(libgtest-dev libgmock-dev clang clang-format libclang-rt-14-dev libbenchmark-dev)

if [ "${1:-}" = --page ]; then
  shift
  packages=("${page_packages[@]}" "$@")
else
  packages=("${page_packages[@]}" "${test_packages[@]}" "$@")
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  for p in "${missing[@]}"; do
    arch=${p#*:}
    if [ "$arch" != "$p" ] && [ "$arch" != "$(dpkg --print-architecture)" ] &&
       ! dpkg --print-foreign-architectures | grep -qx "$arch"; then
      echo "setup: adding the $arch architecture to dpkg for $p (dpkg --add-architecture $arch)" >&2
      "${sudo_cmd[@]}" dpkg --add-architecture "$arch"
    fi
  done
  echo "setup: reading the package lists (apt-get update)"
  "${sudo_cmd[@]}" apt-get update -qq
  # apt-get's own lines (getting, unpacking, setting up) show how far it is.
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
