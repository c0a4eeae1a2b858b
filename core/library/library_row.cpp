#include "library/library_row.h"

#include <array>
#include <optional>

#include "library/library_date.h"
#include "library/library_scan.h"
#include "library/library_tables.h"
#include "library/net_profit.h"
#include "platform/kordex_error.h"
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

void FillColumns(TextGrid& table, int row, int first, int last, const std::string& text) {
    for (int column = first; column <= last; ++column)
        table.SetCell(column, row, text);
}

LibraryRowKind WholeRow(TextGrid& table, int row, const std::string& path, const char* word,
                        LibraryRowKind kind) {
    FillColumns(table, row, 0, col::NetProfit, word);
    table.SetCell(col::Path, row, path);
    return kind;
}

LibraryRowKind ErrorRow(TextGrid& table, int row, const std::string& path) {
    return WholeRow(table, row, path, "Ошибка", LibraryRowKind::Error);
}

// A member missing from the results: the early values stay, the rest says "Ошибка".
LibraryRowKind MarkedRow(TextGrid& table, int row, const std::string& path) {
    FillColumns(table, row, col::Outcome, col::NetProfit, "Ошибка");
    table.SetCell(col::Path, row, path);
    return LibraryRowKind::Marked;
}

// Reads the named members as value texts, under the names the layout writes them; nothing
// when one is missing.
template <std::size_t N>
std::optional<std::array<std::string, N>> ReadMembers(const JsonObject& object,
                                                      const std::array<const char*, N>& keys,
                                                      const VersionLayout& layout) {
    std::array<std::string, N> values;
    for (std::size_t i = 0; i < N; ++i) {
        auto value = object.ValueText(layout.KeyName(keys[i]));
        if (!value)
            return std::nullopt;
        values[i] = std::move(*value);
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

LibraryRowKind ReplayToLibraryRow(const std::string& path, int base, TextGrid& table,
                                  const IniFile& ini, Desktop& desktop) {
    const int row = base + 1;
    BattleReadRequest request;
    request.variant = ReadingVariant::List;
    request.analysis = Analysis::Library;
    request.vehicles = VehiclesText::Skip;
    request.last = ReadStage::Completeness;
    const BattleRead read = ReadBattle(path, request);
    if (read.fault == ReadFault::CannotOpen || read.FailedAt(ReadStage::Header))
        return ErrorRow(table, row, path);
    const BattleHeader& header = read.header.header;
    const auto date = LibraryDate(header.dateTime);
    if (!date)
        return ErrorRow(table, row, path);

    // The early values: what the header alone tells.
    table.SetCell(col::Time, row, *date);
    table.SetCell(col::Map, row, header.mapDisplayName);
    table.SetCell(col::Player, row, header.playerName);
    table.SetCell(col::Vehicle, row, header.playerVehicle);
    table.SetCell(col::BattleType, row, header.battleType);
    table.SetCell(col::Mode, row, header.gameplayID);
    table.SetCell(col::Path, row, path);

    if (read.FailedAt(ReadStage::Version))
        return WholeRow(table, row, path, "Стар.версия", LibraryRowKind::OldVersion);
    if (!read.Ok())
        return ErrorRow(table, row, path);
    const VersionLayout& layout = *read.layout;

    const auto results = ParseObject(read.blocks.ResultsBlock);
    if (!results.Ok())
        return ErrorRow(table, row, path);
    // Sub-objects are taken from the parsed results directly: the same objects as parsing
    // their member texts again, without writing and reading every replay's texts twice.
    auto personalObject = ObjectOf(results.object, "personal");
    if (personalObject.status == JsonStatus::MissingKey)
        return MarkedRow(table, row, path);

    // From 9.8 on the personal results are wrapped in an object keyed by vehicle.
    if (layout.wrapped) {
        const ParsedObject wrapper = personalObject;
        if (!wrapper.Ok()) {
            desktop.Beep(400, 200);
            return LibraryRowKind::Early;
        }
        if (wrapper.object.MemberCount() == 0)
            return MarkedRow(table, row, path);
        personalObject = ObjectAt(wrapper.object, 0);
    }
    if (!personalObject.Ok())
        return ErrorRow(table, row, path);
    const auto personal = ReadMembers(personalObject.object, kPersonalKeys, layout);
    if (!personal)
        return MarkedRow(table, row, path);

    const auto commonObject = ObjectOf(results.object, "common");
    if (commonObject.status == JsonStatus::MissingKey)
        return MarkedRow(table, row, path);
    if (!commonObject.Ok())
        return ErrorRow(table, row, path);
    const auto common = ReadMembers(commonObject.object, kCommonKeys, layout);
    if (!common)
        return MarkedRow(table, row, path);

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
        return ErrorRow(table, row, path);
    }
    const auto profit = NetProfit({value("premiumCreditsFactor10"), value("originalCredits"),
                                   value("creditsContributionIn"), value("creditsContributionOut"),
                                   value("autoRepairCost"), value("autoEquipCost"),
                                   value("autoLoadCost"), layout.premiumFactorDivisor});
    if (!profit)
        return ErrorRow(table, row, path);

    table.SetCell(col::Vehicle, row, VehicleColumnText(ini, header.playerVehicle));
    table.SetCell(col::BattleType, row, battleType);
    table.SetCell(col::Mode, row, ModeWordLibrary(header.gameplayID));
    table.SetCell(col::Outcome, row, BattleOutcome((*common)[3], value("team")));
    table.SetCell(col::Survived, row, value("health") != "0" ? "Да" : "");
    table.SetCell(col::Mastery, row, mastery);
    table.SetCell(col::Xp, row, value("xp"));
    table.SetCell(col::OriginalXp, row, value("originalXP"));
    table.SetCell(col::Damage, row, value("damageDealt"));
    table.SetCell(col::Kills, row, value("kills"));
    table.SetCell(col::AssistRadio, row, value("damageAssistedRadio"));
    table.SetCell(col::AssistTrack, row, value("damageAssistedTrack"));
    table.SetCell(col::Credits, row, value("credits"));
    table.SetCell(col::Repair, row, value("autoRepairCost"));
    table.SetCell(col::AmmoCost, row, FirstListNumber(value("autoLoadCost")));
    table.SetCell(col::EquipmentCost, row, FirstListNumber(value("autoEquipCost")));
    table.SetCell(col::NetProfit, row, std::to_string(*profit));
    table.SetCell(col::Path, row, path);
    // The scan's loop fits rows by list position, some before they are filled: a complete
    // row is fitted here, so its texts are never cut off.
    FitColumnsToRow(table, row, desktop);
    return LibraryRowKind::Normal;
}

}  // namespace kordex
