#pragma once

#include <string>

#include "platform/platform.h"
#include "replay/battle_header.h"
#include "replay/battle_tables.h"
#include "tables/label_store.h"
#include "tables/text_grid.h"
#include "text/number_format.h"

namespace kordex {

// What the tab "Один бой" shows: the window's team tables and labels, which the analysis fills,
// and the battle they were read from. Everything stays until the next analysis replaces it.
struct SingleView {
    SingleView(TextGrid& allies, TextGrid& enemies, LabelStore& labelStore)
        : alliesGrid(allies), enemiesGrid(enemies), labels(labelStore) {}

    std::string replayPath;  // the field ReplayPath
    TextGrid& alliesGrid;    // AlliesGrid
    TextGrid& enemiesGrid;   // EnemiesGrid
    LabelStore& labels;      // battle labels and the personal panel
    BattleTables tables;
    BattleHeader header;
};

struct SingleSettings {
    NumberFormat numberFormat;
    std::string iniPath;  // tanks.ini beside the executable, for the vehicle names
};

// Where an analysis ended. Every end but Completed has been reported to the user (a beep or a
// message box) by the time the analysis returns.
enum class SingleEnd {
    Completed,
    DialogCancelled,        // no file at the path and the open dialog was cancelled: beep
    OpenFailed,             // "Файл закрыт для чтения."
    HeaderFailed,           // beep
    OldVersion,             // the old-version message
    HeaderVehiclesNotJson,  // beep
    Incomplete,             // no battle results: beep
    ResultsFailed,          // beep
    FragsOrPlayersFailed,   // beep
    FinalVehiclesNotJson,   // beep
};

// The old-version message of the single view.
extern const char* const kOldVersionMessage;
extern const char* const kFileClosedMessage;

// SingleReplayAnalyseClick: reads the replay at view.replayPath (asking for one when no file is
// there) and fills the team tables, the battle labels and the personal panel, sorted by
// experience. The caller shows the tab "Один бой" first. Data the analysis cannot use outside
// its protected steps throws KordexError, for the application's default error handling; what
// was filled before stays.
SingleEnd SingleReplayAnalyseClick(SingleView& view, Platform& platform,
                                   const SingleSettings& settings);

}  // namespace kordex
