#!/usr/bin/env bash
# Installs the Debian packages Pelto5 needs to build, test and run.
# Quick when everything is already there: apt is only called for what is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache clang clang-format libclang-rt-14-dev
  qt6-base-dev libgl-dev libfontconfig-dev
  libgtest-dev libbenchmark-dev
  fonts-liberation fonts-paratype fonts-bebas-neue fontconfig
  xvfb xdotool x11-utils
  dbus at-spi2-core python3-pyatspi
  pkg-config libxcb-damage0-dev
  desktop-file-utils appstream man-db shared-mime-info libglib2.0-bin dpkg-dev file lintian
  xdg-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
