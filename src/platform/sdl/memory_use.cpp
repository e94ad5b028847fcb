#include "platform/sdl/memory_use.h"

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

}  // namespace veloria
