#include "platform/diagnostics/stderr_diagnostics.h"

#include <cstdint>
#include <cstdio>

namespace veloria {

void StderrDiagnostics::Warn(const char* file, int32_t line, const char* message) {
    ++count_;
    if (line > 0) {
        std::snprintf(last_, sizeof(last_), "%s:%d: %s", file, line, message);
    } else if (file[0]) {
        std::snprintf(last_, sizeof(last_), "%s: %s", file, message);
    } else {
        std::snprintf(last_, sizeof(last_), "%s", message);
    }
    if (!quiet_) std::fprintf(stderr, "%s\n", last_);
}

}  // namespace veloria
