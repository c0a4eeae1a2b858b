#include "series/player_rows.h"
#include "window/window_tables.h"

#include <gtest/gtest.h>

namespace kordex {
namespace {

namespace vf = vehicle_field;

// The window's tables with their titles, as the start-up leaves them.
struct TitledTables : WindowTables {
    TitledTables() { SetTableTitles(*this); }
};

VehicleRow Player(const std::string& id, const std::string& name, const std::string& team,
                  const std::string& xp = "100", const std::string& alive = "true") {
    VehicleRow row;
    row[vf::Id] = id;
    row[vf::Type] = "Танк " + id;
    row[vf::Alive] = alive;
    row[vf::Name] = name;
    row[vf::Team] = team;
    row[vf::Kills] = "0";
    row[vf::Xp] = xp;
    row[vf::Damage] = "500";
    row[vf::AssistRadio] = "10";
    row[vf::AssistTrack] = "0";
    row[vf::Shots] = "9";
    row[vf::Hits] = "8";
    row[vf::Pierced] = "6";
    row[vf::HeHits] = "1";
    return row;
}

// Allies holding the given texts in one field, one player per text.
AlliesTable AlliesWith(int field, const std::vector<std::string>& values) {
    AlliesTable allies;
    for (std::size_t i = 0; i < values.size(); ++i) {
        allies[i] = Player(std::to_string(i + 1), "p" + std::to_string(i), "1");
        allies[i][static_cast<std::size_t>(field)] = values[i];
    }
    return allies;
}

std::vector<std::string> FieldOf(const AlliesTable& allies, int field, std::size_t n) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < n; ++i)
        out.push_back(allies[i][static_cast<std::size_t>(field)]);
    return out;
}

TEST(BuildAlliesTable, TakesTheRecordersTeamAndRewritesTheTeamField) {
    VehicleTable vehicles;
    vehicles[0] = Player("11", "a", "2");
    vehicles[1] = Player("12", "b", "1");
    vehicles[2] = Player("13", "c", "2");
    AlliesTable allies;
    ASSERT_TRUE(BuildAlliesTable(vehicles, allies, "2"));
    EXPECT_EQ(allies[0][vf::Name], "a");
    EXPECT_EQ(allies[1][vf::Name], "c");
    EXPECT_EQ(allies[0][vf::Team], "1");
    EXPECT_TRUE(allies[2][vf::Id].empty());
    EXPECT_EQ(vehicles[0][vf::Team], "1");
    EXPECT_EQ(vehicles[1][vf::Team], "0");
    EXPECT_EQ(vehicles[29][vf::Team], "0");  // empty rows too
}

TEST(BuildAlliesTable, ASixteenthMemberFailsAndAnEmptyTeamMatchesNoEmptyRow) {
    VehicleTable vehicles;
    for (int i = 0; i < 16; ++i)
        vehicles[static_cast<std::size_t>(i)] = Player(std::to_string(i), "n", "1");
    AlliesTable allies;
    EXPECT_FALSE(BuildAlliesTable(vehicles, allies, "1"));

    VehicleTable few;
    few[0] = Player("1", "a", "1");
    AlliesTable none;
    EXPECT_TRUE(BuildAlliesTable(few, none, ""));
    EXPECT_TRUE(none[0][vf::Id].empty());
}

TEST(MarkAlliesExtremes, MarksLowestAndHighestOfTheSide) {
    struct Case {
        std::vector<std::string> values;
        std::vector<std::string> marked;
    };
    const Case cases[] = {
        {{"850", "420", "1200"}, {"850;0", "420;-1", "1200;+1"}},
        // Nobody scored: the first player carries the mark of the highest all the same.
        {{"0", "0", "0"}, {"0;+1", "0;0", "0;0"}},
        {{"1234"}, {"1234;+1"}},
        // Damage above 10000 everywhere: the lowest is found, not row 0 by default.
        {{"12000", "15000", "11000"}, {"12000;0", "15000;+1", "11000;-1"}},
        // An unreadable first value takes no part and keeps its error text.
        {{"", "300", "200"}, {"error;0", "300;+1", "200;-1"}},
        {{"x", "y"}, {"error;0", "error;0"}},
    };
    for (const Case& c : cases) {
        AlliesTable allies = AlliesWith(vf::Damage, c.values);
        MarkAlliesExtremes(allies, vf::Damage);
        EXPECT_EQ(FieldOf(allies, vf::Damage, c.values.size()), c.marked) << c.values.front();
    }
}

TEST(MarkAlliesSupportExtremes, MarksTheSumAfterTheTrackingValue) {
    AlliesTable allies = AlliesWith(vf::AssistRadio, {"100", "", "50"});
    allies[0][vf::AssistTrack] = "0";
    allies[1][vf::AssistTrack] = "";
    allies[2][vf::AssistTrack] = "200";
    MarkAlliesSupportExtremes(allies);
    EXPECT_EQ(FieldOf(allies, vf::AssistRadio, 3), (std::vector<std::string>{"100", "0", "50"}));
    EXPECT_EQ(FieldOf(allies, vf::AssistTrack, 3),
              (std::vector<std::string>{"0;0", "0;-1", "200;+1"}));
}

TEST(SeriesBattleCells, CarryValueExtremeAndAliveMarkers) {
    VehicleRow row = Player("1", "a", "1", "1234;+1", "false");
    row[vf::Kills] = "2;0";
    row[vf::Damage] = "900;-1";
    row[vf::AssistRadio] = "210";
    row[vf::AssistTrack] = "0;0";
    const auto cells = SeriesBattleCells(row);
    EXPECT_EQ(cells[0], "1234;+1;false");
    EXPECT_EQ(cells[1], "2;0;false");
    EXPECT_EQ(cells[2], "900;-1;false");
    EXPECT_EQ(cells[3], "210 / 0;0;false");
    EXPECT_EQ(cells[4], "9 - 6/8 (1);0;false");
}

AlliesTable Team(const std::vector<std::pair<std::string, std::string>>& namesAndVehicles) {
    AlliesTable allies;
    for (std::size_t i = 0; i < namesAndVehicles.size(); ++i) {
        allies[i] = Player(std::to_string(i + 1), namesAndVehicles[i].first, "1",
                           std::to_string(100 * (i + 1)) + ";0");
        allies[i][vf::Type] = namesAndVehicles[i].second;
    }
    return allies;
}

TEST(AlliesInfoToGrids, AddsRowsBeyondTheFirstFifteenInAllGrids) {
    TitledTables tables;
    PrepareSeriesGrids(tables, 2);
    std::vector<std::pair<std::string, std::string>> first, second;
    for (int i = 0; i < 15; ++i) {
        first.push_back({"a" + std::to_string(i), "V"});
        second.push_back({"b" + std::to_string(i), "V"});
    }
    AlliesInfoToGrids(tables, Team(first), 0, kSeriesStartRow);
    AlliesInfoToGrids(tables, Team(second), 1, kSeriesStartRow);
    for (const TextGrid* grid : tables.SeriesGrids()) {
        ASSERT_EQ(grid->RowCount(), 3 + 30);
        EXPECT_EQ(grid->Cell(0, 32), "b14");
        EXPECT_FALSE(grid->Cell(3, 32).empty());
    }
    EXPECT_EQ(tables.SeriesGridExp.Cell(3, 32), "1500;0;true");
    EXPECT_EQ(tables.SeriesGridShots.Cell(3, 32), "9 - 6/8 (1);0;true");
}

}  // namespace
}  // namespace kordex
