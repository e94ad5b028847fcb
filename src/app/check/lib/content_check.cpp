// The checker's driver and the checks of every content file that is not a map: actors,
// villains, animations, the catalogue, chests, shops, dialogs, treasure, lairs, the fresh game
// and the media the program opens by name.
#include "content_check.h"

#include <unistd.h>

#include <cstdarg>
#include <cstdint>
#include <filesystem>
#include <memory>

#include "checker.h"
#include "content/schema.h"
#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/reset.h"
#include "hero/actor.h"
#include "hero/actor_schema.h"
#include "hero/catalogue.h"
#include "hero/catalogue_schema.h"
#include "hero/chest.h"
#include "hero/chest_schema.h"
#include "hero/dialog.h"
#include "hero/dialog_schema.h"
#include "hero/goods_schema.h"
#include "hero/shop.h"
#include "hero/shop_schema.h"
#include "menus/save_schema.h"
#include "menus/saved_game.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "presentation/platform_record.h"
#include "world/anim_schema.h"
#include "world/anim_table.h"
#include "world/level_map_record.h"
#include "world/level_schema.h"
#include "world/treasure_schema.h"
#include "world/villain.h"
#include "world/villain_schema.h"

namespace veloria::check {

namespace {

constexpr int32_t kSpellFiles = 10;  // data/spells/cast00..09
constexpr int32_t kFightableVillains = 44;
constexpr int32_t kActorNumbers = kActorFileIntegers;
constexpr int32_t kVillainNumbers = kVillainFileIntegers;

// Dialogs the program opens by number, whatever the levels say.
constexpr int32_t kProgramDialogs[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13,
                                       15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 78};

// Positions in the saved-game format.
constexpr size_t kSaveSpells = SaveFieldAt("spellOwned"), kSavePieces = SaveFieldAt("owned"),
                 kSaveLevel = SaveFieldAt("levelNumber"), kSaveWorn = SaveFieldAt("equipped"),
                 kSaveMode = SaveFieldAt("mode");

// The bytes a text line of the schema is read into (its characters and the closing zero).
int32_t LineBytes(const RecordSchema& r, const char* name) {
    return FindField(r, name)->hi + 1;
}

bool AllNumbers(const std::string& s) {
    size_t i = 0;
    bool any = false;
    while (i < s.size()) {
        while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
        if (i >= s.size()) break;
        if (s[i] == '-' || s[i] == '+') ++i;
        if (i >= s.size() || s[i] < '0' || s[i] > '9') return false;
        while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
        any = true;
    }
    return any;
}

}  // namespace

std::string Text(const char* format, ...) {
    char buf[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(buf, sizeof(buf), format, args);
    va_end(args);
    return buf;
}

std::string Quoted(const std::string& s) {
    return "'" + s + "'";
}

bool CheckResult::Has(const std::string& a, const std::string& b) const {
    for (const std::string& p : problems) {
        if (p.find(a) != std::string::npos && (b.empty() || p.find(b) != std::string::npos)) {
            return true;
        }
    }
    return false;
}

const std::vector<std::string>& FixedMediaFiles() {
    static const std::vector<std::string> files = {
        "art/tilelib1.mpt",      "art/bg/attributes.bmp",  "art/bg/battle1.bmp",
        "art/bg/battle2.bmp",    "art/bg/battle3.bmp",     "art/bg/battle4.bmp",
        "art/bg/end_story1.bmp", "art/bg/end_story2.bmp",  "art/bg/end_story3.bmp",
        "art/bg/end_story4.bmp", "art/bg/equip_menu1.bmp", "art/bg/equip_menu2.bmp",
        "art/bg/herodead.bmp",   "art/bg/item_menu.bmp",   "art/bg/main_menu1.bmp",
        "art/bg/main_menu2.bmp", "art/bg/main_menu3.bmp",  "art/bg/scroll1.bmp",
        "art/bg/shop_menu1.bmp", "art/bg/spell_menu.bmp",  "art/bg/title1.bmp",
        "art/bg/title2.bmp",     "art/bg/title3.bmp",      "art/bg/title4.bmp",
        "sound/battle.wav",      "sound/button.wav",       "sound/button2.wav",
        "sound/button3.wav",     "sound/click.wav",        "sound/gap.wav",
        "sound/intro1.wav",      "sound/intro2.wav",       "sound/nomag.wav",
        "sound/register.wav",    "sound/reroll.wav",       "sound/unlock.wav",
        "sound/win.wav",         "music/title.mid",        "music/menu.mid",
        "music/game_end.mid",    "music/level01.mid",      "music/level06.mid",
        "music/battle01.mid",
    };
    return files;
}

// ---- reporting and small helpers ------------------------------------------------------------

void Checker::Fail(const Where& at, const std::string& expected, const std::string& found) {
    std::string p = at.file;
    if (at.line > 0) p += ":" + std::to_string(at.line);
    p += ": expected " + expected + ", found " + found;
    if (options_.out) std::fprintf(options_.out, "%s\n", p.c_str());
    result_.problems.push_back(p);
}

bool Checker::Exists(const std::string& path) const {
    std::error_code ec;
    return std::filesystem::is_regular_file(At(path), ec);
}

bool Checker::Need(const std::string& path, const Where& namedAt, const std::string& what) {
    if (Exists(path)) return true;
    Fail(namedAt, path + " (" + what + ")", "no such file");
    return false;
}

void Checker::NeedMedia(const std::string& path, const Where& namedAt, const std::string& what) {
    if (options_.media) Need(path, namedAt, what);
}

bool Checker::ExpectCount(const std::string& path, const NumberFile& f, size_t count,
                          const std::string& what) {
    if (!f.stray.empty()) {
        Fail({path, f.strayLine}, Text("%zu numbers (%s)", count, what.c_str()),
             f.stray + " after " + std::to_string(f.strayAfter));
        return false;
    }
    if (f.values.size() != count) {
        Fail({path, f.values.empty() ? 0 : f.lines.back()},
             Text("%zu numbers (%s)", count, what.c_str()), std::to_string(f.values.size()));
        return false;
    }
    return true;
}

void Checker::ExpectRange(const Where& at, int32_t value, int32_t lo, int32_t hi,
                          const std::string& what) {
    if (value < lo || value > hi) {
        Fail(at, Text("%s %d..%d", what.c_str(), lo, hi), std::to_string(value));
    }
}

std::map<int32_t, std::string> Checker::Numbered(const std::string& folder,
                                                 const std::string& prefix) const {
    std::map<int32_t, std::string> out;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(At(folder), ec)) {
        std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ec)) continue;
        if (name.size() != prefix.size() + 6 || name.rfind(prefix, 0) != 0) continue;
        if (name.compare(prefix.size() + 2, 4, ".txt") != 0) continue;
        char d0 = name[prefix.size()], d1 = name[prefix.size() + 1];
        if (d0 < '0' || d0 > '9' || d1 < '0' || d1 > '9') continue;
        std::string file = folder;
        file += "/";
        file += name;
        out[(d0 - '0') * 10 + (d1 - '0')] = file;
    }
    return out;
}

// A text line after the numbers: present (if required), within size - 1 characters, and not
// more numbers (which would mean the file holds more numbers than its format).
bool Checker::NameLine(ContentText& t, int32_t size, bool required, const std::string& what) {
    std::string name;
    int32_t line = t.LineHere();
    if (!t.Line(&name)) {
        if (required) Fail({t.Path(), line}, what, "the end of the file");
        return !required;
    }
    if (AllNumbers(name)) {
        Fail({t.Path(), line}, what, "more numbers " + Quoted(name));
        return false;
    }
    if (required && name.empty()) Fail({t.Path(), line}, what, "an empty line");
    if (static_cast<int32_t>(name.size()) > size - 1) {
        Fail({t.Path(), line}, Text("at most %d characters (%s)", size - 1, what.c_str()),
             Text("%zu in %s", name.size(), Quoted(name).c_str()));
    }
    return true;
}

// Reads exactly count numbers at the head of a text; reports a shortfall.
bool ReadHead(Checker& c, ContentText& t, int32_t count, std::vector<int32_t>* values,
              std::vector<int32_t>* lines, const std::string& what) {
    for (int32_t k = 0; k < count; ++k) {
        int32_t v = 0, line = 0;
        if (!t.Int(&v, &line)) {
            c.Fail({t.Path(), t.LineHere()}, Text("%d numbers (%s)", count, what.c_str()),
                   t.NextWord() + " after " + std::to_string(k));
            return false;
        }
        values->push_back(v);
        if (lines) lines->push_back(line);
    }
    return true;
}

void ExpectEnd(Checker& c, ContentText& t, const std::string& after) {
    if (!t.AtEnd()) c.Fail({t.Path(), t.LineHere()}, "the end of the file " + after, t.NextWord());
}

// ---- actors, villains, animations -----------------------------------------------------------

// An actor or villain file: numbers, then a name line. Returns the numbers when the shape is
// right. drawn: the frames must name real tiles (0 marks a free shot) and it must move.
std::vector<int32_t> Checker::CheckActorFile(const std::string& path, int32_t numbers,
                                             int32_t nameSize, bool named, bool drawn,
                                             std::vector<int32_t>* lineOf) {
    ContentText t(root_, path);
    std::vector<int32_t> values, lines;
    if (!t.Exists()) return values;
    if (!ReadHead(*this, t, numbers, &values, &lines, "before the name")) return {};
    if (!NameLine(t, nameSize, named, Text("a name line after %d numbers", numbers))) return {};
    ExpectEnd(*this, t, "after the name");
    // Villain tiles are range-checked by the villain loader itself.
    const FieldSchema& tiles = kActorAnimRowFields[0];
    const Range tileRange = StrictRange(tiles);
    for (int32_t f = 0; f < kActorFields[0].count && numbers == kActorNumbers; ++f) {
        for (int32_t s = 0; s < tiles.count; ++s) {
            const int32_t at = RecordIntegers(kActorAnimRowSchema) * f + s;
            const size_t i = static_cast<size_t>(at);
            ExpectRange({path, lines[i]}, values[i], drawn ? 1 : tileRange.lo, tileRange.hi,
                        Text("a tile (facing %d, state %d)", f, s));
        }
    }
    const size_t step = static_cast<size_t>(ActorFieldAt("stepPeriod"));
    if (drawn && numbers == kActorNumbers && values[step] <= 0) {
        Fail({path, lines[step]}, "a step period above 0 ms", std::to_string(values[step]));
    }
    if (lineOf) *lineOf = lines;
    return values;
}

void Checker::CheckActors() {
    Where start{"(start-up)", 0};
    Need(kHeroActorFile, start, "the heroine");
    Need(kDummyActorFile, start, "the empty shot");
    constexpr int32_t kNameBytes = FindField(kActorSchema, "name")->hi + 1;
    CheckActorFile(kHeroActorFile, kActorNumbers, kNameBytes, true, true);
    CheckActorFile(kDummyActorFile, kActorNumbers, kNameBytes, false, false);
    LoadActor(g_, g_.hero, kHeroActorFile);
    LoadActor(g_, g_.heroSpell, kDummyActorFile);
    for (int32_t k = 0; k < kSpellFiles; ++k) {
        std::string path = Text("data/spells/cast%02d.txt", k);
        if (k < kSpells) Need(path, start, Text("the heroine's spell %d", k));
        if (!Exists(path)) continue;
        NeedMedia(Text("sound/spell%02d.wav", k), {path, 0}, "its sound");
        std::vector<int32_t> lines;
        std::vector<int32_t> v =
            CheckActorFile(path, kActorNumbers, kNameBytes, true, true, &lines);
        g_.heroSpell = Projectile{};
        LoadActor(g_, g_.heroSpell, path.c_str());
        // A new heroine has magic level 1 and at least 3 MP: the first spell, which opens the
        // lairs and breaks the barriers, must be in her reach from the start.
        if (k == 0 && !v.empty()) {
            const size_t level = static_cast<size_t>(ActorAttrAt(MagicLevel)),
                         cost = static_cast<size_t>(ActorAttrAt(MP));
            if (v[level] > 1) {
                Fail({path, lines[level]}, "magic level 1 for the first spell",
                     std::to_string(v[level]));
            }
            if (v[cost] > 3) {
                Fail({path, lines[cost]}, "a cost of at most 3 MP", std::to_string(v[cost]));
            }
        }
    }
}

void Checker::CheckVillain(int32_t number, const std::string& path) {
    bool fightable = number >= 1;
    std::vector<int32_t> lines;
    std::vector<int32_t> v = CheckActorFile(path, kVillainNumbers, sizeof(g_.villain.name),
                                            fightable, fightable, &lines);
    g_.villain = Villain{};
    LoadVillain(g_, number);
    if (v.empty()) return;
    const Villain& vl = g_.villain;
    // Field k of the file, for messages: where it stands.
    auto at = [&](size_t k) { return Where{path, lines[k]}; };
    auto At = [](const char* field) { return static_cast<size_t>(VillainFieldAt(field)); };
    constexpr size_t kSlotInts = RecordIntegers(kVillainSpellSlotSchema);
    if (!fightable) {
        if (vl.alive != 0)
            Fail(at(At("alive")), "the empty villain (alive 0)", std::to_string(vl.alive));
        return;
    }
    if (vl.alive == 0) Fail(at(At("alive")), "a living villain (alive not 0)", "0");
    if (vl.thinkPeriod <= 0)
        Fail(at(At("thinkPeriod")), "a think period above 0 ms", std::to_string(vl.thinkPeriod));
    if (vl.hp <= 0 || vl.maxHp < vl.hp) {
        Fail(at(At("hp")), "hit points above 0 and at most the maximum",
             Text("%d of %d", vl.hp, vl.maxHp));
    }
    ExpectRange(at(At("spellCount")), vl.spellCount, 0, 3, "a spell count");
    for (int32_t s = 0; s < vl.spellCount && vl.spellCount <= 3; ++s) {
        size_t k = At("spells") + kSlotInts * static_cast<size_t>(s);
        if (vl.spells[s].period <= 0) {
            Fail(at(k), Text("a period above 0 ms for spell slot %d", s + 1),
                 std::to_string(vl.spells[s].period));
        }
        Need(Text("data/spells/cast%02d.txt", vl.spells[s].file), at(k + 1),
             Text("the spell file of slot %d", s + 1));
    }
    if (vl.heals && vl.healPeriod <= 0) {
        Fail(at(At("healPeriod")), "a heal period above 0 ms", std::to_string(vl.healPeriod));
    }
    if (vl.teleports) {
        if (vl.teleportPeriod <= 0) {
            Fail(at(At("teleportPeriod")), "a teleport period above 0 ms",
                 std::to_string(vl.teleportPeriod));
        }
        NeedMedia(Text("sound/tele%02d.wav", vl.teleportSound), at(At("teleportSound")),
                  "the teleport sound");
    }
    ExpectRange(at(At("moveMode")), vl.moveMode, 0, 3, "a movement mode");
    ExpectRange(at(At("boxTurns")), vl.boxTurns, 0, 1, "box turning");
    if (vl.boxLeft < 0 || vl.boxRight < 0 || vl.boxTop < 0 || vl.boxBottom < 0 ||
        int64_t{vl.boxLeft} + vl.boxRight > 127 || int64_t{vl.boxTop} + vl.boxBottom > 127) {
        Fail(at(At("boxLeft")), "a touch box inside the 128 x 128 sprite",
             Text("margins %d %d %d %d", vl.boxLeft, vl.boxRight, vl.boxTop, vl.boxBottom));
    }
}

void Checker::CheckAnims() {
    for (int32_t n = 0; n < kAnimTiles; ++n) {
        std::string path = Text("data/anims/anim%02d.txt", n);
        if (!Need(path, {"(start-up)", 0}, Text("animation entry %d", n))) continue;
        NumberFile f = ReadNumberFile(root_, path);
        LoadAnimFile(g_, path.c_str());
        if (!ExpectCount(path, f, kAnimFileIntegers, "entry period frame tile tile")) continue;
        const size_t entry = static_cast<size_t>(AnimFieldAt("entry")),
                     period = static_cast<size_t>(AnimFieldAt("period")),
                     frame = static_cast<size_t>(AnimFieldAt("frame")),
                     tiles = static_cast<size_t>(AnimFieldAt("tiles"));
        if (f.values[entry] != n) {
            Fail({path, f.lines[entry]}, Text("entry %d (the file's own number)", n),
                 std::to_string(f.values[entry]));
        }
        if (f.values[period] < StrictRange(*FindField(kAnimFileSchema, "period")).lo)
            Fail({path, f.lines[period]}, "a period above 0 ms", std::to_string(f.values[period]));
        const Range frames = StrictRange(*FindField(kAnimFileSchema, "frame"));
        ExpectRange({path, f.lines[frame]}, f.values[frame], frames.lo, frames.hi, "a first frame");
        const Range tileRange = StrictRange(*FindField(kAnimFileSchema, "tiles"));
        for (size_t k = tiles;
             k < tiles + static_cast<size_t>(FindField(kAnimFileSchema, "tiles")->count); ++k) {
            ExpectRange({path, f.lines[k]}, f.values[k], tileRange.lo, tileRange.hi, "a tile");
        }
    }
}

// ---- catalogue, chests, shops, dialogs, treasure, lairs -------------------------------------

void Checker::CheckCatalogue() {
    Where start{"(start-up)", 0};
    auto record = [&](const std::string& path, const std::vector<int32_t>& v,
                      const std::vector<int32_t>& lines, int32_t field, int32_t own,
                      const char* what) {
        const size_t at = static_cast<size_t>(field);
        if (v[at] != own) {
            Fail({path, lines[at]}, Text("%s %d (named by the file name)", what, own),
                 std::to_string(v[at]));
        }
    };
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        for (int32_t p = 0; p < kPiecesPerSlot; ++p) {
            std::string path = Text("data/portal/%s%02d.txt", kPieceWords[s], p);
            if (!Need(path, start, "equipment piece")) continue;
            ContentText t(root_, path);
            std::vector<int32_t> v, lines;
            if (!ReadHead(*this, t, RecordIntegers(kPieceFileSchema), &v, &lines,
                          "slot price piece protect mojo cast")) {
                continue;
            }
            record(path, v, lines, PieceFieldAt("slot"), s, "slot");
            record(path, v, lines, PieceFieldAt("piece"), p, "piece");
            if (NameLine(t, LineBytes(kPieceFileSchema, "name"), true, "the piece's name"))
                ExpectEnd(*this, t, "after the name");
        }
    }
    for (int32_t k = 0; k < kItems; ++k) {
        std::string path = Text("data/portal/item%02d.txt", k);
        if (!Need(path, start, "inventory item")) continue;
        ContentText t(root_, path);
        std::vector<int32_t> v, lines;
        if (!ReadHead(*this, t, RecordIntegers(kItemFileSchema), &v, &lines, "item value"))
            continue;
        record(path, v, lines, ItemFieldAt("item"), k, "item");
        if (NameLine(t, LineBytes(kItemFileSchema, "info"), true, "the item's info line") &&
            NameLine(t, LineBytes(kItemFileSchema, "name"), true, "the item's name")) {
            ExpectEnd(*this, t, "after the name");
        }
    }
    for (int32_t k = 0; k < kSpells; ++k) {
        std::string path = Text("data/portal/spell%02d.txt", k);
        if (!Need(path, start, "spell name")) continue;
        ContentText t(root_, path);
        std::vector<int32_t> v, lines;
        if (!ReadHead(*this, t, RecordIntegers(kSpellFileSchema), &v, &lines, "spell")) continue;
        record(path, v, lines, FieldOffset(kSpellFileSchema, "spell"), k, "spell");
        if (NameLine(t, LineBytes(kSpellFileSchema, "name"), true, "the spell's name"))
            ExpectEnd(*this, t, "after the name");
    }
    LoadCatalogue(g_);
}

void Checker::CheckChest(int32_t number, const std::string& path) {
    g_.chests[number] = Chest{};
    LoadChest(g_, path.c_str());  // warns about a record number that is not the file's own
    ContentText t(root_, path);
    std::vector<int32_t> v, lines;
    if (!ReadHead(*this, t, kChestFileIntegers, &v, &lines, "record kind slot value")) return;
    if (NameLine(t, LineBytes(kChestSchema, "text"), true, "the chest's text"))
        ExpectEnd(*this, t, "after the text");
    const size_t kind = static_cast<size_t>(ChestFieldAt("kind"));
    const Range kinds = StrictRange(ChestField("kind"));
    ExpectRange({path, lines[kind]}, v[kind], kinds.lo, kinds.hi, "a chest kind");
    StrictGoods(path, kChestKinds, kChestKindCount, v, lines, kind);
}

void Checker::CheckShop(const std::string& path) {
    ContentText t(root_, path);
    int32_t count = 0, line = 0;
    if (!t.Int(&count, &line)) {
        Fail({path, t.LineHere()}, "the number of wares", t.NextWord());
        return;
    }
    const Range wares = StrictRange(kShopFields[0]);
    if (count == 0) Fail({path, line}, Text("%d..%d wares", wares.lo, wares.hi), "0");
    for (int32_t k = 0; k < count && k < kShopFields[1].count; ++k) {
        int32_t price = 0, priceLine = 0;
        if (!t.Int(&price, &priceLine)) {
            Fail({path, t.LineHere()}, Text("the price of ware %d", k + 1), t.NextWord());
            return;
        }
        if (price < StrictRange(WareField("price")).lo)
            Fail({path, priceLine}, "a price above 0", std::to_string(price));
        if (!NameLine(t, LineBytes(kWareSchema, "name"), true,
                      Text("the name of ware %d", k + 1)) ||
            !NameLine(t, LineBytes(kWareSchema, "text"), true,
                      Text("the hint of ware %d", k + 1))) {
            return;
        }
        // The kind and its goods, numbered from the kind (the price stands before the lines).
        std::vector<int32_t> v, lines;
        const int32_t goods = RecordIntegers(kWareSchema) - WareFieldAt("kind");
        if (!ReadHead(*this, t, goods, &v, &lines, Text("kind slot index of ware %d", k + 1)))
            return;
        StrictGoods(path, kWareKinds, kWareKindCount, v, lines, 0);
        if (v[0] == GoodsItem) keysFound_.insert(v[2]);
    }
    if (count <= kShopFields[1].count) ExpectEnd(*this, t, "after the last ware");
    LoadShop(g_, path.c_str());
}

// The goods after a kind at v[kind]: a piece or spell must not be the one she starts with, and
// gold and purses give more than nothing. The loader itself reports what fits no table.
void Checker::StrictGoods(const std::string& path, const KindSchema* kinds, int32_t kindCount,
                          const std::vector<int32_t>& v, const std::vector<int32_t>& lines,
                          size_t kind) {
    const RecordSchema* rest = KindRest(kinds, kindCount, v[kind]);
    if (rest == nullptr) return;
    const size_t at = kind + 1 + static_cast<size_t>(FieldOffset(*rest, "index"));
    const FieldSchema& f = *FindField(*rest, "index");
    const int32_t value = v[at];
    if (!HasStrictRange(f) || (value >= f.strictLo && value <= f.strictHi)) return;
    if (IsChecked(f) && (value < f.lo || value > f.hi)) return;
    if (v[kind] == GoodsPiece) {
        Fail({path, lines[at]},
             Text("piece %d..%d (piece 0 is owned from the start)", f.strictLo, f.strictHi),
             std::to_string(value));
    } else if (v[kind] == GoodsSpell) {
        Fail({path, lines[at]},
             Text("spell %d..%d (spell 0 is known from the start)", f.strictLo, f.strictHi),
             std::to_string(value));
    } else {
        Fail({path, lines[at]}, "an amount above 0", std::to_string(value));
    }
}

void Checker::CheckDialog(const std::string& path) {
    g_.dialog = DialogBox{};
    LoadDialog(g_, path.c_str());
    ContentText t(root_, path);
    int32_t count = 0, line = 0;
    if (!t.Int(&count, &line)) {
        Fail({path, t.LineHere()}, "the number of lines", t.NextWord());
        return;
    }
    const Range counts = StrictRange(kDialogFields[0]);
    if (count < counts.lo)
        Fail({path, line}, Text("%d..%d lines", counts.lo, counts.hi), std::to_string(count));
    int32_t shown = count < kDialogLines ? count : kDialogLines;
    bool spilled = false;
    for (int32_t k = 0; k < shown; ++k) {
        std::string text;
        int32_t at = t.LineHere();
        if (!t.Line(&text)) {
            Fail({path, at}, Text("%d lines after the count", count), std::to_string(k));
            return;
        }
        const int32_t most = kDialogFields[1].hi;
        if (static_cast<int32_t>(text.size()) > most) {
            Fail({path, at}, Text("at most %d characters", most),
                 Text("%zu in %s", text.size(), Quoted(text).c_str()));
            spilled = true;
        }
        if (spilled) continue;  // the box shows the rest of a long line as the next one
        // The box must show exactly what the file says: nothing spills into the next line.
        std::string box = g_.dialog.lines[k];
        while (!box.empty() && (box.back() == '\n' || box.back() == '\r')) box.pop_back();
        if (box != text) Fail({path, at}, "the box to show " + Quoted(text), Quoted(box));
    }
    if (count <= kDialogLines) ExpectEnd(*this, t, Text("after %d lines", count));
}

void Checker::CheckTreasure(int32_t number, const std::string& path) {
    NumberFile f = ReadNumberFile(root_, path);
    if (!ExpectCount(path, f, kTreasureFileIntegers, "record gold")) return;
    const size_t record = static_cast<size_t>(FieldOffset(kTreasureFileSchema, "record")),
                 amount = static_cast<size_t>(FieldOffset(kTreasureFileSchema, "amount"));
    if (f.values[record] != number) {
        Fail({path, f.lines[record]}, Text("record %d (named by the file name)", number),
             std::to_string(f.values[record]));
    }
    if (f.values[amount] < StrictRange(*FindField(kTreasureFileSchema, "amount")).lo)
        Fail({path, f.lines[amount]}, "gold above 0", std::to_string(f.values[amount]));
}

void Checker::CheckLairFile(const std::string& path) {
    ExpectCount(path, ReadNumberFile(root_, path),
                static_cast<size_t>(RecordIntegers(kLevelExitSchema)), "a level exit");
}

void Checker::CheckFreshGame() {
    const std::string path = kFreshGameFile;
    if (!Need(path, {"(new game)", 0}, "the fresh game")) return;
    NumberFile f = ReadNumberFile(root_, path);
    bool whole = ExpectCount(path, f, kSaveFileIntegers, "the saved-game format");
    g_.hero = Actor{};
    g_.level = LevelMap{};
    LoadGame(g_, kFreshGameFile, 0);
    if (!whole) return;
    // A new game plays on the level start-up loaded: level 1, Small.
    if (f.values[kSaveLevel] != 1) {
        Fail({path, f.LineOf(kSaveLevel)}, "level 1 (start-up loads it)",
             std::to_string(f.values[kSaveLevel]));
    }
    if (f.values[kSaveMode] != Small) {
        Fail({path, f.LineOf(kSaveMode)}, "map mode 2 (level 1 is Small)",
             std::to_string(f.values[kSaveMode]));
    }
    // A new game begun from an empty slot reads only this file: it must carry the first spell
    // and the gear she wears.
    if (f.values[kSaveSpells] != 1)
        Fail({path, f.LineOf(kSaveSpells)}, "spell 0 known (1)",
             std::to_string(f.values[kSaveSpells]));
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        int32_t worn = f.values[kSaveWorn + static_cast<size_t>(s)];
        if (worn < 0 || worn >= kPiecesPerSlot) continue;  // the loader reports it
        size_t owned = kSavePieces + static_cast<size_t>(s * kPiecesPerSlot + worn);
        if (f.values[owned] != 1) {
            Fail({path, f.LineOf(owned)}, Text("worn piece %d of slot %d owned (1)", worn, s),
                 std::to_string(f.values[owned]));
        }
    }
    // The start is an arrival like any other.
    Arrival a;
    a.where = {path, f.LineOf(kSaveLevel)};
    a.from = "the fresh game";
    LevelMap& m = g_.level;
    a.exit = LevelExit{m.levelNumber,   g_.hero.x, g_.hero.y,           m.mode,
                       m.viewCol,       m.viewRow, m.encounterVillains, m.battleMap,
                       m.encounterRate, m.scrollX, m.scrollY,           m.levelMusic};
    CheckEncounter(a.exit, a.where);
    arrivals_[a.exit.destLevel].push_back(a);
    queue_.push_back({a.exit.destLevel, {a.exit.mapMode, a.where}});
}

void Checker::CheckMedia() {
    if (!options_.media) return;
    for (const std::string& file : FixedMediaFiles()) Need(file, {file, 0}, "the program opens it");
}

void Checker::CheckFiles() {
    CheckActors();
    for (const auto& [n, path] : Numbered("data/villains", "v")) {
        if (n <= kFightableVillains) CheckVillain(n, path);
    }
    Need("data/villains/v00.txt", {"(start-up)", 0}, "the empty villain");
    CheckAnims();
    CheckCatalogue();
    for (const auto& [n, path] : Numbered("data/chests", "chest")) {
        if (n < kChests) CheckChest(n, path);
    }
    for (const auto& [n, path] : Numbered("data/shops", "shop")) CheckShop(path);
    for (int32_t n : kProgramDialogs) {
        Need(Text("data/dialog/dialog%02d.txt", n), {"(program)", 0}, "a dialog the program opens");
    }
    for (const auto& [n, path] : Numbered("data/dialog", "dialog")) CheckDialog(path);
    for (const auto& [n, path] : Numbered("data/hidden", "ht")) CheckTreasure(n, path);
    for (const auto& [n, path] : Numbered("data/lair", "hlair")) CheckLairFile(path);
    for (const auto& [n, path] : Numbered("levels", "battle")) CheckArena(path);
    Need(kWebPage, {"(quit)", 0}, "the page opened on quitting");
    CheckMedia();
}

void Checker::Run() {
    CheckFiles();
    CheckFreshGame();
    CheckAdventure();
}

CheckResult CheckContent(const std::string& dir, const CheckOptions& options) {
    CheckResult result;
    std::error_code ec;
    if (!std::filesystem::is_directory(dir, ec)) {
        Checker(*std::make_unique<Game>(), options, result)
            .Fail({dir, 0}, "a content directory", "none that can be entered");
        return result;
    }
    ManualClock clock;
    RecordingDisplay display;
    RecordingAudio audio(&clock);
    ScriptedJoystick joystick;
    RecordingShell shell;
    StderrDiagnostics diagnostics;
    display.contentRoot = dir.c_str();
    audio.contentRoot = dir.c_str();
    auto game = std::make_unique<Game>();
    ResetGame(*game, Platform{&clock, &display, &audio, &joystick, &shell, nullptr, &diagnostics,
                              dir.c_str()});
    Checker(*game, options, result).Run();
    result.loaderWarnings = diagnostics.Count();
    return result;
}

}  // namespace veloria::check
