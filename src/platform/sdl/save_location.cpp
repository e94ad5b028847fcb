#include "platform/sdl/save_location.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "menus/saved_game.h"
#include "platform/sdl/game_directory.h"
#include "presentation/platform.h"

namespace veloria {

bool DirectoryIsWritable(const char* dir) {
    struct stat st;
    if (dir == nullptr || stat(dir, &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    // A folder nobody may write to counts as read-only even for root, who could write there
    // anyway: a packager or admin running the game must not scribble into the shared install.
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return false;
    // Mode bits do not tell the rest (a read-only mount, ownership, ACLs): try it.
    char probe[kSaveRootSize + 64];
    int n = std::snprintf(probe, sizeof(probe), "%s/.veloria-write-probe-%ld", dir,
                          static_cast<long>(getpid()));
    if (n < 0 || n >= static_cast<int>(sizeof(probe))) return false;
    int fd = open(probe, O_WRONLY | O_CREAT | O_EXCL, 0600);
    if (fd < 0) return false;
    close(fd);
    unlink(probe);
    return true;
}

bool ChooseSaveRoot(const char* gameDir, bool installed, const char* xdgDataHome, const char* home,
                    char* root, int32_t size) {
    if (size <= 0) return false;
    root[0] = '\0';
    char slots[kSaveRootSize + 32];
    int n = std::snprintf(slots, sizeof(slots), "%s/data/villains", gameDir ? gameDir : ".");
    // Even root, who may write into an installed tree, must not scribble into the shared data.
    if (!installed && n >= 0 && n < static_cast<int>(sizeof(slots)) && DirectoryIsWritable(slots))
        return true;

    if (xdgDataHome && xdgDataHome[0] == '/') {
        n = std::snprintf(root, static_cast<size_t>(size), "%s/veloria", xdgDataHome);
    } else if (home && home[0] == '/') {
        n = std::snprintf(root, static_cast<size_t>(size), "%s/.local/share/veloria", home);
    } else {
        return false;
    }
    if (n < 0 || n >= size) {  // a cut path would name another folder
        root[0] = '\0';
        return false;
    }
    return true;
}

const SaveSlots* ChooseSaveSlots(const char* gameDir) {
    if (gameDir == nullptr || gameDir[0] == '\0') gameDir = ".";
    static char root[kSaveRootSize];
    static SaveSlots slots;
    const char* home = std::getenv("HOME");
    if (home == nullptr || home[0] != '/') {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : nullptr;
    }
    const bool installed = IsInstalledDataDirectory(gameDir);
    if (!ChooseSaveRoot(gameDir, installed, std::getenv("XDG_DATA_HOME"), home, root,
                        sizeof(root))) {
        std::fprintf(stderr,
                     "veloria: the game directory cannot be saved into and no data folder could "
                     "be named (HOME is unset); saving will fail\n");
    }
    MakeSaveSlots(&slots, root);
    return &slots;
}

}  // namespace veloria
