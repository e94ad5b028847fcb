#include "platform/sdl/game_directory.h"

#include <SDL2/SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#ifndef VELORIA_DATA_DIR
#define VELORIA_DATA_DIR "/usr/local/share/veloria"
#endif

namespace veloria {

namespace {

void CopyPath(char* dst, const char* src) {
    dst[0] = '\0';
    if (src == nullptr) return;
    size_t n = std::strlen(src);
    if (n >= static_cast<size_t>(kGameDirPathSize)) return;  // a cut path would name another place
    std::memcpy(dst, src, n + 1);
}

bool Exists(const char* dir, const char* relative, bool wantDirectory) {
    char path[kGameDirPathSize + 64];
    std::snprintf(path, sizeof(path), "%s/%s", dir, relative);
    struct stat st;
    if (stat(path, &st) != 0) return false;
    return wantDirectory ? S_ISDIR(st.st_mode) : S_ISREG(st.st_mode);
}

}  // namespace

bool IsGameDirectory(const char* dir) {
    if (dir == nullptr || dir[0] == '\0') return false;
    return Exists(dir, "art/tilelib1.mpt", false) && Exists(dir, "data", true);
}

void SearchGameDirectory(GameDirSearch* search, const char* workingDir, const char* exeDir,
                         const char* installedDir) {
    CopyPath(search->candidates[0], workingDir);
    CopyPath(search->candidates[1], exeDir);
    search->candidates[2][0] = '\0';
    if (exeDir != nullptr && exeDir[0] != '\0') {
        const size_t n = std::strlen(exeDir);
        const char* sep = exeDir[n - 1] == '/' ? "" : "/";
        int written = std::snprintf(search->candidates[2], kGameDirPathSize, "%s%s../share/veloria",
                                    exeDir, sep);
        if (written < 0 || written >= kGameDirPathSize) search->candidates[2][0] = '\0';
    }
    CopyPath(search->candidates[3], installedDir);
    search->found = -1;
    for (int32_t i = 0; i < kGameDirCandidates; ++i) {
        if (IsGameDirectory(search->candidates[i])) {
            search->found = i;
            return;
        }
    }
}

void DescribeSearch(const GameDirSearch& search, char* text, int32_t size) {
    if (size <= 0) return;
    text[0] = '\0';
    int32_t used = 0;
    for (int32_t i = 0; i < kGameDirCandidates; ++i) {
        if (search.candidates[i][0] == '\0') continue;
        int n = std::snprintf(text + used, size - used, "  %s\n", search.candidates[i]);
        if (n < 0 || n >= size - used) break;
        used += n;
    }
}

bool FindGameDirectory(GameDirSearch* search) {
    char cwd[kGameDirPathSize];
    if (!getcwd(cwd, sizeof(cwd))) cwd[0] = '\0';
    char* base = SDL_GetBasePath();  // ends with '/'
    SearchGameDirectory(search, cwd, base, VELORIA_DATA_DIR);
    SDL_free(base);
    return search->found >= 0;
}

bool IsInstalledDataDirectory(const char* dir) {
    if (dir == nullptr || dir[0] == '\0') return false;
    char* base = SDL_GetBasePath();
    GameDirSearch search;
    SearchGameDirectory(&search, nullptr, base, VELORIA_DATA_DIR);
    SDL_free(base);
    char wanted[PATH_MAX];
    if (realpath(dir, wanted) == nullptr) return false;
    // Only the two install candidates: the working and executable folders are build trees or
    // portable copies.
    for (int32_t i = 2; i < kGameDirCandidates; ++i) {
        char candidate[PATH_MAX];
        if (search.candidates[i][0] == '\0' || realpath(search.candidates[i], candidate) == nullptr)
            continue;
        if (std::strcmp(candidate, wanted) == 0) return true;
    }
    return false;
}

}  // namespace veloria
