#pragma once
// Shops: the entrance, the buy and sell lists and the message screen.
#include <cstdint>

#include "hero/shop_record.h"

namespace veloria {

struct Game;

void LoadShop(Game& g, const char* path);
void BuildSellList(Game& g);
void Buy(Game& g);
void Sell(Game& g);
void DrawShopMenu(Game& g);
void DrawBuyList(Game& g);
void DrawSellList(Game& g);
void DrawShopMessage(Game& g);

}  // namespace veloria
