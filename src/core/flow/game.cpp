#include "flow/game.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <type_traits>

namespace veloria {

// ResetGame clears the whole record with memset, and tests copy games whole: every record in it
// must stay plain data.
static_assert(std::is_trivially_copyable_v<Game>, "Game is reset with memset");

void ResetGame(Game& g, const Platform& platform) {
    std::memset(static_cast<void*>(&g), 0, sizeof(Game));
    g.platform = platform;
    g.flow.webPageSwitch = 1;
    g.screens.titleStep = 1;
    g.battle.victoryStep = 1;
    g.menus.menuPictureFrame = 1;
    g.cursors = MenuCursors{};
}

uint32_t Now(Game& g) {
    return g.platform.clock ? g.platform.clock->Now() : 0;
}

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
