// Writes the field tables of docs/content.md from the content schemas, or checks that the
// committed docs are current (CTest runs the check), and checks that docs/tiles.md describes
// every tile the game names.
//   veloria-docs --check docs/content.md docs/tiles.md
//   veloria-docs --write docs/content.md
// A generated table stands between "<!-- schema: NAME -->" and "<!-- end schema -->".
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "content/schema.h"
#include "menus/save_schema.h"
#include "presentation/tiles.h"
#include "world/level_schema.h"
#include "world/villain_schema.h"

namespace veloria {
namespace {

struct Documented {
    const char* name;
    const RecordSchema* schema;
};

constexpr Documented kDocumented[] = {
    {"level-tables", &kLevelTablesSchema},
    {"level-exit", &kLevelExitSchema},
    {"guardian-spot", &kGuardianSpotSchema},
    {"saved-game", &kSaveSchema},
    {"villain", &kVillainSchema},
    {"anim-row", &kAnimRowSchema},
    {"villain-spell-slot", &kVillainSpellSlotSchema},
};

std::string Values(const FieldSchema& f) {
    if (f.record) return std::string("`") + f.record->name + "` records";
    if (!IsChecked(f)) return "any";
    std::string v = std::to_string(f.lo) + ".." + std::to_string(f.hi);
    if (f.table) v += std::string(" (`") + f.table + "`)";
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
        out << "| " << at << " | " << count << " | `" << f.name << "` | " << Values(f) << " | "
            << f.meaning << " |\n";
        at += f.count * width;
    }
    out << "\n" << RecordIntegers(r) << " integers in all.\n";
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
        out->replace(a, b - a, Table(*d.schema));
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
