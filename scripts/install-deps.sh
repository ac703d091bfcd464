#!/usr/bin/env bash
# Installs from Debian's archive whatever the build, the program and its tests need.
set -euo pipefail
packages=(
  cmake ninja-build g++ pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-qpa-plugins libgl-dev fonts-dejavu-core
  libopenal-dev
  libespeak-ng-dev espeak-ng espeak-ng-data
  libspeechd-dev speech-dispatcher speech-dispatcher-espeak-ng
  libgtest-dev libgmock-dev libbenchmark-dev
  liblouis-data
  xvfb openbox xdotool x11-utils sox
  libx11-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${missing[@]}"
fi
