#pragma once
#include <cstdint>

namespace veloria {

struct Game;

// Puts the whole game into its initial state on the title screen.
void StartupLoad(Game& g);

}  // namespace veloria
