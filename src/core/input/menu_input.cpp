#include "input/menu_input.h"

#include <cstdint>

#include "battle/battle.h"
#include "flow/bounded_text.h"
#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/equip_screens_record.h"
#include "hero/shop.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "menus/attributes.h"
#include "menus/saved_game.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "world/startup.h"

namespace veloria {

namespace {

bool IsButton1To6(int8_t code) {
    return code >= InputButton1 && code <= InputButton6;
}
bool IsUpDown(int8_t code) {
    return code == InputUp || code == InputDown;
}

// Opens a screen of the in-game menu with its picture.
void OpenScreen(Game& g, int32_t state, const char* background) {
    g.flow.gameState = state;
    SetBackgroundFile(g, "%s", background);
    PlayWave(g, "sound/button2.wav");
}

void MainMenuInput(Game& g, int8_t code) {
    switch (code) {
        case InputButton1:
            OpenScreen(g, StateEquipMenu, "art/bg/equip_menu1.bmp");
            break;
        case InputButton2:
            OpenScreen(g, StateItemMenu, "art/bg/item_menu.bmp");
            break;
        case InputButton3:
            OpenScreen(g, StateSpellMenu, "art/bg/spell_menu.bmp");
            break;
        case InputButton4:
            // The save screen names its own picture.
            g.flow.gameState = StateSaveMenu;
            PlayWave(g, "sound/button2.wav");
            break;
        case InputButton5:
            ResumePlay(g);
            break;
        case InputEscape:
            g.flow.gameState = StateQuitConfirm;
            PlayWave(g, "sound/button2.wav");
            break;
        default:
            break;
    }
}

// The spell, item and equipment screens share their way out.
void ListScreenInput(Game& g, int8_t code, int32_t* cursor, int32_t count) {
    if (IsUpDown(code)) {
        MoveCursor(g, code, cursor, count);
    } else if (code == InputButton1) {
        ResumePlay(g);
    } else if (code == InputButton2) {
        BackToMainMenu(g, "sound/button3.wav");
    }
}

void EquipListInput(Game& g, int8_t code) {
    if (IsUpDown(code)) {
        const int32_t slot = g.hero.equipCursor;
        if (slot < 0 || slot >= kEquipSlots) return;
        EquipSlot& s = g.hero.equip[slot];
        MoveCursor(g, code, &s.listCursor, s.listCount);
    } else if (code == InputButton2) {
        g.flow.gameState = StateEquipMenu;
        SetBackgroundFile(g, "art/bg/equip_menu1.bmp");
        PlayWave(g, "sound/button3.wav");
    }
}

void SaveMenuInput(Game& g, int8_t code) {
    if (code == InputButton4) {
        BackToMainMenu(g, "sound/button3.wav");
        return;
    }
    if (g.level.inArena != 0) {
        // The cannot-save screen offers only the way back.
        if (code == InputButton2) BackToMainMenu(g, "sound/button3.wav");
        return;
    }
    if (code >= InputButton1 && code <= InputButton3) {
        g.menus.saveFailed = SaveToSlot(g, code - InputButton1 + 1) ? 0 : 1;
        g.flow.gameState = StateGameSaved;
        PlayWave(g, "sound/button.wav");
    }
}

void ShopInput(Game& g, int8_t code) {
    Shop& shop = g.shop;
    if (IsUpDown(code)) {
        MoveCursor(g, code, &shop.menuCursor, 3);
        return;
    }
    if (code != InputButton3) return;
    switch (shop.menuChoice) {
        case 0: {
            g.flow.gameState = StateShopBuy;
            char path[64];
            FormatText(path, sizeof(path), "data/shops/shop%02d.txt", g.level.shopId);
            LoadShop(g, path);
            PlayWave(g, "sound/button2.wav");
            shop.buyCursor = 0;
            break;
        }
        case 1:
            g.flow.gameState = StateShopSell;
            BuildSellList(g);
            PlayWave(g, "sound/button2.wav");
            shop.sellCursor = 0;
            break;
        case 2:
            g.flow.gameState = StateMap;
            break;
        default:
            break;
    }
}

// Buy and sell lists: move, go back to the entrance, or trade the line under the cursor.
void TradeListInput(Game& g, int8_t code, int32_t* cursor, int32_t count, void (*trade)(Game&)) {
    if (IsUpDown(code)) {
        MoveCursor(g, code, cursor, count);
    } else if (code == InputButton2) {
        g.flow.gameState = StateShop;
        PlayWave(g, "sound/button3.wav");
    } else if (code == InputButton3) {
        trade(g);
    }
}

void TitleInput(Game& g, int8_t code) {
    if (g.screens.titleStep < 3) return;  // the opening pictures are still playing
    if (code == InputButton1) {
        g.flow.gameState = StateLoadMenu;
        PlayWaveWait(g, "sound/button.wav");
    } else if (code == InputButton2) {
        g.flow.gameState = StateStoryScroll;
        PlayWaveWait(g, "sound/button.wav");
    } else if (code == InputEscape) {
        QuitGame(g);
    }
}

void LoadMenuInput(Game& g, int8_t code) {
    if (code == InputButton4) {
        g.flow.gameState = StateTitle;
        g.menus.loadScreenDrawn = 0;
        LoadGame(g, kFreshGameFile, 0);
        PlayWaveWait(g, "sound/button.wav");
        return;
    }
    if (code < InputButton1 || code > InputButton3) return;
    const char* slot = SlotFileToLoad(g, code - InputButton1 + 1);
    if (LoadGame(g, slot, 0) == 0) {
        // An empty slot starts a new game: put the fresh game back over whatever was listed.
        g.flow.gameState = StateStoryScroll;
        PlayWaveWait(g, "sound/button.wav");
        LoadGame(g, kFreshGameFile, 0);
        g.menus.loadScreenDrawn = 0;
        return;
    }
    g.flow.gameState = StateMap;
    PlayWaveWait(g, "sound/button.wav");
    g.menus.loadScreenDrawn = 0;
    LoadGame(g, slot, 1);
}

void EndStoryInput(Game& g, int8_t code) {
    if (IsButton1To6(code)) {
        if (g.screens.endPage < 4) {
            g.screens.endWaiting = 0;
            PlayWave(g, "sound/button3.wav");
        }
    } else if (code == InputEscape && g.screens.endPage >= 4) {
        PlayWave(g, "sound/button3.wav");
        QuitGame(g);
    }
}
}  // namespace

void HandleMenuInput(Game& g, int8_t code) {
    MenuCursors& c = g.cursors;
    switch (g.flow.gameState) {
        case StateMainMenu:
            MainMenuInput(g, code);
            break;
        case StateSpellMenu:
            ListScreenInput(g, code, &c.spellMenuCursor, c.spellMenuCount);
            break;
        case StateItemMenu:
            ListScreenInput(g, code, &c.itemMenuCursor, c.itemMenuCount);
            break;
        case StateEquipMenu:
            if (code == InputButton3) {
                OpenScreen(g, StateEquipList, "art/bg/equip_menu2.bmp");
            } else {
                ListScreenInput(g, code, &c.equipMenuCursor, c.equipMenuCount);
            }
            break;
        case StateEquipList:
            EquipListInput(g, code);
            break;
        case StateQuitConfirm:
            if (code == InputButton2) {
                BackToMainMenu(g, "sound/button3.wav");
            } else if (code == InputEscape) {
                PlayWave(g, "sound/button3.wav");
                OpenWebPage(g);
                QuitGame(g);
            }
            break;
        case StateSaveMenu:
            SaveMenuInput(g, code);
            break;
        case StateGameSaved:
            if (code == InputButton1) BackToMainMenu(g, "sound/button2.wav");
            break;
        case StateVictory:
            if (code == InputButton5 && g.battle.victoryStep == 5) ReturnFromBattle(g);
            break;
        case StateHeroDead:
            if (code == InputButton5) {
                ChangeMusic(g, "music/title.mid");
                StartupLoad(g);
            }
            break;
        case StateDialog:
            if (IsButton1To6(code)) g.flow.gameState = g.flow.returnState;
            break;
        case StateShop:
            ShopInput(g, code);
            break;
        case StateShopBuy:
            TradeListInput(g, code, &g.shop.buyCursor, g.shop.wareCount, Buy);
            break;
        case StateShopMessage:
            if (IsButton1To6(code)) {
                g.flow.gameState = g.flow.returnState;
                PlayWave(g, "sound/button3.wav");
            }
            break;
        case StateShopSell:
            TradeListInput(g, code, &g.shop.sellCursor, g.shop.sellCount, Sell);
            break;
        case StateTitle:
            TitleInput(g, code);
            break;
        case StateAttributes:
            if (code == InputButton1) {
                g.flow.gameState = StateMap;
                PlayWaveWait(g, "sound/button.wav");
                StartNewGame(g);
            } else if (code == InputButton2) {
                g.menus.rerollFlag = 0;
                PlayWave(g, "sound/reroll.wav");
            }
            break;
        case StateStoryScroll:
            if (IsButton1To6(code)) {
                g.flow.gameState = StateAttributes;
                PlayWaveWait(g, "sound/button.wav");
            }
            break;
        case StatePlayTime:
            if (IsButton1To6(code)) g.flow.gameState = StateMap;
            break;
        case StateLoadMenu:
            LoadMenuInput(g, code);
            break;
        case StateEndStory:
            EndStoryInput(g, code);
            break;
        default:
            break;
    }
}

}  // namespace veloria
