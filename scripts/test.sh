#!/usr/bin/env bash
# Installs what is missing, builds everything with warnings as errors, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVANTOREL_WERROR=ON -DVANTOREL_ASSETS=ON
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2
