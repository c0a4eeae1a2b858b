#pragma once

#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "platform/clock.h"
#include "platform/platform.h"
#include "replay/battle_tables.h"
#include "series/author_statistics.h"
#include "series/player_rows.h"
#include "series/series_tables.h"
#include "text/number_format.h"

namespace kordex {

// The options of the tab "Настройки" a run reads, and how the front end wants files handled.
struct SeriesOptions {
    bool multiAdditional = false;    // MultiAdditional: collect the author's statistics
    bool multiToBegin = false;       // MultiToBegin: totals and averages in front
    bool multiGroupPlayers = false;  // MultiGroupPlayers: a block of rows per battle
    // The window always moves unusable replays aside; the CLI only when asked.
    bool moveUnusable = true;
    NumberFormat format;
    std::string iniPath;  // tanks.ini beside the program; empty or absent: codes stay as read
};

// What the window shows while a run goes on; every call may be ignored.
class SeriesRunObserver {
  public:
    virtual ~SeriesRunObserver() = default;
    // The run has begun: hide the run list.
    virtual void RunStarted() {}
    virtual void StatusText(const std::string&) {}
    virtual void ProgressShown(int /*maximum*/) {}
    virtual void ProgressPosition(int) {}
    virtual void ProgressHidden() {}
    virtual void SeriesPageShown() {}
};

// The battle-by-battle log a run writes while ExportAllHTML is on.
class SeriesBattleLog {
  public:
    virtual ~SeriesBattleLog() = default;
    // A new, empty log with its page start.
    virtual void Begin() = 0;
    // The web portal of the next battle's player and clan links.
    virtual void SetPortalRegion(PortalRegion) {}
    // One battle whose results were read. Field 1 of the vehicles holds display names and field
    // 6 "1" for the recording player's team, "0" for every other row; numbers carry no markers.
    virtual void AddBattle(const std::string& dateTime, const std::string& mapText,
                           const std::string& outcome, const VehicleTable& vehicles) = 0;
    // The page end, then the log saved under the time stamp taken when the last replay was
    // read; throws KordexError when it cannot be written.
    virtual void Finish(const LocalDateTime& stamp) = 0;
};

// What one replay became. Every kind but Complete leaves its word in row 2 (or nothing, for the
// two kinds that only beep).
enum class ReplayClass {
    Complete,
    ReadError,            // "Ошибка чтения", "_Ошибки чтения"
    HeaderError,          // "Ошибка", "_Старые версии": no header
    OldVersion,           // "Старая версия", "_Старые версии"
    HeaderVehiclesError,  // "Ошибка", "_Старые версии": the header's vehicles unreadable
    HeaderVehicleNotObject,  // a beep; the file stays
    Unfinished,              // "Вышел", "_Недосмотренные"
    MemberNotObject,         // a beep; the file stays
    Failure,                 // "Сбой": any other fault; the file stays, the run goes on
    // "Не читается": a battle with results that no layout of Kordex reads (a client after
    // 9.17.1, newer than every layout, or a broken file); the file stays.
    Unreadable,
    Repeat,  // "Повтор": a battle already read from the same side; counted nowhere, stays
};

// The word of a battle whose results no layout reads.
inline constexpr const char* kUnreadableWord = "Не читается";
inline constexpr std::string_view kRepeatWord = "Повтор";
inline constexpr std::string_view kFailureWord = "Сбой";

// The move of an unusable replay into a subfolder of its folder.
struct SubfolderMove {
    std::string subfolder;  // empty when the replay stays where it is by its kind
    std::string target;     // the path it was (or would have been) moved to
    bool attempted = false;
    bool moved = false;
    std::string failure;  // why an attempted move left the file where it was
};

struct ReplayOutcome {
    std::string path;
    ReplayClass kind = ReplayClass::Complete;
    std::string word;  // the text of row 2
    SubfolderMove move;
    std::string description;  // the fault behind the kinds that are not Complete
};

// Moves the file into folder-of-path/name/, creating the folder, never replacing a file already
// there. A failed move leaves the file where it was and says why.
SubfolderMove MoveReplayToSubfolder(const std::string& path, const std::string& name,
                                    FileSystem& files);

// What a run carries from one replay to the next.
struct SeriesRunState {
    std::string PreviousBattleDate;  // the date of the last complete battle of the run
    BattleTables battle;
    AlliesTable allies;
    AuthorStats author;
    // The battles counted so far: the results' arenaUniqueID with the recording player's team.
    std::set<std::pair<std::string, std::string>> battlesCounted;
};

struct SeriesContext {
    SeriesTables& tables;
    const SeriesOptions& options;
    Platform& platform;
    SeriesRunObserver& observer;
    SeriesBattleLog* battleLog;  // null while ExportAllHTML is off
    SeriesRunState& state;
    LabelStore& labels;  // the window's labels: the version title, the author's statistics
};

// Reads one replay of the run into battle column count + 2: classifies it, writes the date, map
// and outcome cells, moves an unusable replay aside and writes the players of a complete battle.
// No fault of the replay escapes: a fault its kinds do not name is marked "Сбой". A battle
// already counted from the same side (another recorder's replay of it) is marked "Повтор" and
// adds nothing to any table, total, statistic or log.
ReplayOutcome SeriesAnalysis(const std::string& ReplayPath, int Count, int StartRow,
                             SeriesContext& context);

}  // namespace kordex
