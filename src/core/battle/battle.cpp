// Entering a battle (guardian spot or random encounter), the battle panel, the victory pictures
// and the way back to the exact place the battle began.
#include "battle/battle.h"

#include <cstdint>

#include "battle/damage.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "input/input_device.h"
#include "presentation/random.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"
#include "presentation/timer.h"
#include "world/level_map.h"
#include "world/map_frame.h"
#include "world/villain.h"

namespace veloria {

namespace {

constexpr int32_t kFirstGuardianCode = 24;
constexpr int32_t kGuardianSpots = 20;

void ShowVictoryPicture(Game& g, const char* file) {
    CopyText(g.backgroundFile, kBackgroundFileSize, file);
    SetBackground(g, g.backgroundFile);
}

}  // namespace

void StartGuardianBattle(Game& g, int32_t code) {
    const int32_t index = code - kFirstGuardianCode;
    if (index < 0 || index >= kGuardianSpots) return;
    const GuardianSpot& spot = g.level.guardianSpots[index];
    // A guardian number outside the flag table cannot be remembered: it is fought like a
    // random encounter and never marked defeated.
    int32_t guardian = spot.guardian;
    if (guardian < 0 || guardian >= kGuardians) guardian = 0;
    if (g.hero.guardianDefeated[guardian] != 0) return;
    char music[kMusicFileSize];
    FormatText(music, sizeof(music), "music/battle%02d.mid", spot.battleMusic);
    EnterBattle(g, guardian, spot.villainFile, spot.battleMusic, music);
}

void EncounterCheck(Game& g) {
    if (g.flow.gameState != StateMap || g.level.encounterRate == 0) return;
    const int32_t r = Random(g, 700);
    if (static_cast<uint32_t>(r) <= static_cast<uint32_t>(g.level.encounterRate)) {
        EnterBattle(g, 0, g.level.encounterVillains, 1, "music/battle01.mid");
    }
}

void EnterBattle(Game& g, int32_t guardian, int32_t villainFile, int32_t musicNumber,
                 const char* musicFile) {
    MapContext& c = g.battle.context;
    c.viewCol = g.level.viewCol;
    c.viewRow = g.level.viewRow;
    c.heroX = g.hero.x;
    c.heroY = g.hero.y;
    c.heroFacing = g.hero.facing;
    c.mode = g.level.mode;
    c.scrollX = g.level.scrollX;
    c.scrollY = g.level.scrollY;

    // Set for every battle, not only a guardian's: a guardian battle that was lost must not
    // leave its number behind to be marked by the next random encounter's victory.
    g.battle.currentGuardian = guardian;

    SetInvertedColours(g);
    MapFrame(g);
    Rumble(g, 6500, 0.62f);
    PlayWaveWait(g, "sound/battle.wav");
    SetNormalColours(g);

    char battleFile[40];
    FormatText(battleFile, sizeof(battleFile), "levels/battle%02d.txt", g.level.battleMap);
    g.level.battleMusic = musicNumber;
    CopyText(g.musicFile, kMusicFileSize, musicFile);
    g.flow.gameState = StateBattle;
    g.hero.x = 704;
    g.hero.y = 256;
    g.hero.facing = 0;
    LoadVillain(g, villainFile);
    LoadLevel(g, Arena, battleFile);
    StopMusic(g);
    PlayMusic(g, g.musicFile, true);
    if (guardian != 0) {
        RecomputeStats(g);
        MapFrame(g);
    } else {
        MapFrame(g);
        RecomputeStats(g);
    }
}

void DrawBattlePanel(Game& g) {
    if (MusicPlaying(g) == 0) PlayMusic(g, g.musicFile, true);
    const Actor& hero = g.hero;
    const Villain& v = g.villain;
    char line[kTextLength];
    DrawText(g, 0, hero.name, 350, 1, kColourBlue);
    FormatText(line, sizeof(line), "HP: %d / %d", hero.attr[HP], hero.attr[MaxHP]);
    DrawText(g, 1, line, 350, 23, kColourWhite);
    FormatText(line, sizeof(line), "MP: %d / %d", hero.attr[MP], hero.attr[MaxMP]);
    DrawText(g, 2, line, 350, 43, kColourWhite);
    DrawText(g, 3, "VS.", 500, 20, kColourBrightGreen);
    DrawText(g, 4, v.name, 610, 1, kColourRed);
    FormatText(line, sizeof(line), "HP: %d / %d", v.hp, v.maxHp);
    DrawText(g, 5, line, 610, 23, kColourWhite);
    FormatText(line, sizeof(line), "MP: %d / %d", v.mp, v.maxMp);
    DrawText(g, 6, line, 610, 43, kColourWhite);
}

void VictorySequence(Game& g) {
    BattleState& b = g.battle;
    switch (b.victoryStep) {
        case 1:
            StopMusic(g);
            CopyText(g.musicFile, kMusicFileSize, "music/level06.mid");
            PlayMusic(g, g.musicFile, true);
            ShowVictoryPicture(g, "art/bg/battle1.bmp");
            DrawFrame(g, 0, 1);
            b.victoryStep = 2;
            TimerReset(b.victoryTimer);
            break;
        case 2:
            if (!TimerElapsed(g, b.victoryTimer, 300)) return;
            ShowVictoryPicture(g, "art/bg/battle2.bmp");
            DrawFrame(g, 0, 1);
            b.victoryStep = 3;
            break;
        case 3:
            if (!TimerElapsed(g, b.victoryTimer, 60)) return;
            ShowVictoryPicture(g, "art/bg/battle3.bmp");
            DrawFrame(g, 0, 1);
            b.victoryStep = 4;
            break;
        case 4:
            if (!TimerElapsed(g, b.victoryTimer, 60)) return;
            ShowVictoryPicture(g, "art/bg/battle4.bmp");
            GrantRewards(g);
            DrawFrame(g, 0, 1);
            b.victoryStep = 5;
            break;
        default:
            break;
    }
}

void ReturnFromBattle(Game& g) {
    const MapContext& c = g.battle.context;
    g.flow.gameState = StateMap;
    FormatText(g.musicFile, kMusicFileSize, "music/level%.2d.mid", g.level.levelMusic);
    char levelFile[40];
    FormatText(levelFile, sizeof(levelFile), "levels/level%02d.txt", g.level.levelNumber);
    LoadLevel(g, c.mode, levelFile);
    g.hero.facing = c.heroFacing;
    g.hero.x = c.heroX;
    g.hero.y = c.heroY;
    g.level.viewCol = c.viewCol;
    g.level.viewRow = c.viewRow;
    g.level.scrollX = c.scrollX;
    g.level.scrollY = c.scrollY;
    StopMusic(g);
    PlayMusic(g, g.musicFile, true);
    MapFrame(g);
    g.battle.rewardsShown = 0;
    g.mapFrame.mapEntered = 0;
    g.battle.victoryStep = 1;
}

}  // namespace veloria
