#include "presentation/menu_list.h"

#include <cstdint>

#include "presentation/renderer.h"
#include "presentation/text.h"

namespace veloria {

bool MenuList::Line(const char* text) {
    const bool under = (lines_ == cursor_);
    DrawText(g_, slot_++, text, column_.left, column_.top + column_.step * lines_,
             under ? kColourOlive : kColourDarkRed);
    ++lines_;
    return under;
}

void MenuList::Text(const char* text, int32_t x, int32_t y, uint32_t colour) {
    DrawText(g_, slot_++, text, x, y, colour);
}

}  // namespace veloria
