#pragma once
// Goods a chest gives or a shop sells: read after their kind number as the kind's schema says,
// tested against it again before they touch a table, and given to the heroine.
#include <cstdint>

#include "content/schema.h"

namespace veloria {

class ContentReader;
struct Game;

// Reads the kind (held to the kind field's range when it has one) and then the slot and index,
// each held to the range its kind gives it; a kind rest does not know takes any numbers. A value
// outside its range is kept as read with one warning naming "<owner> <field>" (it is tested
// again by GoodsFit); a value not read leaves the old one.
void ReadGoods(ContentReader& r, const FieldSchema& kindField, const KindSchema* kinds,
               int32_t kindCount, const char* owner, int32_t* kind, int32_t* slot, int32_t* index);

// True when slot and index fit every range the kind's fields give; unknownFits for a kind the
// table does not know.
bool GoodsFit(const KindSchema* kinds, int32_t kindCount, int32_t kind, int32_t slot, int32_t index,
              bool unknownFits);

// Gives a piece, an item or a spell (goods that fit) and moves the menu cursor that lists it.
void GiveGoods(Game& g, int32_t kind, int32_t slot, int32_t index);

}  // namespace veloria
