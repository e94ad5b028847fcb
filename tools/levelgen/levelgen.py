#!/usr/bin/env python3
"""Veloria level authoring: turns a readable map file into a level file and back.

A map file (tools/levelgen/maps/levelNN.map) holds, in this order:

    size small|large|arena
    legend                         one line per map character:
    C ground overlay anim top event   (five numbers, one per layer)
    ...
    map                            then one line per row, one character per cell
    ...
    end
    exit N destLevel heroX heroY mapMode viewCol viewRow encVillain battleMap rate scrollX scrollY music
    dialogs d0 .. d7               (at most 8)
    shop N
    chests c0 c1 c2
    locks l0 .. l12                (0..2 wooden doors 19..21, 3..12 iron doors 49..58)
    treasures t0 t1
    guardian N guardian villainFile battleMusic     (N = 0..19, event 24 + N)
    lairs a0 a1
    barriers b0 b1
    cell X Y ground overlay anim top event          (one cell set by hand, after the map)

Lines starting with "//" are comments; missing tables are zeros. A legend character may be any
printable character except space. Usage:

    levelgen.py build MAP OUT        write the level file
    levelgen.py check MAPDIR LEVELDIR  every MAPDIR/*.map must equal LEVELDIR/<same>.txt
    levelgen.py import LEVEL SIZE    print a map file for an existing level file
"""
import os
import sys

SIZES = {"arena": (10, 8), "small": (16, 12), "large": (32, 18)}
POOL = (".,:;'`\"~-_=+*^%$&@!?|/\\<>()[]{}0123456789abcdefghijklmnopqrstuvwxyz"
        "ABCDEFGHIJKLMNOPQRSTUVWXYZ#")


class MapError(Exception):
    pass


def parse(path):
    with open(path, encoding="utf-8") as f:
        lines = f.read().split("\n")
    size = None
    legend = {}
    rows = []
    tables = {"exits": [[0] * 12 for _ in range(5)], "dialogs": [0] * 8, "shop": [0],
              "chests": [0] * 3, "locks": [0] * 13, "treasures": [0] * 2,
              "guardians": [[0] * 3 for _ in range(20)], "lairs": [0] * 2, "barriers": [0] * 2}
    cells = []
    mode = None
    for n, raw in enumerate(lines, 1):
        where = "%s:%d" % (path, n)
        if mode == "map":
            if raw.strip() == "end":
                mode = None
                continue
            rows.append((n, raw.rstrip("\r")))
            continue
        line = raw.strip()
        if not line or line.startswith("//"):
            continue
        words = line.split()
        head = words[0]
        if mode == "legend" and head not in ("map",):
            if len(words) != 6 or len(head) != 1:
                raise MapError(where + ": a legend line is one character and five numbers")
            if head in legend:
                raise MapError(where + ": legend character %r given twice" % head)
            legend[head] = [int(w) for w in words[1:]]
            continue
        nums = [int(w) for w in words[1:]] if head not in ("size", "legend", "map") else []
        if head == "size":
            size = words[1]
            if size not in SIZES:
                raise MapError(where + ": unknown size " + size)
        elif head == "legend":
            mode = "legend"
        elif head == "map":
            mode = "map"
        elif head == "exit":
            if len(nums) != 13 or not 0 <= nums[0] < 5:
                raise MapError(where + ": exit N and twelve numbers")
            tables["exits"][nums[0]] = nums[1:]
        elif head == "guardian":
            if len(nums) != 4 or not 0 <= nums[0] < 20:
                raise MapError(where + ": guardian N guardian villainFile battleMusic")
            tables["guardians"][nums[0]] = nums[1:]
        elif head == "cell":
            if len(nums) != 7:
                raise MapError(where + ": cell X Y and five numbers")
            cells.append((where, nums))
        elif head in tables and head not in ("exits", "guardians"):
            want = len(tables[head])
            if len(nums) > want:
                raise MapError(where + ": %s takes at most %d numbers" % (head, want))
            tables[head] = nums + [0] * (want - len(nums))
        else:
            raise MapError(where + ": unknown line " + head)
    if size is None:
        raise MapError(path + ": no size line")
    w, h = SIZES[size]
    if len(rows) != h:
        raise MapError("%s: the map has %d rows, a %s level %d" % (path, len(rows), size, h))
    grid = []
    for n, row in rows:
        if len(row) != w:
            raise MapError("%s:%d: the row has %d cells, not %d" % (path, n, len(row), w))
        out = []
        for ch in row:
            if ch not in legend:
                raise MapError("%s:%d: character %r is not in the legend" % (path, n, ch))
            out.append(list(legend[ch]))
        grid.append(out)
    for where, (x, y, *layers) in cells:
        if not (0 <= x < w and 0 <= y < h):
            raise MapError(where + ": cell outside the map")
        grid[y][x] = layers
    return size, grid, tables


def render(size, grid, tables):
    w, h = SIZES[size]
    out = []
    for layer in range(5):
        for y in range(h):
            out.append(" ".join("%d" % grid[y][x][layer] for x in range(w)))
        out.append("")
    if size != "arena":
        for e in tables["exits"]:
            out.append(" ".join(map(str, e)))
        for key in ("dialogs", "shop", "chests", "locks", "treasures"):
            out.append(" ".join(map(str, tables[key])))
        spots = [n for g in tables["guardians"] for n in g]
        for i in range(0, 60, 15):  # five spots a line
            out.append(" ".join(map(str, spots[i:i + 15])))
        out.append(" ".join(map(str, tables["lairs"])))
        out.append(" ".join(map(str, tables["barriers"])))
    return "\n".join(out) + "\n"


def build(path):
    return render(*parse(path))


def import_level(path, size):
    w, h = SIZES[size]
    with open(path) as f:
        nums = [int(t) for t in f.read().split()]
    grid = [[[nums[layer * w * h + y * w + x] for layer in range(5)] for x in range(w)]
            for y in range(h)]
    chars = {}
    pool = list(POOL)
    preferred = {(1, 0, 0, 0, 0): ".", (16, 0, 0, 0, 1): "#"}
    for k, v in preferred.items():
        chars[k] = v
        pool.remove(v)
    rows = []
    for y in range(h):
        row = ""
        for x in range(w):
            key = tuple(grid[y][x])
            if key not in chars:
                if not pool:
                    raise MapError("too many distinct cells")
                chars[key] = pool.pop(0)
            row += chars[key]
        rows.append(row)
    print("size " + size)
    print("legend")
    for key, ch in chars.items():
        if any(ch in r for r in rows):
            print("%s %d %d %d %d %d" % ((ch,) + key))
    print("map")
    print("\n".join(rows))
    print("end")
    if size == "arena":
        return
    t = nums[5 * w * h:]
    for i in range(5):
        e = t[12 * i:12 * i + 12]
        if any(e):
            print("exit %d %s" % (i, " ".join(map(str, e))))
    t = t[60:]
    print("dialogs " + " ".join(map(str, t[0:8])))
    print("shop %d" % t[8])
    print("chests " + " ".join(map(str, t[9:12])))
    print("locks " + " ".join(map(str, t[12:25])))
    print("treasures " + " ".join(map(str, t[25:27])))
    g = t[27:87]
    for i in range(20):
        if any(g[3 * i:3 * i + 3]):
            print("guardian %d %s" % (i, " ".join(map(str, g[3 * i:3 * i + 3]))))
    print("lairs " + " ".join(map(str, t[87:89])))
    print("barriers " + " ".join(map(str, t[89:91])))


def check(mapdir, leveldir):
    bad = 0
    maps = sorted(f for f in os.listdir(mapdir) if f.endswith(".map"))
    for name in maps:
        want = build(os.path.join(mapdir, name))
        target = os.path.join(leveldir, name[:-4] + ".txt")
        try:
            with open(target) as f:
                have = f.read()
        except OSError:
            have = None
        if have != want:
            print("%s: differs from what %s builds; run tools/levelgen/build.sh" % (target, name))
            bad += 1
    if not maps:
        print("%s: no map files" % mapdir)
        bad += 1
    return 1 if bad else 0


def main(argv):
    try:
        if len(argv) == 4 and argv[1] == "build":
            text = build(argv[2])
            with open(argv[3], "w") as f:
                f.write(text)
            return 0
        if len(argv) == 4 and argv[1] == "check":
            return check(argv[2], argv[3])
        if len(argv) == 4 and argv[1] == "import":
            import_level(argv[2], argv[3])
            return 0
    except (MapError, ValueError, OSError) as e:
        print(e, file=sys.stderr)
        return 1
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
