#!/usr/bin/env bash
# The one list of the Debian packages this project needs, installed when missing.
# As root it installs them with apt-get; otherwise it prints the command to run.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev
  libwxgtk3.2-dev libx11-dev
  libglpk-dev libmimalloc-dev
  libxlsxwriter-dev libcairo2-dev liborcus-dev zlib1g-dev poppler-utils
  xvfb xauth imagemagick
  clang libclang-rt-14-dev
  clang-format
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "Missing packages: ${missing[*]}" >&2
  echo "Run: sudo apt-get install ${missing[*]}" >&2
  exit 1
fi
