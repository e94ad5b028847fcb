#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <pugixml.hpp>
#include <sstream>

#include "content/schema.h"
#include "hero/actor_record.h"
#include "tilesets.h"
#include "tmx.h"
#include "world/event_code.h"
#include "world/level_map_record.h"
#include "world/level_schema.h"

namespace veloria::tiled {

namespace fs = std::filesystem;

namespace {

constexpr uint32_t kFlipBits = 0xF0000000u;  // flips, the diagonal and the hexagonal turn

struct Tileset {
    uint32_t firstGid;
    std::string name;
};

class Importer {
  public:
    Importer(const std::string& path, Problems& problems) : path_(path), problems_(problems) {}

    bool Run(Level& level);

  private:
    // The line of a node, counted from the offset pugixml keeps for it.
    int32_t LineAt(ptrdiff_t offset) const {
        if (offset < 0) return 0;
        return int32_t(std::upper_bound(newlines_.begin(), newlines_.end(), size_t(offset)) -
                       newlines_.begin()) +
               1;
    }
    int32_t Line(pugi::xml_node n) const { return LineAt(n.offset_debug()); }
    void Report(pugi::xml_node n, const std::string& message) {
        problems_.push_back({path_, Line(n), message});
    }
    void ReportAt(ptrdiff_t offset, const std::string& message) {
        problems_.push_back({path_, LineAt(offset), message});
    }
    bool Int(const char* text, int64_t lo, int64_t hi, int64_t& out) const {
        if (!text || !*text) return false;
        errno = 0;
        char* end = nullptr;
        const long long v = std::strtoll(text, &end, 10);
        if (*end != '\0' || errno != 0 || v < lo || v > hi) return false;
        out = v;
        return true;
    }
    void ReadTilesets(pugi::xml_node map);
    std::string TilesetName(pugi::xml_node tileset);
    void ReadLayer(pugi::xml_node layer, int32_t index, Level& level);
    bool Gids(pugi::xml_node layer, pugi::xml_node data, const std::string& name,
              std::vector<uint32_t>& gids, std::vector<ptrdiff_t>& offsets);
    void ReadProperties(pugi::xml_node map, Level& level);
    void ReadObject(pugi::xml_node object, const std::string& type, Level& level);
    void CollectLayers(pugi::xml_node parent, std::vector<pugi::xml_node>& layers,
                       std::vector<pugi::xml_node>& objects);

    std::string path_;
    Problems& problems_;
    std::string text_;
    std::vector<size_t> newlines_;
    std::vector<Tileset> tilesets_;
    const LevelShape* shape_ = nullptr;
    bool seenExit_[kExitCount] = {};
    bool seenGuardian_[kGuardianCount] = {};
};

std::string Importer::TilesetName(pugi::xml_node tileset) {
    if (const char* name = tileset.attribute("name").as_string(nullptr)) return name;
    const std::string source = tileset.attribute("source").as_string();
    if (source.empty()) return "";
    // An external tileset: its name is in the file; a missing file still names itself.
    const fs::path file = fs::path(path_).parent_path() / source;
    pugi::xml_document doc;
    if (doc.load_file(file.c_str())) {
        if (const char* name = doc.child("tileset").attribute("name").as_string(nullptr)) {
            return name;
        }
    }
    return fs::path(source).stem().string();
}

void Importer::ReadTilesets(pugi::xml_node map) {
    for (pugi::xml_node t : map.children("tileset")) {
        int64_t first = 0;
        if (!Int(t.attribute("firstgid").as_string(), 1, 0x0FFFFFFF, first)) {
            Report(t, "a tileset without a valid firstgid");
            continue;
        }
        tilesets_.push_back({uint32_t(first), TilesetName(t)});
    }
    std::sort(tilesets_.begin(), tilesets_.end(),
              [](const Tileset& a, const Tileset& b) { return a.firstGid < b.firstGid; });
}

bool Importer::Gids(pugi::xml_node layer, pugi::xml_node data, const std::string& name,
                    std::vector<uint32_t>& gids, std::vector<ptrdiff_t>& offsets) {
    const std::string encoding = data.attribute("encoding").as_string();
    const std::string compression = data.attribute("compression").as_string();
    if (data.child("chunk")) {
        Report(data, "layer " + name +
                         " is stored in chunks (an infinite map); a level has a fixed size: "
                         "untick Infinite in the map properties");
        return false;
    }
    if (encoding.empty()) {  // <tile gid="..."/> elements
        for (pugi::xml_node t : data.children("tile")) {
            int64_t g = 0;
            if (!Int(t.attribute("gid").as_string("0"), 0, UINT32_MAX, g)) {
                Report(t, "layer " + name + ": a tile gid that is not a number");
                return false;
            }
            gids.push_back(uint32_t(g));
            offsets.push_back(t.offset_debug());
        }
        return true;
    }
    const pugi::xml_node text = data.first_child();
    const std::string body = text.value();
    const ptrdiff_t at = text ? text.offset_debug() : data.offset_debug();
    if (encoding == "csv") {
        if (!compression.empty()) {
            Report(data, "layer " + name + ": csv data cannot be compressed");
            return false;
        }
        size_t i = 0;
        while (i < body.size()) {
            while (i < body.size() && (body[i] == ',' || std::isspace(uint8_t(body[i])))) ++i;
            if (i >= body.size()) break;
            size_t j = i;
            while (j < body.size() && body[j] != ',' && !std::isspace(uint8_t(body[j]))) ++j;
            int64_t g = 0;
            const std::string word = body.substr(i, j - i);
            if (!Int(word.c_str(), 0, UINT32_MAX, g)) {
                ReportAt(at + ptrdiff_t(i), Format("layer %s: \"%.20s\" is not a tile gid",
                                                   name.c_str(), word.c_str()));
                return false;
            }
            gids.push_back(uint32_t(g));
            offsets.push_back(at + ptrdiff_t(i));
            if (gids.size() > 1 << 16) break;  // far more than any level; the count check says so
            i = j;
        }
        return true;
    }
    if (encoding != "base64") {
        Report(data, "layer " + name + ": unknown encoding \"" + encoding +
                         "\" (csv, base64 or base64 with zlib or gzip)");
        return false;
    }
    std::string bytes, error;
    if (!Base64Decode(body, bytes, error)) {
        Report(data, "layer " + name + ": " + error);
        return false;
    }
    if (compression == "zlib" || compression == "gzip") {
        std::string raw;
        if (!Inflate(bytes, raw, error)) {
            Report(data, "layer " + name + ": " + error);
            return false;
        }
        bytes.swap(raw);
    } else if (!compression.empty()) {
        Report(data, "layer " + name + ": compression \"" + compression +
                         "\" is not read; save the map with csv, base64, or base64 with zlib or "
                         "gzip");
        return false;
    }
    if (bytes.size() % 4 != 0) {
        Report(data, Format("layer %s: %zu bytes of data is not a whole number of cells",
                            name.c_str(), bytes.size()));
        return false;
    }
    for (size_t k = 0; k + 3 < bytes.size(); k += 4) {
        gids.push_back(uint32_t(uint8_t(bytes[k])) | uint32_t(uint8_t(bytes[k + 1])) << 8 |
                       uint32_t(uint8_t(bytes[k + 2])) << 16 |
                       uint32_t(uint8_t(bytes[k + 3])) << 24);
        offsets.push_back(data.offset_debug());
    }
    (void)layer;
    return true;
}

void Importer::ReadLayer(pugi::xml_node layer, int32_t index, Level& level) {
    const std::string name = kLayerNames[index];
    const int64_t w = layer.attribute("width").as_llong(-1);
    const int64_t h = layer.attribute("height").as_llong(-1);
    if (w != shape_->columns || h != shape_->rows) {
        Report(layer,
               Format("layer %s is %lld x %lld cells; the map is %d x %d (%s)", name.c_str(),
                      (long long)w, (long long)h, shape_->columns, shape_->rows, shape_->name));
        return;
    }
    if (layer.attribute("offsetx").as_double(0) != 0 ||
        layer.attribute("offsety").as_double(0) != 0) {
        Report(layer, "layer " + name + " is offset; the game draws every layer on the grid");
    }
    const pugi::xml_node data = layer.child("data");
    if (!data) {
        Report(layer, "layer " + name + " has no data");
        return;
    }
    std::vector<uint32_t> gids;
    std::vector<ptrdiff_t> offsets;
    if (!Gids(layer, data, name, gids, offsets)) return;
    if (gids.size() != size_t(shape_->Cells())) {
        Report(data, Format("layer %s holds %zu cells; the map (%s) has %d", name.c_str(),
                            gids.size(), shape_->name, shape_->Cells()));
        return;
    }
    const TilesetInfo& want = index == Animated ? kAnimSet
                              : index == Events ? kEventSet
                                                : kLibrarySet;
    std::vector<int32_t>& cells = level.layers[index];
    cells.assign(size_t(shape_->Cells()), 0);
    // A whole layer painted from the wrong tileset is one mistake: the first cells tell it.
    constexpr int32_t kShown = 10;
    int32_t bad = 0;
    auto cell = [&](ptrdiff_t offset, const std::string& message) {
        if (++bad <= kShown) ReportAt(offset, message);
    };
    for (size_t i = 0; i < gids.size(); ++i) {
        const uint32_t gid = gids[i];
        if (gid == 0) continue;
        const std::string where = Format("layer %s, cell (%zu, %zu): ", name.c_str(),
                                         i % size_t(shape_->columns), i / size_t(shape_->columns));
        if (gid & kFlipBits) {
            cell(offsets[i], where +
                                 "the tile is flipped or rotated; the game draws tiles "
                                 "as they are in the tileset");
            continue;
        }
        const Tileset* set = nullptr;
        for (const Tileset& t : tilesets_) {
            if (t.firstGid <= gid) set = &t;
        }
        if (!set) {
            cell(offsets[i], where + Format("gid %u belongs to no tileset", gid));
            continue;
        }
        const uint32_t id = gid - set->firstGid;
        if (set->name != want.name) {
            cell(offsets[i],
                 where + Format("tile %u of tileset \"%s\"; this layer takes tiles of \"%s\"%s", id,
                                set->name.c_str(), want.name,
                                index == Events ? " (an unknown event tile)" : ""));
            continue;
        }
        const bool ok = index == Events ? id < uint32_t(want.tiles) && IsLevelCode(int32_t(id))
                                        : id < uint32_t(want.tiles);
        if (!ok) {
            ReportAt(
                offsets[i],
                where + (index == Events ? Format("unknown event tile %u (codes 0..58, 61, 62)", id)
                                         : Format("tile %u is outside tileset \"%s\" (0..%d)", id,
                                                  want.name, want.tiles - 1)));
            continue;
        }
        cells[i] = int32_t(id);
    }
    if (bad > kShown) {
        Report(data, Format("layer %s: %d more cells like these", name.c_str(), bad - kShown));
    }
}

// Tiled writes a property's type only when it is not a string; an int is what every table
// number is, and a number typed as a string is taken too (the JSON and older writers).
bool PropertyInt(pugi::xml_node p, int64_t& out) {
    const std::string type = p.attribute("type").as_string("string");
    if (type != "int" && type != "string") return false;
    const char* v = p.attribute("value").as_string(nullptr);
    if (!v) v = p.text().as_string(nullptr);
    if (!v || !*v) return false;
    errno = 0;
    char* end = nullptr;
    const long long x = std::strtoll(v, &end, 10);
    if (*end != '\0' || errno != 0 || x < INT32_MIN || x > INT32_MAX) return false;
    out = x;
    return true;
}

void Importer::ReadProperties(pugi::xml_node map, Level& level) {
    std::map<std::string, pugi::xml_node> props;
    for (pugi::xml_node p : map.child("properties").children("property")) {
        props[p.attribute("name").as_string()] = p;
    }
    const pugi::xml_node where = map.child("properties") ? map.child("properties") : map;
    for (const TableEntry& e : ScalarEntries()) {
        const std::string name = PropertyName(e);
        auto it = props.find(name);
        if (it == props.end()) {
            Report(where, Format("missing map property %s (int): %s; 0 when unused", name.c_str(),
                                 kLevelTableFields[e.field].meaning));
            continue;
        }
        int64_t v = 0;
        if (PropertyInt(it->second, v)) {
            level.tables[size_t(e.position)] = int32_t(v);
        } else {
            Report(it->second, "map property " + name + " is not a whole number");
        }
        props.erase(it);
    }
    for (const auto& [name, node] : props) {
        std::fprintf(stderr, "%s:%d: warning: map property \"%s\" is not a level table; ignored\n",
                     path_.c_str(), Line(node), name.c_str());
    }
}

void Importer::ReadObject(pugi::xml_node object, const std::string& type, Level& level) {
    const bool exit = type == "exit";
    const int32_t first = exit ? EventExitFirst : EventGuardianFirst;
    const int32_t count = exit ? kExitCount : kGuardianCount;
    std::map<std::string, pugi::xml_node> props;
    for (pugi::xml_node p : object.child("properties").children("property")) {
        props[p.attribute("name").as_string()] = p;
    }
    int64_t code = 0;
    auto it = props.find("event");
    if (it == props.end() || !PropertyInt(it->second, code) || code < first ||
        code >= first + count) {
        Report(object, Format("%s object needs an int property \"event\", its event code %d..%d",
                              type.c_str(), first, first + count - 1));
        return;
    }
    bool* seen = exit ? &seenExit_[code - first] : &seenGuardian_[code - first];
    if (*seen) {
        Report(object, Format("a second %s object for event %lld", type.c_str(), (long long)code));
        return;
    }
    *seen = true;
    const FieldSchema* fields = exit ? kLevelExitFields : kGuardianSpotFields;
    const int32_t ints = exit ? kExitInts : kGuardianInts;
    const int32_t at = (exit ? kExitsAt : kGuardiansAt) + int32_t(code - first) * ints;
    for (int32_t k = 0; k < ints; ++k) {
        auto f = props.find(fields[k].name);
        int64_t v = 0;
        if (f == props.end()) {
            Report(object, Format("%s %lld: missing property %s (int): %s", type.c_str(),
                                  (long long)code, fields[k].name, fields[k].meaning));
        } else if (!PropertyInt(f->second, v)) {
            Report(f->second, Format("%s %lld: property %s is not a whole number", type.c_str(),
                                     (long long)code, fields[k].name));
        } else {
            level.tables[size_t(at + k)] = int32_t(v);
        }
    }
}

void Importer::CollectLayers(pugi::xml_node parent, std::vector<pugi::xml_node>& layers,
                             std::vector<pugi::xml_node>& objects) {
    for (pugi::xml_node n : parent.children()) {
        const std::string kind = n.name();
        if (kind == "layer") layers.push_back(n);
        if (kind == "objectgroup") objects.push_back(n);
        if (kind == "group") CollectLayers(n, layers, objects);
    }
}

bool Importer::Run(Level& level) {
    const size_t before = problems_.size();
    {
        std::ifstream in(path_, std::ios::binary);
        if (!in) {
            problems_.push_back({path_, 0, "cannot be read"});
            return false;
        }
        std::ostringstream all;
        all << in.rdbuf();
        text_ = all.str();
    }
    for (size_t i = 0; i < text_.size(); ++i) {
        if (text_[i] == '\n') newlines_.push_back(i);
    }
    pugi::xml_document doc;
    const pugi::xml_parse_result parsed =
        doc.load_buffer(text_.data(), text_.size(), pugi::parse_default, pugi::encoding_utf8);
    if (!parsed) {
        ReportAt(parsed.offset, std::string("not a well-formed map: ") + parsed.description());
        return false;
    }
    const pugi::xml_node map = doc.child("map");
    if (!map) {
        problems_.push_back({path_, 1, "not a Tiled map (no <map> element)"});
        return false;
    }
    if (std::string(map.attribute("orientation").as_string()) != "orthogonal") {
        Report(map, "the map is not orthogonal; levels are square grids");
    }
    if (map.attribute("infinite").as_int(0) != 0) {
        Report(map, "the map is infinite; a level has a fixed size: untick Infinite");
    }
    if (map.attribute("tilewidth").as_int() != 128 || map.attribute("tileheight").as_int() != 128) {
        Report(map, "the map's tiles are not 128 x 128 pixels, the size of the game's cells");
    }
    const int64_t w = map.attribute("width").as_llong(-1), h = map.attribute("height").as_llong(-1);
    shape_ = ShapeOfSize(w, h);
    if (!shape_) {
        Report(map, Format("the map is %lld x %lld cells; a level is 16 x 12 (Small) or 32 x 18 "
                           "(Large), an arena 10 x 8",
                           (long long)w, (long long)h));
        return false;
    }
    level.shape = shape_;
    level.tables.assign(shape_->mode == Arena ? 0 : size_t(kLevelTableIntegers), 0);
    ReadTilesets(map);

    std::vector<pugi::xml_node> layers, groups;
    CollectLayers(map, layers, groups);
    pugi::xml_node found[kLayers];
    for (pugi::xml_node layer : layers) {
        const std::string name = layer.attribute("name").as_string();
        int32_t index = -1;
        for (int32_t l = 0; l < kLayers; ++l) {
            if (name == kLayerNames[l]) index = l;
        }
        if (index < 0) {
            Report(layer, "tile layer \"" + name +
                              "\" is not one of the level's (Ground, Overlay, Animated, Top, "
                              "Events); paint on those or delete it");
        } else if (found[index]) {
            Report(layer, "a second tile layer named " + name);
        } else {
            found[index] = layer;
            ReadLayer(layer, index, level);
        }
    }
    for (int32_t l = 0; l < kLayers; ++l) {
        if (!found[l]) Report(map, std::string("missing tile layer ") + kLayerNames[l]);
    }

    if (shape_->mode != Arena) ReadProperties(map, level);
    for (pugi::xml_node group : groups) {
        for (pugi::xml_node o : group.children("object")) {
            std::string type = o.attribute("type").as_string();
            if (type.empty()) type = o.attribute("class").as_string();
            if (type != "exit" && type != "guardian") continue;
            if (shape_->mode == Arena) {
                Report(o, "an arena has no tables; " + type + " objects belong on levels");
                continue;
            }
            ReadObject(o, type, level);
        }
    }
    // Every exit and guardian code painted on the map needs its record.
    if (shape_->mode != Arena && found[Events] && problems_.size() == before) {
        const std::vector<int32_t>& ev = level.layers[Events];
        bool told[63] = {};
        for (int32_t i = 0; i < shape_->Cells(); ++i) {
            int32_t c = ev[size_t(i)];
            if (c == EventSealedPassage) c = EventExitFirst + 1;
            const bool missing = (IsExit(c) && !seenExit_[c - EventExitFirst]) ||
                                 (IsGuardian(c) && !seenGuardian_[c - EventGuardianFirst]);
            if (missing && !told[c]) {
                told[c] = true;
                Report(found[Events].child("data"),
                       Format("layer Events, cell (%d, %d): event %d has no %s object with "
                              "event = %d",
                              i % shape_->columns, i / shape_->columns, ev[size_t(i)],
                              IsExit(c) ? "exit" : "guardian", c));
            }
        }
    }
    return problems_.size() == before;
}

}  // namespace

bool ImportMap(const std::string& mapPath, Level& level, Problems& problems) {
    Importer importer(mapPath, problems);
    return importer.Run(level);
}

bool ImportLevelFile(const std::string& mapPath, const std::string& levelPath, Problems& problems) {
    Level level;
    return ImportMap(mapPath, level, problems) &&
           WriteFileAtomically(levelPath, LevelText(level), problems);
}

}  // namespace veloria::tiled
