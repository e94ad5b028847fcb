#pragma once
// The three-line dialog box over the map.
#include <cstdint>

#include "hero/dialog_record.h"

namespace veloria {

struct Game;

void LoadDialog(Game& g, const char* path);
// LoadDialog of "data/dialog/dialog%02d.txt".
void LoadDialogNumber(Game& g, int32_t number);
// Writes one line straight into the box (cut to 39 characters) and shows one line.
void SetDialogText(Game& g, const char* format, ...) __attribute__((format(printf, 2, 3)));
void SignDialog(Game& g, int32_t code);
void DrawDialogBox(Game& g);

}  // namespace veloria
