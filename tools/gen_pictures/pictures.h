#pragma once
#include <functional>
#include <string>
#include <vector>

#include "canvas.h"

namespace veloria::media {

struct Picture {
    const char* file;  // under art/bg/
    std::function<void(Canvas&)> paint;
};

// Every full-screen picture of the game, in the order they are painted.
std::vector<Picture> AllPictures();

}  // namespace veloria::media
