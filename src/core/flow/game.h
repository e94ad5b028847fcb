#pragma once
// The one Game: every record of the running game, owned in one place and passed by reference,
// so tests and fuzzers can build as many fresh games as they like.
#include <cstdint>

#include "battle/battle.h"
#include "flow/frame_loop.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/chest.h"
#include "hero/dialog.h"
#include "hero/equip_screens.h"
#include "hero/shop.h"
#include "input/input_codes.h"
#include "input/input_device.h"
#include "menus/main_menu.h"
#include "presentation/platform.h"
#include "presentation/renderer.h"
#include "presentation/screens.h"
#include "presentation/sound.h"
#include "presentation/timer.h"
#include "world/anim_table.h"
#include "world/level_map.h"
#include "world/map_frame.h"
#include "world/villain.h"

namespace veloria {

constexpr int32_t kBackgroundFileSize = 80;

struct Game {
    Platform platform;

    // Game flow.
    FlowState flow;
    ScreenProgress screens;

    // Presentation.
    Renderer renderer;
    char backgroundFile[kBackgroundFileSize];
    MusicPlayer music;
    char musicFile[kMusicFileSize];
    RandomState random;
    Timer playClock;
    Timer animTimers[4];  // shared by all actors: states 2, 4, 5 and 3 end on timers 0..3

    // Input.
    InputDevice input;
    int8_t lastInputCode;

    // Hero and shots.
    Actor hero;
    Projectile heroSpell;
    Projectile villainSpell;

    // World.
    LevelMap level;
    ViewLayers view;
    AnimTable anims;
    MapFrameState mapFrame;
    int32_t doorUnlocked[kDoors];
    HiddenTreasure hiddenTreasures[kTreasures];
    Chest chests[kChests];
    Villain villain;
    DialogBox dialog;

    // Trade and menus.
    Shop shop;
    MenuCursors cursors;
    MenuState menus;

    // Battle.
    BattleState battle;
};

// Zeroes every record and sets the program-start values (title step 1, web-page switch 1,
// victory step 1, menu picture frame 1). Platform pointers are kept.
void ResetGame(Game& g, const Platform& platform);

// Clock reading through the injected clock.
uint32_t Now(Game& g);

// Bounded formatting helpers: always terminate, never overflow.
void CopyText(char* dst, int32_t size, const char* src);
void FormatText(char* dst, int32_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace veloria
