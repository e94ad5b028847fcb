#pragma once
// A way out that does not depend on the main thread. A termination signal (SIGTERM, SIGINT)
// still goes to SDL, which turns it into a quit event for the loop; if the process has not
// ended some seconds later (the main thread stuck inside a library), the watchdog ends it with
// the signal's usual status.
#include <cstdint>

namespace veloria {

// Call once, after SDL_Init (which installs SDL's own handlers, chained from ours).
void StartQuitWatchdog(uint32_t graceMs = 3000);

}  // namespace veloria
