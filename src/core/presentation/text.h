#pragma once
// The text slots: the font and the lines placed for the next frame.
#include <cstdint>

namespace veloria {

struct Game;

void CreateFont(Game& g);
void ReleaseFont(Game& g);
// Places one line (cut to 39 characters) in a slot for the next frame only.
void DrawText(Game& g, int32_t slot, const char* text, int32_t x, int32_t y, uint32_t colour);

}  // namespace veloria
