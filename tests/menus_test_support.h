#pragma once
// Shared by the menu, saved-game, chest, shop and item tests.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "flow/game.h"
#include "flow/game_state.h"
#include "presentation/renderer_record.h"
#include "test_support.h"

namespace veloria {

class MenusTest : public ::testing::Test {
  protected:
    MenusTest() {
        t.display.checkBackgroundFiles = false;
        g.flow.gameState = StateMap;
    }
    // Every numbered dialog the menus open.
    void WriteDialogs() {
        t.WriteDialogs(
            {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 78});
    }
    int ShownDialog() const { return veloria::ShownDialog(g); }
    const TextSlot* Shown(int32_t slot) const { return veloria::Shown(g, slot); }
    std::string ShownText(int32_t slot) const { return veloria::ShownText(g, slot); }
    std::string Read(const std::string& relative) const { return t.Read(relative); }

    TestGame t;
    Game& g = t.g();
};

}  // namespace veloria
