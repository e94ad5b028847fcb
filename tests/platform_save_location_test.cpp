// Where an installed game saves: the game directory when it is writable, else the player's data
// folder; loading prefers the data folder's copy.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "hero/actor_record.h"
#include "menus/saved_game.h"
#include "menus_test_support.h"
#include "platform/sdl/save_location.h"
#include "presentation/platform.h"

namespace veloria {
namespace {

std::string Root(const char* game, const char* xdg, const char* home, bool installed = false) {
    char root[kSaveRootSize];
    root[0] = 'x';
    bool ok = ChooseSaveRoot(game, installed, xdg, home, root, sizeof(root));
    return (ok ? "ok:" : "fail:") + std::string(root);
}

TEST(PlatformSaveLocation, AWritableGameDirectoryKeepsItsSlotsAReadOnlyOneUsesTheDataFolder) {
    TempDir d;
    d.Write("game/data/villains/v48.txt", "0 ");
    const std::string game = d.path + "/game";
    EXPECT_EQ("ok:", Root(game.c_str(), "/xdg", "/home/p"));
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(game + "/data/villains")) {
        (void)e;
        ++entries;
    }
    EXPECT_EQ(1, entries) << "the probe leaves nothing behind";
    // An installed game directory is never saved into, writable or not (root may write there).
    EXPECT_EQ("ok:/xdg/veloria", Root(game.c_str(), "/xdg", "/home/p", true));

    // No write bit: read-only even for root, who could write there regardless.
    chmod((game + "/data/villains").c_str(), 0555);
    EXPECT_FALSE(DirectoryIsWritable((game + "/data/villains").c_str()));
    EXPECT_EQ("ok:/xdg/veloria", Root(game.c_str(), "/xdg", "/home/p"));
    // An unset, empty or relative XDG_DATA_HOME falls back to the home's default.
    EXPECT_EQ("ok:/home/p/.local/share/veloria", Root(game.c_str(), nullptr, "/home/p"));
    EXPECT_EQ("ok:/home/p/.local/share/veloria", Root(game.c_str(), "", "/home/p"));
    EXPECT_EQ("ok:/home/p/.local/share/veloria", Root(game.c_str(), "rel/dir", "/home/p"));
    EXPECT_EQ("fail:", Root(game.c_str(), nullptr, nullptr));
    const std::string longHome(kSaveRootSize, 'h');
    EXPECT_EQ("fail:", Root(game.c_str(), nullptr, ("/" + longHome).c_str()));
    chmod((game + "/data/villains").c_str(), 0755);

    // A folder that is missing or is a file is not writable.
    EXPECT_FALSE(DirectoryIsWritable((d.path + "/missing").c_str()));
    EXPECT_FALSE(DirectoryIsWritable((game + "/data/villains/v48.txt").c_str()));
    EXPECT_EQ("ok:/xdg/veloria", Root((d.path + "/missing").c_str(), "/xdg", nullptr));
}

class SaveRootTest : public MenusTest {
  protected:
    void SetRoot(const std::string& root) {
        MakeSaveSlots(&slots, root.c_str());
        g.platform.saveSlots = &slots;
    }
    TempDir data;
    SaveSlots slots;
};

TEST_F(SaveRootTest, SlotsAreWrittenBelowTheRootCreatedOnFirstSaveAndListedFromThere) {
    EXPECT_STREQ("data/villains/v45.txt", SlotFile(g, 1));
    const std::string root = data.path + "/share/veloria";
    SetRoot(root);
    EXPECT_EQ(root + "/data/villains/v46.txt", SlotFile(g, 2));
    EXPECT_EQ(nullptr, SlotFile(g, 0));
    EXPECT_EQ(nullptr, SlotFile(g, 4));

    // An old save in the game directory shows until the data folder has its own.
    t.Write("data/villains/v46.txt", "1 ");
    EXPECT_STREQ("data/villains/v46.txt", SlotFileToLoad(g, 2));

    g.hero.attr[Level] = 9;
    g.hero.attr[HP] = 33;
    g.hero.attr[MaxHP] = 44;
    ASSERT_TRUE(SaveToSlot(g, 2)) << "the folders are made on the first save";
    EXPECT_TRUE(std::filesystem::is_regular_file(root + "/data/villains/v46.txt"));
    EXPECT_EQ(std::filesystem::perms::owner_all, std::filesystem::status(root).permissions())
        << "a per-user data folder is private";
    EXPECT_EQ(root + "/data/villains/v46.txt", SlotFileToLoad(g, 2));
    EXPECT_EQ("1 ", Read("data/villains/v46.txt")) << "the game directory's copy is untouched";

    g.hero.attr[Level] = 1;
    LoadScreen(g);
    EXPECT_EQ("1) FILE #1-   Empty", ShownText(1));
    EXPECT_EQ("2) FILE #2-   Level: 9    HP: 33/44", ShownText(3));

    // Choosing the slot on the load menu restores the data folder's save.
    g.hero.attr[Level] = 1;
    ASSERT_EQ(1, LoadGame(g, SlotFileToLoad(g, 2), 0));
    EXPECT_EQ(9, g.hero.attr[Level]);

    // A root too long to name the slot falls back to the game directory instead of a cut path.
    const std::string longRoot(4300, 'r');
    SetRoot(longRoot);
    EXPECT_STREQ("data/villains/v45.txt", SlotFile(g, 1));
}

TEST_F(SaveRootTest, ASaveRootThatCannotBeMadeIsAFailedSaveNotACrash) {
    t.Write("blocker", "a file where the folder should be");
    SetRoot(t.dir.path + "/blocker/veloria");
    EXPECT_FALSE(SaveToSlot(g, 1));
}

}  // namespace
}  // namespace veloria
