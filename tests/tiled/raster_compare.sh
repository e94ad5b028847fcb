#!/usr/bin/env bash
# The exporter and the game's renderer check each other: each level of LEVELS_DIR, exported and
# drawn whole by Tiled's tmxrasterizer, shows in its top-left 1024 x 768 what the game shows on
# that level with the view at column 0, row 0 and no scroll, with the heroine's sprite off. The
# game is a scratch copy whose level 1 is the level under test and whose save slot 1 stands on it
# in its mode at that view; the heroine is drawn with tile 0, the library's empty cell.
# Usage: raster_compare.sh GAME_DIR SOURCE_DIR LEVELS_DIR WORK_DIR
set -uo pipefail
game="$1" src="$2" levels="$3" work="$4"
if ! command -v tmxrasterizer >/dev/null; then
    echo "SKIP: tmxrasterizer (Debian package tiled) is not installed; scripts/deps.sh installs it"
    exit 0
fi
# Each run has its own Tiled settings, so parallel tests cannot meet in them.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/xdg" XDG_CONFIG_HOME="$work/config"
rm -rf "$work" && mkdir -p "$work/xdg" && chmod 700 "$work/xdg" && cd "$work" || exit 1
"$game/veloria-tiled" tileset "$game" . >/dev/null || exit 1
cp -r "$game" scratch
cp scratch/data/villains/v48.txt fresh.txt
python3 - scratch/data/avela.txt <<'PY' || exit 1
import sys
lines = open(sys.argv[1]).read().split("\n")
for i in range(4):  # the four anim rows: six tiles and a state
    words = lines[i].split()
    lines[i] = " ".join(["0"] * 6 + words[6:])
open(sys.argv[1], "w").write("\n".join(lines))
PY
# Loads the game of save slot 1.
cat >start.play <<'PLAY'
joystick plain
frame 3
key 1
frame
clock 325
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

failures=0 compared=0
shopt -s nullglob
for level in "$levels"/level*.txt; do
    name="$(basename "$level" .txt)"
    count="$(wc -w <"$level")"
    case "$count" in
        1111) mode=2 columns=16 ;;
        3031) mode=3 columns=32 ;;
        *) echo "$name: not a Small or Large level ($count numbers); not compared"; continue ;;
    esac
    cp "$level" scratch/levels/level01.txt
    # Save slot 1: the fresh game on level 1 in this mode, view (0, 0), no scroll, no battles.
    python3 - fresh.txt scratch/data/villains/v45.txt "$mode" <<'PY' || exit 1
import sys
n = open(sys.argv[1]).read().split()
for at, v in ((512, 1), (513, 0), (514, 0), (515, 0), (518, int(sys.argv[3])), (519, 0), (520, 0)):
    n[at] = str(v)
open(sys.argv[2], "w").write("".join(v + " " for v in n))
PY
    "$game/veloria-tiled" export "$level" "$name.tmx" || { echo "FAIL: export $name"; failures=$((failures + 1)); continue; }
    tmxrasterizer --hide-layer Events --hide-layer Tables "$name.tmx" "$name.png" 2>/dev/null
    rm -f game.png
    if ! SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game/veloria-play" --content scratch \
        --script start.play --shots . >/dev/null; then
        echo "FAIL: $name: the game did not start on it"; failures=$((failures + 1)); continue
    fi
    echo -n "$name: "
    python3 "$src/tests/tiled/png_compare.py" "$name.png" game.png "$level" "$columns" ||
        { echo "FAIL: $name"; failures=$((failures + 1)); }
    compared=$((compared + 1))
done
echo "$compared levels compared, $failures failures"
[ "$compared" -gt 0 ] && [ "$failures" -eq 0 ]
