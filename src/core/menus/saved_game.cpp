// Saved games: the slot files and the fresh-game file share one text format of 635 integers,
// each followed by one space, no line breaks.
#include "menus/saved_game.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/content_files.h"
#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "input/input_device.h"
#include "menus/save_schema.h"
#include "presentation/platform.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"
#include "presentation/timer.h"
#include "world/level_map.h"

namespace veloria {

namespace {

constexpr const char* kSlotFiles[3] = {
    "data/villains/v45.txt",
    "data/villains/v46.txt",
    "data/villains/v47.txt",
};

constexpr int32_t kSlotPathSize = kSaveSlotPathSize;

// One integer of the file. Values that index a table carry their valid range; every other
// value is taken as it stands.
struct Field {
    int32_t* value;
    int32_t lo;
    int32_t hi;
    const char* what;  // nullptr: not range-checked
};

// Walks the 635 integers in the order of kSaveSchema; each value names its schema field, whose
// range applies. The map mode and the play time are passed in as plain integers because the
// record holds the mode as one byte and the file holds the total play time, not the stored
// playTime. Returns false when the walk strayed from the schema's order (a programming error
// that a save must not write out).
template <class Visit>
bool VisitSaveFields(Game& g, int32_t* mode, int32_t* playTime, Visit&& visit) {
    int32_t at = 0;
    bool inOrder = true;
    // The schema is searched once per field name, not once per integer: a run of a table's
    // values asks for the same name in a row.
    const char* lastName = nullptr;
    const FieldSchema* f = nullptr;
    int32_t first = 0;
    auto take = [&](const char* name, int32_t& v) {
        if (name != lastName) {
            lastName = name;
            f = FindField(kSaveSchema, name);
            first = SaveFieldAt(name);
        }
        if (!f || at < first || at >= first + f->count) {
            inOrder = false;
            return;
        }
        ++at;
        visit(Field{&v, f->lo, f->hi, IsChecked(*f) ? f->name : nullptr});
    };
    Actor& h = g.hero;
    LevelMap& m = g.level;

    for (int32_t& a : h.attr) take("attr", a);
    for (int32_t& s : h.spellOwned) take("spellOwned", s);
    for (int32_t& c : h.itemCount) take("itemCount", c);
    for (EquipSlot& slot : h.equip) {
        for (EquipItem& item : slot.items) take("owned", item.owned);
    }
    for (Lair& lair : h.lairs) take("lairs.opened", lair.opened);
    for (int32_t& d : h.guardianDefeated) take("guardianDefeated", d);
    take("facing", h.facing);
    take("x", h.x);
    take("y", h.y);
    take("stepPeriod", h.stepPeriod);
    for (Chest& c : g.chests) take("chests.opened", c.opened);
    for (int32_t& d : g.doorUnlocked) take("doorUnlocked", d);
    for (HiddenTreasure& t : g.hiddenTreasures) take("hiddenTreasures.dug", t.dug);
    take("levelNumber", m.levelNumber);
    take("viewCol", m.viewCol);
    take("viewRow", m.viewRow);
    take("encounterRate", m.encounterRate);
    take("battleMap", m.battleMap);
    take("encounterVillains", m.encounterVillains);
    take("mode", *mode);
    take("scrollX", m.scrollX);
    take("scrollY", m.scrollY);
    take("levelMusic", m.levelMusic);
    for (EquipSlot& slot : h.equip) take("equipped", slot.equipped);
    for (EquipSlot& slot : h.equip) take("listCursor", slot.listCursor);
    for (int32_t& b : h.barrierBroken) take("barrierBroken", b);
    take("playTime", *playTime);
    return inOrder && at == kSaveFileIntegers;
}

// The mode is one byte in the record and a signed number in the file.
int32_t ModeAsWritten(const Game& g) {
    return static_cast<int8_t>(g.level.mode);
}

// Makes the rename itself durable; a failure here cannot tear the slot any more.
void SyncDirectoryOf(const char* file) {
    char dir[kContentPathSize];
    CopyText(dir, sizeof(dir), file);
    char* slash = std::strrchr(dir, '/');
    if (slash) {
        *slash = '\0';
    } else {
        CopyText(dir, sizeof(dir), ".");
    }
    int fd = open(dir[0] ? dir : "/", O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    fsync(fd);
    close(fd);
}

// Creates the folders above file (0700, as a per-user data folder should be); a folder that
// cannot be made shows up as the save failing.
void MakeFoldersOf(const char* file) {
    char dir[kSlotPathSize];
    CopyText(dir, sizeof(dir), file);
    for (char* p = dir + 1; *p; ++p) {
        if (*p != '/') continue;
        *p = '\0';
        mkdir(dir, 0700);
        *p = '/';
    }
}

}  // namespace

void MakeSaveSlots(SaveSlots* slots, const char* root) {
    for (int32_t i = 0; i < 3; ++i) {
        slots->file[i][0] = '\0';
        if (!root || !root[0]) continue;
        // A cut path would name another file: the game directory then, rather than a wrong one.
        if (std::strlen(root) + std::strlen(kSlotFiles[i]) + 2 >= sizeof(slots->file[i])) continue;
        FormatText(slots->file[i], sizeof(slots->file[i]), "%s/%s", root, kSlotFiles[i]);
    }
}

const char* SlotFile(const Game& g, int32_t slot) {
    if (slot < 1 || slot > 3) return nullptr;
    const SaveSlots* rooted = g.platform.saveSlots;
    if (rooted && rooted->file[slot - 1][0]) return rooted->file[slot - 1];
    return kSlotFiles[slot - 1];
}

bool SaveToSlot(Game& g, int32_t slot) {
    const char* file = SlotFile(g, slot);
    if (!file) return false;
    // The data folder is made on the first save; the game directory's slot folder is content
    // and is never conjured up.
    if (file != kSlotFiles[slot - 1]) MakeFoldersOf(file);
    return SaveGame(g, file);
}

const char* SlotFileToLoad(const Game& g, int32_t slot) {
    const char* file = SlotFile(g, slot);
    if (file && file != kSlotFiles[slot - 1] && access(file, F_OK) != 0) {
        return kSlotFiles[slot - 1];
    }
    return file;
}

bool SaveGame(Game& g, const char* name) {
    char file[kContentPathSize];
    if (!name || !name[0] || !ContentPath(g.platform.contentRoot, name, file, sizeof(file)))
        return false;
    int32_t mode = ModeAsWritten(g);
    int32_t total = PlayTimeTotal(g);  // the file keeps the total, not the stored part

    // 635 numbers of at most 11 characters and a space each.
    char text[kSaveFileIntegers * 12 + 1];
    int32_t length = 0;
    int32_t count = 0;
    const bool inOrder = VisitSaveFields(g, &mode, &total, [&](const Field& f) {
        int written = std::snprintf(text + length, sizeof(text) - static_cast<size_t>(length),
                                    "%d ", *f.value);
        if (written > 0) length += written;
        ++count;
    });
    if (!inOrder || count != kSaveFileIntegers) return false;

    // Written beside the slot and renamed over it, so a failure at any point leaves the old
    // save whole instead of a torn or empty file.
    char temp[kContentPathSize + 8];
    FormatText(temp, sizeof(temp), "%s.tmp", file);
    if (std::strlen(file) + 4 >= sizeof(temp)) return false;
    FILE* out = std::fopen(temp, "w");
    if (!out) return false;
    bool ok = std::fwrite(text, 1, static_cast<size_t>(length), out) == static_cast<size_t>(length);
    ok = (std::fflush(out) == 0) && ok;
    ok = (fsync(fileno(out)) == 0) && ok;
    ok = (std::fclose(out) == 0) && ok;
    if (ok) ok = std::rename(temp, file) == 0;
    if (!ok) {
        std::remove(temp);
        return false;
    }
    SyncDirectoryOf(file);
    return true;
}

int32_t LoadGame(Game& g, const char* file, int32_t restore) {
    ContentReader reader(g.platform, file);
    if (!reader.IsOpen()) return 0;

    // A damaged or short file is read as far as it goes; values that would index a table
    // outside its range keep the field's previous value.
    int32_t mode = g.level.mode;
    int32_t playTime = g.hero.playTime;
    VisitSaveFields(g, &mode, &playTime, [&](const Field& f) {
        if (f.what) {
            reader.ReadIndex(f.value, f.lo, f.hi, f.what);
        } else {
            reader.ReadInt(f.value);
        }
    });
    g.level.mode = static_cast<uint8_t>(mode);
    g.hero.playTime = playTime;
    if (!restore) return 1;

    InstallWalkingDelays(g);

    SetMusicFile(g, "music/level%.2d.mid", g.level.levelMusic);
    StopMusic(g);
    PlayMusic(g, g.musicFile, true);

    // LoadLevel starts the level at its own view; the saved view and scroll are put back.
    const int32_t levelNumber = g.level.levelNumber;
    const int32_t scrollX = g.level.scrollX;
    const int32_t scrollY = g.level.scrollY;
    const int32_t viewCol = g.level.viewCol;
    const int32_t viewRow = g.level.viewRow;
    char levelFile[64];
    LevelFileName(levelFile, sizeof(levelFile), levelNumber);
    LoadLevel(g, g.level.mode, levelFile);
    g.level.levelNumber = levelNumber;
    g.level.scrollX = scrollX;
    g.level.scrollY = scrollY;
    g.level.viewCol = viewCol;
    g.level.viewRow = viewRow;

    TimerReset(g.playClock);
    TimerUpdate(g, g.playClock);
    return 1;
}

void SaveScreen(Game& g) {
    MusicKeepAlive(g);
    SetBackgroundFile(g, "art/bg/main_menu3.bmp");
    DrawText(g, 0, "Save Game?", 445, 300, kColourDarkRed);
    DrawText(g, 1, "1: File #1", 445, 350, kColourDarkGreen);
    DrawText(g, 2, "2: File #2", 445, 380, kColourDarkGreen);
    DrawText(g, 3, "3: File #3", 445, 410, kColourDarkGreen);
    DrawText(g, 4, "4: Cancel", 445, 440, kColourDarkGreen);
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

void LoadScreen(Game& g) {
    MusicKeepAlive(g);
    SetBackgroundFile(g, "art/bg/title4.bmp");
    DrawText(g, 0, "Which file?", 500, 270, kColourDarkRed);

    for (int32_t slot = 1; slot <= 3; ++slot) {
        char lineA[80];
        char lineB[80];
        lineB[0] = '\0';
        if (LoadGame(g, SlotFileToLoad(g, slot), 0)) {
            const int32_t* attr = g.hero.attr;
            FormatText(lineA, sizeof(lineA), "%d) FILE #%d-   Level: %d    HP: %d/%d", slot, slot,
                       attr[Level], attr[HP], attr[MaxHP]);
            int32_t rest = g.hero.playTime;
            const int32_t hours = rest / 3600000;
            rest -= hours * 3600000;
            const int32_t minutes = rest / 60000;
            rest -= minutes * 60000;
            const int32_t seconds = rest / 1000;
            FormatText(lineB, sizeof(lineB), "    Time played: %dh %dm %ds", hours, minutes,
                       seconds);
        } else {
            FormatText(lineA, sizeof(lineA), "%d) FILE #%d-   Empty", slot, slot);
        }
        const int32_t y = 320 + (slot - 1) * 100;
        DrawText(g, 2 * slot - 1, lineA, 400, y, kColourDarkRed);
        DrawText(g, 2 * slot, lineB, 400, y + 25, kColourDarkRed);
    }
    DrawText(g, 7, "4) Return to Main Menu", 400, 620, kColourDarkRed);
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

}  // namespace veloria
