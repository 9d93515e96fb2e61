#!/usr/bin/env bash
# Installs what is missing, builds the game and its folder, and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_ASSETS=ON
cmake --build build -j2

if [ -x build/vantorel ]; then
  cd build/game
  exec ../vantorel
fi
echo "Built. The game window is not there yet; ready so far:"
echo "  build/game/                  the game folder (art, shader, music, config.ini)"
echo "  build/tools/vantorel-tool    settings, bindings, map info/cells/render, replays"
