#pragma once
// The in-game menu with its status panel (menus/attributes.h rolls the attributes).
#include <cstdint>

#include "menus/main_menu_record.h"

namespace veloria {

struct Game;

void MainMenuScreen(Game& g);

}  // namespace veloria
