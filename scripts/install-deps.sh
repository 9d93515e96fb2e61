#!/usr/bin/env bash
# Installs the Debian 12 packages Vantorel needs to build, play and test,
# asking apt only when something is missing, so a second run does nothing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libsfml-dev libfreetype-dev fonts-dejavu-core
  libgtest-dev libgmock-dev libbenchmark-dev libcli11-dev libssl-dev
  libgl-dev libx11-dev xvfb xauth libgl1-mesa-dri xdotool
  clang clang-format libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
