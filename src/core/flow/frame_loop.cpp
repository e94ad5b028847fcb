#include "flow/frame_loop.h"

#include <cstdint>

#include "battle/battle.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/equip_screens.h"
#include "hero/shop.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "input/input_device.h"
#include "menus/attributes.h"
#include "menus/main_menu.h"
#include "menus/saved_game.h"
#include "presentation/platform.h"
#include "presentation/random.h"
#include "presentation/renderer.h"
#include "presentation/screens.h"
#include "presentation/sound.h"
#include "presentation/text.h"
#include "world/map_frame.h"

namespace veloria {

namespace {
constexpr const char* kTileLibraryFile = "art/tilelib1.mpt";

// Deferred set-up: the tile library, quad buffer, font and joystick need the display, which
// exists only once the loop runs. False when the game cannot run on this card.
bool FirstFrameSetUp(Game& g) {
    if (LoadTileLibrary(g, kTileLibraryFile) == TileLibraryLoad::CardTooSmall) {
        if (g.platform.shell) {
            g.platform.shell->MessageBox(g.renderer.textureSizeMessage,
                                         g.renderer.textureSizeCaption);
        }
        QuitGame(g);
        return false;
    }
    CreateQuadBuffer(g, kQuadSlots);
    CreateFont(g);
    InitJoystick(g);
    g.flow.firstFrame = 1;
    PlayMusic(g, g.musicFile, true);
    SeedRandom(g);
    return true;
}
}  // namespace

void RunFrame(Game& g) {
    // Once the quit is posted the loop only drains messages; nothing more is drawn.
    if (g.flow.quitPosted) return;
    if (g.platform.display && g.platform.display->DeviceLost()) {
        OpenWebPage(g);
        QuitGame(g);
        return;
    }
    MusicKeepAlive(g);
    if (g.flow.firstFrame == 0 && !FirstFrameSetUp(g)) return;
    DrawByState(g);
}

void DrawByState(Game& g) {
    switch (g.flow.gameState) {
        case StateMap:
        case StateBattle:
        case StateDialog:
        case StatePlayTime:
            MapScreen(g);
            break;
        case StateMainMenu:
            MainMenuScreen(g);
            break;
        case StateSpellMenu:
            DrawSpellMenu(g);
            break;
        case StateItemMenu:
            DrawItemMenu(g);
            break;
        case StateEquipMenu:
            DrawEquipMenu(g);
            break;
        case StateEquipList:
            DrawEquipList(g);
            break;
        case StateQuitConfirm:
            QuitConfirmScreen(g);
            break;
        case StateSaveMenu:
            if (g.level.inArena != 0) {
                CannotSaveScreen(g);
            } else {
                SaveScreen(g);
            }
            break;
        case StateGameSaved:
            GameSavedScreen(g);
            break;
        case StateVictory:
            // Once the rewards are shown the last picture stays on screen.
            if (g.battle.rewardsShown == 0) VictorySequence(g);
            break;
        case StateHeroDead:
            HeroDeadScreen(g);
            break;
        case StateShop:
            DrawShopMenu(g);
            break;
        case StateShopBuy:
            DrawBuyList(g);
            break;
        case StateShopMessage:
            DrawShopMessage(g);
            break;
        case StateShopSell:
            DrawSellList(g);
            break;
        case StateTitle:
            TitleScreen(g);
            break;
        case StateAttributes:
            AttributeScreen(g);
            break;
        case StateStoryScroll:
            StoryScrollScreen(g);
            break;
        case StateLoadMenu:
            // Listing the slots reads three files; the picture stays until the state changes.
            if (g.menus.loadScreenDrawn == 0) {
                LoadScreen(g);
                g.menus.loadScreenDrawn = 1;
            }
            break;
        case StateEndStory:
            EndStoryScreen(g);
            break;
        default:
            break;
    }
}

void QuitGame(Game& g) {
    StopMusic(g);
    ReleaseTextures(g);
    ReleaseFont(g);
    PostQuit(g, 18);
}

void OpenWebPage(Game& g) {
    if (g.flow.webPageSwitch == 0) return;
    if (g.platform.shell) g.platform.shell->OpenFile(kWebPage);
    ++g.flow.webPageOpened;
}

void PostQuit(Game& g, int32_t code) {
    // Like a message queue: the first quit posted is the one the loop takes.
    if (g.flow.quitPosted) return;
    g.flow.quitPosted = 1;
    g.flow.quitCode = code;
}

void Shutdown(Game& g) {
    ReleaseJoystick(g);
}

bool LoopPass(Game& g) {
    if (g.flow.quitPosted) return false;
    if (g.input.joystickStatus != kJoystickNone) HandleInput(g, SourceJoystick, PollJoystick(g));
    if (g.flow.quitPosted) return false;
    RunFrame(g);
    return true;
}

}  // namespace veloria
