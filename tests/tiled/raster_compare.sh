#!/usr/bin/env bash
# The exporter and the game's renderer check each other: level 1 exported and drawn whole by
# Tiled's tmxrasterizer shows, in its top-left 1024 x 768, what the game shows at the start of a
# new game (view at column 0, row 0, no scroll) with the heroine's sprite made invisible.
# Usage: raster_compare.sh GAME_DIR SOURCE_DIR WORK_DIR
set -euo pipefail
game="$1" src="$2" work="$3"
if ! command -v tmxrasterizer >/dev/null; then
    echo "SKIP: tmxrasterizer (Debian package tiled) is not installed; scripts/deps.sh installs it"
    exit 0
fi
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work/xdg}"
rm -rf "$work" && mkdir -p "$work/xdg" && chmod 700 "$work/xdg" && cd "$work"
"$game/veloria-tiled" tileset "$game" . >/dev/null
"$game/veloria-tiled" export "$game/levels/level01.txt" level01.tmx
tmxrasterizer --hide-layer Events --hide-layer Tables level01.tmx level01.png 2>/dev/null

# Sprites off: a copy of the game whose heroine is drawn with tile 0, the library's empty cell.
cp -r "$game" nosprites
python3 - nosprites/data/avela.txt <<'PY'
import sys
lines = open(sys.argv[1]).read().split("\n")
for i in range(4):  # the four anim rows: six tiles and a state
    words = lines[i].split()
    lines[i] = " ".join(["0"] * 6 + words[6:])
open(sys.argv[1], "w").write("\n".join(lines))
PY
cat >start.play <<'PLAY'
joystick plain
frame 3
key 2
frame
key 1
frame
wait 600
key 1
frame 2
expect gameState 1
expect level.number 1
expect level.viewCol 0
expect level.viewRow 0
expect level.scrollX 0
expect level.scrollY 0
shot game.png
PLAY
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game/veloria-play" --content nosprites \
    --script start.play --shots . >/dev/null
python3 "$src/tests/tiled/png_compare.py" level01.png game.png "$game/levels/level01.txt" 16
