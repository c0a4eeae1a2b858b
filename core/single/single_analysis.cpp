#include "single/single_analysis.h"

#include "platform/kordex_error.h"
#include "replay/battle_passes.h"
#include "replay/battle_vocabulary.h"
#include "replay/block_reader.h"
#include "replay/json.h"
#include "replay/vehicle_names.h"
#include "single/personal_panel.h"
#include "single/team_tables.h"
#include "tables/grid_helpers.h"
#include "tables/grid_sorts.h"
#include "text/ini_file.h"

namespace kordex {

const char* const kOldVersionMessage =
    "Реплеи WoT версий 0.8.10 и ниже этой версией Kordex не поддерживаются. Скачайте "
    "соответствующую версию с форума WoT.";
const char* const kFileClosedMessage = "Файл закрыт для чтения.";

namespace {

constexpr int kBeepFrequency = 400;
constexpr int kBeepMs = 200;

void Beep(Platform& platform) {
    platform.desktop.Beep(kBeepFrequency, kBeepMs);
}

// The header pass and the final pass: a text or a member that is not JSON at all ends the
// analysis with a beep; anything else the pass refuses (too many vehicles, a missing key, JSON
// that is no object) is not expected of a replay and goes to the default error handling.
bool ReadVehicles(std::string_view text, VehicleTable& vehicles) {
    if (ParseObject(text).status == JsonStatus::NotJson)
        return false;
    PassResult pass = VehiclesPass(text, vehicles);
    if (pass.status == PassStatus::NoObject)
        return false;
    if (pass.status == PassStatus::Failure)
        throw KordexError(pass.description);
    return true;
}

// Vehicle codes become display names from the sections of tanks.ini.
void NameVehicles(const std::string& iniPath, VehicleTable& vehicles) {
    const IniFile ini = IniFile::Load(iniPath);
    for (auto& row : vehicles)
        if (!row[vehicle_field::Type].empty())
            row[vehicle_field::Type] = VehicleNameFromIni(ini, row[vehicle_field::Type]);
}

void FitTeamColumns(TextGrid& grid, Desktop& desktop) {
    for (int column = team_column::Platoon; column <= team_column::Kills; ++column)
        grid.SetColumnWidth(column, FitColumnWidth(grid, column, desktop));
}

}  // namespace

SingleEnd SingleReplayAnalyseClick(SingleView& view, Platform& platform,
                                   const SingleSettings& settings) {
    // Ask for a replay when the field names none; cancelling leaves the last battle shown.
    if (!platform.files.FileExists(view.replayPath)) {
        auto chosen = platform.desktop.ChooseReplayFile();
        if (!chosen) {
            Beep(platform);
            return SingleEnd::DialogCancelled;
        }
        view.replayPath = *chosen;
    }

    ResetBattleTables(view.tables);
    view.header = BattleHeader{};
    ClearTableBody(view.alliesGrid);
    ClearTableBody(view.enemiesGrid);
    ZeroLables(view.labels);

    auto blocks = ReadReplayBlocks(view.replayPath, ReadingVariant::Single);
    if (!blocks) {
        platform.desktop.ShowMessage(kFileClosedMessage);
        return SingleEnd::OpenFailed;
    }

    HeaderParse parsed = ParseBattleHeader(blocks->HeaderBlock);
    view.header = parsed.header;
    view.labels.Set("Label_replayVersionXml", parsed.header.versionText);
    if (!parsed.ok) {
        Beep(platform);
        return SingleEnd::HeaderFailed;
    }
    const BattleHeader& header = view.header;
    if (!IsVersionAccepted(header.clientVersion, Analysis::Single)) {
        platform.desktop.ShowMessage(kOldVersionMessage);
        return SingleEnd::OldVersion;
    }

    VehicleTable& vehicles = view.tables.vehicles;
    if (!ReadVehicles(header.vehiclesText, vehicles)) {
        Beep(platform);
        return SingleEnd::HeaderVehiclesNotJson;
    }
    if (!IsBattleComplete(*blocks)) {
        Beep(platform);
        return SingleEnd::Incomplete;
    }
    if (!ResultsPass(blocks->ResultsBlock, header.clientVersion, PersonalKeys::Single, view.tables)
             .Ok()) {
        Beep(platform);
        return SingleEnd::ResultsFailed;
    }
    if (!FragsPass(blocks->FragsBlock, vehicles).Ok() ||
        !JoinPlayers(view.tables, JoinForm::Single).Ok()) {
        Beep(platform);
        return SingleEnd::FragsOrPlayersFailed;
    }

    const std::string recorderTeam = view.tables.personal.Value("team");
    const CommonResults& common = view.tables.common;
    if (IsModeKnownSingle(header.gameplayID))
        view.labels.Set("Label_Map", header.mapDisplayName + ModeSuffixSingle(header.gameplayID));
    view.labels.Set("Label_isWinner", BattleOutcome(common.winnerTeam, recorderTeam));

    // The vehicles at the end of the battle: identities again and who survived.
    if (!ReadVehicles(blocks->VehiclesBlock, vehicles)) {
        Beep(platform);
        return SingleEnd::FinalVehiclesNotJson;
    }
    // Newer clients list the header's vehicles in another order than the results; the final
    // pass has put every name into its results row, so the ids are joined to the rows again.
    // The first join has already found every player, so this one only moves ids.
    JoinPlayers(view.tables, JoinForm::Single);
    NumberPlatoons(vehicles);
    view.labels.Set("lb_battleType", BattleTypeLong(header.battleType));

    NameVehicles(settings.iniPath, vehicles);
    for (int field : {vehicle_field::Xp, vehicle_field::Damage, vehicle_field::AssistRadio,
                      vehicle_field::AssistTrack})
        MarkTeamExtremes(vehicles, field, recorderTeam);

    FillTeamGrids(vehicles, recorderTeam, view.alliesGrid, view.enemiesGrid);
    FitTeamColumns(view.alliesGrid, platform.desktop);
    FitTeamColumns(view.enemiesGrid, platform.desktop);

    FillPersonalPanel(view.tables.personal, common, header, settings.numberFormat, view.labels);
    view.labels.Set("Label_killerID", KillerText(vehicles, view.tables.personal.Value("killerID")));

    SortGridByNumberDesc(view.enemiesGrid, team_column::Xp, settings.numberFormat);
    SortGridByNumberDesc(view.alliesGrid, team_column::Xp, settings.numberFormat);
    return SingleEnd::Completed;
}

}  // namespace kordex
