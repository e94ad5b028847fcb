#pragma once
// How the process's heap gives memory back. The tile library and each music piece are loaded on
// their own short-lived threads; with glibc's defaults every such thread may get a heap arena of
// its own, so the megabytes one piece of music frees are not reused by the next, and a large
// block freed once makes later blocks of that size stay in the heap. Both kept the game's
// resident size growing by tens of MiB over a few music changes.
#include <cstdint>

namespace veloria {

// Call first thing in main, before any thread exists.
void TuneHeapForLoaders();

// The heap arenas glibc has made so far (1: every thread shares the main one); -1 when the C
// library cannot tell.
int32_t HeapArenaCount();

}  // namespace veloria
