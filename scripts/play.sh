#!/usr/bin/env bash
# Installs what is missing, builds the game and its folder, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_ASSETS=ON
cmake --build build -j2

cd build/game
exec ../vantorel
