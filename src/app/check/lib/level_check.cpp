// The checks of the maps: every level reached from the fresh game through exits and lairs (and
// every other level file), its cells, its tables and the files they name, the soundness of every
// arrival, what can be reached from the arrivals, and the arenas.
#include <algorithm>
#include <cstdint>

#include "checker.h"
#include "content/reader.h"
#include "content/schema.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "presentation/tiles.h"
#include "slot_cells.h"
#include "world/anim_table_record.h"
#include "world/event_code.h"
#include "world/level_map.h"
#include "world/level_schema.h"

namespace veloria::check {

namespace {

constexpr int32_t kSmallNumbers = kLayers * 192 + kLevelTableIntegers,
                  kLargeNumbers = kLayers * 576 + kLevelTableIntegers, kArenaNumbers = kLayers * 80;
constexpr const char* kLayerNames[kLayers] = {"Ground", "Overlay", "Animated", "Top", "Events"};

// Exits and the sealed passage, which opens into exit 1.
bool LeadsOut(int32_t e) {
    return IsExit(e) || e == EventSealedPassage;
}

// Where a table's first number stands among the numbers after the layers.
size_t TableAt(const char* name) {
    return static_cast<size_t>(FieldOffset(kLevelTablesSchema, name));
}
// A word that is no number is skipped by the game, which reads the rest of the map on: once the
// word is reported, the map is checked as the game sees it when the count is right otherwise.
bool ReadOnPastTypo(const NumberFile& f, size_t expected) {
    return !f.stray.empty() && f.values.size() == expected;
}
constexpr size_t kExitInts = RecordIntegers(kLevelExitSchema);
constexpr size_t kSpotInts = RecordIntegers(kGuardianSpotSchema);

std::string Place(const Where& w) {
    return w.line > 0 ? w.file + ":" + std::to_string(w.line) : w.file;
}

}  // namespace

void Checker::CheckEncounter(const LevelExit& e, const Where& at) {
    Need(Text("levels/battle%02d.txt", e.battleMap), at, "its battle map");
    ExpectRange(at, e.encounterRate, 0, 699, "an encounter rate");
    if (e.encounterRate > 0) {
        ExpectRange(at, e.encounterVillains, 1, 44, "an encounter villain");
        if (e.encounterVillains >= 1 && e.encounterVillains <= 44) {
            Need(Text("data/villains/v%02d.txt", e.encounterVillains), at, "its encounter villain");
        }
    }
    NeedMedia(Text("music/level%02d.mid", e.music), at, "its level music");
}

void Checker::ExitEntry(const LevelExit& e, const Where& at, const std::string& from) {
    CheckEncounter(e, at);
    arrivals_[e.destLevel].push_back({at, from, e});
    queue_.push_back({e.destLevel, {e.mapMode, at}});
}

void Checker::Unique(const std::string& kind, int32_t number, int32_t level, const Where& at) {
    auto& seen = numbering_[kind];
    auto it = seen.find(number);
    if (it == seen.end()) {
        seen[number] = {level, at};
    } else if (it->second.first != level) {
        Fail(at, Text("%s number %d used by one level only", kind.c_str(), number),
             "it in use at " + Place(it->second.second) + " too");
    }
}

void Checker::VisitLevel(int32_t number, int32_t mode, const Where& namedAt) {
    auto found = levels_.find(number);
    if (found != levels_.end()) {
        if (found->second.loaded && found->second.mode != mode) {
            Fail(namedAt,
                 Text("map mode %d for level %d (the mode it is first reached in)",
                      found->second.mode, number),
                 std::to_string(mode));
        }
        return;
    }
    if (mode != Small && mode != Large) {
        // Not taken as the level's mode: a later way in may still give the right one.
        Fail(namedAt, Text("map mode 2 or 3 for level %d", number), std::to_string(mode));
        return;
    }
    LevelInfo& l = levels_[number];
    l.file = Text("levels/level%02d.txt", number);
    l.mode = mode;
    if (!Need(l.file, namedAt, Text("level %d", number))) return;
    l.numbers = ReadNumberFile(root_, l.file, true);
    g_.level = LevelMap{};
    LoadLevel(g_, static_cast<uint8_t>(mode), l.file.c_str());
    const size_t expected = mode == Large ? kLargeNumbers : kSmallNumbers;
    if (!ExpectCount(l.file, l.numbers, expected,
                     mode == Large ? "a Large level" : "a Small level") &&
        !ReadOnPastTypo(l.numbers, expected)) {
        return;  // every value after a gap would be misread: one report is enough
    }
    l.tables = g_.level;
    l.grid.cols = mode == Large ? 32 : 16;
    l.grid.rows = mode == Large ? 18 : 12;
    for (int32_t layer = 0; layer < kLayers; ++layer) {
        const int32_t* cells =
            mode == Large ? g_.level.largeLayers[layer] : g_.level.smallLayers[layer];
        l.grid.layers[layer].assign(cells, cells + l.grid.cols * l.grid.rows);
    }
    l.loaded = true;
    CheckLevelCells(l);
    CheckLevelTables(number, l);
}

void Checker::CheckLevelCells(LevelInfo& l) {
    const int32_t cells = l.grid.cols * l.grid.rows;
    for (int32_t r = 0; r < l.grid.rows; ++r) {
        for (int32_t c = 0; c < l.grid.cols; ++c) {
            const int32_t i = c + r * l.grid.cols;
            auto at = [&](int32_t layer) {
                const int32_t k = layer * cells + i;
                return Where{l.file, l.numbers.LineOf(static_cast<size_t>(k))};
            };
            const int32_t e = l.grid.At(Events, c, r);
            if (!IsLevelCode(e)) {
                Fail(at(Events), Text("an event code 0..58, 61 or 62 at cell (%d, %d)", c, r),
                     std::to_string(e));
            } else {
                l.codeLine.emplace(e, at(Events).line);
            }
            bool border = c == 0 || r == 0 || c == l.grid.cols - 1 || r == l.grid.rows - 1;
            if (border && e != EventWall && !LeadsOut(e)) {
                Fail(at(Events),
                     Text("a wall (1), an exit (2..6) or a sealed passage (61) on the border at "
                          "cell (%d, %d)",
                          c, r),
                     std::to_string(e));
            }
            ExpectRange(at(Animated), l.grid.At(Animated, c, r), 0, kAnimTiles - 1,
                        Text("an animation entry at cell (%d, %d)", c, r));
            for (int32_t layer : {Ground, Overlay, Top}) {
                ExpectRange(at(layer), l.grid.At(layer, c, r), 0, kTileCells - 1,
                            Text("a %s tile at cell (%d, %d)", kLayerNames[layer], c, r));
            }
        }
    }
    // One flag per slot: a second object with the same code would open with the first.
    for (const SplitSlot& s : SplitSlots(l.grid)) {
        Fail({l.file,
              l.numbers.LineOf(static_cast<size_t>(Events) * static_cast<size_t>(cells) +
                               static_cast<size_t>(s.col) +
                               static_cast<size_t>(s.row) * static_cast<size_t>(l.grid.cols))},
             Text("event code %d on one object (cells that share a side), as at cell (%d, %d)",
                  s.code, s.firstCol, s.firstRow),
             Text("a second one at cell (%d, %d)", s.col, s.row));
    }
}

void Checker::CheckLevelTables(int32_t number, LevelInfo& l) {
    const int32_t layerNumbers = kLayers * l.grid.cols * l.grid.rows;
    const size_t base = static_cast<size_t>(layerNumbers);
    auto entry = [&](size_t k) { return Where{l.file, l.numbers.LineOf(base + k)}; };
    const LevelMap& m = l.tables;
    for (const auto& [e, cellLine] : l.codeLine) {
        std::string code = Text("event code %d", e);
        if (LeadsOut(e)) {
            size_t x = e == EventSealedPassage ? 1 : static_cast<size_t>(e - EventExitFirst);
            ExitEntry(m.exits[x], entry(TableAt("exits") + kExitInts * x),
                      Text("%s exit %d", l.file.c_str(), e));
        } else if (IsPerson(e)) {
            size_t k = static_cast<size_t>(e - EventPersonFirst);
            int32_t d = m.dialogIds[k];
            Where at = entry(TableAt("dialogIds") + k);
            Need(Text("data/dialog/dialog%02d.txt", d), at, "the dialog of " + code);
            if (NewsDialog(d) != d) {
                Need(Text("data/dialog/dialog%02d.txt", NewsDialog(d)), at,
                     "the later dialog of " + code);
            }
        } else if (e == EventShop) {
            Need(Text("data/shops/shop%02d.txt", m.shopId), entry(TableAt("shopId")),
                 "the shop of " + code);
        } else if (IsChest(e)) {
            size_t k = static_cast<size_t>(e - EventChestFirst);
            int32_t n = m.chestIds[k];
            if (n < 0) continue;  // the loader reported it
            Where at = entry(TableAt("chestIds") + k);
            Need(Text("data/chests/chest%02d.txt", n), at, "the chest of " + code);
            Unique("chest", n, number, at);
        } else if (IsDoor(e)) {
            size_t k = static_cast<size_t>(LockSlot(e));
            if (m.lockIds[k] >= 0)
                Unique("door", m.lockIds[k], number, entry(TableAt("lockIds") + k));
            keysNeeded_.emplace(IsLowDoor(e) ? e - EventLowDoorFirst + 3 : 13,
                                Where{l.file, cellLine});
        } else if (IsTreasureSpot(e)) {
            size_t k = static_cast<size_t>(e - EventTreasureFirst);
            int32_t n = m.treasureIds[k];
            if (n < 0) continue;
            Where at = entry(TableAt("treasureIds") + k);
            Need(Text("data/hidden/ht%02d.txt", n), at, "the treasure of " + code);
            Unique("treasure", n, number, at);
        } else if (IsGuardian(e)) {
            size_t k = static_cast<size_t>(e - EventGuardianFirst);
            const GuardianSpot& s = m.guardianSpots[k];
            const size_t spot = TableAt("guardianSpots") + kSpotInts * k;
            Where at =
                entry(spot + static_cast<size_t>(FieldOffset(kGuardianSpotSchema, "guardian")));
            if (s.guardian == 0) {
                Fail(at, "guardian 1..199 for " + code + " (guardian 0 is never remembered)", "0");
            } else if (s.guardian > 0) {
                Unique("guardian", s.guardian, number, at);
            }
            Where villain =
                entry(spot + static_cast<size_t>(FieldOffset(kGuardianSpotSchema, "villainFile")));
            ExpectRange(villain, s.villainFile, 1, 44, "a villain file for " + code);
            if (s.villainFile >= 1 && s.villainFile <= 44) {
                Need(Text("data/villains/v%02d.txt", s.villainFile), villain,
                     "the villain of " + code);
            }
            NeedMedia(
                Text("music/battle%02d.mid", s.battleMusic),
                entry(spot + static_cast<size_t>(FieldOffset(kGuardianSpotSchema, "battleMusic"))),
                "the battle music of " + code);
        } else if (IsLair(e)) {
            size_t k = static_cast<size_t>(e - EventLairFirst);
            int32_t n = m.lairIds[k];
            if (n < 0) continue;
            Where at = entry(TableAt("lairIds") + k);
            Unique("lair", n, number, at);
            std::string path = Text("data/lair/hlair%02d.txt", n);
            if (!Need(path, at, "the lair of " + code)) continue;
            LevelExit x{};
            {
                ContentReader r(g_.platform,
                                path.c_str());  // as the game reads it on entering the lair
                ReadLevelExit(r, x);
            }
            ExitEntry(x, {path, 1}, Text("lair %d", n));
        } else if (IsBarrier(e)) {
            size_t k = static_cast<size_t>(e - EventBarrierFirst);
            if (m.barrierIds[k] >= 0) {
                Unique("barrier", m.barrierIds[k], number, entry(TableAt("barrierIds") + k));
            }
        } else if (e == EventEndGate) {
            endGate_ = true;
        }
    }
}

namespace {

// Whether an arrival can be placed on its level at all (the walk works on map pixels).
bool Placeable(const LevelExit& e, const LevelGrid& l) {
    return e.viewCol >= 0 && e.viewCol <= l.cols - 8 && e.viewRow >= 0 && e.viewRow <= l.rows - 6 &&
           e.scrollX > -128 && e.scrollX < 128 && e.scrollY > -128 && e.scrollY < 128 &&
           e.heroX >= 0 && e.heroX < 1024 && e.heroY >= 0 && e.heroY < 768;
}

}  // namespace

void Checker::CheckArrival(const Arrival& a, const LevelInfo& dest) {
    const LevelExit& e = a.exit;
    const int32_t maxCol = dest.grid.cols - 8, maxRow = dest.grid.rows - 6;
    const std::string in = Text(" (arriving in level %d)", e.destLevel);
    ExpectRange(a.where, e.viewCol, 0, maxCol, "viewCol" + in);
    ExpectRange(a.where, e.viewRow, 0, maxRow, "viewRow" + in);
    if (e.scrollX % 16 != 0 || e.scrollY % 16 != 0 || e.scrollX <= -128 || e.scrollX >= 128 ||
        e.scrollY <= -128 || e.scrollY >= 128) {
        Fail(a.where, "a scroll of multiples of 16 within -112..112" + in,
             Text("%d, %d", e.scrollX, e.scrollY));
    }
    if (e.heroX % 16 != 0 || e.heroY % 16 != 0 || e.heroX < 0 || e.heroX >= 1024 || e.heroY < 0 ||
        e.heroY >= 768) {
        Fail(a.where, "a position of multiples of 16 on the screen" + in,
             Text("%d, %d", e.heroX, e.heroY));
    }
    // Inside the scroll margins, unless the view already stands at that edge of the map.
    if ((e.heroX < 144 && !(e.viewCol == 0 && e.scrollX == 0)) ||
        (e.heroX > 752 && !(e.viewCol == maxCol && e.scrollX == 0)) ||
        (e.heroY < 144 && !(e.viewRow == 0 && e.scrollY == 0)) ||
        (e.heroY > 496 && !(e.viewRow == maxRow && e.scrollY == 0))) {
        Fail(a.where, "a position inside the scroll margins (x 144..752, y 144..496)" + in,
             Text("%d, %d", e.heroX, e.heroY));
    }
    if (!Placeable(e, dest.grid)) return;
    auto [x, y] = MapPlace(e);
    int32_t code = HitAt(dest.grid, x, y, kNothingOpen);
    if (code != 0) {
        Fail(a.where, Text("free ground at map pixel %d, %d", x, y) + in,
             Text("event code %d", code));
    }
}

void Checker::CheckReachability(int32_t number, const LevelInfo& l) {
    std::vector<std::pair<int32_t, int32_t>> everywhere;
    std::vector<const Arrival*> placed;
    for (const Arrival& a : arrivals_[number]) {
        if (!Placeable(a.exit, l.grid) || a.exit.mapMode != l.mode) continue;
        auto [x, y] = MapPlace(a.exit);
        if (HitAt(l.grid, x, y, kNothingOpen) != 0) continue;  // reported as an arrival
        everywhere.push_back({x, y});
        placed.push_back(&a);
    }
    if (everywhere.empty()) return;
    Walk open = WalkFrom(l.grid, everywhere, kAllOpen);
    Walk guarded = WalkFrom(l.grid, everywhere, Progress{true, true, false, true});
    Walk locked = WalkFrom(l.grid, everywhere, Progress{false, true, true, true});
    Walk sealed = WalkFrom(l.grid, everywhere, Progress{true, false, true, false});
    for (const auto& [e, line] : l.codeLine) {
        Where at{l.file, line};
        const char* unreached = "no place to reach it from";
        if ((IsPerson(e) || e == EventShop || IsChest(e)) && !open.inReach.count(e)) {
            Fail(at,
                 Text("event code %d in reach of the action button%s", e,
                      IsChest(e) ? " from below" : ""),
                 unreached);
        }
        if (IsGuardian(e) && !guarded.inReach.count(e)) {
            Fail(at, Text("guardian (event code %d) in reach before it is beaten", e), unreached);
        }
        if (IsDoor(e) && !locked.inReach.count(e)) {
            Fail(at, Text("door (event code %d) in reach while it is locked", e), unreached);
        }
        if ((IsLair(e) || IsBarrier(e)) && !sealed.inReach.count(e)) {
            Fail(at, Text("event code %d in reach of a spell while it is closed", e), unreached);
        }
        bool leave = IsExit(e) || e == EventShop || IsLair(e) || e == EventEndGate;
        if (leave && !open.leaves.count(e)) {
            Fail(at, Text("a way to walk into event code %d", e), "it walled in");
        }
        if (e == EventSealedPassage && !open.leaves.count(EventExitFirst + 1)) {
            Fail(at, "a way into the opened passage (61)", "it walled in");
        }
    }
    for (int32_t e = EventChestFirst; e <= EventChestLast; ++e) {
        if (!locked.inReach.count(e)) continue;
        int32_t n = l.tables.chestIds[e - EventChestFirst];
        if (n >= 0 && n < kChests && g_.chests[n].kind == 1) keysFound_.insert(g_.chests[n].value);
    }
    // From every single arrival, every way out is reachable.
    for (const Arrival* a : placed) {
        Walk w = WalkFrom(l.grid, {MapPlace(a->exit)}, kAllOpen);
        std::string missing;
        for (int32_t e : open.leaves) {
            if (!w.leaves.count(e)) missing += (missing.empty() ? "" : ", ") + std::to_string(e);
        }
        if (!missing.empty()) {
            Fail(a->where, Text("every way out of level %d reachable from this arrival", number),
                 "no way to event code " + missing);
        }
    }
}

void Checker::CheckAdventure() {
    auto drain = [&] {
        for (size_t q = 0; q < queue_.size(); ++q) {
            auto [number, rest] = queue_[q];
            VisitLevel(number, rest.first, rest.second);
        }
        queue_.clear();
    };
    drain();
    // Level files no way leads to are checked too, in the mode their size gives.
    for (const auto& [n, path] : Numbered("levels", "level")) {
        if (levels_.count(n)) continue;
        NumberFile f = ReadNumberFile(root_, path, true);
        int32_t mode = f.values.size() == kLargeNumbers ? Large : Small;
        if (f.values.size() != kLargeNumbers) {
            if (!ExpectCount(path, f, kSmallNumbers, "a Small level; 3031 for a Large one")) {
                levels_[n].file = path;
                continue;
            }
        }
        queue_.push_back({n, {mode, Where{path, 0}}});
        drain();
    }
    if (!endGate_)
        Fail({"levels", 0}, "a level with the way out of the game (event code 62)", "none");
    for (const auto& [number, list] : arrivals_) {
        auto found = levels_.find(number);
        if (found == levels_.end() || !found->second.loaded) continue;
        for (const Arrival& a : list) {
            if (a.exit.mapMode == found->second.mode) CheckArrival(a, found->second);
        }
    }
    for (const auto& [number, l] : levels_) {
        if (l.loaded) CheckReachability(number, l);
    }
    for (const auto& [key, where] : keysNeeded_) {
        if (!keysFound_.count(key)) {
            Fail(where,
                 Text("key item %d in a shop or a chest reached without opening a door", key),
                 "none");
        }
    }
}

void Checker::CheckArena(const std::string& path) {
    NumberFile f = ReadNumberFile(root_, path, true);
    g_.level = LevelMap{};
    LoadLevel(g_, Arena, path.c_str());
    if (!ExpectCount(path, f, kArenaNumbers, "an arena") && !ReadOnPastTypo(f, kArenaNumbers)) {
        return;
    }
    const auto& cells = g_.view.cells;
    auto at = [&](int32_t layer, int32_t i) {
        const int32_t k = layer * kViewCells + i;
        return Where{path, f.LineOf(static_cast<size_t>(k))};
    };
    // Cell (c, r) lies at 128c + 64, 128r + 64 on the screen (scroll -192): the places where
    // the heroine and the villain enter must be free of every event.
    struct Spot {
        const char* who;
        int32_t left, right, top, bottom;
    };
    constexpr Spot kSpots[] = {{"the heroine", 704, 831, 256, 383},
                               {"the villain", 192, 319, 384, 511}};
    for (const Spot& s : kSpots) {
        for (int32_t i = 0; i < kViewCells; ++i) {
            int32_t cl = 128 * (i % 10) + 64, ct = 128 * (i / 10) + 64;
            bool touches =
                !(s.bottom < ct || ct + 127 < s.top || s.right < cl || cl + 127 < s.left);
            if (touches && cells[Events][i] != 0) {
                Fail(at(Events, i),
                     Text("event code 0 where %s enters, cell (%d, %d)", s.who, i % 10, i / 10),
                     std::to_string(cells[Events][i]));
            }
        }
    }
    for (int32_t i = 0; i < kViewCells; ++i) {
        int32_t c = i % 10, r = i / 10;
        if ((c == 0 || c >= 7 || r == 0 || r >= 5) && cells[Events][i] != 1) {
            Fail(at(Events, i), Text("a wall (1) around the field at cell (%d, %d)", c, r),
                 std::to_string(cells[Events][i]));
        }
        ExpectRange(at(Animated, i), cells[Animated][i], 0, kAnimTiles - 1,
                    Text("an animation entry at cell (%d, %d)", c, r));
        for (int32_t layer : {Ground, Overlay, Top}) {
            ExpectRange(at(layer, i), cells[layer][i], 0, kTileCells - 1,
                        Text("a %s tile at cell (%d, %d)", kLayerNames[layer], c, r));
        }
    }
}

}  // namespace veloria::check
