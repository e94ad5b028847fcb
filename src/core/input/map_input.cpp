// Walking and the six action buttons in StateMap and StateBattle.
#include "battle/battle.h"
#include "flow/game.h"
#include "hero/chest.h"
#include "hero/dialog.h"
#include "hero/equip_screens.h"
#include "hero/spells.h"
#include "input/handle_input.h"
#include "world/exits.h"
#include "world/movement.h"

namespace veloria {

namespace {

bool IsDoor(int32_t e) {
    return (e >= 19 && e <= 21) || (e >= 49 && e <= 58);
}

// Lair entrances and barriers let the hero pass only once a spell opened or broke them; a table
// number outside its table never has.
bool LairOpen(const Game& g, int32_t e) {
    int32_t k = g.level.lairIds[e - 44];
    return k >= 0 && k < kLairs && g.hero.lairs[k].opened != 0;
}

bool BarrierBroken(const Game& g, int32_t e) {
    int32_t k = g.level.barrierIds[e - 46];
    return k >= 0 && k < kBarriers && g.hero.barrierBroken[k] != 0;
}

void ActOnCellAhead(Game& g) {
    const int32_t e = LookAhead(g);
    if (e >= 16 && e <= 18 && g.hero.facing == 2) {
        OpenChest(g, e);  // chests open only from below
    } else if (e >= 24 && e <= 43) {
        StartGuardianBattle(g, e);
    } else if (e >= 7 && e <= 14) {
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
    if (e == 1 || (e >= 7 && e <= 14) || (e >= 16 && e <= 18) || (e >= 24 && e <= 43)) {
        accept = false;
    } else if (e == 15) {
        StepBack(g);
        g.flow.gameState = StateShop;
        g.shop.menuCursor = 0;
        return;
    } else if (IsDoor(e)) {
        accept = DoorOpen(g, e);
    } else if (e >= 2 && e <= 6) {
        TakeExit(g, e);
        return;
    } else if (e == 22 || e == 23) {
        TreasureHint(g, e);
    } else if (e == 59 || e == 60) {
        TreasureHint(g, e - 37);
        accept = false;
    } else if (e == 44 || e == 45) {
        if (!LairOpen(g, e)) {
            accept = false;
        } else {
            EnterLair(g, e);
            return;
        }
    } else if (e == 46 || e == 47) {
        accept = BarrierBroken(g, e);
    } else if (e == 62 && code == InputUp) {
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
