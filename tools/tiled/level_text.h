#pragma once
// A level or arena file as numbers: the five layers and, for Small and Large levels, the 151
// numbers of the tables. The converter reads and writes the file itself (strictly: it refuses
// what the game would only warn about) and takes the table layout from the core's level schema.
#include <cstdint>
#include <string>
#include <vector>

#include "world/level_map_record.h"

namespace veloria::tiled {

struct LevelShape {
    MapMode mode;
    int32_t columns, rows;
    const char* name;  // "Arena", "Small", "Large"
    int32_t Cells() const { return columns * rows; }
    int32_t Numbers() const;  // the whole file
};

// nullptr when no mode has that many numbers or that size.
const LevelShape* ShapeOfNumbers(int64_t numbers);
const LevelShape* ShapeOfSize(int64_t columns, int64_t rows);

constexpr const char* kLayerNames[kLayers] = {"Ground", "Overlay", "Animated", "Top", "Events"};

struct Level {
    const LevelShape* shape = nullptr;
    std::vector<int32_t> layers[kLayers];  // shape->Cells() each
    std::vector<int32_t> tables;           // 151 numbers for Small and Large, empty for an arena
};

// One problem, printed as "file:line: message" (line 0: no line).
struct Problem {
    std::string file;
    int32_t line;
    std::string message;
};
using Problems = std::vector<Problem>;
void PrintProblems(const Problems& problems);
std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Reads a level file; every problem goes to `problems` and the result is then not to be used.
bool ReadLevelText(const std::string& path, Level& level, Problems& problems);
// The layout tools/levelgen writes: one map row a line, a blank line after each layer, then one
// exit a line, one table a line and five guardian spots a line.
std::string LevelText(const Level& level);
// Writes through a temporary file and a rename, so a failed write leaves any old file whole.
bool WriteFileAtomically(const std::string& path, const std::string& text, Problems& problems);

// One named number of the level tables, as an author edits it in the map editor.
struct TableEntry {
    int32_t position;  // index into Level::tables
    int32_t event;     // the event code that uses it
    int32_t field;     // index into kLevelTableFields
};
// The scalar tables (dialogs, shop, chests, locks, treasures, lairs, barriers), in file order.
const std::vector<TableEntry>& ScalarEntries();
// "chest.16": the property name of a scalar entry.
std::string PropertyName(const TableEntry& e);
// Where the records start in Level::tables and how many integers one has.
constexpr int32_t kExitsAt = 0, kExitCount = 5, kExitInts = 12;
constexpr int32_t kGuardiansAt = 87, kGuardianCount = 20, kGuardianInts = 3;

}  // namespace veloria::tiled
