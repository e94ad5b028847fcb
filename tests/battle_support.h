#pragma once
// Small content builders for the battle tests: villain files, spell files and exact draws of
// the random generator.
#include <cstdint>
#include <string>

#include "flow/game.h"
#include "test_support.h"
#include "world/villain.h"

namespace veloria {

// The 61 numbers of a villain file, by their position in the file.
enum VillainField : int32_t {
    VfThink = 28,
    VfTouch = 29,
    VfAlive = 30,
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

struct VillainSpec : ActorFile {
    VillainSpec() : ActorFile(61) {
        name = "Grimthorn\n";
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
        ActorFile::Set(field, value);
        return *this;
    }
};

// A spell shot's actor file: one tile in every frame, its step period, cost, power and level.
inline std::string SpellFileText(int32_t tile, int32_t stepPeriod, int32_t mpCost, int32_t power,
                                 int32_t level = 1) {
    ActorFile a;
    for (int f = 0; f < 4; ++f) {
        for (int t = 0; t < 6; ++t) a.Set(7 * f + t, tile);
    }
    a.Set(ActorFile::kPeriod, stepPeriod).Attr(MP, mpCost).Attr(MagicXP, power);
    a.Attr(MagicLevel, level).name = "Bolt\n";
    return a.Text();
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

// A game in battle with the empty actor, spell 1 (tile 300, step 40 ms, 4 MP, power 10) loaded
// into the heroine's shot and the given villain loaded from v05, in an empty arena.
struct BattleGame : TestGame {
    explicit BattleGame(const VillainSpec& villain = VillainSpec()) {
        Write("data/dummy.txt", SpellFileText(0, 0, 0, 0, 0));
        Write("data/spells/cast01.txt", SpellFileText(300, 40, 4, 10));
        Write("data/villains/v05.txt", villain.Text());
        g().flow.gameState = StateBattle;
        g().heroSpell.kind = 1;
        g().villainSpell.kind = 2;
        LoadVillain(g(), 5);
        LoadActor(g(), g().heroSpell, "data/spells/cast01.txt");
    }
    Actor& hero() { return g().hero; }
    Villain& v() { return g().villain; }
    Projectile& shot() { return g().heroSpell; }
    void Event(int32_t col, int32_t row, int32_t code) {
        g().view.cells[Events][row * kViewColumns + col] = code;
    }
};

}  // namespace veloria
