// Keyboard codes, the game-directory search and the file URLs handed to the desktop.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "input/input_codes.h"
#include "platform/sdl/game_directory.h"
#include "platform/sdl/keys.h"
#include "platform/sdl/sdl_shell.h"
#include "test_support.h"

namespace veloria {
namespace {

TEST(PlatformKeys, TheTwelveKeysAndNothingElse) {
    EXPECT_EQ(KeyToInputCode(SDLK_LEFT), InputLeft);
    EXPECT_EQ(KeyToInputCode(SDLK_RIGHT), InputRight);
    EXPECT_EQ(KeyToInputCode(SDLK_UP), InputUp);
    EXPECT_EQ(KeyToInputCode(SDLK_DOWN), InputDown);
    const SDL_Keycode digits[] = {SDLK_1, SDLK_2, SDLK_3, SDLK_4, SDLK_5, SDLK_6};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(KeyToInputCode(digits[i]), InputButton1 + i) << i;
    EXPECT_EQ(KeyToInputCode(SDLK_ESCAPE), InputEscape);

    // No key gives button 7; 7, 0, letters and the keypad give nothing.
    const SDL_Keycode none[] = {SDLK_7,    SDLK_0,    SDLK_a,    SDLK_z,        SDLK_RETURN,
                                SDLK_KP_1, SDLK_KP_6, SDLK_KP_4, SDLK_KP_ENTER, SDLK_SPACE,
                                SDLK_F1,   SDLK_TAB,  SDLK_LALT, SDLK_UNKNOWN};
    for (SDL_Keycode k : none) EXPECT_EQ(KeyToInputCode(k), InputNone) << SDL_GetKeyName(k);
}

struct GameDirs {
    TempDir root;
    std::string Make(const std::string& name, bool tiles, bool data) {
        std::string dir = root.path + "/" + name;
        std::filesystem::create_directories(dir);
        if (tiles) root.Write(name + "/art/tilelib1.mpt", "x");
        if (data) std::filesystem::create_directories(dir + "/data");
        return dir;
    }
};

TEST(PlatformGameDirectory, NeedsBothTheTileLibraryAndTheDataFolder) {
    GameDirs d;
    EXPECT_TRUE(IsGameDirectory(d.Make("full", true, true).c_str()));
    EXPECT_FALSE(IsGameDirectory(d.Make("tiles", true, false).c_str()));
    EXPECT_FALSE(IsGameDirectory(d.Make("data", false, true).c_str()));
    // "data" as a plain file is not the folder.
    std::string odd = d.Make("odd", true, false);
    d.root.Write("odd/data", "not a folder");
    EXPECT_FALSE(IsGameDirectory(odd.c_str()));
    EXPECT_FALSE(IsGameDirectory(""));
    EXPECT_FALSE(IsGameDirectory(nullptr));
}

TEST(PlatformGameDirectory, SearchOrderWorkingThenExecutableThenBesideItThenInstalled) {
    GameDirs d;
    std::string good1 = d.Make("work", true, true);
    std::string good2 = d.Make("exe", true, true);
    std::string good3 = d.Make("installed", true, true);
    std::string bad = d.Make("empty", false, false);
    GameDirSearch s;

    SearchGameDirectory(&s, good1.c_str(), good2.c_str(), good3.c_str());
    EXPECT_EQ(s.found, 0);
    SearchGameDirectory(&s, bad.c_str(), good2.c_str(), good3.c_str());
    EXPECT_EQ(s.found, 1);
    SearchGameDirectory(&s, bad.c_str(), nullptr, good3.c_str());
    EXPECT_EQ(s.found, 3);
    EXPECT_STREQ(s.candidates[s.found], good3.c_str());
    SearchGameDirectory(&s, bad.c_str(), bad.c_str(), "/nonexistent/veloria");
    EXPECT_EQ(s.found, -1);

    // The failure report names every directory that was tried.
    char text[1024];
    DescribeSearch(s, text, sizeof(text));
    EXPECT_NE(std::strstr(text, bad.c_str()), nullptr);
    EXPECT_NE(std::strstr(text, "/nonexistent/veloria"), nullptr);
    char tiny[8];
    DescribeSearch(s, tiny, sizeof(tiny));
    EXPECT_LT(std::strlen(tiny), sizeof(tiny));
}

TEST(PlatformGameDirectory, AnInstallTreeIsFoundFromItsExecutableWhereverItWasMoved) {
    GameDirs d;
    std::string data = d.Make("moved/share/veloria", true, true);
    std::string bin = d.Make("moved/games", false, false);
    std::string bad = d.Make("empty", false, false);
    GameDirSearch s;
    // SDL hands the executable's folder with a trailing slash; a bare folder works as well.
    SearchGameDirectory(&s, bad.c_str(), (bin + "/").c_str(), "/nonexistent/veloria");
    ASSERT_EQ(s.found, 2);
    EXPECT_EQ(std::string(s.candidates[2]), bin + "/../share/veloria");
    SearchGameDirectory(&s, bad.c_str(), bin.c_str(), "/nonexistent/veloria");
    EXPECT_EQ(s.found, 2);
    // The configured prefix is only the last resort.
    SearchGameDirectory(&s, bad.c_str(), bad.c_str(), data.c_str());
    EXPECT_EQ(s.found, 3);
}

TEST(PlatformGameDirectory, OverlongPathIsNotCutIntoAnotherPlace) {
    GameDirs d;
    std::string good = d.Make("g", true, true);
    std::string longPath(kGameDirPathSize + 10, 'a');
    GameDirSearch s;
    SearchGameDirectory(&s, longPath.c_str(), good.c_str(), nullptr);
    EXPECT_EQ(s.found, 1);
    EXPECT_EQ(s.candidates[0][0], '\0');
}

TEST(PlatformShell, FileUrlIsAbsoluteAndEscaped) {
    TempDir dir;
    std::string spaced = dir.path + "/my game";
    char url[8192];
    ASSERT_TRUE(SdlShell::FileUrl(spaced.c_str(), "web/vx.html", url, sizeof(url)));
    EXPECT_EQ(std::string(url), "file://" + dir.path + "/my%20game/web/vx.html");
    // A relative root is taken from the working directory; an absolute name ignores the root.
    char cwd[4096];
    ASSERT_NE(getcwd(cwd, sizeof(cwd)), nullptr);
    ASSERT_TRUE(SdlShell::FileUrl("game", "web/vx.html", url, sizeof(url)));
    EXPECT_EQ(std::string(url).rfind("file://" + std::string(cwd) + "/game/web/vx.html", 0), 0u)
        << url;
    ASSERT_TRUE(SdlShell::FileUrl(spaced.c_str(), "/abs/page.html", url, sizeof(url)));
    EXPECT_EQ(std::string(url), "file:///abs/page.html");
    char tiny[16];
    EXPECT_FALSE(SdlShell::FileUrl(spaced.c_str(), "web/vx.html", tiny, sizeof(tiny)));
}

}  // namespace
}  // namespace veloria
