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
PENDING void RunFrame(Game& g) {}
PENDING void DrawByState(Game& g) {}
PENDING void QuitGame(Game& g) {}
PENDING void OpenWebPage(Game& g) {}
PENDING void PostQuit(Game& g, int32_t /*code*/) {}
PENDING void Shutdown(Game& g) {}
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
PENDING void HandleInput(Game& g, int32_t /*source*/, int32_t /*code*/) {}
PENDING void EnterMainMenu(Game& g) {}
PENDING void ResumePlay(Game& g) {}
PENDING void BackToMainMenu(Game& g, const char* /*sound*/) {}
PENDING void ShowDialogFile(Game& g, int32_t /*number*/) {}
PENDING void MoveCursor(Game& g, int8_t /*code*/, int32_t* /*cursor*/, int32_t /*count*/) {}
PENDING int8_t LookAhead(Game& g) { return {}; }
PENDING void StepHero(Game& g, int8_t /*code*/) {}
PENDING void InitJoystick(Game& g) {}
PENDING int8_t PollJoystick(Game& g) { return {}; }
PENDING void Rumble(Game& g, int32_t /*magnitude*/, float /*seconds*/) {}
PENDING void ReleaseJoystick(Game& g) {}
PENDING int32_t AcceptInput(Game& g, int32_t /*source*/, int8_t /*code*/, int8_t /*previous*/) { return {}; }
PENDING void InstallMenuDelays(Game& g) {}
PENDING void InstallWalkingDelays(Game& g) {}
PENDING void RecordError(Game& g, const char* /*message*/) {}
PENDING bool LoadTileLibrary(Game& g, const char* /*file*/) { return {}; }
PENDING void CreateQuadBuffer(Game& g, int32_t /*count*/) {}
PENDING void SetQuad(Game& g, int32_t /*slot*/, int32_t /*left*/, int32_t /*right*/, int32_t /*top*/, int32_t /*bottom*/, uint32_t /*tile*/) {}
PENDING void SetBackground(Game& g, const char* /*file*/) {}
PENDING void DrawFrame(Game& g, int32_t /*count*/, uint8_t /*withBackground*/) {}
PENDING void PresentBlackFrame(Game& g) {}
PENDING void SetInvertedColours(Game& g) {}
PENDING void SetNormalColours(Game& g) {}
PENDING void ReleaseTextures(Game& g) {}
PENDING void CreateFont(Game& g) {}
PENDING void ReleaseFont(Game& g) {}
PENDING void DrawText(Game& g, int32_t /*slot*/, const char* /*text*/, int32_t /*x*/, int32_t /*y*/, uint32_t /*colour*/) {}
PENDING void SetBackgroundFile(Game& /*g*/, const char* /*format*/, ...) {}
PENDING void QuitConfirmScreen(Game& g) {}
PENDING void GameSavedScreen(Game& g) {}
PENDING void CannotSaveScreen(Game& g) {}
PENDING void HeroDeadScreen(Game& g) {}
PENDING void TitleScreen(Game& g) {}
PENDING void StoryScrollScreen(Game& g) {}
PENDING void EndStoryScreen(Game& g) {}
PENDING void PlayWave(Game& g, const char* /*file*/) {}
PENDING void PlayWaveWait(Game& g, const char* /*file*/) {}
PENDING void PlayMusic(Game& g, const char* /*file*/, bool /*fromStart*/) {}
PENDING void StopMusic(Game& g) {}
PENDING int8_t MusicPlaying(Game& g) { return {}; }
PENDING void MusicKeepAlive(Game& g) {}
PENDING void ChangeMusic(Game& /*g*/, const char* /*format*/, ...) {}
PENDING void SetMusicFile(Game& /*g*/, const char* /*format*/, ...) {}
PENDING void TimerReset(Timer& t) {}
PENDING void TimerUpdate(Game& g, Timer& t) {}
PENDING void TimerMeasure(Timer& t) {}
PENDING bool TimerElapsed(Game& g, Timer& t, uint32_t /*period*/) { return {}; }
PENDING void SeedRandom(Game& g) {}
PENDING int32_t Random(Game& g, int32_t /*n*/) { return {}; }
PENDING int32_t TimesPowerOfTwo(int32_t /*x*/, int32_t /*n*/) { return {}; }
PENDING int32_t PlayTimeTotal(Game& g) { return {}; }
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
