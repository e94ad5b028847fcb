#pragma once
// A shop: its wares, the sell list built from the heroine's goods and the menus' cursors.
#include <cstdint>

namespace veloria {

constexpr int32_t kWares = 10;
constexpr int32_t kSellEntries = 15;

struct Ware {
    int32_t price;
    int32_t value;
    char name[40];
    char text[40];
    int32_t kind;  // 0 piece, 1 item, 2 spell
    int32_t slot;
    int32_t index;
};

struct Shop {
    int32_t menuCursor;
    int32_t sellCursor;
    int32_t sellRow;
    int32_t menuChoice;
    int32_t buyRow;
    int32_t buyCursor;
    int32_t wareCount;
    int32_t sellCount;
    int32_t shopMessage;
    Ware wares[kWares];
    Ware sellList[kSellEntries];
    char menuTitle[3][40];
    char menuHint[3][40];
};

}  // namespace veloria
