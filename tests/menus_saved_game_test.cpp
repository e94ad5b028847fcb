#include <sys/stat.h>

#include <filesystem>
#include <random>
#include <vector>

#include "content/reader.h"
#include "menus/saved_game.h"
#include "menus_test_support.h"

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

void ExpectSameSavedFields(const Game& a, const Game& b) {
    const Actor& x = a.hero;
    const Actor& y = b.hero;
    for (int i = 0; i < kAttributes; ++i) EXPECT_EQ(x.attr[i], y.attr[i]) << "attr " << i;
    for (int i = 0; i < kSpells; ++i) EXPECT_EQ(x.spellOwned[i], y.spellOwned[i]);
    for (int i = 0; i < kItems; ++i) EXPECT_EQ(x.itemCount[i], y.itemCount[i]);
    for (int s = 0; s < kEquipSlots; ++s) {
        for (int p = 0; p < kPiecesPerSlot; ++p) {
            EXPECT_EQ(x.equip[s].items[p].owned, y.equip[s].items[p].owned) << s << "/" << p;
        }
        EXPECT_EQ(x.equip[s].equipped, y.equip[s].equipped) << "slot " << s;
        EXPECT_EQ(x.equip[s].listCursor, y.equip[s].listCursor) << "slot " << s;
    }
    for (int i = 0; i < kLairs; ++i) EXPECT_EQ(x.lairs[i].opened, y.lairs[i].opened);
    for (int i = 0; i < kGuardians; ++i) EXPECT_EQ(x.guardianDefeated[i], y.guardianDefeated[i]);
    EXPECT_EQ(x.facing, y.facing);
    EXPECT_EQ(x.x, y.x);
    EXPECT_EQ(x.y, y.y);
    EXPECT_EQ(x.stepPeriod, y.stepPeriod);
    for (int i = 0; i < kChests; ++i) EXPECT_EQ(a.chests[i].opened, b.chests[i].opened);
    for (int i = 0; i < kDoors; ++i) EXPECT_EQ(a.doorUnlocked[i], b.doorUnlocked[i]);
    for (int i = 0; i < kTreasures; ++i) {
        EXPECT_EQ(a.hiddenTreasures[i].dug, b.hiddenTreasures[i].dug);
    }
    const LevelMap& m = a.level;
    const LevelMap& n = b.level;
    EXPECT_EQ(m.levelNumber, n.levelNumber);
    EXPECT_EQ(m.viewCol, n.viewCol);
    EXPECT_EQ(m.viewRow, n.viewRow);
    EXPECT_EQ(m.encounterRate, n.encounterRate);
    EXPECT_EQ(m.battleMap, n.battleMap);
    EXPECT_EQ(m.encounterVillains, n.encounterVillains);
    EXPECT_EQ(m.mode, n.mode);
    EXPECT_EQ(m.scrollX, n.scrollX);
    EXPECT_EQ(m.scrollY, n.scrollY);
    EXPECT_EQ(m.levelMusic, n.levelMusic);
    for (int i = 0; i < kBarriers; ++i) EXPECT_EQ(x.barrierBroken[i], y.barrierBroken[i]);
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

class MenusSavedGameTest : public MenusTest {
  protected:
    // A slot written from a filled game, as words.
    std::vector<std::string> SavedWords() {
        TestGame other;
        FillSavedFields(other.g());
        EXPECT_TRUE(SaveGame(other.g(), "slot.txt"));
        std::ifstream in(other.dir.path + "/slot.txt");
        std::stringstream ss;
        ss << in.rdbuf();
        return Split(ss.str());
    }
};

TEST_F(MenusSavedGameTest, SlotFilesAreTheThreeNumberedFilesAndNothingElse) {
    EXPECT_STREQ("data/villains/v45.txt", SlotFile(1));
    EXPECT_STREQ("data/villains/v46.txt", SlotFile(2));
    EXPECT_STREQ("data/villains/v47.txt", SlotFile(3));
    EXPECT_EQ(nullptr, SlotFile(0));
    EXPECT_EQ(nullptr, SlotFile(4));
    EXPECT_EQ(nullptr, SlotFile(-1));
}

TEST_F(MenusSavedGameTest, SaveWrites635IntegersThatLoadBackIntoEveryField) {
    FillSavedFields(g);
    g.hero.playTime = 3725000;
    TimerReset(g.playClock);
    TimerUpdate(g, g.playClock);
    t.clock.Advance(5000);
    t.Write("data/villains/keep", "");
    ASSERT_TRUE(SaveGame(g, SlotFile(1)));

    const std::string text = Read("data/villains/v45.txt");
    EXPECT_EQ(std::string::npos, text.find_first_not_of("-0123456789 ")) << "no line break";
    EXPECT_EQ(std::string::npos, text.find("  ")) << "single spaces";
    ASSERT_FALSE(text.empty());
    EXPECT_NE(' ', text.front());
    EXPECT_EQ(' ', text.back()) << "every number is followed by its space";
    const std::vector<std::string> words = Split(text);
    ASSERT_EQ(635u, words.size());
    EXPECT_EQ("1000", words[0]);
    EXPECT_EQ("2", words[kFacingAt]);
    EXPECT_EQ("-384", words[kXAt]);
    EXPECT_EQ("7", words[kLevelAt]) << "level numbers are written without padding";
    EXPECT_EQ("3", words[kModeAt]);
    EXPECT_EQ("1", words[kEquippedAt]);
    EXPECT_EQ("9", words[kListCursorAt]);
    EXPECT_EQ("3730000", words[kTotalAt]) << "play time is the stored time plus the clock";
    EXPECT_EQ(3725000, g.hero.playTime) << "saving changes nothing in the game";

    TestGame fresh;
    fresh.Write("data/villains/v45.txt", text);
    fresh.g().hero.selectedItem = 5;
    fresh.g().flow.gameState = StateLoadMenu;
    ASSERT_EQ(1, LoadGame(fresh.g(), SlotFile(1), 0));
    ExpectSameSavedFields(g, fresh.g());
    EXPECT_EQ(3730000, fresh.g().hero.playTime);
    EXPECT_EQ(5, fresh.g().hero.selectedItem) << "fields outside the file are left alone";
    EXPECT_EQ(StateLoadMenu, fresh.g().flow.gameState);
}

TEST_F(MenusSavedGameTest, SavingTwiceWritesTotalsThatGrowByTheTimeBetween) {
    g.hero.playTime = 1000;
    TimerReset(g.playClock);
    TimerUpdate(g, g.playClock);
    ASSERT_TRUE(SaveGame(g, "a.txt"));
    t.clock.Advance(2500);
    ASSERT_TRUE(SaveGame(g, "b.txt"));
    EXPECT_EQ("1000", Split(Read("a.txt"))[kTotalAt]);
    EXPECT_EQ("3500", Split(Read("b.txt"))[kTotalAt]);
}

TEST_F(MenusSavedGameTest, OutOfRangeIndicesInAHandEditedSaveKeepThePreviousValues) {
    std::vector<std::string> words = SavedWords();
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
    const int32_t warningsBefore = ContentWarningCount();
    ASSERT_EQ(1, LoadGame(g, SlotFile(2), 0));

    EXPECT_EQ(1, g.hero.facing);
    EXPECT_EQ(5, g.level.levelNumber);
    EXPECT_EQ(Small, g.level.mode);
    EXPECT_EQ(4, g.hero.equip[0].equipped);
    EXPECT_EQ(3, g.hero.equip[1].equipped);
    EXPECT_EQ(2, g.hero.equip[0].listCursor);
    EXPECT_EQ(6, ContentWarningCount() - warningsBefore) << "one warning per bad value";
    // The file is still read in step: the values after the bad ones arrive where they belong.
    EXPECT_EQ(-384, g.hero.x);
    EXPECT_EQ(3, g.hero.equip[2].equipped);
    EXPECT_EQ(8, g.hero.equip[1].listCursor);
    EXPECT_EQ(-64, g.level.scrollX);

    words[kLevelAt] = "0";
    t.Write("data/villains/v46.txt", Join(words));
    ASSERT_EQ(1, LoadGame(g, SlotFile(2), 0));
    EXPECT_EQ(5, g.level.levelNumber);
}

TEST_F(MenusSavedGameTest, AShortOrDamagedSaveFillsWhatItHoldsAndLeavesTheRest) {
    for (int32_t i = 0; i < kAttributes; ++i) g.hero.attr[i] = 50 + i;
    g.hero.playTime = 777;
    t.Write("data/villains/v47.txt", "5 6 7 ");
    ASSERT_EQ(1, LoadGame(g, SlotFile(3), 0));
    EXPECT_EQ(5, g.hero.attr[0]);
    EXPECT_EQ(7, g.hero.attr[2]);
    EXPECT_EQ(53, g.hero.attr[3]);
    EXPECT_EQ(777, g.hero.playTime);

    t.Write("data/villains/v47.txt", "1 2 x 4 5");
    ASSERT_EQ(1, LoadGame(g, SlotFile(3), 0));
    EXPECT_EQ(1, g.hero.attr[0]);
    EXPECT_EQ(2, g.hero.attr[1]);
    EXPECT_EQ(7, g.hero.attr[2]) << "nothing after the first non-number is read";
    EXPECT_EQ(53, g.hero.attr[3]);
}

TEST_F(MenusSavedGameTest, RandomDamagedSavesNeverLeaveAnIndexOutsideItsTable) {
    SetContentWarningsQuiet(true);
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
        ASSERT_EQ(1, LoadGame(g, SlotFile(1), 0));
        ASSERT_GE(g.hero.facing, 0);
        ASSERT_LE(g.hero.facing, 3);
        ASSERT_GE(g.level.mode, 0);
        ASSERT_LE(g.level.mode, 3);
        ASSERT_GE(g.level.levelNumber, 0);
        ASSERT_LE(g.level.levelNumber, 99);
        for (const EquipSlot& slot : g.hero.equip) {
            ASSERT_GE(slot.equipped, 0);
            ASSERT_LE(slot.equipped, 9);
            ASSERT_GE(slot.listCursor, 0);
            ASSERT_LE(slot.listCursor, 9);
        }
    }
    SetContentWarningsQuiet(false);
}

TEST_F(MenusSavedGameTest, AMissingFileIsAnEmptySlotAndChangesNothing) {
    g.hero.attr[Level] = 9;
    EXPECT_EQ(0, LoadGame(g, SlotFile(1), 1));
    EXPECT_EQ(9, g.hero.attr[Level]);
    EXPECT_EQ(0, t.audio.opens) << "no music started for an empty slot";
}

TEST_F(MenusSavedGameTest, AFailedSaveReportsFailureAndKeepsTheOldSlotWhole) {
    t.Write("data/villains/v45.txt", "old save ");
    // The temporary file cannot be created: a directory stands in its place.
    std::filesystem::create_directories(t.dir.path + "/data/villains/v45.txt.tmp");
    EXPECT_FALSE(SaveGame(g, SlotFile(1)));
    EXPECT_EQ("old save ", Read("data/villains/v45.txt"));

    // The rename fails: the slot name is taken by a directory that is not empty.
    t.Write("data/villains/v46.txt/keep", "x");
    EXPECT_FALSE(SaveGame(g, SlotFile(2)));
    EXPECT_FALSE(std::filesystem::exists(t.dir.path + "/data/villains/v46.txt.tmp"))
        << "the temporary file is removed";
    EXPECT_EQ("x", Read("data/villains/v46.txt/keep"));

    EXPECT_FALSE(SaveGame(g, "no/such/folder/v45.txt"));
    EXPECT_FALSE(SaveGame(g, ""));
    EXPECT_FALSE(SaveGame(g, nullptr));
}

TEST_F(MenusSavedGameTest, ASuccessfulSaveReplacesTheSlotAndLeavesNoTemporaryFile) {
    t.Write("data/villains/v45.txt", "old save ");
    g.hero.attr[0] = 17;
    ASSERT_TRUE(SaveGame(g, SlotFile(1)));
    EXPECT_EQ("17", Split(Read("data/villains/v45.txt"))[0]);
    EXPECT_FALSE(std::filesystem::exists(t.dir.path + "/data/villains/v45.txt.tmp"));
}

TEST_F(MenusSavedGameTest, RestoreInstallsDelaysMusicLevelWithTheSavedViewAndRestartsTheClock) {
    std::vector<std::string> words = SavedWords();
    words[kModeAt] = "2";
    t.Write("data/villains/v45.txt", Join(words));
    // Level 7 as a Small map whose only mark is its shop number.
    std::string level;
    for (int i = 0; i < 1111; ++i) level += (i == 960 + 60 + 8 ? "42 " : "0 ");
    t.Write("levels/level07.txt", level);
    g.playClock.start = 5;
    t.clock.Advance(1234);

    ASSERT_EQ(1, LoadGame(g, SlotFile(1), 1));
    EXPECT_EQ(42, g.level.shopId) << "levels/level07.txt was read";
    EXPECT_EQ(Small, g.level.mode);
    EXPECT_EQ(7, g.level.levelNumber);
    EXPECT_EQ(5, g.level.viewCol);
    EXPECT_EQ(4, g.level.viewRow);
    EXPECT_EQ(-64, g.level.scrollX);
    EXPECT_EQ(48, g.level.scrollY);
    EXPECT_STREQ("music/level07.mid", g.musicFile);
    EXPECT_STREQ("music/level07.mid", t.audio.openFile);
    EXPECT_TRUE(t.audio.playing);
    EXPECT_EQ(131u, g.input.repeatDelay[KeyLeftRight]);
    EXPECT_EQ(131u, g.input.repeatDelay[JoyUpDown]);
    EXPECT_EQ(kDefaultButtonDelay, g.input.repeatDelay[KeyButtons]);
    EXPECT_EQ(t.clock.Now(), g.playClock.start) << "the play clock starts again from zero";
}

TEST_F(MenusSavedGameTest, LoadScreenListsTheSlotsAndLeavesTheLastOneInTheTables) {
    // Two saves made by another game (which works in its own directory while it lives).
    auto makeSave = [](int32_t level, int32_t hp, int32_t maxHp, int32_t playTime) {
        TestGame maker;
        maker.g().hero.attr[Level] = level;
        maker.g().hero.attr[HP] = hp;
        maker.g().hero.attr[MaxHP] = maxHp;
        maker.g().hero.playTime = playTime;
        EXPECT_TRUE(SaveGame(maker.g(), "save.txt"));
        std::ifstream in(maker.dir.path + "/save.txt");
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    };
    const std::string one = makeSave(3, 20, 30, 59999);
    const std::string three = makeSave(12, 7, 140, 3725000);
    t.Write("data/villains/v45.txt", one);
    t.Write("data/villains/v47.txt", three);

    LoadScreen(g);
    EXPECT_EQ("Which file?", ShownText(0));
    EXPECT_EQ("1) FILE #1-   Level: 3    HP: 20/30", ShownText(1));
    EXPECT_EQ("    Time played: 0h 0m 59s", ShownText(2));
    EXPECT_EQ("2) FILE #2-   Empty", ShownText(3));
    EXPECT_EQ("", ShownText(4));
    EXPECT_EQ("3) FILE #3-   Level: 12    HP: 7/140", ShownText(5));
    EXPECT_EQ("    Time played: 1h 2m 5s", ShownText(6));
    EXPECT_EQ("4) Return to Main Menu", ShownText(7));
    ASSERT_NE(nullptr, Shown(5));
    EXPECT_EQ(400, Shown(5)->left);
    EXPECT_EQ(520, Shown(5)->top);
    EXPECT_EQ(545, Shown(6)->top);
    EXPECT_EQ(kColourDarkRed, Shown(3)->colour);
    EXPECT_STREQ("art/bg/title4.bmp", g.renderer.presented.background);
    EXPECT_EQ(12, g.hero.attr[Level]) << "the tables hold the last slot that opened";
    EXPECT_EQ(3725000, g.hero.playTime);
}

}  // namespace
}  // namespace veloria
