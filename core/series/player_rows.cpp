#include "series/player_rows.h"

#include <optional>

#include "tables/cell_markers.h"
#include "text/letter_case.h"
#include "text/number_format.h"

namespace kordex {

namespace vf = vehicle_field;

namespace {

bool HoldsPlayer(const VehicleRow& row) {
    return !row[vf::Id].empty();
}

// Replaces whatever follows the value part by the given marker.
void SetMarker(std::string& field, std::string_view marker) {
    field = std::string(ValuePart(field)) + ";" + std::string(marker);
}

// The row of column 0 from startRow down whose name matches, ignoring letter case.
std::optional<int> FindPlayerRow(const TextGrid& grid, const std::string& name, int startRow) {
    const std::string wanted = FoldLetterCase(name);
    for (int row = startRow; row < grid.RowCount(); ++row)
        if (FoldLetterCase(grid.Cell(0, row)) == wanted)
            return row;
    return std::nullopt;
}

// The first row whose name cell is empty, or a new row added at the bottom of all five grids.
int FreeRow(SeriesTables& tables, int startRow) {
    const TextGrid& exp = tables.SeriesGridExp;
    for (int row = startRow; row < exp.RowCount(); ++row)
        if (exp.Cell(0, row).empty())
            return row;
    const int added = exp.RowCount();
    for (TextGrid* grid : tables.SeriesGrids())
        grid->SetRowCount(added + 1);
    return added;
}

void WriteNewPlayer(SeriesTables& tables, int row, int column, const VehicleRow& player) {
    const auto cells = SeriesBattleCells(player);
    const auto grids = tables.SeriesGrids();
    for (std::size_t g = 0; g < grids.size(); ++g) {
        grids[g]->SetCell(0, row, player[vf::Name]);
        grids[g]->SetCell(1, row, player[vf::Type]);
        grids[g]->SetCell(column, row, cells[g]);
    }
}

// True when the vehicle already stands in the ", "-joined list; whole entries are compared, so
// a name that is a part of a longer one already listed is still added.
bool VehicleListed(std::string_view list, std::string_view vehicle) {
    std::size_t start = 0;
    while (start <= list.size()) {
        const auto end = list.find(", ", start);
        const auto entry = list.substr(start, end == std::string_view::npos ? end : end - start);
        if (entry == vehicle)
            return true;
        if (end == std::string_view::npos)
            break;
        start = end + 2;
    }
    return false;
}

}  // namespace

void ResetAlliesTable(AlliesTable& allies) {
    for (auto& row : allies)
        for (auto& field : row)
            field.clear();
}

bool BuildAlliesTable(VehicleTable& vehicles, AlliesTable& allies, std::string_view recorderTeam) {
    std::size_t n = 0;
    bool fits = true;
    for (auto& row : vehicles) {
        // An empty row never belongs to the team, even when the team text is empty too.
        const bool ally = !row[vf::Team].empty() && row[vf::Team] == recorderTeam;
        row[vf::Team] = ally ? "1" : "0";
        if (!ally)
            continue;
        if (n == allies.size()) {
            fits = false;
            continue;
        }
        allies[n] = row;
        ++n;
    }
    return fits;
}

void MarkAlliesExtremes(AlliesTable& allies, int field) {
    // The first readable value starts both the lowest and the highest, so values above any fixed
    // starting bound, and an unreadable first row, are marked correctly.
    std::optional<int> lowest, highest;
    std::size_t lowRow = 0, highRow = 0;
    for (std::size_t r = 0; r < allies.size(); ++r) {
        auto& row = allies[r];
        if (!HoldsPlayer(row))
            continue;
        std::string& text = row[static_cast<std::size_t>(field)];
        const auto value = ParseWholeNumber(text);
        if (!value) {
            text = kErrorCell;
            continue;
        }
        if (!lowest || *value < *lowest) {
            lowest = value;
            lowRow = r;
        }
        if (!highest || *value > *highest) {
            highest = value;
            highRow = r;
        }
        text += ";0";
    }
    if (!lowest)
        return;
    SetMarker(allies[lowRow][static_cast<std::size_t>(field)], "-1");
    SetMarker(allies[highRow][static_cast<std::size_t>(field)], "+1");
}

void MarkAlliesSupportExtremes(AlliesTable& allies) {
    std::optional<long long> lowest, highest;
    std::size_t lowRow = 0, highRow = 0;
    for (std::size_t r = 0; r < allies.size(); ++r) {
        auto& row = allies[r];
        if (!HoldsPlayer(row))
            continue;
        for (int f : {vf::AssistRadio, vf::AssistTrack})
            if (row[f].empty())
                row[f] = "0";
        const auto radio = ParseWholeNumber(row[vf::AssistRadio]);
        const auto track = ParseWholeNumber(row[vf::AssistTrack]);
        // A value the results never give (not a whole number) keeps its text and its ";0".
        if (radio && track) {
            const long long sum = static_cast<long long>(*radio) + *track;
            if (!lowest || sum < *lowest) {
                lowest = sum;
                lowRow = r;
            }
            if (!highest || sum > *highest) {
                highest = sum;
                highRow = r;
            }
        }
        row[vf::AssistTrack] += ";0";
    }
    if (!lowest)
        return;
    SetMarker(allies[lowRow][vf::AssistTrack], "-1");
    SetMarker(allies[highRow][vf::AssistTrack], "+1");
}

std::array<std::string, 5> SeriesBattleCells(const VehicleRow& row) {
    const std::string& alive = row[vf::Alive];
    return {
        row[vf::Xp] + ";" + alive,
        row[vf::Kills] + ";" + alive,
        row[vf::Damage] + ";" + alive,
        row[vf::AssistRadio] + " / " + row[vf::AssistTrack] + ";" + alive,
        row[vf::Shots] + " - " + row[vf::Pierced] + "/" + row[vf::Hits] + " (" + row[vf::HeHits] +
            ");0;" + alive,
    };
}

void AlliesInfoToGrids(SeriesTables& tables, const AlliesTable& allies, int count, int startRow) {
    const int column = count + 2;
    const auto grids = tables.SeriesGrids();
    if (count == 0) {
        // The grids are empty at the first battle and a team fits the rows the run prepared.
        for (std::size_t i = 0; i < allies.size(); ++i)
            if (HoldsPlayer(allies[i]))
                WriteNewPlayer(tables, startRow + static_cast<int>(i), column, allies[i]);
        return;
    }
    for (const auto& player : allies) {
        if (!HoldsPlayer(player))
            continue;
        const auto found = FindPlayerRow(tables.SeriesGridExp, player[vf::Name], startRow);
        if (!found) {
            WriteNewPlayer(tables, FreeRow(tables, startRow), column, player);
            continue;
        }
        const int row = *found;
        const auto cells = SeriesBattleCells(player);
        for (std::size_t g = 0; g < grids.size(); ++g)
            grids[g]->SetCell(column, row, cells[g]);
        // The name cell keeps the letters of the first appearance; the vehicle list grows.
        std::string vehicles = tables.SeriesGridExp.Cell(1, row);
        if (!player[vf::Type].empty() && !VehicleListed(vehicles, player[vf::Type]))
            vehicles += ", " + player[vf::Type];
        for (TextGrid* grid : grids)
            grid->SetCell(1, row, vehicles);
    }
}

void AlliesInfoToGridsGroupped(SeriesTables& tables, const AlliesTable& allies, int count) {
    const int column = count + 2;
    for (const auto& player : allies)
        if (HoldsPlayer(player))
            WriteNewPlayer(tables, FreeRow(tables, kSeriesStartRow), column, player);
}

}  // namespace kordex
