#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <vector>

#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "input/input_device.h"
#include "menus/save_schema.h"
#include "menus/saved_game.h"
#include "menus_test_support.h"
#include "presentation/timer.h"
#include "world/level_map_record.h"

namespace veloria {
namespace {

// Positions of some values in the file, counted from 0.
constexpr int kFacingAt = 328;
constexpr int kXAt = 329;
constexpr int kLevelAt = 512;
constexpr int kModeAt = 518;
constexpr int kEquippedAt = 522;
constexpr int kListCursorAt = 528;
constexpr int kTotalAt = 634;
// Saved games must stay readable: the schema may be reworded, never reordered.
static_assert(SaveFieldAt("facing") == kFacingAt && SaveFieldAt("x") == kXAt);
static_assert(SaveFieldAt("levelNumber") == kLevelAt && SaveFieldAt("mode") == kModeAt);
static_assert(SaveFieldAt("equipped") == kEquippedAt && SaveFieldAt("listCursor") == kListCursorAt);
static_assert(SaveFieldAt("playTime") == kTotalAt && SaveFieldAt("spellOwned") == 20);
static_assert(SaveFieldAt("owned") == 38 && SaveFieldAt("chests.opened") == 332);
static_assert(SaveFieldAt("barrierBroken") == 534);

// Gives every saved field a value of its own; the indexed ones stay inside their tables.
void FillSavedFields(Game& g) {
    int32_t v = 1000;
    Actor& h = g.hero;
    for (int32_t& a : h.attr) a = v++;
    for (int32_t& s : h.spellOwned) s = v++;
    for (int32_t& c : h.itemCount) c = v++;
    for (EquipSlot& slot : h.equip) {
        for (EquipItem& item : slot.items) item.owned = v++;
    }
    for (Lair& l : h.lairs) l.opened = v++;
    for (int32_t& d : h.guardianDefeated) d = v++;
    h.facing = 2;
    h.x = -384;
    h.y = 512;
    h.stepPeriod = 131;
    for (Chest& c : g.chests) c.opened = v++;
    for (int32_t& d : g.doorUnlocked) d = v++;
    for (HiddenTreasure& t : g.hiddenTreasures) t.dug = v++;
    g.level.levelNumber = 7;
    g.level.viewCol = 5;
    g.level.viewRow = 4;
    g.level.encounterRate = 35;
    g.level.battleMap = 3;
    g.level.encounterVillains = 12;
    g.level.mode = Large;
    g.level.scrollX = -64;
    g.level.scrollY = 48;
    g.level.levelMusic = 7;
    for (int32_t s = 0; s < kEquipSlots; ++s) {
        h.equip[s].equipped = s + 1;
        h.equip[s].listCursor = 9 - s;
    }
    for (int32_t& b : h.barrierBroken) b = v++;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> out;
    std::istringstream in(text);
    std::string word;
    while (in >> word) out.push_back(word);
    return out;
}

std::string Join(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& w : words) text += w + " ";
    return text;
}

// The slot text another game writes, after `setUp` has prepared it.
template <typename SetUp>
std::string SaveOf(SetUp setUp) {
    TestGame other;
    setUp(other.g());
    EXPECT_TRUE(SaveGame(other.g(), "slot.txt"));
    return other.Read("slot.txt");
}

using MenusSavedGameTest = MenusTest;

TEST_F(MenusSavedGameTest, SaveWrites635IntegersThatLoadBackIntoEveryField) {
    FillSavedFields(g);
    g.hero.playTime = 3725000;
    TimerReset(g.playClock);
    TimerUpdate(g, g.playClock);
    t.clock.Advance(5000);
    t.Write("data/villains/keep", "");
    ASSERT_TRUE(SaveGame(g, SlotFile(g, 1)));
    EXPECT_EQ(nullptr, SlotFile(g, 0));
    EXPECT_EQ(nullptr, SlotFile(g, 4));

    const std::string text = Read("data/villains/v45.txt");
    EXPECT_EQ(std::string::npos, text.find_first_not_of("-0123456789 ")) << "no line break";
    EXPECT_EQ(std::string::npos, text.find("  ")) << "single spaces";
    ASSERT_FALSE(text.empty());
    EXPECT_NE(' ', text.front());
    EXPECT_EQ(' ', text.back()) << "every number is followed by its space";
    const std::vector<std::string> words = Split(text);
    ASSERT_EQ(635u, words.size());
    const std::pair<int, const char*> at[] = {
        {0, "1000"},          {kFacingAt, "2"},     {kXAt, "-384"},
        {kLevelAt, "7"},      {kModeAt, "3"},       {kEquippedAt, "1"},
        {kListCursorAt, "9"}, {kTotalAt, "3730000"}};  // play time: stored time plus the clock
    for (const auto& [position, value] : at) EXPECT_EQ(value, words[position]) << position;
    EXPECT_EQ(3725000, g.hero.playTime) << "saving changes nothing in the game";
    t.clock.Advance(2500);
    ASSERT_TRUE(SaveGame(g, SlotFile(g, 2)));
    EXPECT_EQ("3732500", Split(Read("data/villains/v46.txt"))[kTotalAt]);

    // Every field was given its own value: a game that loads the file writes it back unchanged.
    TestGame fresh;
    fresh.Write("data/villains/v45.txt", text);
    fresh.g().hero.selectedItem = 5;
    fresh.g().flow.gameState = StateLoadMenu;
    ASSERT_EQ(1, LoadGame(fresh.g(), SlotFile(g, 1), 0));
    EXPECT_EQ(3730000, fresh.g().hero.playTime);
    EXPECT_EQ(5, fresh.g().hero.selectedItem) << "fields outside the file are left alone";
    EXPECT_EQ(StateLoadMenu, fresh.g().flow.gameState);
    ASSERT_TRUE(SaveGame(fresh.g(), "again.txt"));
    EXPECT_EQ(text, fresh.Read("again.txt"));
}

TEST_F(MenusSavedGameTest, OutOfRangeIndicesInAHandEditedSaveKeepThePreviousValues) {
    std::vector<std::string> words = Split(SaveOf(FillSavedFields));
    ASSERT_EQ(635u, words.size());
    words[kFacingAt] = "7";
    words[kLevelAt] = "100";
    words[kModeAt] = "9";
    words[kEquippedAt] = "10";
    words[kEquippedAt + 1] = "-1";
    words[kListCursorAt] = "12";
    t.Write("data/villains/v46.txt", Join(words));

    g.hero.facing = 1;
    g.level.levelNumber = 5;
    g.level.mode = Small;
    g.hero.equip[0].equipped = 4;
    g.hero.equip[1].equipped = 3;
    g.hero.equip[0].listCursor = 2;
    const int32_t warningsBefore = t.warnings.Count();
    ASSERT_EQ(1, LoadGame(g, SlotFile(g, 2), 0));

    EXPECT_EQ(1, g.hero.facing);
    EXPECT_EQ(5, g.level.levelNumber);
    EXPECT_EQ(Small, g.level.mode);
    EXPECT_EQ(4, g.hero.equip[0].equipped);
    EXPECT_EQ(3, g.hero.equip[1].equipped);
    EXPECT_EQ(2, g.hero.equip[0].listCursor);
    EXPECT_EQ(6, t.warnings.Count() - warningsBefore) << "one warning per bad value";
    // The file is still read in step: the values after the bad ones arrive where they belong.
    EXPECT_EQ(-384, g.hero.x);
    EXPECT_EQ(3, g.hero.equip[2].equipped);
    EXPECT_EQ(8, g.hero.equip[1].listCursor);
    EXPECT_EQ(-64, g.level.scrollX);

    words[kLevelAt] = "0";
    t.Write("data/villains/v46.txt", Join(words));
    ASSERT_EQ(1, LoadGame(g, SlotFile(g, 2), 0));
    EXPECT_EQ(5, g.level.levelNumber);
}

TEST_F(MenusSavedGameTest, AShortDamagedOrMissingSaveFillsWhatItHoldsAndLeavesTheRest) {
    for (int32_t i = 0; i < kAttributes; ++i) g.hero.attr[i] = 50 + i;
    g.hero.playTime = 777;
    t.Write("data/villains/v47.txt", "5 6 7 ");
    ASSERT_EQ(1, LoadGame(g, SlotFile(g, 3), 0));
    EXPECT_EQ(7, g.hero.attr[2]);
    EXPECT_EQ(53, g.hero.attr[3]);
    EXPECT_EQ(777, g.hero.playTime);

    t.Write("data/villains/v47.txt", "1 2 x 4 5");
    ASSERT_EQ(1, LoadGame(g, SlotFile(g, 3), 0));
    EXPECT_EQ(2, g.hero.attr[1]);
    EXPECT_EQ(7, g.hero.attr[2]) << "nothing after the first non-number is read";
    EXPECT_EQ(53, g.hero.attr[3]);

    EXPECT_EQ(0, LoadGame(g, SlotFile(g, 1), 1)) << "a missing file is an empty slot";
    EXPECT_EQ(1, g.hero.attr[0]);
    EXPECT_EQ(0, t.audio.opens) << "no music started for an empty slot";
}

TEST_F(MenusSavedGameTest, RandomDamagedSavesNeverLeaveAnIndexOutsideItsTable) {
    t.warnings.SetQuiet(true);
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> small(-20, 120);
    std::uniform_int_distribution<int> anyInt(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<int> length(0, 700);
    for (int round = 0; round < 200; ++round) {
        std::string text;
        const int count = length(random);
        for (int i = 0; i < count; ++i) {
            text += std::to_string(i % 3 ? small(random) : anyInt(random)) + " ";
        }
        t.Write("data/villains/v45.txt", text);
        ASSERT_EQ(1, LoadGame(g, SlotFile(g, 1), 0));
        ASSERT_TRUE(g.hero.facing >= 0 && g.hero.facing <= 3);
        ASSERT_TRUE(g.level.mode >= 0 && g.level.mode <= 3);
        ASSERT_TRUE(g.level.levelNumber >= 0 && g.level.levelNumber <= 99);
        for (const EquipSlot& slot : g.hero.equip) {
            ASSERT_TRUE(slot.equipped >= 0 && slot.equipped <= 9);
            ASSERT_TRUE(slot.listCursor >= 0 && slot.listCursor <= 9);
        }
    }
    t.warnings.SetQuiet(false);
}

TEST_F(MenusSavedGameTest, SavingIsAtomicAndAFailureIsReported) {
    t.Write("data/villains/v45.txt", "old save ");
    // The temporary file cannot be created: a directory stands in its place.
    std::filesystem::create_directories(t.dir.path + "/data/villains/v45.txt.tmp");
    EXPECT_FALSE(SaveGame(g, SlotFile(g, 1)));
    EXPECT_EQ("old save ", Read("data/villains/v45.txt"));

    // The rename fails: the slot name is taken by a directory that is not empty.
    t.Write("data/villains/v46.txt/keep", "x");
    EXPECT_FALSE(SaveGame(g, SlotFile(g, 2)));
    EXPECT_FALSE(std::filesystem::exists(t.dir.path + "/data/villains/v46.txt.tmp"))
        << "the temporary file is removed";
    EXPECT_EQ("x", Read("data/villains/v46.txt/keep"));

    EXPECT_FALSE(SaveGame(g, "no/such/folder/v45.txt"));
    EXPECT_FALSE(SaveGame(g, ""));
    EXPECT_FALSE(SaveGame(g, nullptr));

    // A successful save replaces the slot and leaves no temporary file.
    t.Write("data/villains/v47.txt", "old save ");
    g.hero.attr[0] = 17;
    ASSERT_TRUE(SaveGame(g, SlotFile(g, 3)));
    EXPECT_EQ("17", Split(Read("data/villains/v47.txt"))[0]);
    EXPECT_FALSE(std::filesystem::exists(t.dir.path + "/data/villains/v47.txt.tmp"));
}

// A crash at every byte of a save: a child process saves with a file-size limit of k bytes, so
// the kernel kills it (SIGXFSZ) with exactly k bytes of the temporary file written and before
// the rename. The previous save loads whole every time, and the next save still succeeds.
TEST_F(MenusSavedGameTest, ACrashAtEveryByteOfASaveLeavesThePreviousSaveWhole) {
    const std::string before = SaveOf([](Game& o) { FillSavedFields(o); });
    const std::string after = SaveOf([](Game& o) {
        FillSavedFields(o);
        o.hero.attr[0] = 4242;
        o.level.levelNumber = 3;
        o.hero.facing = 1;
    });
    ASSERT_NE(before, after);
    const std::string slot = SlotFile(g, 1);
    const std::string temp = t.dir.path + "/" + slot + ".tmp";
    FillSavedFields(g);
    g.hero.attr[0] = 4242;
    g.level.levelNumber = 3;
    g.hero.facing = 1;
    TestGame reader;  // a second game that loads the slot by its full path
    FillSavedFields(reader.g());
    const int32_t expectedLastBarrier = reader.g().hero.barrierBroken[kBarriers - 1];
    const std::string slotPath = t.dir.path + "/" + slot;
    for (size_t cut = 0; cut < after.size(); ++cut) {
        t.Write(slot, before);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            rlimit limit{static_cast<rlim_t>(cut), static_cast<rlim_t>(cut)};
            setrlimit(RLIMIT_FSIZE, &limit);
            signal(SIGXFSZ, SIG_DFL);
            SaveGame(g, slot.c_str());
            _exit(0);  // not reached: the save is larger than the limit
        }
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << "cut at " << cut;
        ASSERT_EQ(Read(slot), before) << "cut at " << cut;
        // And it loads as the previous save: every field of it, none of the cut one's.
        reader.g().hero.attr[0] = -1;
        reader.g().level.levelNumber = -1;
        ASSERT_EQ(LoadGame(reader.g(), slotPath.c_str(), 0), 1) << "cut at " << cut;
        ASSERT_EQ(reader.g().hero.attr[0], 1000) << "cut at " << cut;
        ASSERT_EQ(reader.g().level.levelNumber, 7) << "cut at " << cut;
        ASSERT_EQ(reader.g().hero.facing, 2) << "cut at " << cut;
        ASSERT_EQ(reader.g().hero.barrierBroken[kBarriers - 1], expectedLastBarrier)
            << "cut at " << cut;
        // The crash came where it was meant to: the temporary file holds exactly `cut` bytes.
        ASSERT_TRUE(std::filesystem::exists(temp)) << "cut at " << cut;
        ASSERT_EQ(std::filesystem::file_size(temp), cut);
    }
    // The leftover temporary file does not stand in the way of the next save.
    ASSERT_TRUE(SaveGame(g, slot.c_str()));
    EXPECT_EQ(Read(slot), after);
    EXPECT_FALSE(std::filesystem::exists(temp));
}

TEST_F(MenusSavedGameTest, RestoreInstallsDelaysMusicLevelWithTheSavedViewAndRestartsTheClock) {
    std::vector<std::string> words = Split(SaveOf(FillSavedFields));
    words[kModeAt] = "2";
    t.Write("data/villains/v45.txt", Join(words));
    // Level 7 as a Small map whose only mark is its shop number.
    std::string level;
    for (int i = 0; i < 1111; ++i) level += (i == 960 + 60 + 8 ? "42 " : "0 ");
    t.Write("levels/level07.txt", level);
    g.playClock.start = 5;
    t.clock.Advance(1234);

    ASSERT_EQ(1, LoadGame(g, SlotFile(g, 1), 1));
    EXPECT_EQ(42, g.level.shopId) << "levels/level07.txt was read";
    EXPECT_EQ(Small, g.level.mode);
    EXPECT_EQ(5, g.level.viewCol) << "the saved view, not the load's reset";
    EXPECT_EQ(-64, g.level.scrollX);
    EXPECT_STREQ("music/level07.mid", t.audio.openFile);
    EXPECT_TRUE(t.audio.playing);
    EXPECT_EQ(131u, g.input.repeatDelay[KeyLeftRight]);
    EXPECT_EQ(kDefaultButtonDelay, g.input.repeatDelay[KeyButtons]);
    EXPECT_EQ(t.clock.Now(), g.playClock.start) << "the play clock starts again from zero";
}

TEST_F(MenusSavedGameTest, LoadScreenListsTheSlotsAndLeavesTheLastOneInTheTables) {
    auto save = [](int32_t level, int32_t hp, int32_t maxHp, int32_t playTime) {
        return SaveOf([&](Game& s) {
            s.hero.attr[Level] = level;
            s.hero.attr[HP] = hp;
            s.hero.attr[MaxHP] = maxHp;
            s.hero.playTime = playTime;
        });
    };
    t.Write("data/villains/v45.txt", save(3, 20, 30, 59999));
    t.Write("data/villains/v47.txt", save(12, 7, 140, 3725000));

    LoadScreen(g);
    const char* lines[] = {"Which file?",
                           "1) FILE #1-   Level: 3    HP: 20/30",
                           "    Time played: 0h 0m 59s",
                           "2) FILE #2-   Empty",
                           "",
                           "3) FILE #3-   Level: 12    HP: 7/140",
                           "    Time played: 1h 2m 5s",
                           "4) Return to Main Menu"};
    for (int32_t slot = 0; slot < 8; ++slot) EXPECT_EQ(lines[slot], ShownText(slot)) << slot;
    ASSERT_NE(nullptr, Shown(6));
    EXPECT_EQ(545, Shown(6)->top);
    EXPECT_STREQ("art/bg/title4.bmp", g.renderer.presented.background);
    EXPECT_EQ(12, g.hero.attr[Level]) << "the tables hold the last slot that opened";
    EXPECT_EQ(3725000, g.hero.playTime);
}

}  // namespace
}  // namespace veloria
