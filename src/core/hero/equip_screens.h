#pragma once
// The equipment, item and spell screens and item use.
#include <cstdint>

#include "hero/equip_screens_record.h"

namespace veloria {

struct Game;

void DrawEquipMenu(Game& g);
void DrawEquipList(Game& g);
void DrawItemMenu(Game& g);
void DrawSpellMenu(Game& g);
void UsePotion(Game& g);
void UseTonic(Game& g);
void UseKey(Game& g, int32_t code);
bool DoorOpen(Game& g, int32_t code);

}  // namespace veloria
