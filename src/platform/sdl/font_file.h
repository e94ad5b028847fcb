#pragma once
// Which font file fontconfig picks for a pattern ("Times New Roman", "Liberation Serif:bold"):
// the game's text and the picture generator's lettering ask the same way.
#include <cstddef>

namespace veloria {

// The file and face index of the best match; false when fontconfig has none or the path does
// not fit in size bytes.
bool FindFontFile(const char* pattern, char* path, size_t size, int* index);

}  // namespace veloria
