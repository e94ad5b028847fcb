#include "platform/heap/memory_use.h"

// Any C library header defines __GLIBC__ on glibc; without one first, the test below would
// silently compile the tuning away.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace veloria {

void TuneHeapForLoaders() {
#if defined(__GLIBC__)
    // One arena for every thread: the loaders are few and brief, lock contention is nil.
    mallopt(M_ARENA_MAX, 1);
    // Blocks of 256 KiB and more (picture rows, sound fonts) are mapped on their own and given
    // back when freed; a fixed threshold also stops glibc from raising it after such a free.
    mallopt(M_MMAP_THRESHOLD, 256 * 1024);
#endif
}

int32_t HeapArenaCount() {
#if defined(__GLIBC__)
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    if (out == nullptr) return -1;
    const bool ok = malloc_info(0, out) == 0;
    std::fclose(out);
    int32_t count = 0;
    // One <heap nr="N"> element per arena.
    for (const char* at = text; ok && at != nullptr && (at = std::strstr(at, "<heap nr=")); ++at)
        ++count;
    std::free(text);
    return ok ? count : -1;
#else
    return -1;
#endif
}

}  // namespace veloria
