#pragma once
// Content names are relative to the game directory; these turn them into paths below the
// platform's content root, and send warnings about them to the platform's diagnostics.
#include <cstdint>

#include "presentation/platform_record.h"

namespace veloria {

// Long enough for a root of PATH_MAX and any content name.
constexpr int32_t kContentPathSize = 4352;

// Writes root/name into out. An absolute name, or an empty or missing root, leaves the name as
// it is. False (and out empty) when the result would not fit: a cut path names another file.
bool ContentPath(const char* root, const char* name, char* out, int32_t size);

// "message" about file:line to platform.diagnostics (dropped when there is none).
void ReportContent(const Platform& platform, const char* file, int32_t line, const char* format,
                   ...) __attribute__((format(printf, 4, 5)));

}  // namespace veloria
