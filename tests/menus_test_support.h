#pragma once
// Shared by the menu, saved-game, chest, shop and item tests.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "flow/game.h"
#include "test_support.h"

namespace veloria {

class MenusTest : public ::testing::Test {
  protected:
    MenusTest() {
        t.display.checkBackgroundFiles = false;
        g.flow.gameState = StateMap;
    }

    // Every numbered dialog the game opens, each saying which one it is.
    void WriteDialogs() {
        const int numbers[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                               15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 78};
        for (int n : numbers) {
            char name[64];
            std::snprintf(name, sizeof(name), "data/dialog/dialog%02d.txt", n);
            t.Write(name, "1\ndialog " + std::to_string(n) + "\n");
        }
    }
    // The number of the dialog in the box, or -1.
    int ShownDialog() {
        int n = -1;
        if (g.dialog.lineCount >= 1) std::sscanf(g.dialog.lines[0], "dialog %d", &n);
        return n;
    }

    // The text the last frame showed in a slot, or nullptr when the slot was not drawn.
    const TextSlot* Shown(int32_t slot) const {
        const PresentedFrame& p = g.renderer.presented;
        for (int32_t i = 0; i < p.textCount; ++i) {
            if (p.textSlot[i] == slot) return &p.texts[i];
        }
        return nullptr;
    }
    std::string ShownText(int32_t slot) const {
        const TextSlot* s = Shown(slot);
        return s ? std::string(s->text) : std::string("<none>");
    }

    std::string Read(const std::string& relative) const {
        std::ifstream in(t.dir.path + "/" + relative, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }

    TestGame t;
    Game& g = t.g();
};

}  // namespace veloria
