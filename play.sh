#!/usr/bin/env bash
# Installs what is missing, builds the game and its default content (Release), and starts it.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DVELORIA_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)"
cd build/game && exec ./veloria
