// Treasure chests: what a chest holds is read from its file each time a closed chest is opened;
// only the opened flags are kept (and saved).
#include "hero/chest.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "content/content_files.h"
#include "content/reader.h"
#include "content/schema.h"
#include "flow/bounded_text.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/chest_schema.h"
#include "hero/goods.h"
#include "hero/goods_schema.h"
#include "input/handle_input.h"
#include "presentation/sound.h"

namespace veloria {

namespace {

constexpr int32_t kChestCodeFirst = 16;
constexpr int32_t kChestCodeLast = 18;

// True when the chest's slot and value fit the tables its kind gives into. Gold and purse
// chests and unknown kinds touch no table.
bool ChestIndicesValid(const Chest& c) {
    return GoodsFit(kChestKinds, kChestKindCount, c.kind, c.slot, c.value, true);
}

// The number in "...chestNN.txt", or -1 when the name carries none.
int32_t NumberInFileName(const char* path) {
    const char* base = std::strrchr(path, '/');
    base = base ? base + 1 : path;
    const char* p = base;
    while (*p && (*p < '0' || *p > '9')) ++p;
    if (!*p) return -1;
    int32_t n = 0;
    for (; *p >= '0' && *p <= '9' && n < 100000; ++p) n = n * 10 + (*p - '0');
    return n;
}

}  // namespace

void LoadChest(Game& g, const char* path) {
    ContentReader reader(g.platform, path);
    if (!reader.IsOpen()) return;
    int32_t n = 0;
    const FieldSchema& record = ChestField("record");
    if (!reader.ReadChecked(&n, record.lo, record.hi, "chest record")) return;
    const int32_t own = NumberInFileName(path);
    if (own >= 0 && own != n) {
        reader.Warn("chest file names record %d, not its own number %d", n, own);
    }
    Chest& c = g.chests[n];
    // Indices that do not fit the kind's table are kept as read, with a warning; OpenChest tests
    // them again and gives nothing for them.
    ReadGoods(reader, ChestField("kind"), kChestKinds, kChestKindCount, "chest", &c.kind, &c.slot,
              &c.value);
    reader.ReadLine(c.text, sizeof(c.text));
}

void OpenChest(Game& g, int32_t code) {
    if (code < kChestCodeFirst || code > kChestCodeLast) return;
    const int32_t c = g.level.chestIds[code - kChestCodeFirst];
    if (c < 0 || c >= kChests) {
        char level[16];
        FormatText(level, sizeof(level), "level %d", g.level.levelNumber);
        ReportContent(g.platform, level, 0, "chest number %d is outside 0..%d", c, kChests - 1);
        return;
    }
    Chest& chest = g.chests[c];
    if (chest.opened) {
        ShowDialogFile(g, 9);
        return;
    }
    char path[64];
    FormatText(path, sizeof(path), "data/chests/chest%02d.txt", c);
    LoadChest(g, path);

    Actor& h = g.hero;
    if (ChestIndicesValid(chest)) {
        switch (chest.kind) {
            case GoodsPiece:
                if (h.equip[chest.slot].items[chest.value].owned) {
                    ShowDialogFile(g, 10);
                    return;
                }
                GiveGoods(g, chest.kind, chest.slot, chest.value);
                break;
            case GoodsItem:
            case GoodsSpell:
                GiveGoods(g, chest.kind, chest.slot, chest.value);
                break;
            case GoodsGold:
                if (h.attr[GP] >= PurseLimit(g)) {
                    ShowDialogFile(g, 78);
                    return;
                }
                AddGold(g, chest.value);
                break;
            case GoodsPurse:
                h.attr[PurseLevel] += chest.value;
                break;
            default:
                break;  // an unknown kind gives nothing, but the chest still opens
        }
    }
    chest.opened = 1;

    CopyText(g.dialog.lines[0], sizeof(g.dialog.lines[0]), "In the chest, you've found");
    FormatText(g.dialog.lines[1], sizeof(g.dialog.lines[1]), "'%s'", chest.text);
    g.dialog.lineCount = 2;
    PlayWave(g, "sound/win.wav");
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateDialog;
}

}  // namespace veloria
