#pragma once
// Small content builders for the battle tests: villain files, spell files and exact draws of
// the random generator.
#include <cstdint>
#include <string>

#include "content/schema.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/actor_schema.h"
#include "test_support.h"
#include "world/level_map_record.h"
#include "world/villain.h"
#include "world/villain_schema.h"

namespace veloria {

// Positions in a villain file, from the file's schema.
enum VillainField : int32_t {
    VfThink = VillainFieldAt("thinkPeriod"),
    VfTouch = VillainFieldAt("touchDamage"),
    VfAlive = VillainFieldAt("alive"),
    VfHeals = VillainFieldAt("heals"),
    VfHealPeriod = VillainFieldAt("healPeriod"),
    VfHealPercent = VillainFieldAt("healPercent"),
    VfTeleports = VillainFieldAt("teleports"),
    VfTeleportPeriod = VillainFieldAt("teleportPeriod"),
    VfSpell1 = VillainFieldAt("spells"),  // period, file, damage; then slots 2 and 3
    VfHp = VillainFieldAt("hp"),
    VfMaxHp = VillainFieldAt("maxHp"),
    VfMojo = VillainFieldAt("mojo"),
    VfRewardXp = VillainFieldAt("rewardXp"),
    VfRewardGp = VillainFieldAt("rewardGp"),
    VfMoveMode = VillainFieldAt("moveMode"),
    VfBoxLeft = VillainFieldAt("boxLeft"),
};
// Villain files in the wild keep this layout.
static_assert(VfThink == 28 && VfSpell1 == 38 && VfHp == 47 && VfMoveMode == 55 && VfBoxLeft == 56);

// A villain file with every number in place: its looks, a living villain that thinks every
// 500 ms, 40 of 50 HP, mixed movement.
struct VillainFile : ActorFile {
    VillainFile() : ActorFile(kVillainFileIntegers) {
        name = "Grimthorn\n";
        const int32_t row = RecordIntegers(kAnimRowSchema);
        for (int f = 0; f < 4; ++f) {
            for (int t = 0; t < kVillainAnimStates; ++t) v[row * f + t] = 100 + 10 * f + t;
        }
        v[VfThink] = 500;
        v[VfAlive] = 1;
        v[VfHp] = 40;
        v[VfMaxHp] = 50;
        v[VfMoveMode] = 3;
    }
    VillainFile& Set(int32_t field, int32_t value) {
        ActorFile::Set(field, value);
        return *this;
    }
};

// A spell shot's actor file: one tile in every frame, its step period, cost, power and level.
inline std::string SpellFileText(int32_t tile, int32_t stepPeriod, int32_t mpCost, int32_t power,
                                 int32_t level = 1) {
    ActorFile a;
    for (int f = 0; f < 4; ++f) {
        for (int t = 0; t < kActorAnimStates; ++t) a.Tile(f, t, tile);
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
    explicit BattleGame(const VillainFile& villain = VillainFile()) {
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
