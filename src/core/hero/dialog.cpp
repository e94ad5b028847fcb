#include "hero/dialog.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>

#include "content/reader.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/dialog_schema.h"
#include "presentation/renderer.h"
#include "presentation/text.h"
#include "presentation/tiles.h"
#include "world/event_code.h"
#include "world/saturate.h"

namespace veloria {

void LoadDialog(Game& g, const char* path) {
    ContentReader r(g.platform, path);
    if (!r.IsOpen()) return;  // a missing dialog leaves the box as it was
    int32_t n = 0;
    if (!r.ReadInt(&n)) return;
    if (n < 0) n = 0;
    if (n > kDialogLines) {
        r.Warn("dialog announces %d lines; the box shows %d", n, kDialogLines);
        n = kDialogLines;
    }
    DialogBox& box = g.dialog;
    box.lineCount = n;
    for (int32_t k = 0; k < n; ++k) {
        if (!r.ReadLine(box.lines[k], kDialogLineSize)) break;
    }
}

void LoadDialogNumber(Game& g, int32_t number) {
    char path[48];
    FormatText(path, sizeof(path), "data/dialog/dialog%02d.txt", number);
    LoadDialog(g, path);
}

void SetDialogText(Game& g, const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::vsnprintf(g.dialog.lines[0], sizeof(g.dialog.lines[0]), format, args);
    va_end(args);
    g.dialog.lineCount = 1;
}

void SignDialog(Game& g, int32_t code) {
    if (code < 7 || code > 14) return;
    LoadDialogNumber(g, g.level.dialogIds[code - EventPersonFirst]);
}

void DrawDialogBox(Game& g) {
    // The box keeps its place on the tile grid while the view scrolls by pixels.
    const int32_t left = Saturate(256LL - g.level.scrollX);
    const int32_t top = Saturate(128LL - g.level.scrollY);
    for (int32_t k = 0; k < kTileDialogFrameCells; ++k) {
        int32_t x = AddSat(left, 128LL * k);
        SetQuad(g, kQuadDialogBox + k, x, AddSat(x, 128), top, AddSat(top, 128),
                kTileDialogFrame + static_cast<uint32_t>(k));
    }
    int32_t count = g.dialog.lineCount;
    if (count > kDialogLines) count = kDialogLines;
    for (int32_t k = 0; k < count; ++k) {
        DrawText(g, k, g.dialog.lines[k], AddSat(left, 80), AddSat(top, 20 + 25LL * k),
                 kColourDarkRed);
    }
}

}  // namespace veloria
