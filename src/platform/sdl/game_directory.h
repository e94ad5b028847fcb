#pragma once
// Finding the game directory: the folder that holds the tile library and the data files. Every
// content name is relative to it; the program hands it to the core and the back ends as their
// content root and never changes its working directory.
#include <cstdint>

namespace veloria {

constexpr int32_t kGameDirCandidates = 4;
constexpr int32_t kGameDirPathSize = 4096;

struct GameDirSearch {
    // Candidates in search order; empty entries are skipped.
    char candidates[kGameDirCandidates][kGameDirPathSize];
    int32_t found;  // index of the first candidate that is a game directory, -1 for none
};

// A game directory holds "art/tilelib1.mpt" and a "data/" folder.
bool IsGameDirectory(const char* dir);

// Tries the candidates in order: the working directory, the executable's directory, the data
// installed beside the executable ("EXE/../share/veloria", so any install prefix and a moved
// install tree work), the data directory of the configured prefix. Any of them may be null or
// empty.
void SearchGameDirectory(GameDirSearch* search, const char* workingDir, const char* exeDir,
                         const char* installedDir);

// Lists the searched directories, one per line, into text (always terminated).
void DescribeSearch(const GameDirSearch& search, char* text, int32_t size);

// The program's search (working directory, SDL_GetBasePath and ../share/veloria below it, the
// configured data directory). The directory found is search->candidates[search->found], an
// absolute path. Returns false when none qualifies.
bool FindGameDirectory(GameDirSearch* search);

// True when dir is an installed data directory of this program (its executable's
// ../share/veloria or the configured one), which is never saved into, whoever runs the game.
bool IsInstalledDataDirectory(const char* dir);

}  // namespace veloria
