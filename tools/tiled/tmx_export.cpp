#include <cstdint>
#include <filesystem>
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

void Property(pugi::xml_node props, const std::string& name, int32_t value) {
    pugi::xml_node p = props.append_child("property");
    p.append_attribute("name") = name.c_str();
    p.append_attribute("type") = "int";
    p.append_attribute("value") = value;
}

// The gid of a layer value: 0 (nothing) stays empty, so an author erases with the eraser.
uint32_t Gid(int32_t layer, int32_t v) {
    if (v == 0) return 0;
    if (layer == Animated) return uint32_t(kAnimFirstGid + v);
    if (layer == Events) return uint32_t(kEventFirstGid + v);
    return uint32_t(kLibraryFirstGid + v);
}

std::string LayerText(const std::vector<uint32_t>& gids, int32_t columns, Encoding encoding) {
    if (encoding == Encoding::Csv) {
        std::string out = "\n";
        for (size_t i = 0; i < gids.size(); ++i) {
            out += std::to_string(gids[i]);
            if (i + 1 < gids.size()) out += ',';
            if ((i + 1) % size_t(columns) == 0) out += '\n';
        }
        return out;
    }
    std::string bytes;
    for (uint32_t g : gids) {
        for (int s = 0; s < 32; s += 8) bytes += char((g >> s) & 0xff);  // little-endian
    }
    if (encoding != Encoding::Base64) bytes = Deflate(bytes, encoding == Encoding::Gzip);
    return "\n   " + Base64Encode(bytes) + "\n  ";
}

}  // namespace

bool IsMark(int32_t code) {
    return IsExit(code) || code == EventSealedPassage || code == EventEndGate ||
           IsTreasureSpot(code) || IsLair(code);
}

bool ExportLevel(const std::string& levelPath, const std::string& mapPath,
                 const std::string& tilesetDir, Encoding encoding, Problems& problems,
                 bool marksOnly) {
    Level level;
    if (!ReadLevelText(levelPath, level, problems)) return false;
    if (marksOnly) {
        for (int32_t& e : level.layers[Events]) {
            if (!IsMark(e)) e = EventFree;
        }
    }
    return ExportLevelData(level, levelPath, mapPath, tilesetDir, encoding, problems);
}

bool NewMap(const LevelShape& shape, const std::string& mapPath, const std::string& tilesetDir,
            Problems& problems) {
    Level level;
    level.shape = &shape;
    for (auto& layer : level.layers) layer.assign(size_t(shape.Cells()), 0);
    level.tables.assign(shape.mode == Arena ? 0 : size_t(kLevelTableIntegers), 0);
    return ExportLevelData(level, mapPath, mapPath, tilesetDir, Encoding::Csv, problems, true);
}

bool ExportLevelData(const Level& level, const std::string& levelPath, const std::string& mapPath,
                     const std::string& tilesetDir, Encoding encoding, Problems& problems,
                     bool samples) {
    const LevelShape& s = *level.shape;

    // Every value must be a tile the map editor can show; the level's line of a cell is its row
    // (one row a line) only in the levelgen layout, so cells are named by column and row.
    const size_t before = problems.size();
    for (int32_t l = 0; l < kLayers; ++l) {
        for (int32_t i = 0; i < s.Cells(); ++i) {
            const int32_t v = level.layers[l][size_t(i)];
            const bool ok = l == Events     ? IsLevelCode(v)
                            : l == Animated ? v >= 0 && v < kAnimSet.tiles
                                            : v >= 0 && v < kLibrarySet.tiles;
            if (!ok) {
                problems.push_back(
                    {levelPath, 0,
                     Format("layer %s, cell (%d, %d): %d is not %s", kLayerNames[l], i % s.columns,
                            i / s.columns, v,
                            l == Events     ? "an event code a level may hold (0..58, 61, 62)"
                            : l == Animated ? "an animation entry 0..55"
                                            : "a tile 0..1023")});
            }
        }
    }
    if (problems.size() != before) return false;

    std::error_code ec;
    const fs::path mapDir = fs::absolute(fs::path(mapPath)).parent_path();
    fs::path rel = fs::relative(fs::absolute(tilesetDir), mapDir, ec);
    if (ec || rel.empty()) rel = fs::absolute(tilesetDir);
    bool told = false;
    auto source = [&](const TilesetInfo& t) {
        if (!told && !fs::exists(fs::absolute(tilesetDir) / (std::string(t.name) + ".tsx"))) {
            told = true;
            std::fprintf(stderr,
                         "veloria-tiled: warning: the tilesets are not in %s yet "
                         "(veloria-tiled tileset GAMEDIR %s writes them)\n",
                         tilesetDir.c_str(), tilesetDir.c_str());
        }
        return (rel / (std::string(t.name) + ".tsx")).lexically_normal().generic_string();
    };

    pugi::xml_document doc;
    pugi::xml_node decl = doc.append_child(pugi::node_declaration);
    decl.append_attribute("version") = "1.0";
    decl.append_attribute("encoding") = "UTF-8";
    pugi::xml_node map = doc.append_child("map");
    map.append_attribute("version") = "1.8";
    map.append_attribute("tiledversion") = "1.8.2";
    map.append_attribute("orientation") = "orthogonal";
    map.append_attribute("renderorder") = "right-down";
    map.append_attribute("width") = s.columns;
    map.append_attribute("height") = s.rows;
    map.append_attribute("tilewidth") = 128;
    map.append_attribute("tileheight") = 128;
    map.append_attribute("infinite") = 0;
    pugi::xml_attribute nextLayer = map.append_attribute("nextlayerid");
    pugi::xml_attribute nextObject = map.append_attribute("nextobjectid");

    if (s.mode != Arena) {
        pugi::xml_node props = map.append_child("properties");
        for (const TableEntry& e : ScalarEntries()) {
            Property(props, PropertyName(e), level.tables[size_t(e.position)]);
        }
    }
    const TilesetInfo* sets[3] = {&kLibrarySet, &kAnimSet, &kEventSet};
    const int32_t firstGids[3] = {kLibraryFirstGid, kAnimFirstGid, kEventFirstGid};
    for (int32_t k = 0; k < 3; ++k) {
        pugi::xml_node t = map.append_child("tileset");
        t.append_attribute("firstgid") = firstGids[k];
        t.append_attribute("source") = source(*sets[k]).c_str();
    }

    int32_t layerId = 1;
    for (int32_t l = 0; l < kLayers; ++l) {
        pugi::xml_node layer = map.append_child("layer");
        layer.append_attribute("id") = layerId++;
        layer.append_attribute("name") = kLayerNames[l];
        layer.append_attribute("width") = s.columns;
        layer.append_attribute("height") = s.rows;
        if (l == Events) layer.append_attribute("opacity") = "0.6";
        std::vector<uint32_t> gids;
        for (int32_t v : level.layers[l]) gids.push_back(Gid(l, v));
        pugi::xml_node data = layer.append_child("data");
        if (encoding == Encoding::Csv) {
            data.append_attribute("encoding") = "csv";
        } else {
            data.append_attribute("encoding") = "base64";
            if (encoding != Encoding::Base64) {
                data.append_attribute("compression") = encoding == Encoding::Zlib ? "zlib" : "gzip";
            }
        }
        data.append_child(pugi::node_pcdata)
            .set_value(LayerText(gids, s.columns, encoding).c_str());
    }

    int32_t objectId = 1;
    if (s.mode != Arena) {
        // Exits and guardian spots are records: one object each, on the first cell that uses
        // it (an author finds it there), for every record in use or holding any number.
        pugi::xml_node group = map.append_child("objectgroup");
        group.append_attribute("id") = layerId++;
        group.append_attribute("name") = "Tables";
        auto record = [&](const char* type, int32_t code, int32_t at, const FieldSchema* fields,
                          int32_t count) {
            const std::vector<int32_t>& ev = level.layers[Events];
            int32_t cell = -1;
            for (int32_t i = 0; i < s.Cells() && cell < 0; ++i) {
                // The sealed passage opens into exit 1 (code 3).
                if (ev[size_t(i)] == code ||
                    (code == EventExitFirst + 1 && ev[size_t(i)] == EventSealedPassage)) {
                    cell = i;
                }
            }
            // A new map carries one empty exit and one empty guardian to copy from.
            bool any =
                cell >= 0 || (samples && (code == EventExitFirst || code == EventGuardianFirst));
            for (int32_t k = 0; k < count; ++k) any = any || level.tables[size_t(at + k)] != 0;
            if (!any) return;
            if (cell < 0) cell = code == EventExitFirst ? 0 : 1;
            pugi::xml_node o = group.append_child("object");
            o.append_attribute("id") = objectId++;
            o.append_attribute("name") = Format("%s %d", type, code).c_str();
            o.append_attribute("type") = type;
            o.append_attribute("x") = cell % s.columns * 128;
            o.append_attribute("y") = cell / s.columns * 128;
            o.append_attribute("width") = 128;
            o.append_attribute("height") = 128;
            pugi::xml_node props = o.append_child("properties");
            Property(props, "event", code);
            for (int32_t k = 0; k < count; ++k) {
                Property(props, fields[k].name, level.tables[size_t(at + k)]);
            }
        };
        for (int32_t i = 0; i < kExitCount; ++i) {
            record("exit", EventExitFirst + i, kExitsAt + i * kExitInts, kLevelExitFields,
                   kExitInts);
        }
        for (int32_t i = 0; i < kGuardianCount; ++i) {
            record("guardian", EventGuardianFirst + i, kGuardiansAt + i * kGuardianInts,
                   kGuardianSpotFields, kGuardianInts);
        }
    }
    nextLayer = layerId;
    nextObject = objectId;

    std::ostringstream text;
    doc.save(text, " ", pugi::format_default, pugi::encoding_utf8);
    return WriteFileAtomically(mapPath, text.str(), problems);
}

}  // namespace veloria::tiled
