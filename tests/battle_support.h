#pragma once
// Small content builders for the battle tests: villain files, spell files and exact draws of
// the random generator.
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "flow/game.h"
#include "test_support.h"

namespace veloria {

// The 61 numbers of a villain file, by their position in the file.
enum VillainField : int32_t {
    VfThink = 28,
    VfTouch = 29,
    VfAlive = 30,
    VfSpellCount = 31,
    VfHeals = 32,
    VfHealPeriod = 33,
    VfHealPercent = 34,
    VfTeleports = 35,
    VfTeleportPeriod = 36,
    VfSpell1 = 38,  // period, file, damage; slot 2 at 41, slot 3 at 44
    VfHp = 47,
    VfMaxHp = 48,
    VfMojo = 52,
    VfRewardXp = 53,
    VfRewardGp = 54,
    VfMoveMode = 55,
};

struct VillainSpec {
    std::vector<int32_t> v = std::vector<int32_t>(61, 0);
    std::string name = "Grimthorn\n";
    VillainSpec() {
        for (int f = 0; f < 4; ++f) {
            for (int t = 0; t < 6; ++t) v[7 * f + t] = 100 + 10 * f + t;
        }
        v[VfThink] = 500;
        v[VfAlive] = 1;
        v[VfHp] = 40;
        v[VfMaxHp] = 50;
        v[VfMoveMode] = 3;
    }
    VillainSpec& Set(int32_t field, int32_t value) {
        v[field] = value;
        return *this;
    }
    std::string Text() const {
        std::ostringstream out;
        for (size_t i = 0; i < v.size(); ++i) out << v[i] << (i % 7 == 6 ? "\n" : " ");
        out << "\n" << name;
        return out.str();
    }
};

// An actor file (spell shot): frames per facing, step period, 20 attributes, 3 reserved, name.
inline std::string SpellFileText(int32_t tile, int32_t stepPeriod, int32_t mpCost, int32_t power,
                                 int32_t level = 1) {
    std::ostringstream out;
    for (int f = 0; f < 4; ++f) {
        for (int t = 0; t < 6; ++t) out << tile << " ";
        out << "0\n";
    }
    out << stepPeriod << "\n";
    for (int a = 0; a < 20; ++a) {
        int32_t value = 0;
        if (a == MP) value = mpCost;
        if (a == MagicXP) value = power;
        if (a == MagicLevel) value = level;
        out << value << " ";
    }
    out << "\n0 0 0\nBolt\n";
    return out.str();
}

// The seed that makes the next Random(g, n) return r: the generator's multiplier inverted
// modulo 2^31 - 1, independent of the game's own stepping code.
inline int32_t SeedFor(int32_t r, int32_t n) {
    const int64_t m = 2147483647;
    int64_t inverse = 1, base = 16807, e = m - 2;
    while (e > 0) {
        if (e & 1) inverse = inverse * base % m;
        base = base * base % m;
        e >>= 1;
    }
    const int64_t target = static_cast<int64_t>(r) * (m / n);
    return static_cast<int32_t>(target * inverse % m);
}

inline void ForceNextDraw(Game& g, int32_t r, int32_t n) {
    g.random.seed = SeedFor(r, n);
    g.random.count = 0;
}

}  // namespace veloria
