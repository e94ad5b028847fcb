#!/usr/bin/env bash
# Writes the screenshots of docs/ with the headless runner: tools/screenshots.sh [BUILD_DIR]
# (default build/). The game directory is copied first, so nothing is written into the build.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp -r "$build/game" "$work/game"
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$build/game/veloria-play" --content "$work/game" \
  --script tools/screenshots.play --shots "$work"
# The negative flash is the first frame the battle start presents; the second is the arena.
mv "$work/battle-start-1.png" "$work/battle-start-negative.png"
for name in level1-village level1-lake battle-start-negative battle-panel battle-victory; do
  cp "$work/$name.png" docs/
done
