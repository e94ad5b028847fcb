#include "presentation/random.h"

#include <cstdint>

#include "flow/game.h"
#include "presentation/timer.h"

namespace veloria {

namespace {
constexpr int32_t kModulus = 2147483647;  // 2^31 - 1
constexpr int32_t kMultiplier = 16807;
constexpr int32_t kQuotient = 127773;  // kModulus / kMultiplier
constexpr int32_t kRemainder = 2836;   // kModulus % kMultiplier
constexpr int32_t kDrawsPerSeed = 50;
}  // namespace

void SeedRandom(Game& g) {
    g.random.seed = static_cast<int32_t>(Now(g));
    g.random.count = 0;
}

int32_t Random(Game& g, int32_t n) {
    // Every caller passes a positive constant; anything else would divide by zero.
    if (n < 1) return 0;
    if (g.random.count >= kDrawsPerSeed) SeedRandom(g);
    // Minimal-standard generator in Schrage's form: no intermediate leaves 32 bits.
    int32_t seed = g.random.seed;
    seed = kMultiplier * (seed % kQuotient) - kRemainder * (seed / kQuotient);
    if (seed < 0) seed += kModulus;
    g.random.seed = seed;
    g.random.count = g.random.count + 1;
    return seed / (kModulus / n);
}

}  // namespace veloria
