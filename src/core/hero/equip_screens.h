#pragma once
// The equipment, item and spell screens and item use.
#include <cstdint>

namespace veloria {

struct Game;

struct MenuCursors {
    int32_t equipMenuCursor, equipMenuCount;
    int32_t itemMenuCursor, itemMenuCount;
    int32_t spellMenuCursor, spellMenuCount;
};

void DrawEquipMenu(Game& g);
void DrawEquipList(Game& g);
void DrawItemMenu(Game& g);
void DrawSpellMenu(Game& g);
void UsePotion(Game& g);
void UseTonic(Game& g);
void UseKey(Game& g, int32_t code);
bool DoorOpen(Game& g, int32_t code);

}  // namespace veloria
