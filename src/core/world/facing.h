#pragma once
// The four facings of every actor, the villain and the spell shots, in the order of their
// animation rows.
#include <cstdint>

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

}  // namespace veloria
