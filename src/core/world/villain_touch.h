#pragma once
// The villain touching the heroine.
#include <cstdint>

namespace veloria {

struct Game;

int32_t TouchHeroine(Game& g);

}  // namespace veloria
