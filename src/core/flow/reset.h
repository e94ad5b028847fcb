#pragma once
// Putting a Game into its program-start state.

namespace veloria {

struct Game;
struct Platform;

// Zeroes every record and sets the program-start values (title step 1, web-page switch 1,
// victory step 1, menu picture frame 1). Platform pointers are kept.
void ResetGame(Game& g, const Platform& platform);

}  // namespace veloria
