// veloria-tiled without Tiled: a level exported and imported comes back whole in every layer
// encoding, and a map an author broke is refused with the line (or layer and cell) of each
// problem, leaving any old level file as it was.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "hero/actor_record.h"
#include "tilesets.h"
#include "tmx.h"

namespace veloria::tiled {
namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void WriteAll(const fs::path& p, const std::string& text) {
    std::ofstream(p, std::ios::binary) << text;
}

// The 1-based line of the first occurrence of `needle`.
int32_t LineOf(const std::string& text, const std::string& needle, size_t from = 0) {
    const size_t at = text.find(needle, from);
    EXPECT_NE(at, std::string::npos) << needle;
    return 1 + int32_t(std::count(text.begin(), text.begin() + ptrdiff_t(at), '\n'));
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) text.replace(at, from.size(), to);
    return text;
}

class TiledImport : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("veloria-tiled-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        // The maps refer to tilesets beside them; the import reads only their names.
        for (const char* set : {"veloria", "anims", "events"}) {
            WriteAll(dir_ / (std::string(set) + ".tsx"),
                     "<?xml version=\"1.0\"?>\n<tileset name=\"" + std::string(set) + "\"/>\n");
        }
    }
    fs::path Level(const char* name) const {
        return fs::path(VELORIA_SOURCE_DIR) / "content/levels" / name;
    }
    // Exports a default level and returns the map's text.
    std::string Export(const char* name, Encoding encoding = Encoding::Csv) {
        Problems problems;
        EXPECT_TRUE(ExportLevel(Level(name).string(), (dir_ / "map.tmx").string(), dir_.string(),
                                encoding, problems));
        EXPECT_TRUE(problems.empty());
        return ReadAll(dir_ / "map.tmx");
    }
    // Imports `map` over an existing level file; returns the problems.
    Problems Import(const std::string& map) {
        WriteAll(dir_ / "broken.tmx", map);
        WriteAll(dir_ / "out.txt", "old level\n");
        Problems problems;
        const bool ok =
            ImportLevelFile((dir_ / "broken.tmx").string(), (dir_ / "out.txt").string(), problems);
        EXPECT_FALSE(ok);
        EXPECT_FALSE(problems.empty());
        // Nothing half-converted: the old file stands and no temporary is left beside it.
        EXPECT_EQ(ReadAll(dir_ / "out.txt"), "old level\n");
        EXPECT_FALSE(fs::exists(dir_ / "out.txt.partial"));
        return problems;
    }
    static bool Has(const Problems& problems, int32_t line, const std::string& words) {
        for (const Problem& p : problems) {
            if (p.line == line && p.message.find(words) != std::string::npos) return true;
        }
        return false;
    }
    static std::string All(const Problems& problems) {
        std::string s;
        for (const Problem& p : problems) s += std::to_string(p.line) + ": " + p.message + "\n";
        return s;
    }
    fs::path dir_;
};

TEST_F(TiledImport, EveryEncodingComesBackByteForByte) {
    for (const char* name : {"level01.txt", "level02.txt", "battle01.txt"}) {
        for (Encoding e : {Encoding::Csv, Encoding::Base64, Encoding::Zlib, Encoding::Gzip}) {
            const std::string map = Export(name, e);
            if (e == Encoding::Zlib) {
                EXPECT_NE(map.find("compression=\"zlib\""), std::string::npos);
            }
            Problems problems;
            ASSERT_TRUE(ImportLevelFile((dir_ / "map.tmx").string(), (dir_ / "back.txt").string(),
                                        problems))
                << name << "\n"
                << All(problems);
            EXPECT_EQ(ReadAll(dir_ / "back.txt"), ReadAll(Level(name))) << name;
        }
    }
}

TEST_F(TiledImport, TablesAreMapPropertiesAndObjects) {
    const std::string map = Export("level01.txt");
    // level01: dialogs 30 70 71 ..., chest numbers 0 1 2, exit 0 to level 2, guardian 1.
    EXPECT_NE(map.find("<property name=\"dialog.07\" type=\"int\" value=\"30\""),
              std::string::npos);
    EXPECT_NE(map.find("<property name=\"chest.17\" type=\"int\" value=\"1\""), std::string::npos);
    EXPECT_NE(map.find("name=\"exit 2\" type=\"exit\""), std::string::npos);
    EXPECT_NE(map.find("<property name=\"destLevel\" type=\"int\" value=\"2\""), std::string::npos);
    EXPECT_NE(map.find("name=\"guardian 24\" type=\"guardian\""), std::string::npos);
    // An arena has layers only.
    const std::string arena = Export("battle01.txt");
    EXPECT_EQ(arena.find("<property"), std::string::npos);
    EXPECT_EQ(arena.find("<object "), std::string::npos);
    EXPECT_NE(arena.find("width=\"10\" height=\"8\""), std::string::npos);
}

TEST_F(TiledImport, WrongLayerSizeNamesTheLayerAndItsLine) {
    const std::string map = Replace(Export("level01.txt"),
                                    "<layer id=\"2\" name=\"Overlay\" width=\"16\" height=\"12\"",
                                    "<layer id=\"2\" name=\"Overlay\" width=\"15\" height=\"12\"");
    const Problems p = Import(map);
    EXPECT_TRUE(Has(p, LineOf(map, "name=\"Overlay\""),
                    "layer Overlay is 15 x 12 cells; the map is 16 x 12 (Small)"))
        << All(p);
}

TEST_F(TiledImport, LayerWithTooFewCells) {
    std::string map = Export("battle01.txt");
    // Drop the last row of the Top layer's cells.
    const size_t top = map.find("name=\"Top\"");
    const size_t end = map.find("\n</data>", top);
    const size_t lastRow = map.rfind('\n', end - 1);
    map.erase(lastRow, end - lastRow);
    map.insert(lastRow, "");
    map.replace(map.rfind(',', lastRow), 1, "");  // the row before now ends the data
    const Problems p = Import(map);
    EXPECT_TRUE(
        Has(p, LineOf(map, "<data", top), "layer Top holds 70 cells; the map (Arena) has 80"))
        << All(p);
}

TEST_F(TiledImport, UnknownEventTilesNameTheirCell) {
    std::string map = Export("level01.txt");
    const size_t events = map.find("name=\"Events\"");
    const size_t row2 = map.find('\n', map.find("<data", events)) + 1;  // row 0
    // Row 0 column 0: event 59 is reported by the game only; row 0 column 1: a grass tile.
    map.replace(row2, 9, std::to_string(kEventFirstGid + 59) + "," + std::to_string(2) + ",");
    const Problems p = Import(map);
    const int32_t line = LineOf(map, "\n", row2 - 1) + 1;
    EXPECT_TRUE(Has(p, line, "layer Events, cell (0, 0): unknown event tile 59")) << All(p);
    EXPECT_TRUE(Has(p, line,
                    "layer Events, cell (1, 0): tile 1 of tileset \"veloria\"; this layer takes "
                    "tiles of \"events\" (an unknown event tile)"))
        << All(p);
}

TEST_F(TiledImport, MissingPropertiesAreEachReported) {
    std::string map = Export("level01.txt");
    map = Replace(map, "  <property name=\"chest.16\" type=\"int\" value=\"0\" />\n", "");
    map = Replace(map, "    <property name=\"heroX\" type=\"int\" value=\"256\" />\n", "");
    map = Replace(map, "<property name=\"lair.44\" type=\"int\" value=\"0\"",
                  "<property name=\"lair.44\" type=\"int\" value=\"zero\"");
    const Problems p = Import(map);
    EXPECT_TRUE(Has(p, LineOf(map, "<properties>"), "missing map property chest.16 (int)"))
        << All(p);
    EXPECT_TRUE(Has(p, LineOf(map, "name=\"exit 2\""), "exit 2: missing property heroX")) << All(p);
    EXPECT_TRUE(Has(p, LineOf(map, "lair.44"), "map property lair.44 is not a whole number"))
        << All(p);
    EXPECT_EQ(p.size(), 3u) << All(p);
}

TEST_F(TiledImport, PaintedExitWithoutItsObject) {
    std::string map = Export("level01.txt");
    const size_t o = map.find("  <object id=\"1\" name=\"exit 2\"");
    map.erase(o, map.find("</object>", o) + 10 - o);
    const Problems p = Import(map);
    EXPECT_TRUE(Has(p, LineOf(map, "<data", map.find("name=\"Events\"")),
                    "layer Events, cell (15, 5): event 2 has no exit object with event = 2"))
        << All(p);
}

TEST_F(TiledImport, MapShapeProblems) {
    const std::string level = Export("level01.txt");
    Problems p = Import(Replace(level, "width=\"16\" height=\"12\" tilewidth",
                                "width=\"17\" height=\"12\" tilewidth"));
    EXPECT_TRUE(Has(p, 2, "the map is 17 x 12 cells")) << All(p);
    p = Import(Replace(level, "name=\"Top\"", "name=\"Roofs\""));
    EXPECT_TRUE(Has(p, 2, "missing tile layer Top")) << All(p);
    EXPECT_TRUE(Has(p, LineOf(level, "name=\"Top\""), "tile layer \"Roofs\" is not one of"))
        << All(p);
    p = Import(Replace(level, "infinite=\"0\"", "infinite=\"1\""));
    EXPECT_TRUE(Has(p, 2, "the map is infinite")) << All(p);
    p = Import(level.substr(0, level.size() / 2));
    ASSERT_EQ(p.size(), 1u) << All(p);
    EXPECT_NE(p[0].message.find("not a well-formed map"), std::string::npos) << All(p);
    EXPECT_GT(p[0].line, 2);
}

TEST_F(TiledImport, FlippedTilesAndDamagedDataAreRefused) {
    std::string map = Export("battle01.txt");
    const size_t ground = map.find('\n', map.find("<data")) + 1;
    // 17 is tile 16 (a wall); with the horizontal flip bit it is 2147483665.
    map.replace(ground, 2, "2147483665");
    Problems p = Import(map);
    EXPECT_TRUE(Has(p, LineOf(map, "2147483665"), "cell (0, 0): the tile is flipped or rotated"))
        << All(p);

    std::string packed = Export("battle01.txt", Encoding::Zlib);
    const size_t data = packed.find('\n', packed.find("compression=\"zlib\"")) + 1;
    packed.replace(data + 4, 8, "AAAAAAAA");
    p = Import(packed);
    EXPECT_TRUE(Has(p, LineOf(packed, "compression=\"zlib\""), "layer Ground: the compressed"))
        << All(p);
    p = Import(Replace(Export("battle01.txt", Encoding::Zlib), "compression=\"zlib\"",
                       "compression=\"zstd\""));
    EXPECT_TRUE(Has(p, LineOf(packed, "compression=\"zlib\""), "compression \"zstd\" is not read"))
        << All(p);
}

TEST_F(TiledImport, ExportRefusesWhatAMapCannotHold) {
    std::string level = ReadAll(Level("battle01.txt"));
    level.replace(0, 2, "1024");  // Ground cell (0, 0): past the tile library
    WriteAll(dir_ / "bad.txt", level);
    Problems p;
    EXPECT_FALSE(ExportLevel((dir_ / "bad.txt").string(), (dir_ / "bad.tmx").string(),
                             dir_.string(), Encoding::Csv, p));
    EXPECT_TRUE(Has(p, 0, "layer Ground, cell (0, 0): 1024 is not a tile 0..1023")) << All(p);
    EXPECT_FALSE(fs::exists(dir_ / "bad.tmx"));
    WriteAll(dir_ / "short.txt", "1 2 3\n4 x\n");
    p.clear();
    EXPECT_FALSE(ExportLevel((dir_ / "short.txt").string(), (dir_ / "bad.tmx").string(),
                             dir_.string(), Encoding::Csv, p));
    EXPECT_TRUE(Has(p, 2, "expected a whole number, found \"x\"")) << All(p);
    WriteAll(dir_ / "long.txt", ReadAll(Level("level01.txt")) + "7\n");
    p.clear();
    EXPECT_FALSE(ExportLevel((dir_ / "long.txt").string(), (dir_ / "bad.tmx").string(),
                             dir_.string(), Encoding::Csv, p));
    EXPECT_TRUE(Has(p, 0, "holds 1112 numbers")) << All(p);
}

// Damaged maps (bytes changed, cut short) never crash the import, and a refusal always says why.
TEST_F(TiledImport, DamagedMapsAreRefusedWithAReason) {
    for (Encoding e : {Encoding::Csv, Encoding::Zlib}) {
        const std::string map = Export("level01.txt", e);
        uint32_t seed = 12345;
        auto next = [&] { return seed = seed * 1103515245u + 12345u; };
        int32_t refused = 0;
        for (int32_t round = 0; round < 300; ++round) {
            std::string broken = map;
            if (round % 3 == 0) {
                broken.resize(next() % broken.size());
            } else {
                for (int32_t k = 0; k < 1 + round % 5; ++k) {
                    broken[next() % broken.size()] = char("0<>\"=,9x/ \n"[next() % 12]);
                }
            }
            WriteAll(dir_ / "damaged.tmx", broken);
            Problems problems;
            ::veloria::tiled::Level level;
            const bool ok = ImportMap((dir_ / "damaged.tmx").string(), level, problems);
            EXPECT_EQ(ok, problems.empty()) << All(problems);
            refused += ok ? 0 : 1;
        }
        EXPECT_GT(refused, 150);
    }
}

TEST(TiledLayerData, Base64AndDeflateRoundTrip) {
    std::string bytes;
    for (int i = 0; i < 1000; ++i) bytes += char(i * 7);
    for (size_t n : {size_t(0), size_t(1), size_t(2), size_t(3), size_t(1000)}) {
        std::string back, error;
        ASSERT_TRUE(Base64Decode(Base64Encode(bytes.substr(0, n)), back, error)) << error;
        EXPECT_EQ(back, bytes.substr(0, n));
    }
    for (bool gzip : {false, true}) {
        std::string back, error;
        ASSERT_TRUE(Inflate(Deflate(bytes, gzip), back, error)) << error;
        EXPECT_EQ(back, bytes);
        EXPECT_FALSE(Inflate(Deflate(bytes, gzip).substr(0, 20), back, error));
    }
    std::string out, error;
    EXPECT_FALSE(Base64Decode("AB*D", out, error));
}

}  // namespace
}  // namespace veloria::tiled
