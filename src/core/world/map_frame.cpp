#include "world/map_frame.h"

#include <cstdint>

#include "battle/battle.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "hero/actor.h"
#include "hero/dialog.h"
#include "hero/spells.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/timer.h"
#include "world/anim_table.h"
#include "world/level_map.h"
#include "world/movement.h"
#include "world/saturate.h"
#include "world/villain.h"

namespace veloria {

namespace {
constexpr int32_t kQuadsPerLayer = 80;
constexpr int32_t kTopLayerShift = 4;  // the four sprite slots lie between layers 2 and 3
}  // namespace

void DrawLayer(Game& g, int32_t layer, const int32_t* cells, int32_t scrollX, int32_t scrollY) {
    const int32_t base = kQuadsPerLayer * layer + (layer == Top ? kTopLayerShift : 0);
    for (int32_t i = 0; i < kViewCells; ++i) {
        int32_t left = Saturate(128LL * (i % kViewColumns) - 128 - scrollX);
        int32_t top = Saturate(128LL * (i / kViewColumns) - 128 - scrollY);
        SetQuad(g, base + i, left, AddSat(left, 128), top, AddSat(top, 128),
                static_cast<uint32_t>(cells[i]));
    }
}

void DrawAnimatedLayer(Game& g, int32_t layer, const int32_t* cells, int32_t scrollX,
                       int32_t scrollY) {
    int32_t tiles[kViewCells];
    for (int32_t i = 0; i < kViewCells; ++i) tiles[i] = AnimTileNow(g, cells[i]);
    DrawLayer(g, layer, tiles, scrollX, scrollY);
}

void MapFrame(Game& g) {
    MapFrameState& f = g.mapFrame;
    if (f.mapEntered == 0 && g.flow.gameState == StateMap) {
        f.mapEntered = 1;
        f.frameCount = 0;
        TimerReset(f.frameRateClock);
        TimerUpdate(g, f.frameRateClock);
    }
    MusicKeepAlive(g);

    ClearView(g);
    BuildView(g);
    ApplyWorldState(g);

    const LevelMap& m = g.level;
    DrawLayer(g, Ground, g.view.cells[Ground], m.scrollX, m.scrollY);
    DrawLayer(g, Overlay, g.view.cells[Overlay], m.scrollX, m.scrollY);
    DrawAnimatedLayer(g, Animated, g.view.cells[Animated], m.scrollX, m.scrollY);
    DrawLayer(g, Top, g.view.cells[Top], m.scrollX, m.scrollY);

    Animate(g, g.hero);
    HitEvent(g, g.hero);  // only to bring her box up to date for the villain's touch

    StepProjectile(g, g.heroSpell);
    Animate(g, g.heroSpell);

    UpdateVillain(g);
    DrawVillain(g);

    StepProjectile(g, g.villainSpell);
    Animate(g, g.villainSpell);

    const int32_t state = g.flow.gameState;
    if (state == StateBattle) DrawBattlePanel(g);
    if (state == StatePlayTime) {
        PlayTimeText(g);
        DrawDialogBox(g);
        DrawFrame(g, kMapQuadsWithBox, 0);
    } else if (state == StateDialog) {
        DrawDialogBox(g);
        DrawFrame(g, kMapQuadsWithBox, 0);
    } else {
        DrawFrame(g, kMapQuads, 0);
    }
    ++f.frameCount;
}

void MapScreen(Game& g) {
    AnimateTiles(g);
    MapFrame(g);
}

void PlayTimeText(Game& g) {
    int32_t total = PlayTimeTotal(g);
    if (total < 0) total = 0;
    int32_t hours = total / 3600000;
    total -= hours * 3600000;
    int32_t minutes = total / 60000;
    total -= minutes * 60000;
    int32_t seconds = total / 1000;
    total -= seconds * 1000;
    int32_t hundredths = total / 10;
    SetDialogText(g, "   Current Play Time: %d:%.2d:%.2d:%.2d", hours, minutes, seconds,
                  hundredths);
}

void FrameRateText(Game& g) {
    Timer& clock = g.mapFrame.frameRateClock;
    TimerUpdate(g, clock);
    TimerMeasure(clock);
    // Right after entering the map no time may have passed: show 0 rather than divide by it.
    float fps = 0.0f;
    if (clock.elapsed != 0) {
        fps =
            static_cast<float>(g.mapFrame.frameCount) / static_cast<float>(clock.elapsed) * 1000.0f;
    }
    SetDialogText(g, "Rendering speed is: %.03f fps", static_cast<double>(fps));
    PlayWave(g, "sound/win.wav");
    g.flow.returnState = g.flow.gameState;
    g.flow.gameState = StateDialog;
}

}  // namespace veloria
