#include "slot_cells.h"

#include <cstddef>
#include <cstdint>

#include "world/level_map_record.h"

namespace veloria::check {

bool IsObjectSlot(int32_t code) {
    return (code >= 16 && code <= 23) || (code >= 44 && code <= 47) || (code >= 49 && code <= 58);
}

std::vector<SplitSlot> SplitSlots(const LevelGrid& grid) {
    std::vector<SplitSlot> split;
    const int32_t cells = grid.cols * grid.rows;
    // Object number of each cell of a slot (0: not yet reached), found by flooding over sides.
    std::vector<int32_t> object(static_cast<size_t>(cells), 0);
    std::vector<int32_t> firstOfCode(64, -1);
    std::vector<int32_t> stack;
    int32_t objects = 0;
    for (int32_t i = 0; i < cells; ++i) {
        const int32_t code = grid.layers[Events][static_cast<size_t>(i)];
        if (!IsObjectSlot(code) || object[static_cast<size_t>(i)] != 0) continue;
        object[static_cast<size_t>(i)] = ++objects;
        stack.assign(1, i);
        while (!stack.empty()) {
            const int32_t at = stack.back();
            stack.pop_back();
            const int32_t c = at % grid.cols, r = at / grid.cols;
            const int32_t next[4][2] = {{c - 1, r}, {c + 1, r}, {c, r - 1}, {c, r + 1}};
            for (const auto& n : next) {
                if (n[0] < 0 || n[1] < 0 || n[0] >= grid.cols || n[1] >= grid.rows) continue;
                const size_t k = static_cast<size_t>(n[0]) +
                                 static_cast<size_t>(n[1]) * static_cast<size_t>(grid.cols);
                if (grid.layers[Events][k] != code || object[k] != 0) continue;
                object[k] = objects;
                stack.push_back(static_cast<int32_t>(k));
            }
        }
        int32_t& first = firstOfCode[static_cast<size_t>(code)];
        if (first < 0) {
            first = i;
        } else {
            split.push_back(
                {code, i % grid.cols, i / grid.cols, first % grid.cols, first / grid.cols});
        }
    }
    return split;
}

}  // namespace veloria::check
