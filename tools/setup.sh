#!/usr/bin/env bash
# Installs every Debian package Kelvane needs to build, run and test, then builds
# the release flavour (--packages-only stops after the packages).
# Runs as root without a terminal; safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  libsdl2-dev libsdl2-image-dev libsdl2-mixer-dev libsdl2-ttf-dev
  libepoxy-dev libgl-dev libgl1-mesa-dri libglm-dev libpugixml-dev libimgui-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfreetype-dev libpng-dev libmp3lame-dev fonts-beteckna
  xvfb xauth
  # tools/contact-sheet.sh reads and writes its PNGs with Python's standard library.
  python3
  # The level fuzzer: clang, its libFuzzer and sanitizer runtimes, llvm-symbolizer for its stacks.
  clang libclang-rt-14-dev llvm
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null 2>&1; then
      echo "setup: these packages are missing and installing them needs root: ${missing[*]}" >&2
      exit 1
    fi
    sudo=(sudo)
  fi
  echo "setup: installing ${missing[*]}"
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "${1:-}" != "--packages-only" ]; then
  bash "$(dirname "$0")/build.sh" release
fi
