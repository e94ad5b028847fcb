#include "world/exits.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/content_files.h"
#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/dialog.h"
#include "input/handle_input.h"
#include "input/input_device.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "world/level_map.h"
#include "world/map_frame.h"
#include "world/treasure_schema.h"

namespace veloria {

namespace {

// Moves the hero to the place an exit or lair names: the level, her position, the view and the
// level's encounters and music. An exit
// into an unknown map mode would leave her on no map at all, so it is refused.
bool GoThrough(Game& g, const LevelExit& e) {
    if (e.mapMode < Arena || e.mapMode > Large) {
        char level[16];
        FormatText(level, sizeof(level), "level %d", g.level.levelNumber);
        ReportContent(g.platform, level, 0,
                      "level exit to level %d has map mode %d (1..3 expected); ignored",
                      e.destLevel, e.mapMode);
        return false;
    }
    LevelMap& m = g.level;
    m.levelNumber = e.destLevel;
    m.mode = static_cast<uint8_t>(e.mapMode);
    g.hero.x = e.heroX;
    g.hero.y = e.heroY;
    m.encounterVillains = e.encounterVillains;
    m.battleMap = e.battleMap;
    m.encounterRate = e.encounterRate;
    char file[48];
    LevelFileName(file, sizeof(file), e.destLevel);
    LoadLevel(g, static_cast<uint8_t>(e.mapMode), file);
    m.viewCol = e.viewCol;
    m.viewRow = e.viewRow;
    m.scrollX = e.scrollX;
    m.scrollY = e.scrollY;
    PresentBlackFrame(g);
    PlayWaveWait(g, "sound/gap.wav");
    MapFrame(g);
    return true;
}

}  // namespace

void TakeExit(Game& g, int32_t code) {
    if (g.flow.gameState != StateMap) return;
    if (code < 2 || code > 6) return;
    // A copy: loading the destination replaces the table it came from.
    const LevelExit e = g.level.exits[code - 2];
    if (!GoThrough(g, e)) return;
    g.level.levelMusic = e.music;
    char music[kMusicFileSize];
    FormatText(music, sizeof(music), "music/level%02d.mid", e.music);
    // The same piece on the next level plays on without a break.
    if (std::strcmp(music, g.musicFile) != 0) ChangeMusic(g, "%s", music);
}

void EnterLair(Game& g, int32_t code) {
    if (code < 44 || code > 45) return;
    const int32_t k = g.level.lairIds[code - 44];
    if (k < 0 || k >= kLairs) return;
    Lair& lair = g.hero.lairs[k];
    char file[48];
    FormatText(file, sizeof(file), "data/lair/hlair%02d.txt", k);
    {
        ContentReader r(g.platform, file);
        if (r.IsOpen()) ReadLevelExit(r, lair.exit);
    }
    const LevelExit e = lair.exit;
    if (g.flow.gameState == StateMap) GoThrough(g, e);
    // Unlike an exit, a lair always starts its music afresh.
    g.level.levelMusic = e.music;
    ChangeMusic(g, "music/level%02d.mid", e.music);
}

void DigTreasure(Game& g, int32_t code) {
    if (code != 22 && code != 23) {
        ShowDialogFile(g, 16);
        return;
    }
    const int32_t k = g.level.treasureIds[code - 22];
    if (k < 0 || k >= kTreasures) {
        ShowDialogFile(g, 16);  // a spot that names no treasure holds nothing
        return;
    }
    HiddenTreasure& t = g.hiddenTreasures[k];
    if (t.dug == 1) {
        ShowDialogFile(g, 17);
        return;
    }
    char file[48];
    FormatText(file, sizeof(file), "data/hidden/ht%02d.txt", k);
    {
        ContentReader r(g.platform, file);
        int32_t record = 0;
        const FieldSchema& f = kTreasureFileFields[0];
        if (r.IsOpen() && r.ReadIndex(&record, f.lo, f.hi, WarningWord(f))) {
            if (record != k) r.Warn("treasure record %d in the file of treasure %d", record, k);
            r.ReadInt(&g.hiddenTreasures[record].amount);
        }
    }
    AddGold(g, t.amount);
    t.dug = 1;
    SetDialogText(g, "You've dug up %d GP!", t.amount);  // the full find, even if the purse cut it
    PlayWave(g, "sound/win.wav");
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateDialog;
}

void TreasureHint(Game& g, int32_t code) {
    if (code != 22 && code != 23) return;
    const int32_t k = g.level.treasureIds[code - 22];
    if (k < 0 || k >= kTreasures) return;
    if (g.hiddenTreasures[k].dug == 0) Rumble(g, 4500, 0.25f);
}

}  // namespace veloria
