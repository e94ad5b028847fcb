#pragma once
// The one Game: every record of the running game, owned in one place and passed by reference,
// so tests and fuzzers can build as many fresh games as they like. Only records are included
// here; the operations on them are in each subsystem's own header.
#include <cstdint>

#include "battle/battle_record.h"
#include "flow/frame_loop_record.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "hero/dialog_record.h"
#include "hero/equip_screens_record.h"
#include "hero/shop_record.h"
#include "input/input_device_record.h"
#include "menus/main_menu_record.h"
#include "presentation/platform_record.h"
#include "presentation/random_record.h"
#include "presentation/renderer_record.h"
#include "presentation/screens_record.h"
#include "presentation/sound_record.h"
#include "presentation/timer_record.h"
#include "world/anim_table_record.h"
#include "world/level_map_record.h"
#include "world/map_frame_record.h"
#include "world/villain_record.h"

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

}  // namespace veloria
