#pragma once
// The strict twin of the game's lenient loaders: reads a whole content directory through the
// game's own loaders and adds the checks they do not make (exact number counts, files named by
// other files, record numbers, line lengths, event tables, arrivals, reachability).
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace veloria::check {

struct CheckOptions {
    // Pictures, sounds, music and the tile library: the build makes them, so a content/ folder
    // of the source tree does not hold them.
    bool media = true;
    // Each problem is printed here as it is found (nullptr: only collected).
    FILE* out = nullptr;
};

struct CheckResult {
    std::vector<std::string> problems;  // "file:line: expected X, found Y"
    int32_t loaderWarnings = 0;         // written on stderr by the game's loaders
    int32_t Total() const { return static_cast<int32_t>(problems.size()) + loaderWarnings; }
    // Whether some problem mentions every one of the fragments (for tests).
    bool Has(const std::string& a, const std::string& b = "") const;
};

// Checks the content directory dir; works inside it and returns to the old working directory.
// A directory that cannot be entered is one problem.
CheckResult CheckContent(const std::string& dir, const CheckOptions& options);

// The pictures, sounds and music the program opens by fixed names (numbered ones, such as
// "music/level%02d.mid", are checked where content names their numbers).
const std::vector<std::string>& FixedMediaFiles();

}  // namespace veloria::check
