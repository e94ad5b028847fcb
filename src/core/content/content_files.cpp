#include "content/content_files.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "presentation/platform.h"

namespace veloria {

bool ContentPath(const char* root, const char* name, char* out, int32_t size) {
    if (size <= 0) return false;
    out[0] = '\0';
    if (!name) return false;
    const bool rooted = root && root[0] && name[0] != '/';
    const int n = rooted ? std::snprintf(out, static_cast<size_t>(size), "%s/%s", root, name)
                         : std::snprintf(out, static_cast<size_t>(size), "%s", name);
    if (n < 0 || n >= size) {
        out[0] = '\0';
        return false;
    }
    return true;
}

void ReportContent(const Platform& platform, const char* file, int32_t line, const char* format,
                   ...) {
    if (!platform.diagnostics) return;
    char message[256];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof(message), format, args);
    va_end(args);
    platform.diagnostics->Warn(file ? file : "", line, message);
}

}  // namespace veloria
