#include "presentation/text.h"

#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "presentation/platform.h"
#include "presentation/renderer.h"
#include "world/saturate.h"

namespace veloria {

void CreateFont(Game& g) {
    Display* display = g.platform.display;
    if (!display) return;
    if (display->CreateFont()) {
        g.renderer.font = 1;
    } else {
        RecordError(g, "Error creating font interface.");
    }
}

void ReleaseFont(Game& g) {
    if (!g.renderer.font) return;
    if (g.platform.display) g.platform.display->ReleaseFont();
    g.renderer.font = 0;
}

void DrawText(Game& g, int32_t slot, const char* text, int32_t x, int32_t y, uint32_t colour) {
    if (slot < 0 || slot >= kTextSlots) return;
    TextSlot& s = g.renderer.texts[slot];
    // Cut first, so the rectangle measures exactly what will be drawn.
    CopyText(s.text, kTextLength, text ? text : "");
    int32_t width = 0;
    int32_t height = 0;
    if (Display* display = g.platform.display) {
        if (!display->MeasureText(s.text, &width, &height)) {
            width = 0;
            height = 0;
            RecordError(g, "Error drawing text to screen.");
        }
    }
    s.left = x;
    s.top = y;
    s.right = AddSat(x, width);
    s.bottom = AddSat(y, height);
    s.colour = colour;
    s.pending = 1;
}

}  // namespace veloria
