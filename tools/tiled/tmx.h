#pragma once
// Level files to Tiled maps and back.
#include <cstdint>
#include <string>
#include <vector>

#include "hero/actor_record.h"
#include "level_text.h"

namespace veloria::tiled {

// How the exporter writes the layers' cells (Tiled's own choices for a map's layer format).
enum class Encoding { Csv, Base64, Zlib, Gzip };
bool ParseEncoding(const std::string& word, Encoding& out);

// LEVEL.txt -> MAP.tmx. `tilesetDir` is where veloria.tsx, anims.tsx and events.tsx are (the
// map refers to them relative to its own directory).
// marksOnly: the Events layer keeps only the ways out and the secrets (exits, the sealed passage,
// the end gate, hidden treasure, lairs), for pictures of whole levels.
bool ExportLevel(const std::string& levelPath, const std::string& mapPath,
                 const std::string& tilesetDir, Encoding encoding, Problems& problems,
                 bool marksOnly = false);
bool IsMark(int32_t code);
bool ExportLevelData(const Level& level, const std::string& levelPath, const std::string& mapPath,
                     const std::string& tilesetDir, Encoding encoding, Problems& problems,
                     bool samples = false);
// An empty map of that shape: every layer, table property and tileset in place, nothing painted.
bool NewMap(const LevelShape& shape, const std::string& mapPath, const std::string& tilesetDir,
            Problems& problems);
// MAP.tmx -> the level, checked whole; nothing is written unless the map converts cleanly.
bool ImportMap(const std::string& mapPath, Level& level, Problems& problems);

// ImportMap, then the level file written whole, or nothing written at all.
bool ImportLevelFile(const std::string& mapPath, const std::string& levelPath, Problems& problems);

// Layer data in the forms Tiled writes. Decoding fails with a message in `error`.
std::string Base64Encode(const std::string& bytes);
bool Base64Decode(const std::string& text, std::string& bytes, std::string& error);
bool Inflate(const std::string& packed, std::string& bytes, std::string& error);  // zlib or gzip
std::string Deflate(const std::string& bytes, bool gzip);

}  // namespace veloria::tiled
