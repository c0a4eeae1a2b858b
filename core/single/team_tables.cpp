#include "single/team_tables.h"

#include <charconv>
#include <optional>
#include <string>

#include "platform/kordex_error.h"
#include "tables/cell_markers.h"
#include "text/number_format.h"

namespace kordex {

namespace {

using namespace vehicle_field;

bool HoldsVehicle(const VehicleRow& row) {
    return !row[Team].empty();
}

// The lowest and the highest row of one team for one field.
struct TeamExtremes {
    int lowestRow = -1;
    int highestRow = -1;
    int lowest = 0;
    int highest = 0;

    void Take(int row, int value) {
        if (lowestRow < 0) {
            lowestRow = highestRow = row;
            lowest = highest = value;
            return;
        }
        // Strict comparisons: of equal values the earlier row stays.
        if (value < lowest) {
            lowest = value;
            lowestRow = row;
        }
        if (value > highest) {
            highest = value;
            highestRow = row;
        }
    }
};

// Replaces whatever follows the first ";" of the field by the marker.
void SetMarker(std::string& field, std::string_view marker) {
    field = std::string(ValuePart(field)) + ";" + std::string(marker);
}

// Platoon ids are large account-side numbers; read them in 64 bits so that none is refused
// for its size alone.
std::optional<long long> ParsePlatoonId(std::string_view text) {
    long long value = 0;
    const char* first = text.data();
    const char* last = text.data() + text.size();
    if (first != last && *first == '+')
        ++first;
    auto [end, error] = std::from_chars(first, last, value);
    if (first == last || error != std::errc() || end != last)
        return std::nullopt;
    return value;
}

// Marks one text per vehicle row (the cells of one column): ";0", then ";-1" and ";+1" for
// each team's lowest and highest value; a text that is no whole number becomes "error;0".
void MarkExtremes(const VehicleTable& vehicles, const std::array<std::string*, kBattleRows>& cells,
                  std::string_view recorderTeam) {
    TeamExtremes allies;
    TeamExtremes others;
    for (int row = 0; row < kBattleRows; ++row) {
        std::string& text = *cells[row];
        if (text.empty())
            continue;
        auto value = ParseWholeNumber(text);
        if (!value) {
            text = std::string(kErrorCell);
            continue;
        }
        // Rows without a team are never shown, so they cannot be a team's best or worst.
        if (HoldsVehicle(vehicles[row]))
            (vehicles[row][Team] == recorderTeam ? allies : others).Take(row, *value);
        text += ";0";
    }
    for (const TeamExtremes* team : {&allies, &others}) {
        if (team->lowestRow < 0)
            continue;
        SetMarker(*cells[team->lowestRow], "-1");
        SetMarker(*cells[team->highestRow], "+1");
    }
}

}  // namespace

TextGrid MakeTeamGrid() {
    TextGrid grid(kTeamColumns, kTeamRows, 0, 1, 50, 16);
    grid.SetFont(FontSpec{"Tahoma", 11, false});
    SetTeamGridTitles(grid);
    return grid;
}

void SetTeamGridTitles(TextGrid& grid) {
    static const char* const kTitles[] = {"Взв",  "Ник",  "Клан", "Танк",  "Жив",  "Убил",
                                          "Опыт", "Урон", "Свет", "Гусли", "Точн."};
    for (int column = 0; column <= team_column::Accuracy; ++column)
        grid.SetCell(column, 0, kTitles[column]);
    grid.SetColumnWidth(team_column::AccountId, 0);
    grid.SetColumnWidth(team_column::ClanId, 0);
}

void MarkTeamExtremes(VehicleTable& vehicles, int field, std::string_view recorderTeam) {
    std::array<std::string*, kBattleRows> cells{};
    for (int row = 0; row < kBattleRows; ++row)
        cells[row] = &vehicles[row][field];
    MarkExtremes(vehicles, cells, recorderTeam);
}

std::optional<int> AccuracyPercent(const VehicleRow& vehicle) {
    const auto shots = ParseWholeNumber(vehicle[Shots]);
    const auto hits = ParseWholeNumber(vehicle[Hits]);
    if (!shots || !hits || *shots <= 0 || *hits < 0)
        return std::nullopt;
    const long long scaled = 100LL * *hits;
    long long percent = scaled / *shots;
    const long long twiceRest = 2 * (scaled % *shots);
    if (twiceRest > *shots || (twiceRest == *shots && percent % 2 != 0))
        ++percent;
    return static_cast<int>(percent);
}

std::array<std::string, kBattleRows> MarkedAccuracy(const VehicleTable& vehicles,
                                                    std::string_view recorderTeam) {
    std::array<std::string, kBattleRows> texts;
    std::array<std::string*, kBattleRows> cells{};
    for (int row = 0; row < kBattleRows; ++row) {
        if (const auto percent = AccuracyPercent(vehicles[row]))
            texts[row] = std::to_string(*percent);
        cells[row] = &texts[row];
    }
    MarkExtremes(vehicles, cells, recorderTeam);
    return texts;
}

void NumberPlatoons(VehicleTable& vehicles) {
    int next = 1;
    for (int row = 0; row < kBattleRows; ++row) {
        const std::string id = vehicles[row][PlatoonId];
        if (id.empty())
            continue;
        if (id == "0") {
            vehicles[row][PlatoonId].clear();
            continue;
        }
        auto value = ParsePlatoonId(id);
        if (!value)
            throw KordexError("Номер взвода не является целым числом: \"" + id + "\"");
        if (*value <= 30)
            continue;
        // Every member of this platoon gets its number; later members then hold a number of
        // 30 or less and are passed over.
        for (auto& member : vehicles)
            if (member[PlatoonId] == id)
                member[PlatoonId] = std::to_string(next);
        ++next;
    }
}

void FillTeamGrids(const VehicleTable& vehicles, std::string_view recorderTeam, TextGrid& allies,
                   TextGrid& enemies) {
    const auto accuracy = MarkedAccuracy(vehicles, recorderTeam);
    int alliesRow = allies.FixedRows();
    int enemiesRow = enemies.FixedRows();
    for (int index = 0; index < kBattleRows; ++index) {
        const VehicleRow& vehicle = vehicles[index];
        if (!HoldsVehicle(vehicle))
            continue;
        const bool ally = vehicle[Team] == recorderTeam;
        TextGrid& grid = ally ? allies : enemies;
        int& row = ally ? alliesRow : enemiesRow;
        grid.SetRow(row, {
                             vehicle[PlatoonId],
                             vehicle[Name],
                             vehicle[Clan],
                             vehicle[Type],
                             vehicle[Alive] == "true" ? "+" : "-",
                             vehicle[Kills] == "0" ? "" : vehicle[Kills],
                             vehicle[Xp],
                             vehicle[Damage],
                             vehicle[AssistRadio],
                             vehicle[AssistTrack],
                             accuracy[index],
                             vehicle[ClanId],
                             vehicle[AccountId],
                         });
        ++row;
    }
}

}  // namespace kordex
