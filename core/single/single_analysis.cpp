#include "single/single_analysis.h"

#include "platform/kordex_error.h"
#include "replay/battle_reading.h"
#include "replay/battle_vocabulary.h"
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
SingleEnd VehiclesFailed(const BattleRead& read, Platform& platform, SingleEnd end) {
    if (read.fault == ReadFault::Failure)
        throw KordexError(read.description);
    Beep(platform);
    return end;
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

    BattleReadRequest request;
    request.variant = ReadingVariant::Single;
    request.analysis = Analysis::Single;
    request.keys = PersonalKeys::Single;
    request.join = JoinForm::Single;
    BattleRead read = ReadBattle(view.replayPath, request);
    if (read.fault == ReadFault::CannotOpen) {
        platform.desktop.ShowMessage(kFileClosedMessage);
        return SingleEnd::OpenFailed;
    }

    view.header = read.header.header;
    view.labels.Set("Label_replayVersionXml", view.header.versionText);
    view.tables = std::move(read.tables);
    switch (read.Ok() ? ReadStage::Join : read.stage) {
        case ReadStage::Blocks:
        case ReadStage::Header:
            Beep(platform);
            return SingleEnd::HeaderFailed;
        case ReadStage::Version:
            platform.desktop.ShowMessage(kOldVersionMessage);
            return SingleEnd::OldVersion;
        case ReadStage::HeaderVehicles:
            return VehiclesFailed(read, platform, SingleEnd::HeaderVehiclesNotJson);
        case ReadStage::Completeness:
            Beep(platform);
            return SingleEnd::Incomplete;
        case ReadStage::Results:
            Beep(platform);
            return SingleEnd::ResultsFailed;
        case ReadStage::Frags:
            Beep(platform);
            return SingleEnd::FragsOrPlayersFailed;
        case ReadStage::Final:
        case ReadStage::Join:
            break;
    }
    if (read.FailedAt(ReadStage::Join)) {
        Beep(platform);
        return SingleEnd::FragsOrPlayersFailed;
    }
    const BattleHeader& header = view.header;
    VehicleTable& vehicles = view.tables.vehicles;

    const std::string recorderTeam = view.tables.personal.Value("team");
    const CommonResults& common = view.tables.common;
    if (IsModeKnownSingle(header.gameplayID))
        view.labels.Set("Label_Map", header.mapDisplayName + ModeSuffixSingle(header.gameplayID));
    view.labels.Set("Label_isWinner", BattleOutcome(common.winnerTeam, recorderTeam));

    // The vehicles at the end of the battle: identities again and who survived.
    if (read.FailedAt(ReadStage::Final))
        return VehiclesFailed(read, platform, SingleEnd::FinalVehiclesNotJson);
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
