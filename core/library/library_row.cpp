#include "library/library_row.h"

#include <array>
#include <optional>

#include "library/library_date.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "library/net_profit.h"
#include "platform/kordex_error.h"
#include "replay/battle_header.h"
#include "replay/battle_reading.h"
#include "replay/battle_vocabulary.h"
#include "replay/json.h"
#include "replay/vehicle_names.h"

namespace kordex {

namespace {

namespace col = library_column;

// The personal members the library reads; all must be present, also those no column shows.
constexpr std::array<const char*, 24> kPersonalKeys = {"repair",
                                                       "damageAssistedTrack",
                                                       "creditsToDraw",
                                                       "premiumCreditsFactor10",
                                                       "damageAssistedRadio",
                                                       "premiumXPFactor10",
                                                       "xp",
                                                       "creditsContributionIn",
                                                       "autoRepairCost",
                                                       "eventCredits",
                                                       "health",
                                                       "kills",
                                                       "team",
                                                       "credits",
                                                       "igrXPFactor10",
                                                       "autoEquipCost",
                                                       "markOfMastery",
                                                       "eventXP",
                                                       "damageDealt",
                                                       "autoLoadCost",
                                                       "originalCredits",
                                                       "dailyXPFactor10",
                                                       "originalXP",
                                                       "creditsContributionOut"};
constexpr std::array<const char*, 4> kCommonKeys = {"finishReason", "arenaCreateTime", "duration",
                                                    "winnerTeam"};

void FillColumns(LibraryRow& row, int first, int last, const std::string& text) {
    for (int column = first; column <= last; ++column)
        row.cells[column] = text;
}

LibraryRow WholeRow(LibraryRow row, const char* word, LibraryRowKind kind) {
    FillColumns(row, 0, col::NetProfit, word);
    row.kind = kind;
    return row;
}

LibraryRow ErrorRow(LibraryRow row) {
    return WholeRow(std::move(row), "Ошибка", LibraryRowKind::Error);
}

// A member missing from the results: the early values stay, the rest says "Ошибка".
LibraryRow MarkedRow(LibraryRow row) {
    FillColumns(row, col::Outcome, col::NetProfit, "Ошибка");
    row.kind = LibraryRowKind::Marked;
    return row;
}

// The names the layout writes the members under.
template <std::size_t N>
std::array<std::string_view, N> LayoutNames(const std::array<const char*, N>& keys,
                                            const VersionLayout& layout) {
    std::array<std::string_view, N> names;
    for (std::size_t i = 0; i < N; ++i)
        names[i] = layout.KeyName(keys[i]);
    return names;
}

// The value texts of the members asked for; nothing when one is missing.
template <std::size_t N>
std::optional<std::array<std::string, N>> AllPresent(
    const std::vector<std::optional<std::string>>& picked) {
    std::array<std::string, N> values;
    for (std::size_t i = 0; i < N; ++i) {
        if (!picked[i])
            return std::nullopt;
        values[i] = *picked[i];
    }
    return values;
}

std::string VehicleColumnText(const IniFile& ini, std::string vehicle) {
    const auto dash = vehicle.find('-');
    if (dash != std::string::npos)
        vehicle[dash] = ':';
    return VehicleNameFromIni(ini, vehicle);
}

}  // namespace

LibraryRow ReadLibraryRow(const std::string& path, const IniFile& ini) {
    LibraryRow row;
    row.cells.assign(kLibraryColumns, std::string());
    row.cells[col::Path] = path;
    BattleReadRequest request;
    request.variant = ReadingVariant::List;
    request.analysis = Analysis::Library;
    request.vehicles = VehiclesText::Skip;
    request.last = ReadStage::Completeness;
    const BattleRead read = ReadBattle(path, request);
    if (read.fault == ReadFault::CannotOpen) {
        row.opened = false;
        return ErrorRow(std::move(row));
    }
    if (read.FailedAt(ReadStage::Header))
        return ErrorRow(std::move(row));
    const BattleHeader& header = read.header.header;
    const auto date = LibraryDate(header.dateTime);
    if (!date)
        return ErrorRow(std::move(row));

    // The early values: what the header alone tells.
    row.cells[col::Time] = *date;
    row.cells[col::Map] = header.mapDisplayName;
    row.cells[col::Player] = header.playerName;
    row.cells[col::Vehicle] = header.playerVehicle;
    row.cells[col::BattleType] = header.battleType;
    row.cells[col::Mode] = header.gameplayID;

    if (read.FailedAt(ReadStage::Version))
        return WholeRow(std::move(row), "Стар.версия", LibraryRowKind::OldVersion);
    if (!read.Ok())
        return ErrorRow(std::move(row));
    const VersionLayout& layout = *read.layout;

    // Only the personal and common results are read out of the results; the rest of the text
    // (every player and vehicle of the battle) is checked to be JSON, not built. From 9.8 on
    // the personal results are wrapped in an object keyed by vehicle.
    const bool wrapped = layout.wrapped;
    const auto personalNames = LayoutNames(kPersonalKeys, layout);
    const auto commonNames = LayoutNames(kCommonKeys, layout);
    const std::array<MemberPick, 2> picks = {MemberPick{"personal", wrapped, personalNames},
                                             MemberPick{"common", false, commonNames}};
    const PickedObject results = PickMembers(read.blocks.ResultsBlock, picks);
    if (results.status != JsonStatus::Ok)
        return ErrorRow(std::move(row));
    const PickedMembers& personalPick = results.picks[0];
    if (personalPick.holder == JsonStatus::MissingKey)
        return MarkedRow(std::move(row));
    if (wrapped) {
        if (personalPick.holder != JsonStatus::Ok) {
            row.kind = LibraryRowKind::Early;
            return row;
        }
        if (!personalPick.holderHasMembers)
            return MarkedRow(std::move(row));
    }
    if (personalPick.object != JsonStatus::Ok)
        return ErrorRow(std::move(row));
    const auto personal = AllPresent<kPersonalKeys.size()>(personalPick.values);
    if (!personal)
        return MarkedRow(std::move(row));

    const PickedMembers& commonPick = results.picks[1];
    if (commonPick.holder == JsonStatus::MissingKey)
        return MarkedRow(std::move(row));
    if (commonPick.object != JsonStatus::Ok)
        return ErrorRow(std::move(row));
    const auto common = AllPresent<kCommonKeys.size()>(commonPick.values);
    if (!common)
        return MarkedRow(std::move(row));

    const auto& p = *personal;
    auto value = [&](const char* key) -> const std::string& {
        for (std::size_t i = 0; i < kPersonalKeys.size(); ++i)
            if (std::string_view(kPersonalKeys[i]) == key)
                return p[i];
        throw KordexError(std::string("unknown personal key ") + key);
    };

    std::string battleType, mastery;
    try {
        battleType = BattleTypeShort(header.battleType);
        mastery = MasteryMarkText(value("markOfMastery"));
    } catch (const KordexError&) {
        return ErrorRow(std::move(row));
    }
    const auto profit = NetProfit({value("premiumCreditsFactor10"), value("originalCredits"),
                                   value("creditsContributionIn"), value("creditsContributionOut"),
                                   value("autoRepairCost"), value("autoEquipCost"),
                                   value("autoLoadCost"), layout.premiumFactorDivisor});
    if (!profit)
        return ErrorRow(std::move(row));

    row.kind = LibraryRowKind::Normal;
    row.cells[col::Vehicle] = VehicleColumnText(ini, header.playerVehicle);
    row.cells[col::BattleType] = battleType;
    row.cells[col::Mode] = ModeWordLibrary(header.gameplayID);
    row.cells[col::Outcome] = BattleOutcome((*common)[3], value("team"));
    row.cells[col::Survived] = value("health") != "0" ? "Да" : "";
    row.cells[col::Mastery] = mastery;
    row.cells[col::Xp] = value("xp");
    row.cells[col::OriginalXp] = value("originalXP");
    row.cells[col::Damage] = value("damageDealt");
    row.cells[col::Kills] = value("kills");
    row.cells[col::AssistRadio] = value("damageAssistedRadio");
    row.cells[col::AssistTrack] = value("damageAssistedTrack");
    row.cells[col::Credits] = value("credits");
    row.cells[col::Repair] = value("autoRepairCost");
    row.cells[col::AmmoCost] = FirstListNumber(value("autoLoadCost"));
    row.cells[col::EquipmentCost] = FirstListNumber(value("autoEquipCost"));
    row.cells[col::NetProfit] = std::to_string(*profit);
    return row;
}

void PlaceLibraryRow(const LibraryRow& libraryRow, int row, TextGrid& table, Desktop& desktop) {
    table.SetRow(row, libraryRow.cells);
    if (libraryRow.kind == LibraryRowKind::Early)
        desktop.Beep(400, 200);
    // Every row is fitted when it is filled, so no text of it is ever cut off.
    FitColumnsToRow(table, row, desktop);
}

LibraryRowKind ReplayToLibraryRow(const std::string& path, int base, TextGrid& table,
                                  const IniFile& ini, Desktop& desktop) {
    const LibraryRow libraryRow = ReadLibraryRow(path, ini);
    PlaceLibraryRow(libraryRow, base + 1, table, desktop);
    return libraryRow.kind;
}

}  // namespace kordex
