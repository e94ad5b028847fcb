#pragma once
// The layouts of the catalogue files in "data/portal/": equipment pieces (staffNN .. feetNN),
// items (itemNN) and spell names (spellNN). Each file names its own record first. LoadCatalogue
// takes its ranges from here, veloria-check its positions, the tests their files, and
// docs/content.md its tables.
#include <cstdint>

#include "content/schema.h"
#include "hero/actor_record.h"

namespace veloria {

// The file-name words of the six equipment slots, in slot order.
inline constexpr const char* kPieceWords[kEquipSlots] = {"staff", "lhand", "body",
                                                         "head",  "neck",  "feet"};

inline constexpr FieldSchema kPieceFileFields[] = {
    {"slot", 1, nullptr, 1, 0, kEquipSlots - 1, "equipment slot",
     "the slot it fills; must be the slot of the file's word"},
    {"price", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "GP a shop pays for it (0: she cannot sell it)"},
    {"piece", 1, nullptr, 1, 0, kPiecesPerSlot - 1, "piece",
     "the piece it fills; must be the file's NN (piece 0 is the starting gear)"},
    {"protect", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "worn: defence against touches"},
    {"mojo", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "worn: defence against spells"},
    {"cast", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr, "worn: added to spell damage"},
    {"name", 1, nullptr, 0, 0, kNameSize - 1, nullptr, "the piece's name"},
};
inline constexpr RecordSchema kPieceFileSchema = {"piece file", kPieceFileFields, 7};

inline constexpr FieldSchema kItemFileFields[] = {
    {"item", 1, nullptr, 1, 0, kItems - 1, "item", "the item it fills; must be the file's NN"},
    {"value", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "GP a shop pays for it (0: she cannot sell it)"},
    {"info", 1, nullptr, 0, 0, kNameSize - 1, nullptr, "the line the item menu shows under it"},
    {"name", 1, nullptr, 0, 0, kNameSize - 1, nullptr, "the item's name"},
};
inline constexpr RecordSchema kItemFileSchema = {"item file", kItemFileFields, 4};

inline constexpr FieldSchema kSpellFileFields[] = {
    {"spell", 1, nullptr, 1, 0, kSpells - 1, "spell", "the spell it names; must be the file's NN"},
    {"name", 1, nullptr, 0, 0, kNameSize - 1, nullptr, "the spell's name"},
};
inline constexpr RecordSchema kSpellFileSchema = {"spell file", kSpellFileFields, 2};

static_assert(RecordIntegers(kPieceFileSchema) == 6 && RecordIntegers(kItemFileSchema) == 2 &&
              RecordIntegers(kSpellFileSchema) == 1);

constexpr int32_t PieceFieldAt(const char* name) {
    return FieldOffset(kPieceFileSchema, name);
}
constexpr int32_t ItemFieldAt(const char* name) {
    return FieldOffset(kItemFileSchema, name);
}

}  // namespace veloria
