// Walking and the six action buttons in StateMap and StateBattle.
#include "input/map_input.h"

#include <cstdint>

#include "battle/battle.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/chest.h"
#include "hero/dialog.h"
#include "hero/equip_screens.h"
#include "hero/spells.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "presentation/sound.h"
#include "world/event_code.h"
#include "world/exits.h"
#include "world/map_frame.h"
#include "world/movement.h"

namespace veloria {

namespace {

// Lair entrances and barriers let the hero pass only once a spell opened or broke them; a table
// number outside its table never has.
bool LairOpen(const Game& g, int32_t e) {
    int32_t k = g.level.lairIds[e - EventLairFirst];
    return k >= 0 && k < kLairs && g.hero.lairs[k].opened != 0;
}

bool BarrierBroken(const Game& g, int32_t e) {
    int32_t k = g.level.barrierIds[e - EventBarrierFirst];
    return k >= 0 && k < kBarriers && g.hero.barrierBroken[k] != 0;
}

void ActOnCellAhead(Game& g) {
    const int32_t e = LookAhead(g);
    if (IsChest(e) && g.hero.facing == 2) {
        OpenChest(g, e);  // chests open only from below
    } else if (IsGuardian(e)) {
        StartGuardianBattle(g, e);
    } else if (IsPerson(e)) {
        SignDialog(g, e);
        PlayWave(g, "sound/button.wav");
        g.flow.returnState = g.flow.gameState;
        g.flow.gameState = StateDialog;
    } else {
        ShowDialogFile(g, 3);
    }
}

void UseSelectedItem(Game& g) {
    const int32_t item = g.hero.selectedItem;
    if (item >= 0 && item <= 2) {
        UsePotion(g);
    } else if ((item >= 3 && item <= 5) || item == 13) {
        const int32_t e = LookAhead(g);
        if (IsDoor(e)) {
            UseKey(g, e);
        } else {
            ShowDialogFile(g, 13);
        }
    } else if (item == 6) {
        if (g.flow.gameState == StateBattle) {
            ShowDialogFile(g, 15);
        } else {
            DigTreasure(g, HitEvent(g, g.hero));  // the spot under her, not ahead
        }
    } else if (item >= 7 && item <= 12) {
        UseTonic(g);
    } else if (item == kNoItem) {
        ShowDialogFile(g, 8);
    }
}

void CastSelectedSpell(Game& g) {
    char file[48];
    FormatText(file, sizeof(file), "data/spells/cast%02d.txt", g.hero.selectedSpell);
    LoadActor(g, g.heroSpell, file);
    if (g.hero.attr[MagicLevel] < g.heroSpell.attr[MagicLevel]) {
        PlayWave(g, "sound/nomag.wav");
        LoadActor(g, g.heroSpell, kDummyActorFile);
        LoadDialogNumber(g, 2);
        g.flow.returnState = g.flow.gameState;
        g.flow.gameState = StateDialog;
        return;
    }
    CastHeroSpell(g);  // checks the magic points and launches
}

}  // namespace

int8_t LookAhead(Game& g) {
    StepForward(g);
    int8_t e = HitEvent(g, g.hero);
    StepBack(g);
    return e;
}

void StepHero(Game& g, int8_t code) {
    if (code < InputLeft || code > InputDown) return;
    Actor& h = g.hero;
    // Left, right, up, down: the facing equals the code minus one.
    h.facing = code - InputLeft;
    ToggleStepFrame(h);
    StepForward(g);
    const int32_t e = HitEvent(g, h);

    bool accept = true;
    switch (ClassifyStep(e, code == InputUp)) {
        case StepKind::Walk:
            break;
        case StepKind::Refuse:
            accept = false;
            break;
        case StepKind::Shop:
            StepBack(g);
            g.flow.gameState = StateShop;
            g.shop.menuCursor = 0;
            return;
        case StepKind::Door:
            accept = DoorOpen(g, e);
            break;
        case StepKind::Exit:
            TakeExit(g, e);
            return;
        case StepKind::TreasureSpot:
            TreasureHint(g, e);
            break;
        case StepKind::BesideTreasure:
            TreasureHint(g, e - EventBesideTreasureFirst + EventTreasureFirst);
            accept = false;
            break;
        case StepKind::Lair:
            if (!LairOpen(g, e)) {
                accept = false;
                break;
            }
            EnterLair(g, e);
            return;
        case StepKind::Barrier:
            accept = BarrierBroken(g, e);
            break;
        case StepKind::EndGame:
            g.flow.gameState = StateEndStory;
            return;
    }

    if (!accept) {
        StepBack(g);
        return;
    }
    ScrollView(g);
    EncounterCheck(g);
    AfterStepUpdate(g);
}

void HandleMapInput(Game& g, int8_t code) {
    const bool onMap = g.flow.gameState == StateMap;
    switch (code) {
        case InputLeft:
        case InputRight:
        case InputUp:
        case InputDown:
            StepHero(g, code);
            break;
        case InputButton1:
            if (onMap) ActOnCellAhead(g);
            break;
        case InputButton2:
            UseSelectedItem(g);
            break;
        case InputButton3:
            CastSelectedSpell(g);
            break;
        case InputButton4:
            if (onMap) g.flow.gameState = StatePlayTime;
            break;
        case InputButton5:
            EnterMainMenu(g);
            break;
        case InputButton6:
            FrameRateText(g);
            g.mapFrame.mapEntered = 0;
            break;
        default:
            break;
    }
}

}  // namespace veloria
