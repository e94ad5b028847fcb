#pragma once
// The checker's working state, shared by the file checks (content_check.cpp) and the level,
// arena and reachability checks (level_check.cpp).
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "content/schema.h"
#include "content_check.h"
#include "content_text.h"
#include "flow/game.h"
#include "hero/actor_record.h"
#include "level_walk.h"
#include "world/level_map_record.h"

namespace veloria::check {

// Where a value stands: a file and its line (0: the file as a whole).
struct Where {
    std::string file;
    int32_t line = 0;
};

// A way into a level: an exit, a lair or the fresh game.
struct Arrival {
    Where where;
    std::string from;  // for messages: "levels/level01.txt exit 2"
    LevelExit exit;
};

struct LevelInfo {
    std::string file;
    int32_t mode = 0;
    bool loaded = false;
    NumberFile numbers;
    LevelGrid grid;
    LevelMap tables{};
    std::map<int32_t, int32_t> codeLine;  // each event code used, with the line of its first cell
};

std::string Text(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Quoted(const std::string& s);

class Checker {
  public:
    // Every content name is read below the game's content root.
    Checker(Game& g, const CheckOptions& options, CheckResult& result)
        : g_(g),
          options_(options),
          result_(result),
          root_(g.platform.contentRoot ? g.platform.contentRoot : "") {}
    void Run();

    // content_check.cpp
    void Fail(const Where& at, const std::string& expected, const std::string& found);
    bool Exists(const std::string& path) const;
    // A file another file names: reported where it is named when missing.
    bool Need(const std::string& path, const Where& namedAt, const std::string& what);
    void NeedMedia(const std::string& path, const Where& namedAt, const std::string& what);
    // Exactly count numbers and nothing else.
    bool ExpectCount(const std::string& path, const NumberFile& f, size_t count,
                     const std::string& what);
    void ExpectRange(const Where& at, int32_t value, int32_t lo, int32_t hi,
                     const std::string& what);

    // level_check.cpp
    void CheckAdventure();
    void CheckArena(const std::string& path);
    void CheckEncounter(const LevelExit& e, const Where& at);

  private:
    void CheckFiles();
    std::vector<int32_t> CheckActorFile(const std::string& path, int32_t numbers, int32_t nameSize,
                                        bool named, bool drawn,
                                        std::vector<int32_t>* lineOf = nullptr);
    void CheckActors();
    void CheckVillain(int32_t number, const std::string& path);
    void CheckAnims();
    void CheckCatalogue();
    void CheckChest(int32_t number, const std::string& path);
    void CheckShop(const std::string& path);
    void StrictGoods(const std::string& path, const KindSchema* kinds, int32_t kindCount,
                     const std::vector<int32_t>& v, const std::vector<int32_t>& lines, size_t kind);
    void CheckDialog(const std::string& path);
    void CheckTreasure(int32_t number, const std::string& path);
    void CheckLairFile(const std::string& path);
    void CheckFreshGame();
    void CheckMedia();
    bool NameLine(ContentText& t, int32_t size, bool required, const std::string& what);

    void VisitLevel(int32_t number, int32_t mode, const Where& namedAt);
    void CheckLevelCells(LevelInfo& l);
    void CheckLevelTables(int32_t number, LevelInfo& l);
    void ExitEntry(const LevelExit& e, const Where& at, const std::string& from);
    void Unique(const std::string& kind, int32_t number, int32_t level, const Where& at);
    void CheckArrival(const Arrival& a, const LevelInfo& dest);
    void CheckReachability(int32_t number, const LevelInfo& l);

    // The path of a content name (the name itself when there is no root).
    std::string At(const std::string& name) const {
        return root_.empty() ? name : root_ + "/" + name;
    }

    Game& g_;
    CheckOptions options_;
    CheckResult& result_;
    std::string root_;

    std::map<int32_t, LevelInfo> levels_;
    std::vector<std::pair<int32_t, std::pair<int32_t, Where>>> queue_;  // level, mode, named at
    std::map<int32_t, std::vector<Arrival>> arrivals_;
    std::map<std::string, std::map<int32_t, std::pair<int32_t, Where>>> numbering_;
    std::map<int32_t, Where> keysNeeded_;  // key item and the first door that needs it
    std::set<int32_t> keysFound_;  // key items a shop sells or a chest gives before any door
    bool endGate_ = false;

  public:
    // Files found in the content folders, by number.
    std::map<int32_t, std::string> Numbered(const std::string& folder,
                                            const std::string& prefix) const;
};

}  // namespace veloria::check
