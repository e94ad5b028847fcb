// The in-game menu: a two-frame animated picture with the hero's numbers drawn over it.
#include "menus/main_menu.h"

#include <cstdint>

#include "flow/bounded_text.h"
#include "flow/game.h"
#include "hero/actor.h"
#include "presentation/renderer.h"
#include "presentation/sound.h"
#include "presentation/text.h"
#include "presentation/timer.h"

namespace veloria {

namespace {

constexpr uint32_t kMenuPicturePeriod = 150;

struct StatusLine {
    int32_t slot;
    int32_t attr;
    int32_t x, y;
};

// Single numbers of the status panel; text slot 6 stays unused.
constexpr StatusLine kStatusLines[] = {
    {0, Strength, 445, 211}, {1, Power, 620, 211},       {2, Wits, 402, 241},
    {3, Stealth, 634, 241},  {4, Endurance, 465, 271},   {5, Speed, 610, 271},
    {7, Cast, 514, 355},     {8, Protect, 545, 386},     {9, Mojo, 517, 416},
    {11, Level, 658, 515},   {13, MagicLevel, 673, 545}, {14, XP, 393, 575},
    {15, MagicXP, 673, 575}, {16, GP, 391, 605},         {17, PurseLevel, 660, 605},
};

}  // namespace

void MainMenuScreen(Game& g) {
    MusicKeepAlive(g);
    if (TimerElapsed(g, g.menus.menuPictureTimer, kMenuPicturePeriod)) {
        g.menus.menuPictureFrame = (g.menus.menuPictureFrame == 1) ? 2 : 1;
        SetBackgroundFile(g, "art/bg/main_menu%d.bmp", g.menus.menuPictureFrame);
    }
    SetBackground(g, g.backgroundFile);

    RecomputeStats(g);
    const int32_t* attr = g.hero.attr;
    char text[kTextLength];
    for (const StatusLine& line : kStatusLines) {
        FormatText(text, sizeof(text), "%d ", attr[line.attr]);
        DrawText(g, line.slot, text, line.x, line.y, kColourWhite);
    }
    FormatText(text, sizeof(text), "%d / %d", attr[HP], attr[MaxHP]);
    DrawText(g, 10, text, 390, 515, kColourWhite);
    FormatText(text, sizeof(text), "%d / %d", attr[MP], attr[MaxMP]);
    DrawText(g, 12, text, 393, 545, kColourWhite);

    DrawFrame(g, 0, 1);
}

}  // namespace veloria
