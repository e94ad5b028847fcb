#pragma once
// The lists of the in-game menu, the shop and the attribute roll: a column of text lines, one
// text slot each, the line under the cursor in olive and the others in dark red. Texts that belong
// to the line under the cursor (its hint, a piece's numbers) take the slots after it, so the slots
// follow the drawing order.
#include <cstdint>

#include "presentation/renderer.h"

namespace veloria {

struct Game;

// Line n of the column stands at (left, top + step * n).
struct MenuColumn {
    int32_t left;
    int32_t top;
    int32_t step;
};

// A cursor no line is under: the whole column in dark red.
constexpr int32_t kNoCursor = -1;

// Draws from text slot 0 on; cursor counts the lines drawn, not the entries looked at.
class MenuList {
  public:
    MenuList(Game& g, MenuColumn column, int32_t cursor)
        : g_(g), column_(column), cursor_(cursor) {}

    // Draws the next line; true when it is the one under the cursor.
    bool Line(const char* text);
    // Draws a text outside the column in the next slot.
    void Text(const char* text, int32_t x, int32_t y, uint32_t colour = kColourDarkRed);
    int32_t Lines() const { return lines_; }

  private:
    Game& g_;
    MenuColumn column_;
    int32_t cursor_;
    int32_t lines_ = 0;
    int32_t slot_ = 0;
};

}  // namespace veloria
