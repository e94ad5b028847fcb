#pragma once
// Collision of foot boxes with the event layer, edge scrolling, one-step probes.
#include <cstdint>

namespace veloria {

struct Game;
struct Actor;

// The foot box of a 128-pixel sprite, relative to its top-left corner: what collides.
constexpr int32_t kFootLeft = 24, kFootRight = 103, kFootTop = 64, kFootBottom = 127;

// The rule that turns the cells a foot box touches, taken in row-major order, into one event
// code: the first cell that is neither free nor a treasure spot wins; a treasure spot is
// remembered and never hides what else the box touches (59 / 60 when it does).
class HitScan {
  public:
    // Takes the next touched cell; true once the answer is known.
    bool Take(int32_t e) {
        if (e <= 0) return false;
        if (e == 22 || e == 23) {
            pending_ = e - 21;
            return false;
        }
        // Codes are below 128; a larger one from content reads as 127, plain ground like 63.
        result_ = pending_ != 0 ? 58 + pending_ : (e > 127 ? 127 : e);
        done_ = true;
        return true;
    }
    int8_t Result() const {
        return static_cast<int8_t>(done_ ? result_ : (pending_ != 0 ? pending_ + 21 : 0));
    }

  private:
    int32_t pending_ = 0;
    int32_t result_ = 0;
    bool done_ = false;
};

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
