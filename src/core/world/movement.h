#pragma once
// Collision of foot boxes with the event layer, edge scrolling, one-step probes.
#include <cstdint>

namespace veloria {

struct Game;
struct Actor;

bool BoxesOverlap(int32_t aLeft, int32_t aRight, int32_t aTop, int32_t aBottom, int32_t bLeft,
                  int32_t bRight, int32_t bTop, int32_t bBottom);
// Recomputes the actor's foot box and returns the event code it touches.
int8_t HitEvent(Game& g, Actor& a);
void StepForward(Game& g);
void StepBack(Game& g);
void ScrollView(Game& g);
// AnimateTiles then MapFrame, after an accepted step.
void AfterStepUpdate(Game& g);

}  // namespace veloria
