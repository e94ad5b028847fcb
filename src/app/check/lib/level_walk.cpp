#include "level_walk.h"

#include <cstdint>

#include "hero/actor_record.h"
#include "world/event_code.h"
#include "world/level_map_record.h"
#include "world/movement.h"

namespace veloria::check {

namespace {

int32_t EffectiveCode(const LevelGrid& l, int32_t col, int32_t row, Progress p) {
    if (col < 0 || row < 0 || col >= l.cols || row >= l.rows) return 1;  // beyond the map
    int32_t e = l.At(Events, col, row);
    if (IsDoor(e)) return p.doors ? EventFree : e;
    if (IsGuardian(e)) return p.guardians ? EventFree : e;
    if (IsBarrier(e)) return p.barriers ? EventFree : e;
    if (e == EventSealedPassage) return p.guardians ? EventExitFirst + 1 : EventWall;
    return e;
}

int32_t FloorDiv(int32_t a, int32_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

enum class Step { Refuse, Accept, Leave };

// What a step onto code e does (dir: 0 left, 1 right, 2 up, 3 down), by the game's own rule.
// Doors and barriers that are open already read as free ground here (EffectiveCode).
Step StepOnto(int32_t e, int32_t dir, Progress p) {
    if (e < 0) return Step::Refuse;  // the game never reports one; content must not hold one
    switch (ClassifyStep(e, dir == 2)) {
        case StepKind::Walk:
        case StepKind::TreasureSpot:
            return e == EventSealedPassage ? Step::Refuse : Step::Accept;
        case StepKind::Exit:
        case StepKind::Shop:
        case StepKind::EndGame:
            return Step::Leave;
        case StepKind::Lair:
            return p.lairs ? Step::Leave : Step::Refuse;
        case StepKind::Refuse:
        case StepKind::Door:
        case StepKind::Barrier:
        case StepKind::BesideTreasure:
            return Step::Refuse;
    }
    return Step::Refuse;
}

constexpr int32_t kDx[4] = {-16, 16, 0, 0};
constexpr int32_t kDy[4] = {0, 0, -16, 16};

}  // namespace

int32_t HitAt(const LevelGrid& l, int32_t x, int32_t y, Progress p) {
    int32_t c0 = FloorDiv(x + kFootLeft, 128), c1 = FloorDiv(x + kFootRight, 128);
    int32_t r0 = FloorDiv(y + kFootTop, 128), r1 = FloorDiv(y + kFootBottom, 128);
    HitScan scan;  // the game's own rule over the cells the box touches, row by row
    for (int32_t r = r0; r <= r1; ++r) {
        for (int32_t c = c0; c <= c1; ++c) {
            if (scan.Take(EffectiveCode(l, c, r, p))) return scan.Result();
        }
    }
    return scan.Result();
}

Walk WalkFrom(const LevelGrid& l, const std::vector<std::pair<int32_t, int32_t>>& starts,
              Progress p) {
    Walk w;
    std::vector<std::pair<int32_t, int32_t>> todo;
    for (const auto& s : starts) {
        if (w.places.insert(s).second) todo.push_back(s);
    }
    while (!todo.empty()) {
        auto [x, y] = todo.back();
        todo.pop_back();
        for (int32_t dir = 0; dir < 4; ++dir) {
            int32_t nx = x + kDx[dir], ny = y + kDy[dir];
            int32_t e = HitAt(l, nx, ny, p);
            bool chest = IsChest(e);
            if (!chest || dir == 2) w.inReach.insert(e);  // chests open only facing up
            Step s = StepOnto(e, dir, p);
            if (s == Step::Leave) w.leaves.insert(e);
            if (s != Step::Accept) continue;
            if (nx < -128 || ny < -128 || nx > l.cols * 128 || ny > l.rows * 128) continue;
            if (w.places.insert({nx, ny}).second) todo.push_back({nx, ny});
        }
    }
    return w;
}

std::pair<int32_t, int32_t> MapPlace(const LevelExit& e) {
    return {e.heroX + e.scrollX + 128 * e.viewCol, e.heroY + e.scrollY + 128 * e.viewRow};
}

}  // namespace veloria::check
