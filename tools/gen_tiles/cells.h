#pragma once
// The painters of the tile library, one group per file. Cell numbers follow docs/tiles.md.
#include <cstdint>

#include "library.h"

namespace gen {

void PaintGround(Library& lib);   // ground, water, lava, walls (terrain.cpp)
void PaintObjects(Library& lib);  // trees, buildings, doors, chests, features (objects.cpp)
void PaintFigures(Library& lib);  // heroine, people, villains, guardians (figures.cpp)
void PaintShots(Library& lib);    // spell shots (shots.cpp)

// Shared textures (terrain.cpp), 64 x 64 and seamless.
Img GrassTexture(uint32_t seed);
Img StoneWallTexture(uint32_t seed);
Img CaveRockTexture(uint32_t seed);
Img WaterTexture(int frame);
Img PlasterWallTexture();
// Draws an ellipse that wraps around the image edges (for seamless scatter).
void WrapEllipse(Img& img, float cx, float cy, float rx, float ry, Color c);

}  // namespace gen
