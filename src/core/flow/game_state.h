#pragma once
#include <cstdint>

namespace veloria {

enum GameStateValue : int32_t {
    StateNone = 0,
    StateMap = 1,
    StateBattle = 2,
    StateMainMenu = 3,
    StateSpellMenu = 4,
    StateItemMenu = 5,
    StateEquipMenu = 6,
    StateEquipList = 7,
    StateQuitConfirm = 8,
    StateSaveMenu = 9,
    StateGameSaved = 10,
    StateVictory = 11,
    StateHeroDead = 12,
    StateDialog = 13,
    StateShop = 14,
    StateShopBuy = 15,
    StateShopMessage = 16,
    StateShopSell = 17,
    StateTitle = 18,
    StateAttributes = 19,
    StateStoryScroll = 20,
    StatePlayTime = 22,
    StateLoadMenu = 23,
    StateEndStory = 24,
};

}  // namespace veloria
