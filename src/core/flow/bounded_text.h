#pragma once
// Bounded formatting helpers for the fixed-size text buffers of the records: always terminate,
// never overflow.
#include <cstdint>

namespace veloria {

void CopyText(char* dst, int32_t size, const char* src);
void FormatText(char* dst, int32_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace veloria
