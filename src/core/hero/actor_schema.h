#pragma once
// The layout of an actor file (the heroine "data/avela.txt", the empty shot "data/dummy.txt" and
// the spells "data/spells/castNN.txt"): 52 integers, then the name line. LoadActor walks it
// through VisitActorFile, veloria-check and the tools name positions from it, the tests build
// their actor files from it and docs/content.md's table is generated from it.
#include <cstdint>

#include "content/schema.h"
#include "hero/actor_record.h"
#include "presentation/tiles.h"

namespace veloria {

constexpr int32_t kActorAnimStates = 6;

// The rows of a villain file look the same, but there the loader also holds the tiles to the
// library; an actor's tiles are taken as they are (a tile outside the library draws nothing).
inline constexpr FieldSchema kActorAnimRowFields[] = {
    {"tiles", kActorAnimStates, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "tile of each animation state: 0, 1 walking, 2 hit, 3..5 timed poses", 0, kTileCells - 1},
    {"state", 1, nullptr, 1, 0, kActorAnimStates - 1, "animation state",
     "animation state at the start"},
};
inline constexpr RecordSchema kActorAnimRowSchema = {"AnimRow", kActorAnimRowFields, 2};

inline constexpr FieldSchema kActorFields[] = {
    {"anim", 4, &kActorAnimRowSchema, RecordIntegers(kActorAnimRowSchema), kAnyLo, kAnyHi, nullptr,
     "facing left, right, up, down"},
    {"stepPeriod", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "ms between steps (the heroine's walk, a shot's flight)"},
    {"attr", kAttributes, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "attributes in the saved game's order; a spell's cost is MP (12), its power MagicXP (15), "
     "the magic level it needs MagicLevel (17)"},
    {"reserved", 3, nullptr, 1, kAnyLo, kAnyHi, nullptr, "unused"},
    {"name", 1, nullptr, 0, 0, kActorNameSize - 1, nullptr, "the name line"},
};
inline constexpr RecordSchema kActorSchema = {"actor file", kActorFields,
                                              sizeof(kActorFields) / sizeof(kActorFields[0])};

constexpr int32_t kActorFileIntegers = RecordIntegers(kActorSchema);
static_assert(kActorFileIntegers == 52);

constexpr int32_t ActorFieldAt(const char* name) {
    return FieldOffset(kActorSchema, name);
}
// Position of attribute a in an actor file.
constexpr int32_t ActorAttrAt(int32_t a) {
    return ActorFieldAt("attr") + a;
}

// Walks the 52 integers of an actor file in file order: visit(field, value), field being the
// innermost schema field the value belongs to. The name line follows them.
template <class Visit>
void VisitActorFile(Actor& a, Visit&& visit) {
    for (AnimRow& row : a.anim) {
        for (int32_t& t : row.tiles) visit(kActorAnimRowFields[0], t);
        visit(kActorAnimRowFields[1], row.state);
    }
    visit(kActorFields[1], a.stepPeriod);
    for (int32_t& v : a.attr) visit(kActorFields[2], v);
    for (int32_t& v : a.reserved) visit(kActorFields[3], v);
}

static_assert(sizeof(Actor::anim) / sizeof(AnimRow) == kActorFields[0].count);
static_assert(sizeof(AnimRow::tiles) / sizeof(int32_t) == kActorAnimRowFields[0].count);
static_assert(sizeof(Actor::attr) / sizeof(int32_t) == kActorFields[2].count);
static_assert(sizeof(Actor::reserved) / sizeof(int32_t) == kActorFields[3].count);

}  // namespace veloria
