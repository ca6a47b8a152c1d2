#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing,
# and any further packages named as arguments (the Windows build's cross compiler
# and Wine). Shared by every command of the README.
set -euo pipefail

packages=(
  cmake g++ make pkg-config
  libgtest-dev libgmock-dev
  libcli11-dev nlohmann-json3-dev
  libcairo2-dev libfontconfig-dev libfreetype-dev libncurses-dev
  fonts-dejavu-core fonts-liberation
  clang libclang-rt-14-dev libbenchmark-dev
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
