// What a hit does on either side, the victory, and the rewards: experience, gold, one hero
// level and one magic level at most per battle.
#include "battle/damage.h"

#include <cstdint>

#include "battle/battle_record.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"
#include "world/map_frame.h"
#include "world/saturate.h"
#include "world/villain.h"
#include "world/villain_moves.h"

namespace veloria {

// Entry i = 25 i (i + 1).
const int32_t kHeroLevelTable[kHeroLevels] = {
    0,    50,   150,  300,  500,  750,  1050, 1400,  1800,  2250,  2750,  3300, 3900,
    4550, 5250, 6000, 6800, 7650, 8550, 9500, 10500, 11550, 12650, 13800, 15000};

const int32_t kMagicLevelTable[kMagicLevels] = {0,    80,   220,  540,  880,  1280,
                                                1840, 2540, 3340, 4240, 5240, 6400};

namespace {

// Damage and hit points are worked out wide and clamped, so that extreme content values cannot
// overflow.

// Level-up gain: a tenth of the maximum (double precision, truncated) plus the attribute / 6;
// never 0.
int32_t LevelGain(int32_t maximum, int32_t attribute) {
    int64_t gain = static_cast<int64_t>(static_cast<double>(maximum) * 0.1) + attribute / 6;
    if (gain == 0) gain = 1;
    return Saturate(gain);
}

bool LevelDue(int32_t level, int32_t experience, const int32_t* table, int32_t levels) {
    if (level >= levels) return false;
    for (int32_t i = level < 0 ? 0 : level; i < levels; ++i) {
        if (experience >= table[i]) return true;
    }
    return false;
}

}  // namespace

void DamageVillain(Game& g, Projectile& spell) {
    Actor& hero = g.hero;
    Villain& v = g.villain;
    const int32_t power = spell.attr[MagicXP];
    hero.attr[MagicXP] = Saturate(static_cast<int64_t>(hero.attr[MagicXP]) + power);
    RecomputeStats(g);
    int64_t damage = static_cast<int64_t>(hero.attr[Cast]) +
                     static_cast<int64_t>(power) * hero.attr[MagicLevel] - v.mojo;
    if (damage < 1) damage = 1;
    LoadActor(g, spell, kDummyActorFile);
    spell.active = 0;
    v.hp = Saturate(static_cast<int64_t>(v.hp) - damage);

    // The hit pushes the villain along the shot's flight, unless that lands it on a map feature.
    int32_t dx = 0, dy = 0;
    switch (spell.castFacing) {
        case 0:
            dx = -64;
            break;
        case 1:
            dx = 64;
            break;
        case 2:
            dy = -64;
            break;
        case 3:
            dy = 64;
            break;
        default:
            break;
    }
    v.x += dx;
    v.y += dy;
    if (HitsAnyEvent(g)) {
        v.x -= dx;
        v.y -= dy;
    }

    if (v.hp < 1) {
        g.battle.earnedXP = v.rewardXp;
        g.battle.earnedGP = v.rewardGp;
        LoadVillain(g, 0);
        // A beaten villain acts no more, even if the empty villain's file is missing.
        v.alive = 0;
        g.villainSpell.active = 0;
        MapFrame(g);
        PlayWaveWait(g, "sound/win.wav");
        g.flow.gameState = StateVictory;
    }
}

void DamageHero(Game& g) {
    Actor& hero = g.hero;
    const Villain& v = g.villain;
    RecomputeStats(g);
    // A slot outside 1..3 names no spell: it does no spell damage, so the hit costs the floor.
    int64_t power = 0;
    if (v.castSlot >= 1 && v.castSlot <= 3) power = v.spells[v.castSlot - 1].damage;
    int64_t damage = power - hero.attr[Mojo];
    if (damage < 1) damage = 1;
    hero.attr[HP] = Saturate(static_cast<int64_t>(hero.attr[HP]) - damage);
    if (hero.attr[HP] < 1) g.flow.gameState = StateHeroDead;
}

bool HeroLevelDue(const Game& g) {
    return LevelDue(g.hero.attr[Level], g.hero.attr[XP], kHeroLevelTable, kHeroLevels);
}

bool MagicLevelDue(const Game& g) {
    return LevelDue(g.hero.attr[MagicLevel], g.hero.attr[MagicXP], kMagicLevelTable, kMagicLevels);
}

void GrantRewards(Game& g) {
    Actor& hero = g.hero;
    BattleState& b = g.battle;
    if (MusicPlaying(g) == 0) PlayMusic(g, g.musicFile, true);
    LoadActor(g, g.villainSpell, kDummyActorFile);

    char line[kTextLength];
    FormatText(line, sizeof(line), "Earned %d XP", b.earnedXP);
    DrawText(g, 0, line, 440, 280, kColourNavy);
    FormatText(line, sizeof(line), "Earned %d GP", b.earnedGP);
    DrawText(g, 1, line, 440, 320, kColourOlive);

    hero.attr[XP] = Saturate(static_cast<int64_t>(hero.attr[XP]) + b.earnedXP);
    int64_t gold = static_cast<int64_t>(hero.attr[GP]) + b.earnedGP;
    const int32_t limit = PurseLimit(g);
    if (gold > limit) gold = limit;  // gold beyond the purse is lost
    hero.attr[GP] = Saturate(gold);

    int32_t lineIndex = 0;
    if (HeroLevelDue(g)) {
        DrawText(g, 2 + lineIndex, "Hero Level Up!", 440, 360 + 40 * lineIndex, kColourDarkGreen);
        ++lineIndex;
        hero.attr[Level] += 1;
        hero.attr[MaxHP] = Saturate(static_cast<int64_t>(hero.attr[MaxHP]) +
                                    LevelGain(hero.attr[MaxHP], hero.attr[Endurance]));
        hero.attr[HP] = hero.attr[MaxHP];
    }
    if (MagicLevelDue(g)) {
        DrawText(g, 2 + lineIndex, "Magic Level Up!", 440, 360 + 40 * lineIndex, kColourNavy);
        hero.attr[MagicLevel] += 1;
        hero.attr[MaxMP] = Saturate(static_cast<int64_t>(hero.attr[MaxMP]) +
                                    LevelGain(hero.attr[MaxMP], hero.attr[Wits]));
        hero.attr[MP] = hero.attr[MaxMP];
    }
    b.rewardsShown = 1;

    const int32_t guardian = b.currentGuardian;
    if (guardian != 0) {
        if (guardian > 0 && guardian < kGuardians) hero.guardianDefeated[guardian] = 1;
        b.currentGuardian = 0;
    }
}

}  // namespace veloria
