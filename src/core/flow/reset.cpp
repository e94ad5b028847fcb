#include "flow/reset.h"

#include <cstring>
#include <type_traits>

#include "flow/game.h"
#include "hero/equip_screens_record.h"
#include "presentation/platform_record.h"

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

}  // namespace veloria
