// Each roster villain is drawn with its own look from the tile library: the first animation
// cell of vNN must open that creature's block of 24 cells (villain looks in docs/tiles.md).
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

int FirstNumber(const std::string& path) {
    int value = -1;
    FILE* f = std::fopen(path.c_str(), "r");
    if (f == nullptr) return -1;
    if (std::fscanf(f, "%d", &value) != 1) value = -1;
    std::fclose(f);
    return value;
}

TEST(ContentVillainLooks, EachRosterVillainWearsItsOwnLook) {
    // Blocks of the tile library: 224 + 24 x (look - 1).
    enum Look { Goblin = 1, Skeleton = 2, Slime = 3, DarkMage = 4, Wolf = 5, Demon = 6 };
    struct Entry {
        const char* file;
        const char* name;
        int look;
    };
    const Entry roster[] = {
        {"v01.txt", "Goblin", Goblin},      {"v02.txt", "Green Slime", Slime},
        {"v03.txt", "Grey Wolf", Wolf},     {"v04.txt", "Skeleton", Skeleton},
        {"v05.txt", "Dark Mage", DarkMage}, {"v06.txt", "Hollow King", Demon},
    };
    const std::string dir = std::string(VELORIA_SOURCE_DIR) + "/content/data/villains/";
    for (const Entry& e : roster) {
        EXPECT_EQ(FirstNumber(dir + e.file), 224 + 24 * (e.look - 1)) << e.file << " " << e.name;
    }
}

}  // namespace
