// The shipped adventure, read through the game's own loaders: every file reads without a
// warning, the counts add up, every event cell has a table entry and the files it names, every
// arrival is free ground, and every level can be walked from where the heroine enters it to
// everything it holds.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "content/reader.h"
#include "flow/game.h"
#include "menus/saved_game.h"
#include "test_support.h"

namespace veloria {
namespace {

const std::string kContentDir = std::string(VELORIA_SOURCE_DIR) + "/content";

// A fresh game working inside the source tree's content directory.
struct ContentGame : TestGame {
    ContentGame() {
        if (chdir(kContentDir.c_str()) != 0) std::abort();
    }
};

std::string Name(const char* format, int32_t number) {
    char buf[64];
    std::snprintf(buf, sizeof(buf), format, number);
    return buf;
}

bool Exists(const std::string& relative) {
    return std::filesystem::is_regular_file(kContentDir + "/" + relative);
}

std::string Slurp(const std::string& relative) {
    std::ifstream in(kContentDir + "/" + relative, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// The white-space separated words of a file, and how many of them are not integers.
std::vector<std::string> Words(const std::string& relative, int* notNumbers) {
    std::istringstream in(Slurp(relative));
    std::vector<std::string> words;
    std::string w;
    *notNumbers = 0;
    while (in >> w) {
        char* end = nullptr;
        std::strtol(w.c_str(), &end, 10);
        if (*end != '\0') ++*notNumbers;
        words.push_back(w);
    }
    return words;
}

std::vector<int32_t> Ints(const std::string& relative) {
    int bad = 0;
    std::vector<int32_t> out;
    for (const std::string& w : Words(relative, &bad)) out.push_back(std::atoi(w.c_str()));
    return out;
}

std::string Trimmed(const char* line) {
    std::string s(line);
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    return s;
}

// Files in a content folder whose names start with a prefix, with the number that follows it.
std::map<int32_t, std::string> Numbered(const std::string& folder, const std::string& prefix) {
    std::map<int32_t, std::string> out;
    for (const auto& entry : std::filesystem::directory_iterator(kContentDir + "/" + folder)) {
        std::string name = entry.path().filename().string();
        if (name.rfind(prefix, 0) != 0 || name.size() != prefix.size() + 6) continue;
        out[std::atoi(name.substr(prefix.size(), 2).c_str())] = folder + "/" + name;
    }
    return out;
}

// ---- levels as plain data -----------------------------------------------------------------

struct Level {
    int32_t number = 0;
    int32_t mode = 0;
    int32_t cols = 0, rows = 0;
    std::vector<int32_t> layers[kLayers];
    LevelMap tables{};
    int32_t At(int32_t layer, int32_t col, int32_t row) const {
        return layers[layer][col + row * cols];
    }
};

Level LoadLevelData(Game& g, int32_t number, int32_t mode) {
    Level l;
    l.number = number;
    l.mode = mode;
    LoadLevel(g, static_cast<uint8_t>(mode), Name("levels/level%02d.txt", number).c_str());
    l.cols = mode == Large ? 32 : 16;
    l.rows = mode == Large ? 18 : 12;
    for (int32_t layer = 0; layer < kLayers; ++layer) {
        const int32_t* cells =
            mode == Large ? g.level.largeLayers[layer] : g.level.smallLayers[layer];
        l.layers[layer].assign(cells, cells + l.cols * l.rows);
    }
    l.tables = g.level;
    return l;
}

// What has been opened while walking: doors unlocked, barriers broken, guardians beaten (which
// also breaks the seal of passage 61), lairs opened.
struct Progress {
    bool doors, barriers, guardians, lairs;
};
constexpr Progress kAllOpen{true, true, true, true};

int32_t EffectiveCode(const Level& l, int32_t col, int32_t row, Progress p) {
    if (col < 0 || row < 0 || col >= l.cols || row >= l.rows) return 1;  // beyond the map
    int32_t e = l.At(Events, col, row);
    if ((e >= 19 && e <= 21) || (e >= 49 && e <= 58)) return p.doors ? 0 : e;
    if (e >= 24 && e <= 43) return p.guardians ? 0 : e;
    if (e == 46 || e == 47) return p.barriers ? 0 : e;
    if (e == 61) return p.guardians ? 3 : 1;
    return e;
}

int32_t FloorDiv(int32_t a, int32_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

// The event code under the foot box of a heroine whose sprite corner is at map pixel (x, y),
// decided as the game decides it: the first cell in row-major order that is neither empty nor a
// treasure spot, treasure spots reported together with it as 59 / 60.
int32_t HitAt(const Level& l, int32_t x, int32_t y, Progress p) {
    int32_t c0 = FloorDiv(x + 24, 128), c1 = FloorDiv(x + 103, 128);
    int32_t r0 = FloorDiv(y + 64, 128), r1 = FloorDiv(y + 127, 128);
    int32_t pending = 0;
    for (int32_t r = r0; r <= r1; ++r) {
        for (int32_t c = c0; c <= c1; ++c) {
            int32_t e = EffectiveCode(l, c, r, p);
            if (e <= 0) continue;
            if (e == 22 || e == 23) {
                pending = e - 21;
                continue;
            }
            return pending == 1 ? 59 : pending == 2 ? 60 : e;
        }
    }
    return pending ? pending + 21 : 0;
}

enum class Step { Refuse, Accept, Leave };

// What a step onto code e does (dir: 0 left, 1 right, 2 up, 3 down). Leave means the heroine is
// taken somewhere else: an exit, the shop, an open lair, the end gate.
Step StepOnto(int32_t e, int32_t dir, Progress p) {
    if (e == 0 || e == 22 || e == 23 || e == 48 || e >= 63) return Step::Accept;
    if (e == 62) return dir == 2 ? Step::Leave : Step::Accept;
    if ((e >= 2 && e <= 6) || e == 15) return Step::Leave;
    if (e == 44 || e == 45) return p.lairs ? Step::Leave : Step::Refuse;
    return Step::Refuse;
}

constexpr int32_t kDx[4] = {-16, 16, 0, 0};
constexpr int32_t kDy[4] = {0, 0, -16, 16};

struct Walk {
    std::set<std::pair<int32_t, int32_t>> places;
    std::set<int32_t> leaves;  // codes that take her away
    // Codes the action button or a key reaches from some place: chests only facing up.
    std::set<int32_t> inReach;
};

Walk WalkFrom(const Level& l, const std::vector<std::pair<int32_t, int32_t>>& starts, Progress p) {
    Walk w;
    std::vector<std::pair<int32_t, int32_t>> todo;
    for (const auto& s : starts) {
        if (w.places.insert(s).second) todo.push_back(s);
    }
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        for (int32_t dir = 0; dir < 4; ++dir) {
            int32_t nx = x + kDx[dir], ny = y + kDy[dir];
            int32_t e = HitAt(l, nx, ny, p);
            bool chest = e >= 16 && e <= 18;
            if (!chest || dir == 2) w.inReach.insert(e);
            Step s = StepOnto(e, dir, p);
            if (s == Step::Leave) w.leaves.insert(e == 62 ? 62 : e);
            if (s != Step::Accept) continue;
            if (nx < -128 || ny < -128 || nx > l.cols * 128 || ny > l.rows * 128) continue;
            if (w.places.insert({nx, ny}).second) todo.push_back({nx, ny});
        }
    }
    return w;
}

// Where a LevelExit (or lair) puts the heroine, and in which level.
struct Arrival {
    std::string from;
    LevelExit exit;
};

// The map pixel of the heroine's sprite corner after an arrival.
std::pair<int32_t, int32_t> MapPlace(const LevelExit& e) {
    return {e.heroX + e.scrollX + 128 * e.viewCol, e.heroY + e.scrollY + 128 * e.viewRow};
}

void ExpectSoundArrival(const Arrival& a, const Level& dest) {
    const LevelExit& e = a.exit;
    SCOPED_TRACE(a.from + " -> level " + std::to_string(dest.number));
    int32_t maxCol = dest.cols - 8, maxRow = dest.rows - 6;
    EXPECT_EQ(e.mapMode, dest.mode);
    EXPECT_TRUE(e.viewCol >= 0 && e.viewCol <= maxCol) << e.viewCol;
    EXPECT_TRUE(e.viewRow >= 0 && e.viewRow <= maxRow) << e.viewRow;
    EXPECT_TRUE(e.scrollX % 16 == 0 && e.scrollX > -128 && e.scrollX < 128);
    EXPECT_TRUE(e.scrollY % 16 == 0 && e.scrollY > -128 && e.scrollY < 128);
    EXPECT_TRUE(e.heroX % 16 == 0 && e.heroY % 16 == 0);
    // Inside the scroll margins, unless the view already stands at that edge of the map.
    EXPECT_TRUE(e.heroX >= 144 || (e.viewCol == 0 && e.scrollX == 0)) << e.heroX;
    EXPECT_TRUE(e.heroX <= 752 || (e.viewCol == maxCol && e.scrollX == 0)) << e.heroX;
    EXPECT_TRUE(e.heroY >= 144 || (e.viewRow == 0 && e.scrollY == 0)) << e.heroY;
    EXPECT_TRUE(e.heroY <= 496 || (e.viewRow == maxRow && e.scrollY == 0)) << e.heroY;
    auto [x, y] = MapPlace(e);
    EXPECT_EQ(HitAt(dest, x, y, Progress{false, false, false, false}), 0)
        << "arrival at map pixel " << x << "," << y << " is not free ground";
}

LevelExit ReadLair(int32_t number) {
    std::vector<int32_t> v = Ints(Name("data/lair/hlair%02d.txt", number));
    LevelExit e{};
    int32_t* f[12] = {
        &e.destLevel,         &e.heroX,     &e.heroY,         &e.mapMode, &e.viewCol, &e.viewRow,
        &e.encounterVillains, &e.battleMap, &e.encounterRate, &e.scrollX, &e.scrollY, &e.music};
    for (size_t k = 0; k < 12 && k < v.size(); ++k) *f[k] = v[k];
    return e;
}

void ExpectEncounterFiles(const LevelExit& e, const std::string& where) {
    SCOPED_TRACE(where);
    EXPECT_TRUE(Exists(Name("levels/battle%02d.txt", e.battleMap))) << e.battleMap;
    EXPECT_TRUE(e.encounterRate >= 0 && e.encounterRate < 700);
    if (e.encounterRate > 0) {
        EXPECT_TRUE(e.encounterVillains >= 1 && e.encounterVillains <= 44);
        EXPECT_TRUE(Exists(Name("data/villains/v%02d.txt", e.encounterVillains)));
    }
    EXPECT_TRUE(e.music >= 1 && e.music <= 3) << e.music;
}

// ---- the tests ------------------------------------------------------------------------------

TEST(ContentData, MapFilesHoldExactlyTheirNumbers) {
    auto levels = Numbered("levels", "level");
    auto arenas = Numbered("levels", "battle");
    ASSERT_GE(levels.size(), 3u);
    ASSERT_GE(arenas.size(), 3u);
    for (const auto& [n, file] : levels) {
        int bad = 0;
        size_t count = Words(file, &bad).size();
        EXPECT_EQ(bad, 0) << file;
        EXPECT_TRUE(count == 1111 || count == 3031) << file << " holds " << count;
    }
    for (const auto& [n, file] : arenas) {
        int bad = 0;
        EXPECT_EQ(Words(file, &bad).size(), 400u) << file;
        EXPECT_EQ(bad, 0) << file;
    }
}

TEST(ContentData, FreshGameFileIsASavedGameOfTheStart) {
    std::string text = Slurp(kFreshGameFile);
    int bad = 0;
    EXPECT_EQ(Words(kFreshGameFile, &bad).size(), 635u);
    EXPECT_EQ(bad, 0);
    // Written as the game writes a save: each integer followed by exactly one space.
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(text.back(), ' ');
    EXPECT_EQ(text.find("  "), std::string::npos);
    EXPECT_EQ(text.find('\n'), std::string::npos);

    ContentGame t;
    int32_t before = ContentWarningCount();
    ASSERT_EQ(LoadGame(t.g(), kFreshGameFile, 0), 1);
    EXPECT_EQ(ContentWarningCount(), before);
    const Actor& h = t.g().hero;
    for (int32_t a = 0; a < kAttributes; ++a) EXPECT_EQ(h.attr[a], 0) << "attribute " << a;
    EXPECT_GT(h.itemCount[0], 0);  // something to drink in the first fight
    EXPECT_GT(h.stepPeriod, 0);
    EXPECT_EQ(t.g().level.levelNumber, 1);
    // A new game begun from an empty slot, or after leaving the load screen, reads only this
    // file (start-up's grants are not repeated), so the file itself must carry the first spell
    // and the starting gear.
    EXPECT_EQ(h.spellOwned[0], 1);
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        EXPECT_EQ(h.equip[s].items[0].owned, 1) << "slot " << s;
        EXPECT_EQ(h.equip[s].equipped, 0) << "slot " << s;
    }
}

TEST(ContentData, DialogsFitTheBox) {
    auto dialogs = Numbered("data/dialog", "dialog");
    // Every dialog the program opens by number, whatever the levels say.
    for (int32_t n :
         {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 78}) {
        EXPECT_TRUE(dialogs.count(n)) << "dialog " << n << " is missing";
    }
    ContentGame t;
    for (const auto& [n, file] : dialogs) {
        SCOPED_TRACE(file);
        std::istringstream in(Slurp(file));
        std::string first;
        std::getline(in, first);
        int32_t count = std::atoi(first.c_str());
        ASSERT_TRUE(count >= 1 && count <= 3) << first;
        std::vector<std::string> lines;
        std::string line;
        while (std::getline(in, line)) lines.push_back(line);
        ASSERT_EQ(static_cast<int32_t>(lines.size()), count);
        for (const std::string& l : lines) EXPECT_LE(l.size(), 39u) << l;

        // The box shows exactly what the file says: no line spills into the next.
        int32_t before = ContentWarningCount();
        t.g().dialog = DialogBox{};
        LoadDialog(t.g(), file.c_str());
        EXPECT_EQ(ContentWarningCount(), before);
        ASSERT_EQ(t.g().dialog.lineCount, count);
        for (int32_t k = 0; k < count; ++k) EXPECT_EQ(Trimmed(t.g().dialog.lines[k]), lines[k]);
    }
}

TEST(ContentData, CatalogueNamesEveryPieceItemAndSpell) {
    ContentGame t;
    Game& g = t.g();
    int32_t before = ContentWarningCount();
    LoadCatalogue(g);
    EXPECT_EQ(ContentWarningCount(), before);

    // Each file names its own record; a copied file that kept its old number would leave a
    // hole in the catalogue and overwrite another entry.
    const char* words[kEquipSlots] = {"staff", "lhand", "body", "head", "neck", "feet"};
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        for (int32_t p = 0; p < kPiecesPerSlot; ++p) {
            std::string file = std::string("data/portal/") + words[s] + Name("%02d.txt", p);
            std::vector<int32_t> v = Ints(file);
            ASSERT_GE(v.size(), 6u) << file;
            EXPECT_EQ(v[0], s) << file;
            EXPECT_EQ(v[2], p) << file;
            EXPECT_FALSE(Trimmed(g.hero.equip[s].items[p].name).empty()) << file;
        }
    }
    for (int32_t k = 0; k < kItems; ++k) {
        EXPECT_EQ(Ints(Name("data/portal/item%02d.txt", k)).at(0), k);
        EXPECT_FALSE(Trimmed(g.hero.itemName[k]).empty()) << "item " << k;
        EXPECT_FALSE(Trimmed(g.hero.itemInfo[k]).empty()) << "item " << k;
    }
    for (int32_t k = 0; k < kSpells; ++k) {
        EXPECT_EQ(Ints(Name("data/portal/spell%02d.txt", k)).at(0), k);
        EXPECT_FALSE(Trimmed(g.hero.spellName[k]).empty()) << "spell " << k;
    }
}

TEST(ContentData, ChestsShopsAndTreasureHoldSensibleThings) {
    ContentGame t;
    Game& g = t.g();
    for (const auto& [n, file] : Numbered("data/chests", "chest")) {
        SCOPED_TRACE(file);
        int32_t before = ContentWarningCount();
        g.chests[n] = Chest{};
        g.chests[n].kind = -1;
        LoadChest(g, file.c_str());
        EXPECT_EQ(ContentWarningCount(), before);
        const Chest& c = g.chests[n];  // the record the file names must be its own
        EXPECT_EQ(Ints(file).at(0), n);
        EXPECT_FALSE(Trimmed(c.text).empty());
        switch (c.kind) {
            case 0:
                EXPECT_TRUE(c.slot >= 0 && c.slot < kEquipSlots && c.value >= 1 &&
                            c.value < kPiecesPerSlot);  // piece 0 is owned from the start
                break;
            case 1:
                EXPECT_TRUE(c.value >= 0 && c.value < kItems);
                break;
            case 2:
                EXPECT_TRUE(c.value >= 1 && c.value < kSpells);
                break;  // 0 is known
            case 3:
                EXPECT_TRUE(c.value > 0 && c.value <= 200);
                break;  // fits a new purse
            case 4:
                EXPECT_TRUE(c.value >= 1 && c.value <= 2);
                break;
            default:
                ADD_FAILURE() << "chest kind " << c.kind;
        }
    }
    for (const auto& [n, file] : Numbered("data/shops", "shop")) {
        SCOPED_TRACE(file);
        int32_t before = ContentWarningCount();
        LoadShop(g, file.c_str());
        EXPECT_EQ(ContentWarningCount(), before);
        ASSERT_TRUE(g.shop.wareCount >= 1 && g.shop.wareCount <= kWares);
        for (int32_t k = 0; k < g.shop.wareCount; ++k) {
            const Ware& w = g.shop.wares[k];
            EXPECT_GT(w.price, 0);
            EXPECT_FALSE(Trimmed(w.name).empty()) << k;
            EXPECT_FALSE(Trimmed(w.text).empty()) << k;
            if (w.kind == 0) {
                EXPECT_TRUE(w.slot >= 0 && w.slot < kEquipSlots && w.index >= 1 &&
                            w.index < kPiecesPerSlot)
                    << k;
            } else if (w.kind == 1) {
                EXPECT_TRUE(w.index >= 0 && w.index < kItems) << k;
            } else {
                EXPECT_EQ(w.kind, 2) << k;
                EXPECT_TRUE(w.index >= 1 && w.index < kSpells) << k;
            }
        }
        // The last ware ends the file: nothing was left unread.
        EXPECT_EQ(static_cast<int32_t>(Ints(file).at(0)), g.shop.wareCount);
    }
    for (const auto& [n, file] : Numbered("data/hidden", "ht")) {
        std::vector<int32_t> v = Ints(file);
        ASSERT_EQ(v.size(), 2u) << file;
        EXPECT_EQ(v[0], n) << file;
        EXPECT_GT(v[1], 0) << file;
    }
}

TEST(ContentData, ArenasLeaveRoomForBothFighters) {
    ContentGame t;
    Game& g = t.g();
    for (const auto& [n, file] : Numbered("levels", "battle")) {
        SCOPED_TRACE(file);
        int32_t before = ContentWarningCount();
        LoadLevel(g, Arena, file.c_str());
        EXPECT_EQ(ContentWarningCount(), before);
        const auto& cells = g.view.cells;
        // Cell (c, r) lies at 128c + 64, 128r + 64 on the screen (scroll -192).
        auto touches = [&](int32_t left, int32_t right, int32_t top, int32_t bottom) {
            std::vector<int32_t> hit;
            for (int32_t i = 0; i < kViewCells; ++i) {
                int32_t cl = 128 * (i % 10) + 64, ct = 128 * (i / 10) + 64;
                if (cells[Events][i] != 0 &&
                    !(bottom < ct || ct + 127 < top || right < cl || cl + 127 < left)) {
                    hit.push_back(i);
                }
            }
            return hit;
        };
        EXPECT_TRUE(touches(704 + 24, 704 + 103, 256 + 64, 256 + 127).empty());  // her feet
        EXPECT_TRUE(touches(704, 831, 256, 383).empty());                        // her sprite
        EXPECT_TRUE(touches(192, 319, 384, 511).empty());  // the villain stops at any event
        for (int32_t i = 0; i < kViewCells; ++i) {
            int32_t c = i % 10, r = i / 10;
            bool fieldBorder = c == 0 || c >= 7 || r == 0 || r >= 5;
            if (fieldBorder) {
                EXPECT_EQ(cells[Events][i], 1) << "cell " << c << "," << r;
            }
            EXPECT_TRUE(cells[Animated][i] >= 0 && cells[Animated][i] < 56);
            for (int32_t layer : {Ground, Overlay, Top}) {
                EXPECT_TRUE(cells[layer][i] >= 0 && cells[layer][i] < 1024);
            }
        }
    }
}

// Follows the adventure from the fresh game through every exit and lair: each level is loaded
// in the mode that leads there and checked cell by cell and walk by walk.
TEST(ContentData, LevelsAreWalkableFromEveryArrival) {
    ContentGame t;
    Game& g = t.g();
    ASSERT_EQ(LoadGame(g, kFreshGameFile, 0), 1);
    std::map<int32_t, std::vector<Arrival>> arrivals;
    Arrival start{"the fresh game", LevelExit{}};
    start.exit.destLevel = g.level.levelNumber;
    start.exit.heroX = g.hero.x;
    start.exit.heroY = g.hero.y;
    start.exit.mapMode = g.level.mode;
    start.exit.viewCol = g.level.viewCol;
    start.exit.viewRow = g.level.viewRow;
    start.exit.scrollX = g.level.scrollX;
    start.exit.scrollY = g.level.scrollY;
    start.exit.battleMap = g.level.battleMap;
    start.exit.encounterVillains = g.level.encounterVillains;
    start.exit.encounterRate = g.level.encounterRate;
    start.exit.music = g.level.levelMusic;
    ExpectEncounterFiles(start.exit, start.from);

    std::map<int32_t, Level> levels;
    std::vector<std::pair<int32_t, int32_t>> queue = {{start.exit.destLevel, start.exit.mapMode}};
    arrivals[start.exit.destLevel].push_back(start);
    std::set<int32_t> keysFound;  // key items a chest or shop gives without a locked door
    std::set<int32_t> keysNeeded;
    bool endGate = false;
    std::map<int32_t, std::set<int32_t>> levelCodes;

    for (size_t q = 0; q < queue.size(); ++q) {
        auto [number, mode] = queue[q];
        if (levels.count(number)) {
            EXPECT_EQ(levels[number].mode, mode) << "level " << number << " reached in two modes";
            continue;
        }
        std::string file = Name("levels/level%02d.txt", number);
        ASSERT_TRUE(Exists(file)) << file;
        ASSERT_TRUE(mode == Small || mode == Large) << file;
        int bad = 0;
        EXPECT_EQ(Words(file, &bad).size(), mode == Large ? 3031u : 1111u) << file;
        int32_t before = ContentWarningCount();
        Level l = LoadLevelData(g, number, mode);
        EXPECT_EQ(ContentWarningCount(), before) << file;
        levels[number] = l;
        SCOPED_TRACE(file);
        const LevelMap& m = l.tables;

        std::set<int32_t> codes;
        for (int32_t r = 0; r < l.rows; ++r) {
            for (int32_t c = 0; c < l.cols; ++c) {
                int32_t e = l.At(Events, c, r);
                codes.insert(e);
                EXPECT_TRUE(e >= 0 && e <= 62 && e != 59 && e != 60) << e;
                bool border = c == 0 || r == 0 || c == l.cols - 1 || r == l.rows - 1;
                if (border) {
                    EXPECT_TRUE(e == 1 || (e >= 2 && e <= 6) || e == 61)
                        << "open border at " << c << "," << r;
                }
                EXPECT_TRUE(l.At(Animated, c, r) >= 0 && l.At(Animated, c, r) < 56);
                for (int32_t layer : {Ground, Overlay, Top}) {
                    EXPECT_TRUE(l.At(layer, c, r) >= 0 && l.At(layer, c, r) < 1024);
                }
            }
        }
        // Every code the map uses has a table entry naming files that exist.
        for (int32_t e : codes) {
            SCOPED_TRACE("event code " + std::to_string(e));
            if ((e >= 2 && e <= 6) || e == 61) {
                const LevelExit& x = m.exits[e == 61 ? 1 : e - 2];
                ExpectEncounterFiles(x, file);
                queue.push_back({x.destLevel, x.mapMode});
                arrivals[x.destLevel].push_back({file + " exit " + std::to_string(e), x});
            } else if (e >= 7 && e <= 14) {
                int32_t d = m.dialogIds[e - 7];
                EXPECT_TRUE(Exists(Name("data/dialog/dialog%02d.txt", d))) << d;
                // These people speak anew once guardian 135 has fallen.
                const std::map<int32_t, int32_t> after = {
                    {70, 73}, {71, 74}, {72, 75}, {67, 76}, {68, 77}};
                if (after.count(d)) {
                    EXPECT_TRUE(Exists(Name("data/dialog/dialog%02d.txt", after.at(d))));
                }
            } else if (e == 15) {
                EXPECT_TRUE(Exists(Name("data/shops/shop%02d.txt", m.shopId)));
            } else if (e >= 16 && e <= 18) {
                EXPECT_TRUE(Exists(Name("data/chests/chest%02d.txt", m.chestIds[e - 16])));
            } else if ((e >= 19 && e <= 21) || (e >= 49 && e <= 58)) {
                int32_t door = m.lockIds[e <= 21 ? e - 19 : e - 46];
                EXPECT_TRUE(door >= 0 && door < kDoors);
                keysNeeded.insert(e <= 21 ? e - 16 : 13);
            } else if (e == 22 || e == 23) {
                EXPECT_TRUE(Exists(Name("data/hidden/ht%02d.txt", m.treasureIds[e - 22])));
            } else if (e >= 24 && e <= 43) {
                const GuardianSpot& s = m.guardianSpots[e - 24];
                EXPECT_TRUE(s.guardian >= 1 && s.guardian < kGuardians) << s.guardian;
                EXPECT_TRUE(Exists(Name("data/villains/v%02d.txt", s.villainFile)))
                    << s.villainFile;
                EXPECT_TRUE(s.villainFile >= 1 && s.villainFile <= 44);
                EXPECT_TRUE(s.battleMusic >= 1 && s.battleMusic <= 3);
            } else if (e == 44 || e == 45) {
                int32_t k = m.lairIds[e - 44];
                ASSERT_TRUE(Exists(Name("data/lair/hlair%02d.txt", k))) << k;
                LevelExit x = ReadLair(k);
                ExpectEncounterFiles(x, "lair " + std::to_string(k));
                queue.push_back({x.destLevel, x.mapMode});
                arrivals[x.destLevel].push_back({"lair " + std::to_string(k), x});
            } else if (e == 46 || e == 47) {
                EXPECT_TRUE(m.barrierIds[e - 46] >= 0 && m.barrierIds[e - 46] < kBarriers);
            }
        }
        if (codes.count(62)) endGate = true;
        levelCodes[number] = codes;
    }
    EXPECT_TRUE(endGate) << "no level holds the way out (62)";

    // Whatever the heroine must act on is in reach of the action button (or a key, or a spell)
    // once the way to it is open, and guardians do not hide each other.
    for (const auto& [number, l] : levels) {
        SCOPED_TRACE("level " + std::to_string(number));
        const std::set<int32_t>& codes = levelCodes[number];
        std::vector<std::pair<int32_t, int32_t>> everywhere;
        for (const Arrival& a : arrivals[number]) everywhere.push_back(MapPlace(a.exit));
        Walk open = WalkFrom(l, everywhere, kAllOpen);
        Walk guarded = WalkFrom(l, everywhere, Progress{true, true, false, true});
        Walk locked = WalkFrom(l, everywhere, Progress{false, true, true, true});
        Walk sealed = WalkFrom(l, everywhere, Progress{true, false, true, false});
        for (int32_t e : codes) {
            if (e >= 7 && e <= 18) {
                EXPECT_TRUE(open.inReach.count(e)) << "cannot act on " << e;
            }
            if (e >= 24 && e <= 43) {
                EXPECT_TRUE(guarded.inReach.count(e)) << "guardian " << e;
            }
            if ((e >= 19 && e <= 21) || (e >= 49 && e <= 58)) {
                EXPECT_TRUE(locked.inReach.count(e)) << "door " << e;
            }
            if (e >= 44 && e <= 47) {
                EXPECT_TRUE(sealed.inReach.count(e)) << "no spell at " << e;
            }
            if ((e >= 2 && e <= 6) || e == 15 || e == 44 || e == 45 || e == 62) {
                EXPECT_TRUE(open.leaves.count(e)) << "cannot walk into " << e;
            }
            if (e == 61) {
                EXPECT_TRUE(open.leaves.count(3)) << "the opened passage is walled in";
            }
        }
        for (int32_t e = 16; e <= 18; ++e) {
            if (!locked.inReach.count(e)) continue;
            int32_t n = l.tables.chestIds[e - 16];
            std::vector<int32_t> chest = Ints(Name("data/chests/chest%02d.txt", n));
            if (chest.size() >= 4 && chest[1] == 1) keysFound.insert(chest[3]);
        }
        // From every single arrival, every way out is reachable.
        for (const Arrival& a : arrivals[number]) {
            Walk w = WalkFrom(l, {MapPlace(a.exit)}, kAllOpen);
            EXPECT_EQ(w.leaves, open.leaves) << "from " << a.from;
        }
    }

    // Every arrival is sound in the level it leads to (checked once all levels are loaded).
    for (const auto& [number, list] : arrivals) {
        ASSERT_TRUE(levels.count(number));
        for (const Arrival& a : list) ExpectSoundArrival(a, levels[number]);
    }
    for (const auto& [n, file] : Numbered("data/shops", "shop")) {
        LoadShop(g, file.c_str());
        for (int32_t k = 0; k < g.shop.wareCount; ++k) {
            if (g.shop.wares[k].kind == 1) keysFound.insert(g.shop.wares[k].index);
        }
    }
    for (int32_t key : keysNeeded) EXPECT_TRUE(keysFound.count(key)) << "no key item " << key;
}

}  // namespace
}  // namespace veloria
