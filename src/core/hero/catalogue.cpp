// The catalogue: names, prices and values of every piece, item and spell, read at every start.
#include "hero/catalogue.h"

#include <cstdint>

#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor_record.h"
#include "hero/catalogue_schema.h"

namespace veloria {

namespace {

// An index read from a catalogue file. A value outside the table is warned about once and the
// record it would address is left alone.
struct Index {
    int32_t value = 0;
    bool read = false;
    bool valid = false;
};

Index ReadIndexField(ContentReader& r, const FieldSchema& f) {
    static_assert(kPieceFileFields[0].lo == 0 && kPieceFileFields[2].lo == 0 &&
                  kItemFileFields[0].lo == 0 && kSpellFileFields[0].lo == 0);
    Index i;
    // 0 is in range, so a refusal that leaves it at 0 means nothing could be read.
    i.valid = r.ReadChecked(&i.value, f.lo, f.hi, WarningWord(f));
    i.read = i.valid || i.value != 0;
    return i;
}

// Each file names its own destination, so fields are read first and stored only when the
// indices are good; fields the file does not reach keep their values.
void LoadPieceFile(Game& g, const char* path) {
    ContentReader r(g.platform, path);
    if (!r.IsOpen()) return;
    Index slot = ReadIndexField(r, kPieceFileFields[0]);
    int32_t price = 0;
    bool hasPrice = slot.read && r.ReadInt(&price);
    Index piece = hasPrice ? ReadIndexField(r, kPieceFileFields[2]) : Index{};
    int32_t values[3] = {};
    bool has[3] = {};
    for (int32_t k = 0; k < 3 && piece.read; ++k) has[k] = r.ReadInt(&values[k]);
    char name[kNameSize];
    bool hasName = piece.read && r.ReadLine(name, kNameSize);
    if (!slot.valid || !piece.valid) return;
    EquipItem& item = g.hero.equip[slot.value].items[piece.value];
    if (hasPrice) item.price = price;
    if (has[0]) item.protect = values[0];
    if (has[1]) item.mojo = values[1];
    if (has[2]) item.cast = values[2];
    if (hasName) CopyText(item.name, kNameSize, name);
}

void LoadItemFile(Game& g, const char* path) {
    ContentReader r(g.platform, path);
    if (!r.IsOpen()) return;
    Index item = ReadIndexField(r, kItemFileFields[0]);
    if (!item.read) return;
    int32_t value = 0;
    bool hasValue = r.ReadInt(&value);
    char info[kNameSize];
    char name[kNameSize];
    bool hasInfo = hasValue && r.ReadLine(info, kNameSize);
    bool hasName = hasInfo && r.ReadLine(name, kNameSize);
    if (!item.valid) return;
    if (hasValue) g.hero.itemValue[item.value] = value;
    if (hasInfo) CopyText(g.hero.itemInfo[item.value], kNameSize, info);
    if (hasName) CopyText(g.hero.itemName[item.value], kNameSize, name);
}

void LoadSpellFile(Game& g, const char* path) {
    ContentReader r(g.platform, path);
    if (!r.IsOpen()) return;
    Index spell = ReadIndexField(r, kSpellFileFields[0]);
    if (!spell.valid) return;
    char name[kNameSize];
    if (r.ReadLine(name, kNameSize)) CopyText(g.hero.spellName[spell.value], kNameSize, name);
}

}  // namespace

void LoadCatalogueFile(Game& g, CatalogueFile kind, const char* path) {
    switch (kind) {
        case CatalogueFile::Piece:
            LoadPieceFile(g, path);
            return;
        case CatalogueFile::Item:
            LoadItemFile(g, path);
            return;
        case CatalogueFile::Spell:
            LoadSpellFile(g, path);
            return;
    }
}

void LoadCatalogue(Game& g) {
    char path[64];
    for (const char* word : kPieceWords) {
        for (int32_t n = 0; n < kPiecesPerSlot; ++n) {
            FormatText(path, sizeof(path), "data/portal/%s%02d.txt", word, n);
            LoadPieceFile(g, path);
        }
    }
    for (int32_t n = 0; n < kItems; ++n) {
        FormatText(path, sizeof(path), "data/portal/item%02d.txt", n);
        LoadItemFile(g, path);
    }
    for (int32_t n = 0; n < kSpells; ++n) {
        FormatText(path, sizeof(path), "data/portal/spell%02d.txt", n);
        LoadSpellFile(g, path);
    }
}

}  // namespace veloria
