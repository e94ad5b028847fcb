#include "dump.h"

#include <cstdint>
#include <cstdio>

#include "flow/game.h"
#include "hero/actor_record.h"
#include "hero/chest_record.h"
#include "platform/fake/fakes.h"
#include "platform/heap/memory_use.h"
#include "presentation/renderer_record.h"
#include "presentation/timer.h"
#include "world/level_map_record.h"
#include "world/villain_record.h"

namespace veloria::play {

namespace {

std::string Int(int64_t v) {
    return std::to_string(v);
}

template <typename T>
std::string List(const T* values, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        if (i) out += ' ';
        out += std::to_string(values[i]);
    }
    return out;
}

template <typename Get>
std::string SetIndices(int n, Get isSet) {
    std::string out;
    for (int i = 0; i < n; ++i) {
        if (!isSet(i)) continue;
        if (!out.empty()) out += ' ';
        out += std::to_string(i);
    }
    return out;
}

// Text fields are zero-terminated arrays; never read past the array even if a byte is missing.
template <size_t N>
std::string Text(const char (&buf)[N]) {
    char copy[N + 1];
    for (size_t i = 0; i < N; ++i) copy[i] = buf[i];
    copy[N] = '\0';
    return Quote(copy);
}

}  // namespace

std::string Quote(const char* text) {
    std::string out = "\"";
    for (const char* p = text; *p; ++p) {
        if (*p == '"' || *p == '\\') {
            out += '\\';
            out += *p;
        } else if (*p == '\n') {
            out += "\\n";
        } else {
            out += *p;
        }
    }
    out += '"';
    return out;
}

DumpFields CollectDump(Game& g, const RecordingAudio& audio) {
    DumpFields f;
    auto add = [&f](const std::string& name, const std::string& value) {
        f.emplace_back(name, value);
    };
    const Actor& h = g.hero;
    add("gameState", Int(g.flow.gameState));
    add("returnState", Int(g.flow.returnState));
    add("quit", Int(g.flow.quitPosted ? 1 : 0));
    add("hero.x", Int(h.x));
    add("hero.y", Int(h.y));
    add("hero.facing", Int(h.facing));
    add("hero.stepPeriod", Int(h.stepPeriod));
    int32_t states[4];
    for (int i = 0; i < 4; ++i) states[i] = h.anim[i].state;
    add("hero.anim", List(states, 4));
    add("hero.attr", List(h.attr, kAttributes));
    add("hero.spellOwned", List(h.spellOwned, kSpells));
    add("hero.selectedSpell", Int(h.selectedSpell));
    add("hero.itemCount", List(h.itemCount, kItems));
    add("hero.selectedItem", Int(h.selectedItem));
    int32_t equipped[kEquipSlots];
    int32_t owned[kEquipSlots * kPiecesPerSlot];
    for (int s = 0; s < kEquipSlots; ++s) {
        equipped[s] = h.equip[s].equipped;
        for (int p = 0; p < kPiecesPerSlot; ++p)
            owned[s * kPiecesPerSlot + p] = h.equip[s].items[p].owned;
    }
    add("hero.equipped", List(equipped, kEquipSlots));
    add("hero.owned", List(owned, kEquipSlots * kPiecesPerSlot));
    add("hero.playTime", Int(h.playTime));
    const Projectile* shots[2] = {&g.heroSpell, &g.villainSpell};
    const char* shotNames[2] = {"heroSpell", "villainSpell"};
    for (int i = 0; i < 2; ++i) {
        std::string n = shotNames[i];
        add(n + ".active", Int(shots[i]->active));
        add(n + ".x", Int(shots[i]->x));
        add(n + ".y", Int(shots[i]->y));
        add(n + ".facing", Int(shots[i]->facing));
    }
    const Villain& v = g.villain;
    add("villain.alive", Int(v.alive));
    add("villain.hp", Int(v.hp));
    add("villain.maxHp", Int(v.maxHp));
    add("villain.x", Int(v.x));
    add("villain.y", Int(v.y));
    add("villain.facing", Int(v.facing));
    add("villain.name", Text(v.name));
    const LevelMap& l = g.level;
    add("level.number", Int(l.levelNumber));
    add("level.mode", Int(l.mode));
    add("level.viewCol", Int(l.viewCol));
    add("level.viewRow", Int(l.viewRow));
    add("level.scrollX", Int(l.scrollX));
    add("level.scrollY", Int(l.scrollY));
    add("level.inArena", Int(l.inArena));
    add("level.levelMusic", Int(l.levelMusic));
    add("level.battleMusic", Int(l.battleMusic));
    add("level.battleMap", Int(l.battleMap));
    add("level.encounterVillains", Int(l.encounterVillains));
    add("level.encounterRate", Int(l.encounterRate));
    add("flags.guardianDefeated",
        SetIndices(kGuardians, [&](int i) { return h.guardianDefeated[i] != 0; }));
    add("flags.barrierBroken",
        SetIndices(kBarriers, [&](int i) { return h.barrierBroken[i] != 0; }));
    add("flags.lairOpened", SetIndices(kLairs, [&](int i) { return h.lairs[i].opened != 0; }));
    add("flags.chestOpened", SetIndices(kChests, [&](int i) { return g.chests[i].opened != 0; }));
    add("flags.doorUnlocked", SetIndices(kDoors, [&](int i) { return g.doorUnlocked[i] != 0; }));
    add("flags.treasureDug",
        SetIndices(kTreasures, [&](int i) { return g.hiddenTreasures[i].dug != 0; }));
    add("dialog.lineCount", Int(g.dialog.lineCount));
    add("dialog.line0", Text(g.dialog.lines[0]));
    add("dialog.line1", Text(g.dialog.lines[1]));
    add("dialog.line2", Text(g.dialog.lines[2]));
    add("shop.menuCursor", Int(g.shop.menuCursor));
    add("shop.buyCursor", Int(g.shop.buyCursor));
    add("shop.sellCursor", Int(g.shop.sellCursor));
    add("shop.wareCount", Int(g.shop.wareCount));
    add("shop.sellCount", Int(g.shop.sellCount));
    add("shop.shopMessage", Int(g.shop.shopMessage));
    add("cursor.item", Int(g.cursors.itemMenuCursor));
    add("cursor.spell", Int(g.cursors.spellMenuCursor));
    add("cursor.equip", Int(g.cursors.equipMenuCursor));
    add("music", Text(g.musicFile));
    // The music as the device holds it; asking the game would close a failed piece.
    int musicPlaying = -1;
    if (g.music.deviceId != 0 && audio.open) musicPlaying = audio.playing ? 1 : 0;
    add("musicPlaying", Int(musicPlaying));
    add("waves", Int(audio.waves));
    add("lastWave", Quote(audio.lastWave));
    add("webPageOpened", Int(g.flow.webPageOpened));
    const PresentedFrame& p = g.renderer.presented;
    add("frame.background", Text(p.background));
    add("frame.quads", Int(p.quads));
    add("frame.texts", Int(p.textCount));
    for (int i = 0; i < p.textCount && i < kTextSlots; ++i) {
        const TextSlot& t = p.texts[i];
        char colour[16];
        std::snprintf(colour, sizeof(colour), "%08X", t.colour);
        add("frame.text" + Int(p.textSlot[i]),
            Text(t.text) + " " + Int(t.left) + " " + Int(t.top) + " " + colour);
    }
    add("renderer.error", Text(g.renderer.errorText));
    add("random.count", Int(g.random.count));
    add("clock", Int(Now(g)));
    add("heap.arenas", Int(HeapArenaCount()));
    return f;
}

std::string FormatDump(const DumpFields& fields) {
    std::string out;
    for (const auto& [name, value] : fields) {
        out += name;
        if (!value.empty()) {
            out += ' ';
            out += value;
        }
        out += '\n';
    }
    return out;
}

bool FindField(const DumpFields& fields, const std::string& name, std::string* value) {
    for (const auto& [n, v] : fields) {
        if (n == name) {
            *value = v;
            return true;
        }
    }
    return false;
}

}  // namespace veloria::play
