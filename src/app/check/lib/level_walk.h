#pragma once
// Walking a level as the heroine walks it: 16-pixel steps of her foot box over the event layer,
// with doors, barriers, guardians and lairs taken as open or closed. The checker uses it to
// prove that arrivals stand on free ground and that everything a level holds can be reached.
#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "hero/actor_record.h"
#include "world/level_map_record.h"

namespace veloria::check {

// The five layers of a Small or Large level as plain data.
struct LevelGrid {
    int32_t cols = 0, rows = 0;
    std::vector<int32_t> layers[kLayers];
    int32_t At(int32_t layer, int32_t col, int32_t row) const {
        const int32_t i = col + row * cols;
        return layers[layer][static_cast<size_t>(i)];
    }
};

// What has been opened: doors unlocked, barriers broken, guardians beaten (which also opens the
// sealed passage 61 as exit 3), lairs opened.
struct Progress {
    bool doors, barriers, guardians, lairs;
};
constexpr Progress kAllOpen{true, true, true, true};
constexpr Progress kNothingOpen{false, false, false, false};

// The event code under the foot box of a heroine whose sprite corner is at map pixel (x, y),
// decided as the game decides it: the first cell in row-major order that is neither free nor a
// treasure spot, a treasure spot touched together with it reported as 59 / 60.
int32_t HitAt(const LevelGrid& l, int32_t x, int32_t y, Progress p);

struct Walk {
    std::set<std::pair<int32_t, int32_t>> places;
    std::set<int32_t> leaves;   // codes a step takes her away through (exits, shop, lairs, 62)
    std::set<int32_t> inReach;  // codes the action button, a key or a spell reaches from a place
};

// Every place reachable from the starts (map pixels of the sprite corner).
Walk WalkFrom(const LevelGrid& l, const std::vector<std::pair<int32_t, int32_t>>& starts,
              Progress p);

// The map pixel of the heroine's sprite corner after an arrival.
std::pair<int32_t, int32_t> MapPlace(const LevelExit& e);

}  // namespace veloria::check
