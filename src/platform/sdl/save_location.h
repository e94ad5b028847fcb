#pragma once
// Where saved games go. A game directory the player may write to (a build tree, a portable copy)
// keeps its slots, as it always did; an installed, read-only one saves to the player's data
// folder instead. Decided once at start-up and handed to the core as its save root.
#include <cstdint>

#include "presentation/platform.h"

namespace veloria {

constexpr int32_t kSaveRootSize = 4096;

// True when files can really be created in dir right now.
bool DirectoryIsWritable(const char* dir);

// The save root for gameDir: "" when it is not an installed one and its slot folder
// (data/villains) is writable, else
// "$XDG_DATA_HOME/veloria", or "$HOME/.local/share/veloria" when XDG_DATA_HOME is unset, empty or
// relative (such a value is to be ignored). xdgDataHome and home may be null. False when no
// folder can be named (no usable home either); root is "" then.
bool ChooseSaveRoot(const char* gameDir, bool installed, const char* xdgDataHome, const char* home,
                    char* root, int32_t size);

// ChooseSaveRoot for the game directory (an installed one when IsInstalledDataDirectory says so)
// and this process's environment, as the slot names the core's Platform carries.
const SaveSlots* ChooseSaveSlots(const char* gameDir);

}  // namespace veloria
