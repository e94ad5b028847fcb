#include "flow/bounded_text.h"

#include <cstdarg>
#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace veloria {

void CopyText(char* dst, int32_t size, const char* src) {
    if (size <= 0) return;
    int32_t i = 0;
    if (src) {
        for (; i < size - 1 && src[i] != '\0'; ++i) dst[i] = src[i];
    }
    dst[i] = '\0';
}

void FormatText(char* dst, int32_t size, const char* format, ...) {
    if (size <= 0) return;
    va_list args;
    va_start(args, format);
    std::vsnprintf(dst, static_cast<size_t>(size), format, args);
    va_end(args);
}

}  // namespace veloria
