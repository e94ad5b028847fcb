#pragma once
// The pseudo-random generator's state (presentation/random.h).
#include <cstdint>

namespace veloria {

struct RandomState {
    int32_t seed = 0;
    int32_t count = 0;
};

}  // namespace veloria
