#pragma once
// The four facings of every actor, the villain and the spell shots, in the order of their
// animation rows.
#include <cstdint>

#include "world/saturate.h"

namespace veloria {

enum Facing : int32_t {
    FacingLeft = 0,
    FacingRight = 1,
    FacingUp = 2,
    FacingDown = 3,
};

constexpr int32_t kFacings = 4;

// Facings come from content and saved games; anything else indexes no animation row.
constexpr bool ValidFacing(int32_t f) {
    return f >= FacingLeft && f <= FacingDown;
}

// Everything that walks or flies moves on the 16-pixel grid, one step at a time.
constexpr int32_t kStepPixels = 16;

// Moves (x, y) by distance in the facing's direction (a negative distance: back); a corrupt
// facing moves nothing, and absurd positions saturate instead of overflowing.
inline void MoveInFacing(int32_t facing, int32_t distance, int32_t* x, int32_t* y) {
    switch (facing) {
        case FacingLeft:
            *x = AddSat(*x, -static_cast<int64_t>(distance));
            break;
        case FacingRight:
            *x = AddSat(*x, distance);
            break;
        case FacingUp:
            *y = AddSat(*y, -static_cast<int64_t>(distance));
            break;
        case FacingDown:
            *y = AddSat(*y, distance);
            break;
        default:
            break;
    }
}

}  // namespace veloria
