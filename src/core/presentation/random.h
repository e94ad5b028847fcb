#pragma once
// The game's pseudo-random generator, reseeded from the clock.
#include <cstdint>

#include "presentation/random_record.h"

namespace veloria {

struct Game;

void SeedRandom(Game& g);
// 0..n (n itself only in the rare top slice), reseeding from the clock every 51st draw.
int32_t Random(Game& g, int32_t n);

}  // namespace veloria
