#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
# Quick when everything is present: one dpkg-query, no network.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config python3
  clang-14 llvm-14 lld libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  zlib1g-dev libpng-dev libjpeg62-turbo-dev libgif-dev
  libfreetype-dev libfontconfig-dev libharfbuzz-dev libfribidi-dev
  libpixman-1-dev libxml2-dev libx11-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xdotool imagemagick gifsicle libjpeg-turbo-progs
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  if [[ $(id -u) -ne 0 ]]; then SUDO=sudo; else SUDO=; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
