// The shipped content passes the strict content checker, and each class of its checks fires on
// a copy broken on purpose.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "content/schema.h"
#include "content_check_support.h"
#include "hero/catalogue_schema.h"
#include "hero/chest_schema.h"
#include "lib/checker.h"
#include "world/level_schema.h"
#include "world/treasure_schema.h"

namespace veloria {
namespace {

// Word positions in the formats: a Small level's events start at 4 x 192, its tables at
// 5 x 192; a Large level's at 4 x 576 and 5 x 576.
constexpr size_t kSmallEvents = 768, kSmallTables = 960, kLargeTables = 2880;
constexpr size_t kChestIds = FieldOffset(kLevelTablesSchema, "chestIds");
constexpr size_t kSpots = FieldOffset(kLevelTablesSchema, "guardianSpots");
static_assert(kChestIds == 69 && kSpots == 87, "level files keep their layout");

TEST(ContentData, ShippedContentIsClean) {
    check::CheckResult r = CheckDir(kShippedContent);
    EXPECT_EQ(r.Total(), 0) << Describe(r);

    // And the checker does look: an empty directory lacks everything the program opens.
    TempDir empty;
    r = CheckDir(empty.path);
    EXPECT_TRUE(r.Has("(start-up): expected data/avela.txt")) << Describe(r);
    EXPECT_TRUE(r.Has("(new game): expected data/villains/v48.txt")) << Describe(r);
    EXPECT_TRUE(r.Has("expected data/dialog/dialog78.txt")) << Describe(r);
    EXPECT_EQ(CheckDir(empty.path + "/none").problems.size(), 1u);
}

TEST(ContentData, NumberCountsAreExact) {
    BrokenCopy c;
    c.SetWord("levels/level02.txt", 7, "");          // one number short
    c.SetWord("levels/battle01.txt", 5, "x");        // a word that is not a number
    c.SetWord("data/villains/v48.txt", 634, "0 0");  // one number too many
    c.SetWord("data/lair/hlair00.txt", RecordIntegers(kLevelExitSchema) - 1, "");
    c.SetWord("data/hidden/ht00.txt", FieldOffset(kTreasureFileSchema, "amount"), "40 2");
    c.SetWord("data/villains/v03.txt", 60, "");
    c.Write("data/shops/shop00.txt", c.Read("data/shops/shop00.txt") + "\nleft over\n");
    check::CheckResult r = c.Check();
    for (const char* want :
         {"levels/level02.txt:111: expected 3031 numbers (a Large level), found 3030",
          "levels/battle01.txt:1: expected 400 numbers (an arena), found 'x' after 5",
          "data/villains/v48.txt:1: expected 635 numbers", "data/lair/hlair00.txt",
          "data/hidden/ht00.txt:1: expected 2 numbers", "data/villains/v03.txt", "shop00.txt",
          "the end of the file after the last ware"}) {
        EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    }
}

TEST(ContentData, NamedFilesRecordNumbersAndDialogs) {
    BrokenCopy c;
    c.Remove("data/chests/chest02.txt");   // named by level 1
    c.Remove("data/dialog/dialog73.txt");  // what dialog 70 says after guardian 135
    c.Remove("data/villains/v04.txt");     // guardian 2's villain
    c.Remove("levels/battle03.txt");       // the lair's battle map
    c.Remove("data/dialog/dialog12.txt");  // opened by the program itself
    c.SetWord("data/hidden/ht01.txt", FieldOffset(kTreasureFileSchema, "record"), "2");
    c.SetWord("data/portal/head04.txt", PieceFieldAt("piece"), "5");
    // The loader itself warns about this one.
    c.SetWord("data/chests/chest03.txt", ChestFieldAt("record"), "4");
    c.Write("data/dialog/dialog30.txt", "2\nA line of forty characters, one too many\nok\n");
    c.Write("data/dialog/dialog31.txt", "3\nonly one line\n");
    check::CheckResult r = c.Check();
    for (const char* want :
         {"expected data/chests/chest02.txt (the chest of event code 18), found no such file",
          "expected data/dialog/dialog73.txt (the later dialog of event code 8)",
          "expected data/villains/v04.txt (the villain of event code 25)",
          "data/lair/hlair00.txt:1: expected levels/battle03.txt (its battle map)",
          "(program): expected data/dialog/dialog12.txt",
          "data/hidden/ht01.txt:1: expected record 1 (named by the file name), found 2",
          "data/portal/head04.txt:1: expected piece 4 (named by the file name), found 5",
          "dialog30.txt:2: expected at most 39 characters, found 40",
          "dialog31.txt:3: expected 3 lines after the count, found 1"}) {
        EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    }
    EXPECT_EQ(r.loaderWarnings, 1);
}

TEST(ContentData, LevelCellsTablesAndArrivals) {
    BrokenCopy c;
    const std::string one = "levels/level01.txt", two = "levels/level02.txt";
    c.SetWord(one, kSmallEvents + 16 * 2 + 3, "70");     // cell (3, 2): no such code
    c.SetWord(one, kSmallEvents + 16 * 11 + 4, "0");     // a hole in the bottom border
    c.SetWord(one, 16 * 6 + 2, "1024");                  // a ground tile beyond the library
    c.SetWord(two, kLargeTables + kChestIds, "0");       // level 2's first chest is level 1's
    c.SetWord(two, kLargeTables + kSpots, "0");          // the Warden's guardian number: 0
    c.SetWord("data/villains/v48.txt", 329, "0");        // the start on the wall at (0, 3)
    c.SetWord(one, kSmallTables + 2, "528");             // exit 2 arrives below the margin
    c.SetWord("levels/battle01.txt", 4 * 80 + 25, "1");  // a rock where the heroine enters
    check::CheckResult r = c.Check();
    for (const char* want :
         {"expected an event code 0..58, 61 or 62 at cell (3, 2), found 70",
          "expected a wall (1), an exit (2..6) or a sealed passage (61) on the border at cell "
          "(4, 11), found 0",
          "expected a Ground tile at cell (2, 6) 0..1023, found 1024",
          "expected chest number 0 used by one level only",
          "expected guardian 1..199 for event code 24",
          "data/villains/v48.txt:1: expected free ground at map pixel 0, 384 (arriving in level 1)",
          "expected a position inside the scroll margins",
          "battle01.txt:39: expected event code 0 where the heroine enters, cell (5, 2), found "
          "1"}) {
        EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    }
}

// The game skips a word that is no number and reads the rest of the level, so the checker
// reports that word alone, and nothing about the levels beyond it.
TEST(ContentData, ATypoInALevelIsOneProblemWhereItStands) {
    BrokenCopy c;
    c.SetWord("levels/level01.txt", 16 * 2 + 3, "2x9");
    check::CheckResult r = c.Check();
    EXPECT_TRUE(
        r.Has("levels/level01.txt:3: expected 1111 numbers (a Small level), found '2x9' "
              "after 35"))
        << Describe(r);
    EXPECT_EQ(1u, r.problems.size()) << Describe(r);
    EXPECT_EQ(1, r.loaderWarnings);
}

TEST(ContentData, EverythingAndEveryKeyIsReachable) {
    BrokenCopy c;
    const std::string one = "levels/level01.txt";
    c.SetWord(one, kSmallEvents + 16 * 8 + 5, "1");   // wall below chest 0 (5, 7): the bronze key
    c.SetWord(one, kSmallEvents + 16 * 5 + 14, "1");  // wall before the way east (15, 5)
    check::CheckResult r = c.Check();
    for (const char* want :
         {"expected event code 16 in reach of the action button from below, found no place",
          "expected key item 3 in a shop or a chest reached without opening a door, found none",
          "expected a way to walk into event code 2, found it walled in"}) {
        EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    }
}

// Each chest, door, treasure, lair and barrier slot is one flag: two objects with one code would
// open together, while a door two cells wide is still one object.
TEST(ContentData, EachSlotIsOneObject) {
    BrokenCopy c;
    const std::string one = "levels/level01.txt";
    std::vector<std::string> words;
    {
        std::istringstream in(c.Read(one));
        for (std::string w; in >> w;) words.push_back(w);
    }
    auto code = [&](int32_t col, int32_t row) {
        return words.at(kSmallEvents + static_cast<size_t>(col + 16 * row));
    };
    // The first chest and door of the level, and free cells to copy them to.
    int32_t chest = -1, door = -1;
    for (int32_t i = 0; i < 192; ++i) {
        if (chest < 0 && code(i % 16, i / 16) == "16") chest = i;
        if (door < 0 && code(i % 16, i / 16) == "19") door = i;
    }
    ASSERT_GE(chest, 0);
    ASSERT_GE(door, 0);
    int32_t apart = -1, beside = -1;
    for (int32_t i = 0; i < 192 && apart < 0; ++i) {
        int32_t col = i % 16, row = i / 16;
        if (col < 2 || row < 2 || col > 13 || row > 9 || code(col, row) != "0") continue;
        if (std::abs(col - chest % 16) + std::abs(row - chest / 16) > 2) apart = i;
    }
    for (int32_t i : {door - 1, door + 1}) {
        if (beside < 0 && code(i % 16, i / 16) == "1") beside = i;
    }
    ASSERT_GE(apart, 0);
    ASSERT_GE(beside, 0) << "the door has no wall beside it to widen it over";
    c.SetWord(one, kSmallEvents + static_cast<size_t>(apart), "16");
    c.SetWord(one, kSmallEvents + static_cast<size_t>(beside), "19");
    check::CheckResult r = c.Check();
    const std::string want = check::Text(
        "expected event code 16 on one object (cells that share a side), as at cell "
        "(%d, %d), found a second one at cell (%d, %d)",
        std::min(chest, apart) % 16, std::min(chest, apart) / 16, std::max(chest, apart) % 16,
        std::max(chest, apart) / 16);
    EXPECT_TRUE(r.Has(want)) << want << "\n" << Describe(r);
    EXPECT_FALSE(r.Has("expected event code 19 on one object")) << Describe(r);
}

}  // namespace
}  // namespace veloria
