#pragma once
// Loading actors, their animation, the stats the equipment gives and the purse.
#include <cstdint>

#include "hero/actor_record.h"

namespace veloria {

struct Game;

constexpr const char* kDummyActorFile = "data/dummy.txt";
constexpr const char* kHeroActorFile = "data/avela.txt";

// Fills anim, stepPeriod, attr, reserved and name from an actor file; nothing else.
void LoadActor(Game& g, Actor& a, const char* path);
// Ends timed animation states and places the actor's quad.
void Animate(Game& g, Actor& a);
void ToggleStepFrame(Actor& a);
void RecomputeStats(Game& g);
int32_t PurseLimit(const Game& g);
// GP += amount, cut to the purse limit.
void AddGold(Game& g, int32_t amount);
void SyncItemCursor(Game& g, int32_t item, int32_t removed);
void SyncSpellCursor(Game& g);
void SyncEquipCursor(Game& g, int32_t slot);

}  // namespace veloria
