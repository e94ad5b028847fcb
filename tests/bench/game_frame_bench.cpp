// The cost of one frame of the real game on SDL's software renderer, screen by screen: the
// built game directory, its tile library and pictures, in the states a player sees most.
#include <benchmark/benchmark.h>

#include <cstdint>

#include "../real/real_game.h"
#include "battle/battle.h"
#include "flow/game_state.h"
#include "input/input_codes.h"
#include "world/event_code.h"

namespace veloria {
namespace {

// A fresh game brought to a state; false (with the benchmark skipped) when it cannot start.
bool Prepare(benchmark::State& state, RealGame& game) {
    if (!game.Start(VELORIA_GAME_DIR)) {
        state.SkipWithError("the game could not start off screen");
        return false;
    }
    return true;
}

void Measure(benchmark::State& state, RealGame& game, int32_t wantedState) {
    if (game.g().flow.gameState != wantedState) {
        state.SkipWithError("the game did not reach the screen");
        return;
    }
    for (auto _ : state) game.Frames(1);
}

void BM_TitleFrame(benchmark::State& state) {
    RealGame game;
    if (!Prepare(state, game)) return;
    game.Frames(2);  // the third title picture, with its text
    Measure(state, game, StateTitle);
}
BENCHMARK(BM_TitleFrame)->Unit(benchmark::kMillisecond);

void BM_MapFrame(benchmark::State& state) {
    RealGame game;
    if (!Prepare(state, game)) return;
    game.NewGame();
    Measure(state, game, StateMap);
}
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMillisecond);

void BM_BattleFrame(benchmark::State& state) {
    RealGame game;
    if (!Prepare(state, game)) return;
    game.NewGame();
    StartGuardianBattle(game.g(), EventGuardianFirst);  // the goblin of level 1
    game.Frames(1);
    Measure(state, game, StateBattle);
}
BENCHMARK(BM_BattleFrame)->Unit(benchmark::kMillisecond);

void BM_MenuFrame(benchmark::State& state) {
    RealGame game;
    if (!Prepare(state, game)) return;
    game.NewGame();
    game.Key(InputButton5);
    Measure(state, game, StateMainMenu);
}
BENCHMARK(BM_MenuFrame)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veloria
