// Writes the field tables of docs/content.md from the content schemas, or checks that the
// committed docs are current (CTest runs the check), and checks that docs/tiles.md describes
// every tile the game names.
//   veloria-docs --check docs/content.md docs/tiles.md
//   veloria-docs --write docs/content.md
// A generated table stands between "<!-- schema: NAME -->" and "<!-- end schema -->".
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "content/schema.h"
#include "hero/actor_schema.h"
#include "hero/catalogue_schema.h"
#include "hero/chest_schema.h"
#include "hero/dialog_schema.h"
#include "hero/shop_schema.h"
#include "menus/save_schema.h"
#include "presentation/tiles.h"
#include "world/anim_schema.h"
#include "world/level_schema.h"
#include "world/treasure_schema.h"
#include "world/villain_schema.h"

namespace veloria {
namespace {

struct Documented {
    const char* name;
    const RecordSchema* schema;
    const KindSchema* kinds = nullptr;  // a table of kinds instead of fields
    int32_t kindCount = 0;
};

constexpr Documented kDocumented[] = {
    {"level-tables", &kLevelTablesSchema},
    {"level-exit", &kLevelExitSchema},
    {"guardian-spot", &kGuardianSpotSchema},
    {"saved-game", &kSaveSchema},
    {"villain", &kVillainSchema},
    {"anim-row", &kAnimRowSchema},
    {"villain-spell-slot", &kVillainSpellSlotSchema},
    {"actor", &kActorSchema},
    {"actor-anim-row", &kActorAnimRowSchema},
    {"piece-file", &kPieceFileSchema},
    {"item-file", &kItemFileSchema},
    {"spell-file", &kSpellFileSchema},
    {"chest", &kChestSchema},
    {"chest-kinds", &kChestSchema, kChestKinds, kChestKindCount},
    {"shop", &kShopSchema},
    {"ware", &kWareSchema},
    {"ware-kinds", &kWareSchema, kWareKinds, kWareKindCount},
    {"dialog", &kDialogSchema},
    {"anim-file", &kAnimFileSchema},
    {"treasure-file", &kTreasureFileSchema},
};

std::string Bound(int32_t lo, int32_t hi) {
    if (hi == INT32_MAX) return "at least " + std::to_string(lo);
    return std::to_string(lo) + ".." + std::to_string(hi);
}

std::string Values(const FieldSchema& f) {
    if (f.record) return std::string("`") + f.record->name + "` records";
    if (IsLine(f)) return "a line of at most " + std::to_string(f.hi) + " characters";
    std::string v = IsChecked(f) ? Bound(f.lo, f.hi) : "any";
    if (f.table) v += std::string(" (`") + f.table + "`)";
    if (HasStrictRange(f)) v += "; veloria-check: " + Bound(f.strictLo, f.strictHi);
    return v;
}

std::string Table(const RecordSchema& r) {
    std::ostringstream out;
    out << "| Position | Count | Field | Values | Meaning |\n|---|---|---|---|---|\n";
    int32_t at = 0;
    for (int32_t i = 0; i < r.fieldCount; ++i) {
        const FieldSchema& f = r.fields[i];
        const int32_t width = EntryIntegers(f);
        std::string count = std::to_string(f.count);
        if (width > 1) count += " × " + std::to_string(width);
        out << "| " << (IsLine(f) ? std::string("line") : std::to_string(at)) << " | " << count
            << " | `" << f.name << "` | " << Values(f) << " | " << f.meaning << " |\n";
        at += f.count * width;
    }
    const int32_t n = RecordIntegers(r);
    out << "\n"
        << (r.upTo ? "At most " : "") << n << (n == 1 ? " integer" : " integers") << " in all.\n";
    return out.str();
}

// What each kind gives and the ranges of the two numbers after it.
std::string KindTable(const KindSchema* kinds, int32_t count) {
    std::ostringstream out;
    out << "| kind | gives | `slot` | the number after it |\n|---|---|---|---|\n";
    for (int32_t k = 0; k < count; ++k) {
        const RecordSchema& r = *kinds[k].rest;
        out << "| " << kinds[k].kind << " | " << kinds[k].gives;
        for (int32_t i = 0; i < r.fieldCount; ++i) {
            out << " | " << Values(r.fields[i]) << ": " << r.fields[i].meaning;
        }
        out << " |\n";
    }
    out << "\nAnother kind reads the two numbers as they are.\n";
    return out.str();
}

bool ReadFile(const char* path, std::string* text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    *text = s.str();
    return true;
}

// Replaces every generated block with its current table; false when a block is missing.
bool Regenerate(const std::string& text, std::string* out) {
    *out = text;
    for (const Documented& d : kDocumented) {
        const std::string open = std::string("<!-- schema: ") + d.name + " -->\n";
        const std::string close = "<!-- end schema -->";
        size_t a = out->find(open);
        if (a == std::string::npos) {
            std::cerr << "no block \"" << open.substr(0, open.size() - 1) << "\"\n";
            return false;
        }
        a += open.size();
        size_t b = out->find(close, a);
        if (b == std::string::npos) return false;
        out->replace(a, b - a, d.kinds ? KindTable(d.kinds, d.kindCount) : Table(*d.schema));
    }
    return true;
}

bool CheckTiles(const char* path) {
    std::string text;
    if (!ReadFile(path, &text)) {
        std::cerr << path << ": cannot be read\n";
        return false;
    }
    bool ok = true;
    for (const NamedTile& t : kNamedTiles) {
        if (text.find(std::string("\n") + t.docsRow) == std::string::npos) {
            std::cerr << path << ": no row \"" << t.docsRow << "\" for the tile the game names "
                      << t.first << "\n";
            ok = false;
        }
    }
    return ok;
}

}  // namespace
}  // namespace veloria

int main(int argc, char** argv) {
    using namespace veloria;
    if (argc < 3 ||
        (std::strcmp(argv[1], "--check") != 0 && std::strcmp(argv[1], "--write") != 0)) {
        std::cerr << "usage: veloria-docs --check|--write docs/content.md [docs/tiles.md]\n";
        return 2;
    }
    const bool write = std::strcmp(argv[1], "--write") == 0;
    std::string text, fresh;
    if (!ReadFile(argv[2], &text)) {
        std::cerr << argv[2] << ": cannot be read\n";
        return 1;
    }
    if (!Regenerate(text, &fresh)) return 1;
    int status = 0;
    if (write) {
        std::ofstream(argv[2], std::ios::binary) << fresh;
    } else if (fresh != text) {
        std::cerr << argv[2] << ": a field table differs from the schema in the code; run "
                  << "veloria-docs --write " << argv[2] << "\n";
        status = 1;
    }
    if (argc > 3 && !CheckTiles(argv[3])) status = 1;
    return status;
}
