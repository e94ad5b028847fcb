// No heap allocation in steady-state frames, screen by screen: the real game through the real SDL
// display off screen, with every C++ allocation and every SDL allocation (SDL, SDL_image, SDL_ttf
// and the renderer share SDL's allocator) counted on the main thread. A frame may allocate only
// when it shows a text the previous frame did not (the text's texture is made once, then cached).
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "../real/real_game.h"
#include "battle/battle.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "presentation/renderer_record.h"
#include "world/event_code.h"

namespace {

thread_local bool tCounting = false;
long gAllocations = 0;

void Count() {
    if (tCounting) ++gAllocations;
}

void* CountedMalloc(size_t size) {
    Count();
    return std::malloc(size);
}
void* CountedCalloc(size_t n, size_t size) {
    Count();
    return std::calloc(n, size);
}
void* CountedRealloc(void* p, size_t size) {
    Count();
    return std::realloc(p, size);
}
void CountedFree(void* p) {
    std::free(p);
}

}  // namespace

void* operator new(size_t size) {
    Count();
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    std::abort();
}
void* operator new[](size_t size) {
    return operator new(size);
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete[](void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, size_t) noexcept {
    std::free(p);
}
void operator delete[](void* p, size_t) noexcept {
    std::free(p);
}

namespace veloria {
namespace {

// The texts of the last presented frame, to tell a frame that shows something new.
std::string Texts(const Game& g) {
    std::string all;
    const PresentedFrame& p = g.renderer.presented;
    for (int32_t i = 0; i < p.textCount; ++i) {
        all += p.texts[i].text;
        all += '\n';
    }
    return all;
}

// Runs frames (with an input every `every` frames when given) and fails on any frame that
// allocates without showing a new text.
void ExpectSteadyFrames(RealGame& game, const char* screen, int frames, int8_t input = InputNone,
                        int every = 0) {
    game.Frames(30);  // warm-up: caches filled, the tile library joined
    std::string before = Texts(game.g());
    int quiet = 0;
    for (int f = 0; f < frames; ++f) {
        gAllocations = 0;
        tCounting = true;
        if (every > 0 && f % every == 0) HandleInput(game.g(), SourceKeyboard, input);
        game.Frames(1);
        tCounting = false;
        const std::string now = Texts(game.g());
        if (now == before) {
            EXPECT_EQ(gAllocations, 0) << screen << ": frame " << f << " allocated";
            ++quiet;
        }
        before = now;
    }
    EXPECT_GT(quiet, frames / 2) << screen << ": too few frames without a new text to tell";
}

class FrameAllocations : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(game_.Start(VELORIA_GAME_DIR)); }
    Game& g() { return game_.g(); }
    RealGame game_;
};

TEST_F(FrameAllocations, TitleMapWalkingDialogAndMenu) {
    game_.Frames(2);
    ASSERT_EQ(g().flow.gameState, StateTitle);
    ExpectSteadyFrames(game_, "title", 120);

    game_.NewGame();
    ASSERT_EQ(g().flow.gameState, StateMap);
    ExpectSteadyFrames(game_, "map", 120);
    // Walking up and down the village road, a step every 20 frames.
    ExpectSteadyFrames(game_, "walking down", 100, InputDown, 20);
    ExpectSteadyFrames(game_, "walking up", 100, InputUp, 20);

    game_.Key(InputButton1);  // nothing to act on: a dialog
    ASSERT_EQ(g().flow.gameState, StateDialog);
    ExpectSteadyFrames(game_, "dialog", 120);
    game_.Key(InputButton1);
    ASSERT_EQ(g().flow.gameState, StateMap);

    game_.Key(InputButton5);
    ASSERT_EQ(g().flow.gameState, StateMainMenu);
    ExpectSteadyFrames(game_, "menu", 120);
    ExpectSteadyFrames(game_, "menu cursor", 120, InputDown, 40);
}

TEST_F(FrameAllocations, ShopAndBuyList) {
    game_.NewGame();
    g().level.shopId = 1;
    g().flow.gameState = StateShop;  // as a step onto a shop's door does
    g().shop.menuCursor = 0;
    ExpectSteadyFrames(game_, "shop", 120);
    game_.Key(InputButton3);
    ASSERT_EQ(g().flow.gameState, StateShopBuy);
    ExpectSteadyFrames(game_, "buy list", 120, InputDown, 40);
}

TEST_F(FrameAllocations, Battle) {
    game_.NewGame();
    StartGuardianBattle(g(), EventGuardianFirst);  // the goblin of level 1
    ASSERT_EQ(g().flow.gameState, StateBattle);
    // The goblin walks and shoots meanwhile; the heroine answers with Fire Bolt now and then.
    ExpectSteadyFrames(game_, "battle", 300, InputButton3, 90);
}

}  // namespace
}  // namespace veloria

int main(int argc, char** argv) {
    // Before SDL allocates anything, so every SDL allocation goes through the counter.
    SDL_SetMemoryFunctions(CountedMalloc, CountedCalloc, CountedRealloc, CountedFree);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
