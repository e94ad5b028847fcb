#include "level_walk.h"

namespace veloria::check {

namespace {

int32_t EffectiveCode(const LevelGrid& l, int32_t col, int32_t row, Progress p) {
    if (col < 0 || row < 0 || col >= l.cols || row >= l.rows) return 1;  // beyond the map
    int32_t e = l.At(Events, col, row);
    if ((e >= 19 && e <= 21) || (e >= 49 && e <= 58)) return p.doors ? 0 : e;
    if (e >= 24 && e <= 43) return p.guardians ? 0 : e;
    if (e == 46 || e == 47) return p.barriers ? 0 : e;
    if (e == 61) return p.guardians ? 3 : 1;
    return e;
}

int32_t FloorDiv(int32_t a, int32_t b) {
    return a >= 0 ? a / b : -((-a + b - 1) / b);
}

enum class Step { Refuse, Accept, Leave };

// What a step onto code e does (dir: 0 left, 1 right, 2 up, 3 down).
Step StepOnto(int32_t e, int32_t dir, Progress p) {
    if (e == 0 || e == 22 || e == 23 || e == 48 || e >= 63) return Step::Accept;
    if (e == 62) return dir == 2 ? Step::Leave : Step::Accept;
    if ((e >= 2 && e <= 6) || e == 15) return Step::Leave;
    if (e == 44 || e == 45) return p.lairs ? Step::Leave : Step::Refuse;
    return Step::Refuse;
}

constexpr int32_t kDx[4] = {-16, 16, 0, 0};
constexpr int32_t kDy[4] = {0, 0, -16, 16};

}  // namespace

int32_t HitAt(const LevelGrid& l, int32_t x, int32_t y, Progress p) {
    int32_t c0 = FloorDiv(x + 24, 128), c1 = FloorDiv(x + 103, 128);
    int32_t r0 = FloorDiv(y + 64, 128), r1 = FloorDiv(y + 127, 128);
    int32_t pending = 0;
    for (int32_t r = r0; r <= r1; ++r) {
        for (int32_t c = c0; c <= c1; ++c) {
            int32_t e = EffectiveCode(l, c, r, p);
            if (e <= 0) continue;
            if (e == 22 || e == 23) {
                pending = e - 21;
                continue;
            }
            return pending == 1 ? 59 : pending == 2 ? 60 : e;
        }
    }
    return pending ? pending + 21 : 0;
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
            bool chest = e >= 16 && e <= 18;
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
