#pragma once
// The event codes of a level's event layer: what a cell does when the heroine, a villain or a
// spell touches it. Every rule that asks "is this a door?" asks here, so the game, the content
// checker and the docs cannot disagree about the groups.
#include <cstdint>

namespace veloria {

// One code per cell; the groups are ranges of consecutive codes, each indexing one level table.
enum EventCode : int32_t {
    EventFree = 0,
    EventWall = 1,
    EventExitFirst = 2,  // exits[c - 2]
    EventExitLast = 6,
    EventPersonFirst = 7,  // dialogIds[c - 7]
    EventPersonLast = 14,
    EventShop = 15,        // shopId
    EventChestFirst = 16,  // chestIds[c - 16]
    EventChestLast = 18,
    EventLowDoorFirst = 19,  // lockIds[c - 19], each with its own key
    EventLowDoorLast = 21,
    EventTreasureFirst = 22,  // treasureIds[c - 22]
    EventTreasureLast = 23,
    EventGuardianFirst = 24,  // guardianSpots[c - 24]
    EventGuardianLast = 43,
    EventLairFirst = 44,  // lairIds[c - 44]
    EventLairLast = 45,
    EventBarrierFirst = 46,  // barrierIds[c - 46]
    EventBarrierLast = 47,
    EventHighDoorFirst = 49,  // lockIds[c - 46], all opened by the door key
    EventHighDoorLast = 58,
    // Reported by HitEvent only: the foot box touches treasure spot 22 (59) or 23 (60) and some
    // other non-zero cell as well.
    EventBesideTreasureFirst = 59,
    EventBesideTreasureLast = 60,
    EventSealedPassage = 61,  // a wall until guardian 136 falls, then exit exits[1]
    EventEndGate = 62,        // the end of the game when entered moving up
};

constexpr bool InCodes(int32_t e, int32_t first, int32_t last) {
    return e >= first && e <= last;
}
constexpr bool IsExit(int32_t e) {
    return InCodes(e, EventExitFirst, EventExitLast);
}
constexpr bool IsPerson(int32_t e) {
    return InCodes(e, EventPersonFirst, EventPersonLast);
}
constexpr bool IsChest(int32_t e) {
    return InCodes(e, EventChestFirst, EventChestLast);
}
constexpr bool IsLowDoor(int32_t e) {
    return InCodes(e, EventLowDoorFirst, EventLowDoorLast);
}
constexpr bool IsHighDoor(int32_t e) {
    return InCodes(e, EventHighDoorFirst, EventHighDoorLast);
}
constexpr bool IsDoor(int32_t e) {
    return IsLowDoor(e) || IsHighDoor(e);
}
constexpr bool IsTreasureSpot(int32_t e) {
    return InCodes(e, EventTreasureFirst, EventTreasureLast);
}
constexpr bool IsBesideTreasure(int32_t e) {
    return InCodes(e, EventBesideTreasureFirst, EventBesideTreasureLast);
}
constexpr bool IsGuardian(int32_t e) {
    return InCodes(e, EventGuardianFirst, EventGuardianLast);
}
constexpr bool IsLair(int32_t e) {
    return InCodes(e, EventLairFirst, EventLairLast);
}
constexpr bool IsBarrier(int32_t e) {
    return InCodes(e, EventBarrierFirst, EventBarrierLast);
}
// The codes a level file may hold on its event layer (59 and 60 come only from HitEvent).
constexpr bool IsLevelCode(int32_t e) {
    return InCodes(e, EventFree, EventHighDoorLast) || e == EventSealedPassage || e == EventEndGate;
}
// Walls, people, chests and guardians always refuse a step; doors, lairs and barriers do until
// they are opened.
constexpr bool AlwaysBlocks(int32_t e) {
    return e == EventWall || IsPerson(e) || IsChest(e) || IsGuardian(e);
}
// What stops a flying spell: walls, exits, people, the shop, chests and the low doors.
constexpr bool StopsSpells(int32_t e) {
    return InCodes(e, EventWall, EventLowDoorLast);
}

// What a step onto a code does, before the flags of doors, lairs and barriers are asked.
enum class StepKind : int32_t {
    Walk,            // free ground and every code without a rule
    Refuse,          // always blocks
    Door,            // walks once unlocked
    Barrier,         // walks once broken
    Lair,            // leads into the lair once opened, else blocks
    Exit,            // takes the level exit
    Shop,            // opens the shop; she stays where she was
    TreasureSpot,    // walks, and the pad hints at the treasure
    BesideTreasure,  // blocks, and the pad hints at the treasure
    EndGame,         // the end gate entered moving up
};

constexpr StepKind ClassifyStep(int32_t e, bool movingUp) {
    if (AlwaysBlocks(e)) return StepKind::Refuse;
    if (e == EventShop) return StepKind::Shop;
    if (IsDoor(e)) return StepKind::Door;
    if (IsExit(e)) return StepKind::Exit;
    if (IsTreasureSpot(e)) return StepKind::TreasureSpot;
    if (IsBesideTreasure(e)) return StepKind::BesideTreasure;
    if (IsLair(e)) return StepKind::Lair;
    if (IsBarrier(e)) return StepKind::Barrier;
    if (e == EventEndGate && movingUp) return StepKind::EndGame;
    return StepKind::Walk;
}

// Index into the level's lockIds of a door code (-1 for any other code).
constexpr int32_t LockSlot(int32_t e) {
    if (IsLowDoor(e)) return e - EventLowDoorFirst;
    if (IsHighDoor(e)) return e - (EventHighDoorFirst - 3);
    return -1;
}

// The guardian whose fall opens the sealed passages, and the one whose fall gives the people of
// every level something new to say.
constexpr int32_t kPassageGuardian = 136;
constexpr int32_t kNewsGuardian = 135;

// What a person whose dialog is `dialog` says once the news guardian has fallen.
constexpr int32_t NewsDialog(int32_t dialog) {
    constexpr int32_t kFrom[5] = {70, 71, 72, 67, 68};
    constexpr int32_t kTo[5] = {73, 74, 75, 76, 77};
    for (int32_t k = 0; k < 5; ++k) {
        if (dialog == kFrom[k]) return kTo[k];
    }
    return dialog;
}

}  // namespace veloria
