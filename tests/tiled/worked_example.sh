#!/usr/bin/env bash
# The worked example of docs/content.md ("Authoring levels in Tiled"), step by step: an empty
# map painted as the steps say (by script instead of by hand), saved by Tiled, imported as
# level 1 of a scratch copy of the game, checked by veloria-check and played: the new game
# starts on the meadow with the sign and the chest where the example puts them.
# Usage: worked_example.sh GAME_DIR WORK_DIR
set -euo pipefail
game="$1" work="$2"
if ! command -v tiled >/dev/null; then
    echo "SKIP: the Tiled map editor (Debian package tiled) is not installed; scripts/deps.sh installs it"
    exit 0
fi
# Each run has its own Tiled settings, so parallel tests cannot meet in them.
export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/xdg" XDG_CONFIG_HOME="$work/config"
rm -rf "$work" && mkdir -p "$work/xdg" && chmod 700 "$work/xdg" && cd "$work"
tool="$game/veloria-tiled"

# 1. Tilesets and an empty map.
"$tool" tileset "$game" maps >/dev/null
"$tool" new small maps/meadow.tmx
# 2..5. Paint and fill in the tables, as an author does in Tiled.
python3 - maps/meadow.tmx <<'PY'
import re, sys
path = sys.argv[1]
s = open(path).read()
W, H = 16, 12
# First gids of the tilesets, as the map lists them.
first = {m.group(2): int(m.group(1))
         for m in re.finditer(r'<tileset firstgid="(\d+)" source="(\w+)\.tsx"', s)}
tile = lambda t: first["veloria"] + t
event = lambda e: first["events"] + e
def paint(layer, f):
    global s
    m = re.search(r'(name="%s"[^>]*>\s*<data encoding="csv">)(.*?)(</data>)' % layer, s, re.S)
    cells = [int(x) for x in m.group(2).replace("\n", "").split(",")]
    for r in range(H):
        for c in range(W):
            v = f(c, r)
            if v is not None:
                cells[c + r * W] = v
    rows = [",".join(str(cells[c + r * W]) for c in range(W)) for r in range(H)]
    s = s[:m.start(2)] + "\n" + ",\n".join(rows) + "\n" + s[m.end(2):]
border = lambda c, r: (c in (0, W - 1) or r in (0, H - 1)) and (c, r) != (15, 5)
paint("Ground", lambda c, r: tile(16) if border(c, r) else tile(1))
paint("Overlay", lambda c, r: {(5, 2): tile(21), (8, 2): tile(29)}.get((c, r)))
paint("Events", lambda c, r: event(1) if border(c, r) else
      {(15, 5): event(2), (5, 2): event(7), (8, 2): event(16)}.get((c, r)))
def prop(text, name, value):
    new = text.replace('name="%s" type="int" value="0"' % name,
                       'name="%s" type="int" value="%d"' % (name, value), 1)
    assert new != text or value == 0, name
    return new
s = prop(s, "dialog.07", 42)
exit_fields = dict(destLevel=2, heroX=256, heroY=384, mapMode=3, viewCol=0, viewRow=6,
                   encounterVillains=2, battleMap=2, encounterRate=10, scrollX=0, scrollY=0,
                   music=2)
m = re.search(r'<object id="\d+" name="exit 2".*?</object>', s, re.S)
o = m.group(0)
for k, v in exit_fields.items():
    o = prop(o, k, v)
s = s[:m.start()] + o + s[m.end():]
open(path, "w").write(s)
PY
tiled --export-map maps/meadow.tmx maps/meadow-saved.tmx 2>/dev/null
# 6. Convert, check and play.
cp -r "$game" try
"$tool" import maps/meadow-saved.tmx try/levels/level01.txt
"$game/veloria-check" try
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
expect hero.x 256
expect hero.y 384
shot meadow.png
dump
PLAY
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy "$game/veloria-play" --content try --script start.play \
    --shots . --dump start.dump
# The meadow is loaded: the sign and the chest stand where the example put them.
grep -q . start.dump
python3 - try/levels/level01.txt <<'PY'
import sys
n = [int(x) for x in open(sys.argv[1]).read().split()]
overlay, events = n[192:384], n[768:960]
assert overlay[5 + 2 * 16] == 21 and overlay[8 + 2 * 16] == 29, "sign and chest"
assert events[15 + 5 * 16] == 2 and events[5 + 2 * 16] == 7 and events[8 + 2 * 16] == 16
assert n[960] == 2 and n[960 + 60] == 42, "exit 0 to level 2, dialog 42"
PY
echo "the worked example plays"
