#pragma once
// One frame of the world in the four map states.
#include <cstdint>

#include "presentation/timer.h"

namespace veloria {

struct Game;

struct MapFrameState {
    int32_t frameCount;
    int32_t mapEntered;
    Timer frameRateClock;
};

void MapFrame(Game& g);
// AnimateTiles then MapFrame: the screen function of the map states.
void MapScreen(Game& g);
void DrawLayer(Game& g, int32_t layer, const int32_t* cells, int32_t scrollX, int32_t scrollY);
void DrawAnimatedLayer(Game& g, int32_t layer, const int32_t* cells, int32_t scrollX,
                       int32_t scrollY);
void PlayTimeText(Game& g);
void FrameRateText(Game& g);

}  // namespace veloria
