// veloria-autoplay: an automated player. It runs the game core with the same fake clock and
// audio as veloria-play, drives it only through HandleInput and frames, and writes every input
// it gives as a veloria-play script, so the script replays exactly the game it played.
//
//   veloria-autoplay GAME_DIR ROUTE_FILE OUT_PREFIX
//
// The route file lists what to do on each level (see docs/autoplay.md); the player finds the
// ways on the map itself (16-pixel steps of the game's own walking rules) and fights battles by
// lining up with the villain and casting. Each "segment" of the route starts a new script
// OUT_PREFIX_N.play; a segment after the first begins by loading the game that the previous
// one saved, which the "segment" command saves to slot 1.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>
#include <queue>
#include <sstream>
#include <string>
#include <vector>

#include "flow/frame_loop.h"
#include "flow/game.h"
#include "flow/game_state.h"
#include "flow/reset.h"
#include "hero/actor_record.h"
#include "hero/actor_schema.h"
#include "hero/shop.h"
#include "input/handle_input.h"
#include "input/input_codes.h"
#include "input/input_device_record.h"
#include "lib/level_walk.h"
#include "platform/diagnostics/stderr_diagnostics.h"
#include "platform/fake/fakes.h"
#include "presentation/platform.h"
#include "presentation/timer.h"
#include "world/level_map_record.h"
#include "world/startup.h"
#include "world/villain_record.h"

namespace {

using namespace veloria;
using check::HitAt;
using check::kNothingOpen;
using check::LevelGrid;

const char* KeyName(int8_t code) {
    static const char* kNames[] = {"",  "left", "right", "up", "down", "1",  "2",
                                   "3", "4",    "5",     "6",  "",     "esc"};
    return code >= 0 && code <= 12 ? kNames[code] : "";
}

// The script so far, shown when the player gives up.
const std::vector<std::string>* gLines = nullptr;
// The copy of the game directory the route is played in (set once, by main).
std::string gRoot = ".";

[[noreturn]] void Die(const std::string& why) {
    if (gLines) {
        size_t from = gLines->size() > 12 ? gLines->size() - 12 : 0;
        for (size_t i = from; i < gLines->size(); ++i)
            std::fprintf(stderr, "  %s\n", (*gLines)[i].c_str());
    }
    std::fprintf(stderr, "veloria-autoplay: %s\n", why.c_str());
    std::exit(1);
}

class Driver {
  public:
    Driver() : audio_(&clock_), game_(new Game) {
        display_.contentRoot = gRoot.c_str();
        audio_.contentRoot = gRoot.c_str();
        ResetGame(g(), Platform{&clock_, &display_, &audio_, &joystick_, &shell_, nullptr,
                                &diagnostics_, gRoot.c_str()});
        StartupLoad(g());
    }
    Game& g() { return *game_; }
    uint32_t Now() { return clock_.Now(); }

    // The script so far.
    std::vector<std::string> lines;

    void Emit(const std::string& line) { lines.push_back(line); }
    void Comment(const std::string& c) { Emit("# " + c); }

    void Frames(int n) {
        for (int i = 0; i < n; ++i) {
            if (g().flow.quitPosted) return;
            RunFrame(g());
            clock_.Advance(16);
        }
        if (!lines.empty() && lines.back().rfind("frame", 0) == 0) {
            int have = lines.back() == "frame" ? 1 : std::atoi(lines.back().c_str() + 6);
            lines.back() = "frame " + std::to_string(have + n);
        } else {
            lines.push_back(n == 1 ? "frame" : "frame " + std::to_string(n));
        }
    }
    void Clock(uint32_t ms) {
        if (ms == 0) return;
        clock_.Advance(ms);
        if (!lines.empty() && lines.back().rfind("clock ", 0) == 0) {
            lines.back() = "clock " + std::to_string(std::atoi(lines.back().c_str() + 6) + ms);
        } else {
            lines.push_back("clock " + std::to_string(ms));
        }
    }
    // A key press, after waiting out the repeat gate when it is the code pressed last. In a
    // battle the wait runs frames (the fight goes on); elsewhere the clock alone moves.
    void Key(int8_t code) {
        if (code == g().lastInputCode) {
            const uint32_t gate = RepeatGate(code);
            uint32_t gone = Now() - g().input.lastAccepted;
            if (gone < gate + 1) {
                if (g().flow.gameState == StateBattle) {
                    Frames(static_cast<int>((gate + 1 - gone + 15) / 16));
                } else {
                    Clock(gate + 1 - gone);
                }
            }
        }
        HandleInput(g(), SourceKeyboard, code);
        if (!lines.empty() && lines.back().rfind("key", 0) == 0) {
            std::string l = lines.back();
            if (l.rfind("key ", 0) == 0) l = "keys " + l.substr(4);
            lines.back() = l + " " + KeyName(code);
        } else {
            lines.push_back(std::string("key ") + KeyName(code));
        }
    }
    // The keyboard repeat gate of a code, as the game picks it (a step: the walking pace).
    uint32_t RepeatGate(int8_t code) {
        const uint32_t* d = g().input.repeatDelay;
        if (code == InputLeft || code == InputRight) return d[KeyLeftRight];
        if (code == InputUp || code == InputDown) return d[KeyUpDown];
        return d[KeyButtons];
    }
    void Expect(const std::string& field, const std::string& value) {
        Emit("expect " + field + " " + value);
    }

  private:
    ManualClock clock_;
    RecordingDisplay display_;
    RecordingAudio audio_;
    ScriptedJoystick joystick_;
    RecordingShell shell_;
    StderrDiagnostics diagnostics_;
    std::unique_ptr<Game> game_;
};

// ------------------------------------------------------------------------------------------
// The player.

constexpr int32_t kDx[4] = {-16, 16, 0, 0};
constexpr int32_t kDy[4] = {0, 0, -16, 16};
constexpr int32_t kNoPush = 4;
constexpr int32_t kGoldReserve = 60;
constexpr int32_t kKeepAway = 176;  // she casts from at least this far on one axis
constexpr int32_t kTooClose = 144;  // and walks no nearer than this  // gold kept back from gear
                                    // for potions  // a goal reached by standing there

class Player {
  public:
    explicit Player(Driver& d) : d_(d) {}
    Game& g() { return d_.g(); }

    int32_t MapX() { return g().hero.x + g().level.scrollX + 128 * g().level.viewCol; }
    int32_t MapY() { return g().hero.y + g().level.scrollY + 128 * g().level.viewRow; }

    // The level's event layer as the game sees it now: what is open counts as free ground.
    LevelGrid Grid() {
        LevelGrid l;
        const LevelMap& m = g().level;
        l.cols = m.mode == Large ? 32 : 16;
        l.rows = m.mode == Large ? 18 : 12;
        for (int32_t layer = 0; layer < kLayers; ++layer) {
            const int32_t* cells = m.mode == Large ? m.largeLayers[layer] : m.smallLayers[layer];
            l.layers[layer].assign(cells, cells + l.cols * l.rows);
        }
        for (int32_t& e : l.layers[Events]) {
            if (e >= 19 && e <= 21 && Unlocked(m.lockIds[e - 19])) e = 0;
            if (e >= 49 && e <= 58 && Unlocked(m.lockIds[e - 46])) e = 0;
            if (e >= 24 && e <= 43) {
                int32_t k = m.guardianSpots[e - 24].guardian;
                if (k > 0 && k < 200 && g().hero.guardianDefeated[k]) e = 0;
            }
            if ((e == 46 || e == 47) && Broken(m.barrierIds[e - 46])) e = 0;
            if (e == 61) e = g().hero.guardianDefeated[136] ? 3 : 1;
        }
        return l;
    }
    bool Unlocked(int32_t door) { return door >= 0 && door < kDoors && g().doorUnlocked[door]; }
    bool Broken(int32_t b) { return b >= 0 && b < kBarriers && g().hero.barrierBroken[b]; }
    bool LairOpen(int32_t e) {
        int32_t k = g().level.lairIds[e - 44];
        return k >= 0 && k < kLairs && g().hero.lairs[k].opened;
    }

    // A way of 16-pixel steps from where she stands to a place the goal accepts; the goal gets
    // the place and gives back the direction of a last "step" (a move into an exit, or a push
    // against what she acts on), or -1 to refuse the place.
    template <typename Goal>
    bool Walk(Goal goal, const std::string& what) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            if (g().flow.gameState == StateBattle) Fight();
            if (g().flow.gameState != StateMap) Die("not on the map while walking to " + what);
            LevelGrid l = Grid();
            std::vector<int32_t> path;
            int32_t last = -1;
            if (!Search(l, goal, &path, &last)) Die("no way to " + what);
            if (path.empty()) {
                if (last >= 0 && last < 4) d_.Key(static_cast<int8_t>(InputLeft + last));
                return true;
            }
            const int32_t level = g().level.levelNumber;
            bool replan = false;
            for (int32_t dir : path) {
                const int32_t x = MapX(), y = MapY();
                d_.Key(static_cast<int8_t>(InputLeft + dir));  // the step draws its own frame
                if (g().flow.gameState == StateBattle) {
                    Fight();
                    replan = true;
                    break;
                }
                Settle();
                if (g().level.levelNumber != level || g().flow.gameState != StateMap) {
                    return true;
                }
                if (MapX() != x + kDx[dir] || MapY() != y + kDy[dir]) {
                    replan = true;  // knocked off the way; find it again
                    break;
                }
            }
            if (!replan) {
                if (last >= 0 && last < 4) {
                    d_.Key(static_cast<int8_t>(InputLeft + last));
                    d_.Frames(1);
                    if (g().flow.gameState == StateBattle) {
                        Fight();
                        continue;
                    }
                }
                return true;
            }
        }
        Die("could not keep to the way to " + what);
    }

    template <typename Goal>
    bool Search(const LevelGrid& l, Goal goal, std::vector<int32_t>* path, int32_t* last) {
        std::map<std::pair<int32_t, int32_t>, std::pair<int32_t, int32_t>> from;  // place: dir, -
        std::queue<std::pair<int32_t, int32_t>> todo;
        const std::pair<int32_t, int32_t> start{MapX(), MapY()};
        from[start] = {-1, 0};
        todo.push(start);
        while (!todo.empty()) {
            auto p = todo.front();
            todo.pop();
            int32_t final = goal(l, p.first, p.second);
            if (final != -1) {
                *last = final;
                for (auto q = p; q != start;) {
                    int32_t dir = from[q].first;
                    path->insert(path->begin(), dir);
                    q = {q.first - kDx[dir], q.second - kDy[dir]};
                }
                return true;
            }
            for (int32_t dir = 0; dir < 4; ++dir) {
                std::pair<int32_t, int32_t> n{p.first + kDx[dir], p.second + kDy[dir]};
                if (from.count(n)) continue;
                int32_t e = HitAt(l, n.first, n.second, kNothingOpen);
                if (!(e == 0 || e == 22 || e == 23 || e == 48 || (e == 62 && dir != 2))) continue;
                if (n.first < 0 || n.second < 0 || n.first > l.cols * 128 ||
                    n.second > l.rows * 128)
                    continue;
                from[n] = {dir, 0};
                todo.push(n);
            }
        }
        return false;
    }

    // Closes dialogs and shop messages and takes a victory home.
    void Settle() {
        for (int i = 0; i < 50; ++i) {
            const int32_t s = g().flow.gameState;
            if (s == StateDialog || s == StateShopMessage || s == StatePlayTime) {
                if (getenv("AUTOPLAY_DEBUG") && s == StateDialog)
                    std::fprintf(stderr, "dialog: %s", g().dialog.lines[0]);
                d_.Key(InputButton1);
                d_.Frames(1);
            } else if (s == StateVictory) {
                if (g().battle.victoryStep != 5) {
                    d_.Frames(4);
                } else {
                    d_.Key(InputButton5);
                    d_.Frames(1);
                }
            } else {
                return;
            }
        }
    }

    // Walk into the cell (an exit, a shop door, a lair, the end gate from below).
    void Enter(int32_t c, int32_t r) {
        Walk(
            [&](const LevelGrid& l, int32_t x, int32_t y) -> int32_t {
                for (int32_t dir = 0; dir < 4; ++dir) {
                    int32_t nx = x + kDx[dir], ny = y + kDy[dir];
                    int32_t e = HitAt(l, nx, ny, kNothingOpen);
                    if (e == 0 || e == 1) continue;
                    if (!Touches(nx, ny, c, r) || l.At(Events, c, r) != e) continue;
                    if (e == 62 && dir != 2) continue;
                    return dir;
                }
                return -1;
            },
            "cell " + std::to_string(c) + " " + std::to_string(r));
        d_.Frames(1);
        Settle();
    }

    static bool Touches(int32_t x, int32_t y, int32_t c, int32_t r) {
        // The foot box (x + 24 .. x + 103, y + 64 .. y + 127) overlaps cell (c, r).
        return x + 103 >= 128 * c && x + 24 <= 128 * c + 127 && y + 127 >= 128 * r &&
               y + 64 <= 128 * r + 127;
    }

    // Stand where a step in a direction runs into the cell, and push against it: she then
    // faces it. dir -1: any direction.
    void Face(int32_t c, int32_t r, int32_t onlyDir) {
        Walk(
            [&](const LevelGrid& l, int32_t x, int32_t y) -> int32_t {
                for (int32_t dir = 0; dir < 4; ++dir) {
                    if (onlyDir >= 0 && dir != onlyDir) continue;
                    int32_t nx = x + kDx[dir], ny = y + kDy[dir];
                    int32_t e = HitAt(l, nx, ny, kNothingOpen);
                    if (e == l.At(Events, c, r) && Touches(nx, ny, c, r)) return dir;
                }
                return -1;
            },
            "the front of cell " + std::to_string(c) + " " + std::to_string(r));
    }

    void Goto(int32_t c, int32_t r) {
        Walk([&](const LevelGrid&, int32_t x,
                 int32_t y) -> int32_t { return x == 128 * c && y == 128 * r ? kNoPush : -1; },
             "cell " + std::to_string(c) + " " + std::to_string(r));
    }

    void Act(int32_t c, int32_t r, int32_t onlyDir) {
        Face(c, r, onlyDir);
        d_.Frames(1);
        d_.Key(InputButton1);
        d_.Frames(1);
        if (getenv("AUTOPLAY_DEBUG"))
            std::fprintf(stderr, "act %d %d: state %d facing %d at %d %d\n", c, r,
                         g().flow.gameState, g().hero.facing, MapX(), MapY());
        if (g().flow.gameState == StateBattle) Fight();
        Settle();
    }

    // Menus ----------------------------------------------------------------------------------

    void OpenMenu() {
        d_.Key(InputButton5);
        d_.Frames(1);
        if (g().flow.gameState != StateMainMenu)
            Die("the menu did not open, state " + std::to_string(g().flow.gameState));
    }
    void CloseMenuScreen() {
        d_.Key(InputButton1);  // back to play from the item, spell and equipment screens
        d_.Frames(1);
    }
    // Moves a list cursor to position pos (draws a frame after each move so the screen takes it).
    void CursorTo(int32_t* cursor, int32_t pos) {
        while (*cursor != pos) {
            d_.Key(*cursor < pos ? InputDown : InputUp);
            d_.Frames(1);
        }
    }
    void SelectItem(int32_t item) {
        if (g().hero.selectedItem == item) return;
        OpenMenu();
        d_.Key(InputButton2);
        d_.Frames(1);
        int32_t pos = 0;
        for (int32_t k = 0; k < item; ++k) pos += g().hero.itemCount[k] != 0;
        CursorTo(&g().cursors.itemMenuCursor, pos);
        if (g().hero.selectedItem != item) Die("could not select item " + std::to_string(item));
        CloseMenuScreen();
    }
    void SelectSpell(int32_t spell) {
        if (g().hero.selectedSpell == spell) return;
        OpenMenu();
        d_.Key(InputButton3);
        d_.Frames(1);
        int32_t pos = 0;
        for (int32_t k = 0; k < spell; ++k) pos += g().hero.spellOwned[k] != 0;
        CursorTo(&g().cursors.spellMenuCursor, pos);
        if (g().hero.selectedSpell != spell) Die("could not select spell " + std::to_string(spell));
        CloseMenuScreen();
    }
    void Equip(int32_t slot, int32_t piece) {
        if (g().hero.equip[slot].equipped == piece) return;
        if (!g().hero.equip[slot].items[piece].owned) Die("piece not owned");
        OpenMenu();
        d_.Key(InputButton1);
        d_.Frames(1);
        CursorTo(&g().cursors.equipMenuCursor, slot);
        d_.Key(InputButton3);
        d_.Frames(1);
        int32_t pos = 0;
        for (int32_t k = 0; k < piece; ++k) pos += g().hero.equip[slot].items[k].owned != 0;
        CursorTo(&g().hero.equip[slot].listCursor, pos);
        d_.Frames(1);
        d_.Key(InputButton2);
        d_.Frames(1);
        CloseMenuScreen();
        if (g().hero.equip[slot].equipped != piece) Die("could not wear the piece");
    }
    // Wears the best piece of every slot (most protect + mojo + cast).
    void EquipBest() {
        for (int32_t s = 0; s < 6; ++s) {
            int32_t best = g().hero.equip[s].equipped, score = -1;
            for (int32_t p = 0; p < kPiecesPerSlot; ++p) {
                const EquipItem& it = g().hero.equip[s].items[p];
                int32_t v = it.protect + it.mojo + 2 * it.cast;
                if (it.owned && v > score) {
                    score = v;
                    best = p;
                }
            }
            Equip(s, best);
        }
    }

    // The spell that wins on the fewest MP she can cast now.
    int32_t BestSpell() { return bestSpell_; }

    void Use(int32_t item) {
        SelectItem(item);
        d_.Key(InputButton2);
        d_.Frames(1);
        Settle();
    }

    // Shop: buy ware k n times (she stands at the entrance screen).
    void Buy(int32_t k, int32_t n) {
        if (g().flow.gameState != StateShop) Die("not in a shop");
        CursorTo(&g().shop.menuCursor, 0);
        d_.Frames(1);
        d_.Key(InputButton3);
        d_.Frames(1);
        CursorTo(&g().shop.buyCursor, k);
        d_.Frames(1);
        for (int32_t i = 0; i < n; ++i) {
            d_.Key(InputButton3);
            d_.Frames(1);
            if (g().shop.shopMessage != 3) Die("could not buy ware " + std::to_string(k));
            d_.Key(InputButton1);
            d_.Frames(1);
        }
        d_.Key(InputButton2);
        d_.Frames(1);
    }
    // Walks into the shop at (c, r) and opens its buy list; the wares as the list shows them.
    veloria::Shop OpenBuyList(int32_t c, int32_t r) {
        Enter(c, r);
        if (g().flow.gameState != StateShop) Die("the shop did not open");
        // The wares are read when the buy list opens.
        CursorTo(&g().shop.menuCursor, 0);
        d_.Frames(1);
        d_.Key(InputButton3);
        d_.Frames(1);
        const veloria::Shop wares = g().shop;
        d_.Key(InputButton2);
        d_.Frames(1);
        return wares;
    }
    // A shop visit: the spells she lacks, then potions up to the counts, then the pieces that
    // beat what she wears, while the gold lasts (keeping the price of the potions).
    void Shop(int32_t c, int32_t r, int32_t magic, int32_t healing) {
        const veloria::Shop wares = OpenBuyList(c, r);
        Actor& h = g().hero;
        auto find = [&](int32_t kind, int32_t index) {
            for (int32_t k = 0; k < wares.wareCount; ++k) {
                if (wares.wares[k].kind == kind && wares.wares[k].index == index) return k;
            }
            return -1;
        };
        const int32_t mk = find(1, 1), hk = find(1, 0);
        // A new spell only when the potions up to the counts can still be paid for after it.
        int32_t potionGold = 0;
        if (mk >= 0 && h.itemCount[1] < magic)
            potionGold += (magic - h.itemCount[1]) * wares.wares[mk].price;
        if (hk >= 0 && h.itemCount[0] < healing)
            potionGold += (healing - h.itemCount[0]) * wares.wares[hk].price;
        for (int32_t k = 0; k < wares.wareCount; ++k) {
            const Ware& w = wares.wares[k];
            if (w.kind == 2 && !h.spellOwned[w.index] && h.attr[GP] >= w.price + potionGold)
                Buy(k, 1);
        }
        while (mk >= 0 && h.itemCount[1] < magic && h.attr[GP] >= wares.wares[mk].price) Buy(mk, 1);
        while (hk >= 0 && h.itemCount[0] < healing && h.attr[GP] >= wares.wares[hk].price)
            Buy(hk, 1);
        for (int32_t k = 0; k < wares.wareCount; ++k) {
            const Ware& w = wares.wares[k];
            // Gear only with gold to spare: potions are what keep her alive.
            if (w.kind != 0 || h.equip[w.slot].items[w.index].owned ||
                h.attr[GP] < w.price + kGoldReserve)
                continue;
            const EquipItem& now = h.equip[w.slot].items[h.equip[w.slot].equipped];
            const EquipItem& it = h.equip[w.slot].items[w.index];
            if (it.protect + it.mojo + 2 * it.cast > now.protect + now.mojo + 2 * now.cast)
                Buy(k, 1);
        }
        LeaveShop();
    }
    // Buys single items by catalogue number (keys, tonics).
    void BuyItem(int32_t c, int32_t r, int32_t item, int32_t n) {
        const veloria::Shop wares = OpenBuyList(c, r);
        for (int32_t k = 0; k < wares.wareCount; ++k) {
            if (wares.wares[k].kind == 1 && wares.wares[k].index == item) Buy(k, n);
        }
        LeaveShop();
    }
    void LeaveShop() {
        CursorTo(&g().shop.menuCursor, 2);
        d_.Frames(1);
        d_.Key(InputButton3);
        d_.Frames(1);
    }

    // Battle -----------------------------------------------------------------------------------

    int32_t SpellCost(int32_t s) {
        static const int32_t kCost[4] = {0, 0, 0, 0};
        (void)kCost;
        return spellCost_[s];
    }

    void Fight() {
        ++fights_;
        std::string name = g().villain.name;
        while (!name.empty() && (name.back() == '\n' || name.back() == '\r')) name.pop_back();
        ++(*fought_)[name];
        d_.Comment("battle: " + name);
        const uint32_t began = d_.Now();
        const int32_t hpBefore = g().hero.attr[HP];
        const int32_t potionsBefore =
            g().hero.itemCount[0] + g().hero.itemCount[1] + g().hero.itemCount[2];
        casts_ = 0;
        const bool guardian = g().battle.currentGuardian != 0;
        // What a battle cost, on stderr for docs/balance.md (guardians only: random battles
        // are many).
        auto report = [&] {
            if (!guardian && !getenv("AUTOPLAY_DEBUG")) return;
            const Actor& h = g().hero;
            std::fprintf(
                stderr, "  battle %s: %.1f s, %d casts, HP %d -> %d of %d, %d potions drunk\n",
                name.c_str(), (d_.Now() - began) / 1000.0, casts_, hpBefore, h.attr[HP],
                h.attr[MaxHP], potionsBefore - h.itemCount[0] - h.itemCount[1] - h.itemCount[2]);
        };
        for (int frame = 0; frame < 40000; ++frame) {
            const int32_t s = g().flow.gameState;
            if (s == StateVictory) {
                report();
                Settle();
                return;
            }
            if (s == StateHeroDead) Die(std::string("defeated by ") + lastVillain_);
            // A victory can be taken home inside a potion's or menu's Settle (a shot still in
            // flight lands meanwhile): she is back on the map.
            if (s == StateMap && frame > 0) {
                report();
                return;
            }
            if (s == StateDialog) {
                Settle();
                continue;
            }
            if (s != StateBattle) Die("left the battle unexpectedly, state " + std::to_string(s));
            std::snprintf(lastVillain_, sizeof(lastVillain_), "%s", g().villain.name);
            Actor& h = g().hero;
            const Villain& v = g().villain;
            // Potions first.
            if (h.attr[HP] * 100 < h.attr[MaxHP] * hpFloor_) {
                if (h.itemCount[0] > 0) {
                    Use(0);
                    continue;
                }
                if (h.itemCount[2] > 0) {
                    Use(2);
                    continue;
                }
            }
            const int32_t spell = h.selectedSpell;
            if (h.attr[MP] < spellCost_[spell]) {
                if (h.itemCount[1] > 0) {
                    Use(1);
                    continue;
                }
                if (h.itemCount[2] > 0) {
                    Use(2);
                    continue;
                }
                // A cheaper spell, if any.
                bool switched = false;
                for (int32_t k = 0; k < 4; ++k) {
                    if (h.spellOwned[k] && spellCost_[k] <= h.attr[MP] &&
                        spellLevel_[k] <= h.attr[MagicLevel]) {
                        SelectSpell(k);
                        switched = true;
                        break;
                    }
                }
                if (!switched) Die(std::string("out of magic against ") + v.name);
                continue;
            }
            const int32_t dx = v.x - h.x, dy = v.y - h.y;
            const int32_t adx = std::abs(dx), ady = std::abs(dy);
            int8_t key = 0;
            // Cast when the shot in her facing reaches the villain; otherwise walk (or turn) to
            // the nearest place from which it would, out of reach of a touch.
            const bool far = adx >= kKeepAway || ady >= kKeepAway;
            const bool aimed = v.alive && ShotClear(h.x, h.y, h.facing);
            if (aimed && !far && !g().heroSpell.active) {
                key = InputButton3;  // close, but in line: a hit also pushes it away
            } else if (v.alive && v.moveMode != 3 && adx < kTooClose && ady < kTooClose) {
                // Too close to a mover: step away, on the axis with room.
                const int8_t away[4] = {dx > 0 ? InputLeft : InputRight,
                                        dy > 0 ? InputUp : InputDown, dy > 0 ? InputDown : InputUp,
                                        dx > 0 ? InputRight : InputLeft};
                for (int8_t k : away) {
                    if (!Blocked(k - InputLeft)) {
                        key = k;
                        break;
                    }
                }
            } else if (v.alive && far && ShotClear(h.x, h.y, h.facing)) {
                if (!g().heroSpell.active) key = InputButton3;
            } else if (v.alive) {
                // Out of reach if she can; nearer if that is the only way to hit it.
                int32_t step = ArenaStep(kKeepAway, kTooClose);
                if (step < 0) step = ArenaStep(kTooClose, kTooClose);
                if (step < 0) step = ArenaStep(64, 0);
                if (step >= 0) {
                    key = static_cast<int8_t>(InputLeft + step);
                } else if (adx < 160 && ady < 160) {
                    key = adx < ady ? (dx > 0 ? InputLeft : InputRight)
                                    : (dy > 0 ? InputUp : InputDown);
                } else {
                    key = static_cast<int8_t>(InputLeft + Rand(4));
                }
            }
            if (getenv("AUTOPLAY_DEBUG2") && key != 0)
                std::fprintf(stderr, "key %d: hero %d %d f%d villain %d %d mode %d\n", key, h.x,
                             h.y, h.facing, v.x, v.y, v.moveMode);
            if (key != 0 && Ready(key)) {
                if (getenv("AUTOPLAY_DEBUG") && key == InputButton3)
                    std::fprintf(stderr, "cast: hero %d %d f%d villain %d %d hp %d mp %d HP %d\n",
                                 h.x, h.y, h.facing, v.x, v.y, v.hp, h.attr[MP], h.attr[HP]);
                d_.Key(key);
                if (key == InputButton3) {
                    lastCast_ = d_.Now();
                    ++casts_;
                }
            }
            d_.Frames(1);
        }
        Die("the battle did not end");
    }

    bool Ready(int8_t key) {
        if (key != g().lastInputCode) return true;
        return d_.Now() - g().input.lastAccepted > d_.RepeatGate(key);
    }
    // The first event under a foot box at screen (x, y), as HitEvent finds it in the view.
    int32_t EventAt(int32_t x, int32_t y) {
        const int32_t left = x + 24, right = x + 103, top = y + 64, bottom = y + 127;
        for (int32_t i = 0; i < kViewCells; ++i) {
            const int32_t e = g().view.cells[Events][i];
            if (e == 0) continue;
            int32_t cl = 128 * (i % 10) - 128 - g().level.scrollX,
                    ct = 128 * (i / 10) - 128 - g().level.scrollY;
            if (!(bottom < ct || ct + 127 < top || right < cl || cl + 127 < left)) return e;
        }
        return 0;
    }
    bool Blocked(int32_t dir) { return EventAt(g().hero.x + kDx[dir], g().hero.y + kDy[dir]) != 0; }
    // Whether a shot cast now from (hx, hy) facing dir would reach the villain where it stands,
    // flown as StepProjectile flies it.
    bool ShotClear(int32_t hx, int32_t hy, int32_t dir) {
        static const int32_t kStartX[4] = {-58, 30, 0, 0}, kStartY[4] = {0, 0, -80, 64};
        int32_t x = hx + kStartX[dir], y = hy + kStartY[dir];
        const int32_t vx = g().villain.x, vy = g().villain.y;
        for (int32_t step = 0; step < 80; ++step) {
            const int32_t e = EventAt(x, y);
            x += kDx[dir];
            y += kDy[dir];
            if (e >= 1 && e <= 21) return false;
            if (std::abs(x - vx) <= 63 && std::abs(y - vy) <= 63) return true;
        }
        return false;
    }
    // The first step towards the nearest place from which a shot reaches the villain (a place
    // not within its reach); -1 when there is none nearby.
    int32_t ArenaStep(int32_t keepAway, int32_t tooClose) {
        const int32_t vx = g().villain.x, vy = g().villain.y;
        std::map<std::pair<int32_t, int32_t>, int32_t> first;
        std::queue<std::pair<int32_t, int32_t>> todo;
        const std::pair<int32_t, int32_t> start{g().hero.x, g().hero.y};
        first[start] = -1;
        todo.push(start);
        int visited = 0;
        while (!todo.empty() && ++visited < 1500) {
            auto p = todo.front();
            todo.pop();
            for (int32_t dir = 0; dir < 4; ++dir) {
                // The step in dir turns her; where it is refused she turns on the spot.
                int32_t tx = p.first + kDx[dir], ty = p.second + kDy[dir];
                if (EventAt(tx, ty) != 0) tx = p.first, ty = p.second;
                const bool far = std::abs(tx - vx) >= keepAway || std::abs(ty - vy) >= keepAway;
                if (far && ShotClear(tx, ty, dir)) return p == start ? dir : first[p];
            }
            for (int32_t dir = 0; dir < 4; ++dir) {
                std::pair<int32_t, int32_t> n{p.first + kDx[dir], p.second + kDy[dir]};
                if (first.count(n) || EventAt(n.first, n.second) != 0) continue;
                if (std::abs(n.first - vx) < tooClose && std::abs(n.second - vy) < tooClose)
                    continue;  // not through the reach of its touch
                if (n.first < 0 || n.second < 0 || n.first > 896 || n.second > 640) continue;
                first[n] = p == start ? dir : first[p];
                todo.push(n);
            }
        }
        return -1;
    }
    int32_t Rand(int32_t n) {
        seed_ = seed_ * 1103515245u + 12345u;
        return static_cast<int32_t>((seed_ >> 16) % static_cast<uint32_t>(n));
    }

    void ReadSpells(const std::string&) {
        for (int32_t s = 0; s < 4; ++s) {
            char path[48];
            std::snprintf(path, sizeof(path), "data/spells/cast%02d.txt", s);
            std::ifstream in(gRoot + "/" + path);
            std::vector<int32_t> n;
            constexpr size_t kCount = kActorFileIntegers;
            for (int32_t v; n.size() < kCount && in >> v;) n.push_back(v);
            if (n.size() == kCount) {
                spellCost_[s] = n[ActorAttrAt(MP)];
                spellLevel_[s] = n[ActorAttrAt(MagicLevel)];
                spellPower_[s] = n[ActorAttrAt(MagicXP)];
            }
        }
    }
    // The strongest spell per MP she can cast: damage Cast + power x ML per MP.
    void PickSpell() {
        int32_t best = 0;
        double bestScore = -1;
        for (int32_t s = 0; s < 4; ++s) {
            if (!g().hero.spellOwned[s] || spellLevel_[s] > g().hero.attr[MagicLevel]) continue;
            double dmg = 5.0 + spellPower_[s] * g().hero.attr[MagicLevel];
            double score = dmg / (spellCost_[s] > 0 ? spellCost_[s] : 1) + dmg * 0.05;
            if (score > bestScore) {
                bestScore = score;
                best = s;
            }
        }
        SelectSpell(best);
    }

    int fights_ = 0;
    // Battles per villain over the whole route (shared by the players of all segments).
    std::map<std::string, int>* fought_ = nullptr;
    int32_t hpFloor_ = 45;
    int32_t spellCost_[4] = {1, 1, 1, 1}, spellLevel_[4] = {1, 1, 1, 1},
            spellPower_[4] = {1, 1, 1, 1};

  private:
    Driver& d_;
    int32_t bestSpell_ = 0;
    char lastVillain_[24] = "";
    uint32_t seed_ = 12345;
    uint32_t lastCast_ = 0;
    int casts_ = 0;
};

// ------------------------------------------------------------------------------------------

// Title to the map with k rerolls; returns the weakness of the roll (lower: weaker).
int32_t NewGame(Driver& d, int rerolls) {
    d.Comment("the title, the story, the attribute roll");
    d.Frames(3);
    d.Key(InputButton2);
    d.Frames(1);
    d.Key(InputButton1);
    d.Frames(1);
    for (int i = 0; i < rerolls; ++i) {
        d.Key(InputButton2);
        d.Frames(1);
    }
    const int32_t* a = d.g().hero.attr;
    return a[Power] + a[Wits] + a[Endurance] + a[Strength];
}

// The heroine's place and attributes: a replay that went its own way fails here.
void ExpectHero(Driver& d) {
    std::string attrs;
    for (int32_t v : d.g().hero.attr) attrs += (attrs.empty() ? "" : " ") + std::to_string(v);
    d.Expect("hero.x", std::to_string(d.g().hero.x));
    d.Expect("hero.y", std::to_string(d.g().hero.y));
    d.Expect("hero.attr", attrs);
}

// The guardians she has beaten: a route that fought one it should not have (or skipped one)
// fails here.
void ExpectGuardians(Driver& d) {
    std::string set;
    for (int32_t k = 0; k < kGuardians; ++k) {
        if (d.g().hero.guardianDefeated[k]) set += (set.empty() ? "" : " ") + std::to_string(k);
    }
    d.Expect("flags.guardianDefeated", set);
}

struct Command {
    std::string verb;
    std::vector<int32_t> n;
    int line;
};

std::vector<Command> ReadRoute(const std::string& path) {
    std::ifstream in(path);
    if (!in) Die("cannot read " + path);
    std::vector<Command> out;
    std::string text;
    int line = 0;
    while (std::getline(in, text)) {
        ++line;
        size_t hash = text.find('#');
        if (hash != std::string::npos) text.resize(hash);
        std::istringstream words(text);
        Command c;
        c.line = line;
        if (!(words >> c.verb)) continue;
        for (int32_t v; words >> v;) c.n.push_back(v);
        out.push_back(c);
    }
    return out;
}

void WriteScript(const std::string& path, const std::vector<std::string>& lines,
                 const std::string& header) {
    std::ofstream out(path);
    out << header;
    for (const std::string& l : lines) out << l << "\n";
    if (!out) Die("cannot write " + path);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: veloria-autoplay GAME_DIR ROUTE_FILE OUT_PREFIX\n");
        return 2;
    }
    char cwd[4096];
    const std::string here = getcwd(cwd, sizeof(cwd)) ? cwd : ".";
    auto absolute = [&](std::string p) { return p[0] == '/' ? p : here + "/" + p; };
    const std::string route = absolute(argv[2]), outPath = absolute(argv[3]);
    const std::string outName = outPath.substr(outPath.rfind('/') + 1);
    // Play on a copy of the game directory: the saves the route makes stay out of it.
    char work[] = "/tmp/veloria-autoplay-XXXXXX";
    if (!mkdtemp(work)) Die("cannot make a work directory");
    if (std::system(("cp -r '" + std::string(argv[1]) + "/.' '" + work + "/'").c_str()) != 0 ||
        std::system(("rm -f '" + std::string(work) + "'/data/villains/v4[567].txt").c_str()) != 0)
        Die("cannot copy the game directory");
    gRoot = work;
    std::vector<Command> commands = ReadRoute(route);

    // The weakest of the first five rolls.
    int bestRerolls = 0;
    int32_t weakest = 1 << 30;
    for (int k = 0; k < 5; ++k) {
        Driver probe;
        int32_t w = NewGame(probe, k);
        if (w < weakest) {
            weakest = w;
            bestRerolls = k;
        }
    }
    auto driver = std::make_unique<Driver>();
    auto player = std::make_unique<Player>(*driver);
    Driver* dp = driver.get();
    Player* pp = player.get();
    std::map<std::string, int> fought;
    pp->fought_ = &fought;
    gLines = &dp->lines;
    int segment = 1;
    auto scriptPath = [&](int k) { return outPath + "_" + std::to_string(k) + ".play"; };
    const std::string header = "# Generated by veloria-autoplay from " + std::string(argv[2]) +
                               "; do not edit by hand (docs/autoplay.md).\n";
    Driver& d0 = *dp;
    NewGame(d0, bestRerolls);
    d0.Key(InputButton1);
    d0.Frames(1);
    pp->ReadSpells(".");
    {
        const int32_t* a = d0.g().hero.attr;
        char roll[160];
        std::snprintf(roll, sizeof(roll),
                      "the roll: Strength %d Power %d Wits %d Stealth %d Endurance %d Speed %d",
                      a[Strength], a[Power], a[Wits], a[Stealth], a[Endurance], a[Speed]);
        d0.Comment(roll);
        std::fprintf(stderr, "%s (after %d rerolls)\n", roll, bestRerolls);
    }
    d0.Expect("gameState", "1");
    uint32_t totalTime = 0;
    for (const Command& c : commands) {
        Driver& d = *dp;
        Player& p = *pp;
        auto need = [&](size_t k) {
            if (c.n.size() < k) Die("route line " + std::to_string(c.line) + ": too few numbers");
        };
        d.Comment(c.verb + " (route line " + std::to_string(c.line) + ")");
        if (c.verb == "level") {
            need(1);
            if (d.g().level.levelNumber != c.n[0])
                Die("route line " + std::to_string(c.line) + ": she is on level " +
                    std::to_string(d.g().level.levelNumber));
            d.Expect("level.number", std::to_string(c.n[0]));
            d.Expect("gameState", "1");
            ExpectHero(d);
            ExpectGuardians(d);
            const Actor& h = d.g().hero;
            std::fprintf(stderr,
                         "level %d at game time %u ms, HP %d/%d MP %d/%d GP %d ML %d, potions "
                         "%d healing %d magic %d full\n",
                         c.n[0], d.Now() - 100000, h.attr[HP], h.attr[MaxHP], h.attr[MP],
                         h.attr[MaxMP], h.attr[GP], h.attr[MagicLevel], h.itemCount[0],
                         h.itemCount[1], h.itemCount[2]);
        } else if (c.verb == "enter") {
            need(2);
            p.Enter(c.n[0], c.n[1]);
        } else if (c.verb == "goto") {
            need(2);
            p.Goto(c.n[0], c.n[1]);
        } else if (c.verb == "chest") {
            need(2);
            p.Act(c.n[0], c.n[1], 2);
        } else if (c.verb == "act" || c.verb == "guardian") {
            need(2);
            if (c.verb == "guardian") {
                p.PickSpell();
                p.EquipBest();
            }
            p.Act(c.n[0], c.n[1], -1);
        } else if (c.verb == "key") {
            need(3);
            p.Face(c.n[0], c.n[1], -1);  // a random battle on the way may change the selection
            p.SelectItem(c.n[2]);
            d.Key(InputButton2);
            d.Frames(1);
            p.Settle();
        } else if (c.verb == "spell") {  // open a lair or break a barrier with the first spell
            need(2);
            p.Face(c.n[0], c.n[1], -1);
            p.SelectSpell(0);
            d.Key(InputButton3);
            d.Frames(30);
            p.Settle();
        } else if (c.verb == "dig") {
            need(2);
            p.Goto(c.n[0], c.n[1]);
            p.SelectItem(6);
            d.Key(InputButton2);
            d.Frames(1);
            p.Settle();
        } else if (c.verb == "shop") {  // shop C R magic-potions healing-potions
            need(4);
            p.Shop(c.n[0], c.n[1], c.n[2], c.n[3]);
        } else if (c.verb == "buy") {  // buy C R item count
            need(4);
            p.BuyItem(c.n[0], c.n[1], c.n[2], c.n[3]);
        } else if (c.verb == "leave") {
            p.LeaveShop();
        } else if (c.verb == "use") {
            need(1);
            p.Use(c.n[0]);
        } else if (c.verb == "equip") {
            p.EquipBest();
        } else if (c.verb == "hp") {  // the share of MaxHP below which she drinks in battle
            need(1);
            p.hpFloor_ = c.n[0];
        } else if (c.verb == "segment") {
            // Save to slot 1 and end this script; the next one loads that game. Its copy of the
            // saved file goes beside it (NAME.content/), and this script's .next file names the
            // script whose copy must equal what this one saves.
            d.Key(InputButton5);
            d.Frames(1);
            d.Key(InputButton4);
            d.Frames(1);
            d.Key(InputButton1);
            d.Frames(1);
            d.Expect("gameState", "10");
            d.Key(InputButton1);
            d.Frames(1);
            d.Key(InputButton5);
            d.Frames(1);
            ExpectHero(d);
            totalTime += d.Now() - 100000;
            d.Comment("game time of this script " + std::to_string(d.Now() - 100000) + " ms");
            std::fprintf(stderr, "%s: game time %u ms\n", scriptPath(segment).c_str(),
                         d.Now() - 100000);
            WriteScript(scriptPath(segment), d.lines, header);
            std::ofstream(outPath + "_" + std::to_string(segment) + ".next")
                << outName << "_" << segment + 1 << "\n";
            const std::string dir = outPath + "_" + std::to_string(segment + 1) + ".content";
            std::system(("mkdir -p '" + dir + "/data/villains' && cp '" + gRoot +
                         "/data/villains/v45.txt' '" + dir + "/data/villains/v45.txt'")
                            .c_str());
            ++segment;
            const int fights = pp->fights_;
            const int32_t floor = pp->hpFloor_;
            driver = std::make_unique<Driver>();
            player = std::make_unique<Player>(*driver);
            dp = driver.get();
            pp = player.get();
            gLines = &dp->lines;
            pp->ReadSpells(".");
            pp->fights_ = fights;
            pp->fought_ = &fought;
            pp->hpFloor_ = floor;
            Driver& n = *dp;
            n.Comment("the game the previous script saved, from slot 1");
            n.Frames(3);
            n.Key(InputButton1);
            n.Frames(1);
            n.Key(InputButton1);
            n.Frames(1);
            n.Expect("gameState", "1");
            ExpectHero(n);
        } else if (c.verb == "stop") {  // the route is played this far for now
            ExpectHero(d);
            break;
        } else if (c.verb == "end") {
            // The end gate was walked into: the four end pages, each shown by a frame and
            // turned by a button, then Escape leaves the game.
            if (d.g().flow.gameState != StateEndStory)
                Die("route line " + std::to_string(c.line) + ": no end story, state " +
                    std::to_string(d.g().flow.gameState));
            d.Expect("gameState", "24");
            ExpectGuardians(d);
            for (int page = 1; page <= 4; ++page) {
                d.Frames(1);
                d.Expect("frame.background",
                         "\"art/bg/end_story" + std::to_string(page) + ".bmp\"");
                if (page < 4) d.Key(InputButton1);
            }
            d.Key(InputEscape);
            d.Expect("quit", "1");
            if (!d.g().flow.quitPosted) Die("Escape did not end the game after the end story");
        } else {
            Die("route line " + std::to_string(c.line) + ": unknown command " + c.verb);
        }
        if (dp->g().flow.gameState == StateHeroDead) Die("defeated");
    }
    Driver& d = *dp;
    totalTime += d.Now() - 100000;
    d.Comment("game time of this script " + std::to_string(d.Now() - 100000) + " ms");
    std::fprintf(stderr, "%s: game time %u ms\ndone: game time %u ms in all, %d battles\n",
                 scriptPath(segment).c_str(), d.Now() - 100000, totalTime, pp->fights_);
    WriteScript(scriptPath(segment), d.lines, header);
    for (const auto& [name, count] : fought)
        std::fprintf(stderr, "fought %s: %d\n", name.c_str(), count);
    std::system(("rm -rf '" + std::string(work) + "'").c_str());
    return 0;
}
