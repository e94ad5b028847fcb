#pragma GCC diagnostic ignored "-Wunused-parameter"
// Placeholders that keep the tree linking while subsystems are being written. Each real
// definition replaces its placeholder; this file is deleted once none is left.
#include "flow/game.h"
#include "input/handle_input.h"
#include "hero/spells.h"
#include "world/exits.h"
#include "world/movement.h"
#include "world/startup.h"
#include "menus/saved_game.h"

namespace veloria {
#define PENDING __attribute__((weak))
PENDING void LoadActor(Game& g, Actor& a, const char* /*path*/) {}
PENDING void Animate(Game& g, Actor& a) {}
PENDING void ToggleStepFrame(Actor& a) {}
PENDING void RecomputeStats(Game& g) {}
PENDING int32_t PurseLimit(const Game& g) { return {}; }
PENDING void AddGold(Game& g, int32_t /*amount*/) {}
PENDING void SyncItemCursor(Game& g, int32_t /*item*/, int32_t /*removed*/) {}
PENDING void SyncSpellCursor(Game& g) {}
PENDING void SyncEquipCursor(Game& g, int32_t /*slot*/) {}
PENDING void LoadCatalogue(Game& g) {}
PENDING void LoadDialog(Game& g, const char* /*path*/) {}
PENDING void LoadDialogNumber(Game& g, int32_t /*number*/) {}
PENDING void SetDialogText(Game& /*g*/, const char* /*format*/, ...) {}
PENDING void SignDialog(Game& g, int32_t /*code*/) {}
PENDING void DrawDialogBox(Game& g) {}
PENDING int8_t LookAhead(Game& g) { return {}; }
PENDING void StepHero(Game& g, int8_t /*code*/) {}
PENDING void LoadAnimFile(Game& g, const char* /*path*/) {}
PENDING void AnimateTiles(Game& g) {}
PENDING int32_t AnimTileNow(const Game& g, int32_t /*index*/) { return {}; }
PENDING void TakeExit(Game& g, int32_t /*code*/) {}
PENDING void EnterLair(Game& g, int32_t /*code*/) {}
PENDING void DigTreasure(Game& g, int32_t /*code*/) {}
PENDING void TreasureHint(Game& g, int32_t /*code*/) {}
PENDING void LoadLevel(Game& g, uint8_t /*mode*/, const char* /*fileName*/) {}
PENDING void ReadLevelFile(Game& g, const char* /*fileName*/) {}
PENDING void BuildView(Game& g) {}
PENDING void ApplyWorldState(Game& g) {}
PENDING void ClearView(Game& g) {}
PENDING void LevelFileName(char* /*out*/, int32_t /*size*/, int32_t /*number*/) {}
PENDING void BattleFileName(char* /*out*/, int32_t /*size*/, int32_t /*number*/) {}
PENDING void MapFrame(Game& g) {}
PENDING void MapScreen(Game& g) {}
PENDING void DrawLayer(Game& g, int32_t /*layer*/, const int32_t* /*cells*/, int32_t /*scrollX*/, int32_t /*scrollY*/) {}
PENDING void DrawAnimatedLayer(Game& g, int32_t /*layer*/, const int32_t* /*cells*/, int32_t /*scrollX*/, int32_t /*scrollY*/) {}
PENDING void PlayTimeText(Game& g) {}
PENDING void FrameRateText(Game& g) {}
PENDING bool BoxesOverlap(int32_t /*aLeft*/, int32_t /*aRight*/, int32_t /*aTop*/, int32_t /*aBottom*/, int32_t /*bLeft*/, int32_t /*bRight*/, int32_t /*bTop*/, int32_t /*bBottom*/) { return {}; }
PENDING int8_t HitEvent(Game& g, Actor& a) { return {}; }
PENDING void StepForward(Game& g) {}
PENDING void StepBack(Game& g) {}
PENDING void ScrollView(Game& g) {}
PENDING void AfterStepUpdate(Game& g) {}
PENDING void StartupLoad(Game& g) {}
}  // namespace veloria
