#pragma once
// One frame of the world in the four map states.
#include <cstdint>

#include "world/map_frame_record.h"

namespace veloria {

struct Game;

void MapFrame(Game& g);
// AnimateTiles then MapFrame: the screen function of the map states.
void MapScreen(Game& g);
void DrawLayer(Game& g, int32_t layer, const int32_t* cells, int32_t scrollX, int32_t scrollY);
void DrawAnimatedLayer(Game& g, int32_t layer, const int32_t* cells, int32_t scrollX,
                       int32_t scrollY);
void PlayTimeText(Game& g);
void FrameRateText(Game& g);

}  // namespace veloria
