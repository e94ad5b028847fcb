#include "hero/goods.h"

#include <cstdint>

#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor.h"
#include "hero/goods_schema.h"

namespace veloria {

namespace {

void ReadField(ContentReader& r, const FieldSchema* f, const char* owner, int32_t* value) {
    if (f == nullptr || !IsChecked(*f)) {
        r.ReadInt(value);
        return;
    }
    char what[64];
    FormatText(what, sizeof(what), "%s %s", owner, WarningWord(*f));
    r.ReadChecked(value, f->lo, f->hi, what);
}

}  // namespace

void ReadGoods(ContentReader& r, const FieldSchema& kindField, const KindSchema* kinds,
               int32_t kindCount, const char* owner, int32_t* kind, int32_t* slot, int32_t* index) {
    ReadField(r, &kindField, owner, kind);
    const RecordSchema* rest = KindRest(kinds, kindCount, *kind);
    ReadField(r, rest ? &rest->fields[0] : nullptr, owner, slot);
    ReadField(r, rest ? &rest->fields[1] : nullptr, owner, index);
}

bool GoodsFit(const KindSchema* kinds, int32_t kindCount, int32_t kind, int32_t slot, int32_t index,
              bool unknownFits) {
    const RecordSchema* rest = KindRest(kinds, kindCount, kind);
    if (rest == nullptr) return unknownFits;
    const int32_t values[kGoodsIntegers] = {slot, index};
    for (int32_t k = 0; k < kGoodsIntegers; ++k) {
        const FieldSchema& f = rest->fields[k];
        if (IsChecked(f) && (values[k] < f.lo || values[k] > f.hi)) return false;
    }
    return true;
}

void GiveGoods(Game& g, int32_t kind, int32_t slot, int32_t index) {
    Actor& h = g.hero;
    switch (kind) {
        case GoodsPiece:
            h.equip[slot].items[index].owned = 1;
            SyncEquipCursor(g, slot);
            break;
        case GoodsItem:
            ++h.itemCount[index];
            SyncItemCursor(g, index, 0);
            break;
        case GoodsSpell:
            h.spellOwned[index] = 1;
            SyncSpellCursor(g);
            break;
        default:
            break;
    }
}

}  // namespace veloria
