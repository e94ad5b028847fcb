#pragma once
// The three-line dialog box over the map.
#include <cstdint>

namespace veloria {

struct DialogBox {
    char lines[3][40];
    int32_t lineCount;
};

}  // namespace veloria
