#include "tilesets.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <pugixml.hpp>
#include <vector>

#include "level_text.h"
#include "world/event_code.h"

namespace veloria::tiled {

namespace fs = std::filesystem;

namespace {

constexpr int32_t kCell = 128;
constexpr int32_t kLibraryColumns = 32;
constexpr int32_t kSetColumns = 8;  // of the generated anims and events pictures

// A 5 x 7 font for the labels of the events tiles: digits, capitals and '-'.
struct Glyph {
    char c;
    const char* rows[7];
};
constexpr Glyph kFont[] = {
    {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
    {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
    {'9', {".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."}},
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'B', {"####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."}},
    {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
    {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
    {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
    {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'I', {".###.", "..#..", "..#..", "..#..", "..#..", "..#..", ".###."}},
    {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
    {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
    {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
    {'U', {"#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
    {'W', {"#...#", "#...#", "#...#", "#.#.#", "#.#.#", "##.##", "#...#"}},
    {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
    {'-', {".....", ".....", ".....", "#####", ".....", ".....", "....."}},
};

const Glyph* FindGlyph(char c) {
    for (const Glyph& g : kFont) {
        if (g.c == c) return &g;
    }
    return nullptr;
}

struct Picture {
    int32_t width, height;
    std::vector<uint32_t> argb;
    Picture(int32_t w, int32_t h) : width(w), height(h), argb(size_t(w) * size_t(h), 0) {}
    void Fill(int32_t x0, int32_t y0, int32_t w, int32_t h, uint32_t c) {
        for (int32_t y = y0; y < y0 + h; ++y) {
            for (int32_t x = x0; x < x0 + w; ++x) {
                if (x >= 0 && y >= 0 && x < width && y < height) argb[size_t(y) * width + x] = c;
            }
        }
    }
    // Text centred on (cx, y), `scale` pixels a font dot.
    void Text(int32_t cx, int32_t y, const std::string& s, int32_t scale, uint32_t c) {
        const int32_t w = int32_t(s.size()) * 6 * scale - scale;
        int32_t x = cx - w / 2;
        for (char ch : s) {
            if (const Glyph* g = FindGlyph(ch)) {
                for (int32_t r = 0; r < 7; ++r) {
                    for (int32_t k = 0; k < 5; ++k) {
                        if (g->rows[r][k] == '#')
                            Fill(x + k * scale, y + r * scale, scale, scale, c);
                    }
                }
            }
            x += 6 * scale;
        }
    }
};

bool SavePng(const Picture& p, const fs::path& path) {
    SDL_Surface* s =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(p.argb.data()), p.width, p.height,
                                           32, p.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!s) {
        std::fprintf(stderr, "veloria-tiled: %s\n", SDL_GetError());
        return false;
    }
    const bool ok = IMG_SavePNG(s, path.string().c_str()) == 0;
    if (!ok) std::fprintf(stderr, "%s: cannot be written: %s\n", path.c_str(), IMG_GetError());
    SDL_FreeSurface(s);
    return ok;
}

struct AnimEntry {
    int32_t period = 0, frame = 0, tile0 = 0, tile1 = 0;
};

// The 56 entries as the game loads them: each file fills the entry it names.
std::vector<AnimEntry> ReadAnims(const fs::path& game) {
    std::vector<AnimEntry> entries(kAnimSet.tiles);
    for (int32_t n = 0; n < kAnimSet.tiles; ++n) {
        std::ifstream in(game / Format("data/anims/anim%02d.txt", n));
        int32_t index = 0;
        AnimEntry e;
        if (!(in >> index >> e.period >> e.frame >> e.tile0 >> e.tile1)) {
            std::fprintf(stderr, "%s: not five numbers; entry left empty\n",
                         (game / Format("data/anims/anim%02d.txt", n)).c_str());
            continue;
        }
        if (index < 0 || index >= kAnimSet.tiles) continue;
        entries[size_t(index)] = e;
    }
    return entries;
}

pugi::xml_node TilesetNode(pugi::xml_document& doc, const TilesetInfo& info, int32_t columns) {
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    pugi::xml_node t = doc.append_child("tileset");
    t.append_attribute("version") = "1.8";
    t.append_attribute("tiledversion") = "1.8.2";
    t.append_attribute("name") = info.name;
    t.append_attribute("tilewidth") = kCell;
    t.append_attribute("tileheight") = kCell;
    t.append_attribute("tilecount") = info.tiles;
    t.append_attribute("columns") = columns;
    return t;
}

void Image(pugi::xml_node t, const std::string& source, int32_t w, int32_t h) {
    pugi::xml_node img = t.append_child("image");
    img.append_attribute("source") = source.c_str();
    img.append_attribute("trans") = "00ff00";  // the game's transparent colour
    img.append_attribute("width") = w;
    img.append_attribute("height") = h;
}

bool Save(const pugi::xml_document& doc, const fs::path& path) {
    if (!doc.save_file(path.c_str(), " ", pugi::format_default, pugi::encoding_utf8)) {
        std::fprintf(stderr, "%s: cannot be written\n", path.c_str());
        return false;
    }
    return true;
}

uint32_t EventColour(int32_t code) {
    if (code == EventWall) return 0xff505058;
    if (IsExit(code)) return 0xff2f8f3f;
    if (IsPerson(code)) return 0xff3f6fbf;
    if (code == EventShop) return 0xffbf8f2f;
    if (IsChest(code)) return 0xff9f6f2f;
    if (IsDoor(code)) return 0xff7f4f9f;
    if (IsTreasureSpot(code)) return 0xffcfbf3f;
    if (IsGuardian(code)) return 0xffbf3f3f;
    if (IsLair(code)) return 0xff6f3f2f;
    if (IsBarrier(code)) return 0xff2f9f9f;
    if (code == EventSealedPassage) return 0xff8f8f3f;
    if (code == EventEndGate) return 0xffffffff;
    if (IsLevelCode(code)) return 0xff9fbf9f;  // free ground (0, 48)
    return 0xff202020;
}

// The table entry a code uses, in the names of the map's properties and objects.
std::string EventMeaning(int32_t code) {
    if (code == EventFree || code == 48) return "free ground";
    if (code == EventWall) return "wall: blocks the heroine, villains and spells";
    if (IsExit(code)) return Format("level exit: the exit object with event = %d", code);
    for (const TableEntry& e : ScalarEntries()) {
        if (e.event == code) return "uses map property " + PropertyName(e);
    }
    if (IsGuardian(code)) return Format("guardian: the guardian object with event = %d", code);
    if (code == EventSealedPassage) {
        return "sealed passage: a wall until guardian 136 is beaten, then exit object event = 3";
    }
    if (code == EventEndGate) return "end gate: entered moving up, it ends the game";
    return "";  // 59, 60: reported by the game only, never painted
}

}  // namespace

const char* EventWord(int32_t code) {
    if (!IsLevelCode(code)) return "--";
    if (code == EventWall) return "WALL";
    if (IsExit(code)) return "EXIT";
    if (IsPerson(code)) return "SIGN";
    if (code == EventShop) return "SHOP";
    if (IsChest(code)) return "CHEST";
    if (IsLowDoor(code)) return "DOOR";
    if (IsHighDoor(code)) return "IRON";
    if (IsTreasureSpot(code)) return "GOLD";
    if (IsGuardian(code)) return "GUARD";
    if (IsLair(code)) return "LAIR";
    if (IsBarrier(code)) return "BARR";
    if (code == EventSealedPassage) return "SEAL";
    if (code == EventEndGate) return "END";
    return "FREE";
}

bool WriteTilesets(const std::string& gameDir, const std::string& outDir) {
    const fs::path game(gameDir), out(outDir);
    const fs::path library = game / "art/tilelib1.mpt";
    std::error_code ec;
    fs::create_directories(out, ec);
    SDL_Surface* loaded = IMG_Load(library.c_str());
    if (!loaded) {
        std::fprintf(stderr, "%s: cannot be read: %s\n", library.c_str(), IMG_GetError());
        return false;
    }
    SDL_Surface* lib = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0);
    SDL_FreeSurface(loaded);
    if (!lib || lib->w != kCell * kLibraryColumns || lib->h != kCell * kLibraryColumns) {
        std::fprintf(stderr, "%s: not a 4096 x 4096 picture\n", library.c_str());
        if (lib) SDL_FreeSurface(lib);
        return false;
    }
    bool ok = true;

    // The tile library itself: ids are tile numbers.
    {
        pugi::xml_document doc;
        pugi::xml_node t = TilesetNode(doc, kLibrarySet, kLibraryColumns);
        const fs::path rel = fs::relative(fs::absolute(library), fs::absolute(out), ec);
        Image(t, ec ? fs::absolute(library).string() : rel.generic_string(), lib->w, lib->h);
        ok = Save(doc, out / "veloria.tsx") && ok;
    }

    // The animation entries: tile k shows frame 0 of entry k and tile 56 + k its frame 1, and
    // tile k flips between the two at the entry's period, starting on its first frame.
    {
        const std::vector<AnimEntry> anims = ReadAnims(game);
        const int32_t cells = kAnimSetCells;
        Picture p(kSetColumns * kCell, (cells + kSetColumns - 1) / kSetColumns * kCell);
        auto copyCell = [&](int32_t tile, int32_t cell) {
            if (tile < 0 || tile >= kLibrarySet.tiles) return;  // drawn as nothing by the game
            const int32_t sx = tile % kLibraryColumns * kCell, sy = tile / kLibraryColumns * kCell;
            const int32_t dx = cell % kSetColumns * kCell, dy = cell / kSetColumns * kCell;
            for (int32_t y = 0; y < kCell; ++y) {
                const auto* row = static_cast<const uint32_t*>(lib->pixels) +
                                  size_t(sy + y) * size_t(lib->pitch / 4) + size_t(sx);
                for (int32_t x = 0; x < kCell; ++x)
                    p.argb[size_t(dy + y) * p.width + dx + x] = row[x];
            }
        };
        for (int32_t k = 0; k < kAnimSet.tiles; ++k) {
            copyCell(anims[size_t(k)].tile0, k);
            copyCell(anims[size_t(k)].tile1, kAnimSet.tiles + k);
        }
        ok = SavePng(p, out / "anims.png") && ok;
        pugi::xml_document doc;
        pugi::xml_node t = TilesetNode(doc, {kAnimSet.name, cells}, kSetColumns);
        Image(t, "anims.png", p.width, p.height);
        for (int32_t k = 0; k < kAnimSet.tiles; ++k) {
            const AnimEntry& e = anims[size_t(k)];
            pugi::xml_node tile = t.append_child("tile");
            tile.append_attribute("id") = k;
            pugi::xml_node props = tile.append_child("properties");
            pugi::xml_node prop = props.append_child("property");
            prop.append_attribute("name") = "frames";
            prop.append_attribute("value") =
                Format("tiles %d, %d every %d ms", e.tile0, e.tile1, e.period).c_str();
            // The game flips only frames 0 and 1; an entry that cannot flip stands still.
            if (e.period <= 0 || (e.frame != 0 && e.frame != 1) || e.tile0 == e.tile1) continue;
            pugi::xml_node anim = tile.append_child("animation");
            const int32_t first = e.frame == 0 ? k : kAnimSet.tiles + k;
            const int32_t second = e.frame == 0 ? kAnimSet.tiles + k : k;
            for (int32_t id : {first, second}) {
                pugi::xml_node f = anim.append_child("frame");
                f.append_attribute("tileid") = id;
                f.append_attribute("duration") = e.period;
            }
        }
        ok = Save(doc, out / "anims.tsx") && ok;
    }
    SDL_FreeSurface(lib);

    // One labelled cell per event code, half transparent so the map shows through.
    {
        Picture p(kSetColumns * kCell, (kEventSet.tiles + kSetColumns - 1) / kSetColumns * kCell);
        for (int32_t code = 0; code < kEventSet.tiles; ++code) {
            const int32_t x = code % kSetColumns * kCell, y = code / kSetColumns * kCell;
            const uint32_t c = EventColour(code);
            p.Fill(x + 4, y + 4, kCell - 8, kCell - 8, (c & 0x00ffffff) | 0xb0000000);
            const uint32_t ink = code == EventEndGate ? 0xff000000 : 0xffffffff;
            p.Text(x + kCell / 2, y + 16, std::to_string(code), 8, ink);
            p.Text(x + kCell / 2, y + 84, EventWord(code), 4, ink);
        }
        ok = SavePng(p, out / "events.png") && ok;
        pugi::xml_document doc;
        pugi::xml_node t = TilesetNode(doc, kEventSet, kSetColumns);
        Image(t, "events.png", p.width, p.height);
        // What each code needs, shown in Tiled's tile properties.
        for (int32_t code = 0; code < kEventSet.tiles; ++code) {
            const std::string meaning = EventMeaning(code);
            if (meaning.empty()) continue;
            pugi::xml_node prop =
                t.append_child("tile").append_child("properties").append_child("property");
            prop.parent().parent().prepend_attribute("id") = code;
            prop.append_attribute("name") = "meaning";
            prop.append_attribute("value") = meaning.c_str();
        }
        ok = Save(doc, out / "events.tsx") && ok;
    }
    return ok;
}

}  // namespace veloria::tiled
