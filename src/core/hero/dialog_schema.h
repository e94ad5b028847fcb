#pragma once
// The layout of a dialog file "data/dialog/dialogNN.txt": the number of lines, then the lines.
// LoadDialog takes the box's limits from here, veloria-check its strict ranges and
// docs/content.md its table.
#include <cstdint>

#include "content/schema.h"
#include "hero/dialog_record.h"

namespace veloria {

constexpr int32_t kDialogLines = sizeof(DialogBox::lines) / sizeof(DialogBox::lines[0]);
constexpr int32_t kDialogLineSize = sizeof(DialogBox::lines[0]);

inline constexpr FieldSchema kDialogFields[] = {
    {"lineCount", 1, nullptr, 1, kAnyLo, kAnyHi, nullptr,
     "lines that follow; below 0 counts as 0, above 3 as 3 (with a warning)", 1, kDialogLines},
    {"lines", kDialogLines, nullptr, 0, 0, kDialogLineSize - 1, nullptr,
     "the box's lines, in dark red on parchment"},
};
inline constexpr RecordSchema kDialogSchema = {"dialog file", kDialogFields, 2};

static_assert(RecordIntegers(kDialogSchema) == 1);

}  // namespace veloria
