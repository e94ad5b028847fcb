#include "level_text.h"

#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "content/schema.h"
#include "hero/actor_record.h"
#include "world/event_code.h"
#include "world/level_map_record.h"
#include "world/level_schema.h"

namespace veloria::tiled {

namespace {

constexpr LevelShape kShapes[3] = {
    {Arena, 10, 8, "Arena"},
    {Small, 16, 12, "Small"},
    {Large, 32, 18, "Large"},
};

// Short words for the scalar tables, indexed like kLevelTableFields (exits and guardian spots
// are records and become objects instead).
constexpr const char* kScalarWords[9] = {nullptr,    "dialog", "shop", "chest",  "lock",
                                         "treasure", nullptr,  "lair", "barrier"};
constexpr int32_t kFirstCode[9] = {EventExitFirst,     EventPersonFirst,  EventShop,
                                   EventChestFirst,    EventLowDoorFirst, EventTreasureFirst,
                                   EventGuardianFirst, EventLairFirst,    EventBarrierFirst};

}  // namespace

int32_t LevelShape::Numbers() const {
    return kLayers * Cells() + (mode == Arena ? 0 : kLevelTableIntegers);
}

const LevelShape* ShapeOfNumbers(int64_t numbers) {
    for (const LevelShape& s : kShapes) {
        if (s.Numbers() == numbers) return &s;
    }
    return nullptr;
}

const LevelShape* ShapeOfSize(int64_t columns, int64_t rows) {
    for (const LevelShape& s : kShapes) {
        if (s.columns == columns && s.rows == rows) return &s;
    }
    return nullptr;
}

std::string Format(const char* fmt, ...) {
    char buf[1024];
    va_list args;
    va_start(args, fmt);
    std::vsnprintf(buf, sizeof(buf), fmt, args);
    va_end(args);
    return buf;
}

void PrintProblems(const Problems& problems) {
    for (const Problem& p : problems) {
        if (p.line > 0) {
            std::fprintf(stderr, "%s:%d: %s\n", p.file.c_str(), p.line, p.message.c_str());
        } else {
            std::fprintf(stderr, "%s: %s\n", p.file.c_str(), p.message.c_str());
        }
    }
}

bool ReadLevelText(const std::string& path, Level& level, Problems& problems) {
    const size_t before = problems.size();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problems.push_back({path, 0, "cannot be read"});
        return false;
    }
    std::vector<int32_t> numbers;
    size_t extra = 0;
    std::string line;
    int32_t lineNo = 0;
    while (std::getline(in, line)) {
        ++lineNo;
        std::istringstream words(line);
        std::string w;
        while (words >> w) {
            errno = 0;
            char* end = nullptr;
            long long v = std::strtoll(w.c_str(), &end, 10);
            if (*end != '\0' || errno != 0 || v < INT32_MIN || v > INT32_MAX) {
                problems.push_back(
                    {path, lineNo, Format("expected a whole number, found \"%.40s\"", w.c_str())});
                continue;
            }
            // More than a Large level holds is counted, not kept: the file is refused anyway.
            if (numbers.size() <= size_t(kShapes[2].Numbers())) {
                numbers.push_back(static_cast<int32_t>(v));
            } else {
                ++extra;
            }
        }
    }
    if (problems.size() != before) return false;
    level.shape = extra ? nullptr : ShapeOfNumbers(static_cast<int64_t>(numbers.size()));
    if (!level.shape) {
        problems.push_back(
            {path, 0,
             Format("holds %zu numbers; an arena holds 400, a Small level 1111, a Large one 3031",
                    numbers.size() + extra)});
        return false;
    }
    const int32_t cells = level.shape->Cells();
    for (int32_t l = 0; l < kLayers; ++l) {
        level.layers[l].assign(numbers.begin() + l * cells, numbers.begin() + (l + 1) * cells);
    }
    level.tables.assign(numbers.begin() + kLayers * cells, numbers.end());
    return true;
}

std::string LevelText(const Level& level) {
    std::string out;
    auto row = [&](const int32_t* values, int32_t count) {
        for (int32_t i = 0; i < count; ++i) {
            if (i) out += ' ';
            out += std::to_string(values[i]);
        }
        out += '\n';
    };
    const LevelShape& s = *level.shape;
    for (int32_t l = 0; l < kLayers; ++l) {
        for (int32_t r = 0; r < s.rows; ++r) row(&level.layers[l][r * s.columns], s.columns);
        out += '\n';
    }
    if (s.mode == Arena) return out;
    const int32_t* t = level.tables.data();
    int32_t at = 0;
    for (int32_t f = 0; f < kLevelTablesSchema.fieldCount; ++f) {
        const FieldSchema& field = kLevelTableFields[f];
        const int32_t perRecord = field.width;
        // One exit a line; five guardian spots a line; a scalar table on one line.
        const int32_t perLine = f == 0 ? perRecord : f == 6 ? 5 * perRecord : field.count;
        const int32_t total = field.count * perRecord;
        for (int32_t k = 0; k < total; k += perLine) row(t + at + k, perLine);
        at += total;
    }
    return out;
}

bool WriteFileAtomically(const std::string& path, const std::string& text, Problems& problems) {
    const std::string temp = path + ".partial";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            problems.push_back({path, 0, "cannot be written"});
            std::error_code ec;
            std::filesystem::remove(temp, ec);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temp, path, ec);
    if (ec) {
        problems.push_back({path, 0, "cannot be written: " + ec.message()});
        std::filesystem::remove(temp, ec);
        return false;
    }
    return true;
}

const std::vector<TableEntry>& ScalarEntries() {
    static const std::vector<TableEntry> entries = [] {
        std::vector<TableEntry> v;
        int32_t at = 0;
        for (int32_t f = 0; f < kLevelTablesSchema.fieldCount; ++f) {
            const FieldSchema& field = kLevelTableFields[f];
            if (!field.record) {
                for (int32_t k = 0; k < field.count; ++k) {
                    int32_t code = kFirstCode[f] + k;
                    if (f == 4 && k >= 3) code = EventHighDoorFirst + (k - 3);
                    v.push_back({at + k, code, f});
                }
            }
            at += field.count * field.width;
        }
        return v;
    }();
    return entries;
}

std::string PropertyName(const TableEntry& e) {
    return Format("%s.%02d", kScalarWords[e.field], e.event);
}

static_assert(kExitCount * kExitInts == 60 && kGuardiansAt == 87);

}  // namespace veloria::tiled
