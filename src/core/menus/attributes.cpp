// The new hero: the attribute roll, its screen, and the values a new game derives from it.
#include "menus/attributes.h"

#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor_record.h"
#include "input/input_device.h"
#include "presentation/menu_list.h"
#include "presentation/random.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "world/saturate.h"

namespace veloria {

namespace {

constexpr int32_t kRollPoints = 70;
constexpr int32_t kAttributeCap = 18;
constexpr int32_t kRollEntries = 7;  // the six base attributes and the unused entry 6
// A point drawn for a full attribute is dealt again. Seven entries hold far more than 70
// points, so this only matters if the generator keeps naming full entries; after this many
// re-deals the point goes to the first base attribute with room, which ends the roll for sure.
constexpr int32_t kMaxRedeals = 10000;

}  // namespace

void RollAttributes(Game& g) {
    int32_t* attr = g.hero.attr;
    for (int32_t i = 0; i < kAttributes; ++i) attr[i] = 0;

    int32_t dealt = 0;
    int32_t redeals = 0;
    while (dealt < kRollPoints) {
        int32_t k = Random(g, 6000) / 1000;  // 6 only for the rare top draw
        if (k < 0 || k >= kRollEntries) k = kRollEntries - 1;
        if (attr[k] < kAttributeCap) {
            ++attr[k];
            ++dealt;
            continue;
        }
        if (++redeals <= kMaxRedeals) continue;
        for (int32_t j = 0; j <= Speed; ++j) {
            if (attr[j] < kAttributeCap) {
                ++attr[j];
                ++dealt;
                break;
            }
        }
    }
}

void AttributeScreen(Game& g) {
    if (g.menus.rerollFlag == 0) {
        g.menus.rerollFlag = 1;
        RollAttributes(g);
    }
    SetBackgroundFile(g, "art/bg/attributes.bmp");

    static constexpr const char* kFormats[6] = {
        "Strength: %d", "Power: %d", "Wits: %d", "Stealth: %d", "Endurance: %d", "Speed: %d",
    };
    char text[kTextLength];
    MenuList list(g, {475, 230, 40}, kNoCursor);
    for (int32_t i = 0; i < 6; ++i) {
        FormatText(text, sizeof(text), kFormats[i], g.hero.attr[i]);
        list.Line(text);
    }
    SetBackground(g, g.backgroundFile);
    DrawFrame(g, 0, 1);
}

void StartNewGame(Game& g) {
    int32_t* attr = g.hero.attr;
    const int64_t maxHp = (static_cast<int64_t>(attr[Strength]) + attr[Endurance]) / 3;
    attr[MaxHP] = Saturate(maxHp < 6 ? 6 : maxHp);
    attr[HP] = attr[MaxHP];
    attr[MaxMP] = attr[Wits] / 3 + 3;
    attr[MP] = attr[MaxMP];
    g.menus.rerollFlag = 0;
    attr[Level] = 1;
    attr[MagicLevel] = 1;
    attr[GP] = 100;
    attr[PurseLevel] = 1;
    g.hero.stepPeriod = Saturate(176 - 3 * static_cast<int64_t>(attr[Speed]));
    InstallWalkingDelays(g);

    g.level.levelMusic = 1;
    SetMusicFile(g, "music/level01.mid");
    StopMusic(g);
    PlayMusic(g, g.musicFile, true);
}

}  // namespace veloria
