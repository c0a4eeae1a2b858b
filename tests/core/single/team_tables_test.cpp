#include "single/team_tables.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/kordex_error.h"

namespace kordex {
namespace {

using namespace vehicle_field;

struct Vehicle {
    std::string team;
    std::string value;
};

// The table with field 10 (experience) of the given rows, in order from row 0.
VehicleTable TableOf(const std::vector<Vehicle>& rows) {
    VehicleTable table;  // not "{}": clang 14 crashes on the value-initialisation of 630 strings
    for (std::size_t i = 0; i < rows.size(); ++i) {
        table[i][Name] = "Player" + std::to_string(i);
        table[i][Team] = rows[i].team;
        table[i][Xp] = rows[i].value;
    }
    return table;
}

// One field of the first rows of a table.
std::vector<std::string> FieldOf(const VehicleTable& table, std::size_t count, int field = Xp) {
    std::vector<std::string> values;
    for (std::size_t i = 0; i < count; ++i)
        values.push_back(table[i][field]);
    return values;
}

TEST(MarkTeamExtremes, MarksEachTeamWithinItself) {
    struct Case {
        const char* name;
        std::vector<Vehicle> rows;
        std::vector<std::string> marked;
    };
    const std::vector<Case> cases = {
        {"two teams, each its own best and worst",
         {{"1", "850"}, {"2", "300"}, {"1", "420"}, {"2", "900"}, {"1", "1200"}, {"2", "500"}},
         {"850;0", "300;-1", "420;-1", "900;+1", "1200;+1", "500;0"}},
        // Row 0 is an enemy: the allies' extremes never land on it.
        {"row 0 of the other team",
         {{"2", "5"}, {"1", "700"}, {"1", "600"}},
         {"5;+1", "700;+1", "600;-1"}},
        // Values of 10000 and more are compared like any other.
        {"large values",
         {{"1", "12000"}, {"1", "15000"}, {"1", "11000"}},
         {"12000;0", "15000;+1", "11000;-1"}},
        {"all equal: the first row ends highest",
         {{"1", "0"}, {"1", "0"}, {"1", "0"}},
         {"0;+1", "0;0", "0;0"}},
        {"ties keep the earlier row",
         {{"1", "100"}, {"1", "300"}, {"1", "100"}, {"1", "300"}},
         {"100;-1", "300;+1", "100;0", "300;0"}},
        {"negative values",
         {{"1", "-20"}, {"1", "-5"}, {"1", "-30"}},
         {"-20;0", "-5;+1", "-30;-1"}},
        {"not whole numbers and empty fields take no part",
         {{"1", "abc"}, {"1", ""}, {"1", "40"}, {"1", "4.5"}, {"1", "60"}},
         {"error;0", "", "40;-1", "error;0", "60;+1"}},
        {"a team of one", {{"1", "40"}, {"2", "70"}}, {"40;+1", "70;+1"}},
    };
    for (const auto& c : cases) {
        VehicleTable table = TableOf(c.rows);
        MarkTeamExtremes(table, Xp, "1");
        EXPECT_EQ(FieldOf(table, c.rows.size()), c.marked) << c.name;
    }
}

TEST(MarkTeamExtremes, RowsWithoutTeamAreNeverExtremes) {
    VehicleTable table = TableOf({{"1", "500"}, {"1", "400"}, {"", "9999"}, {"2", "300"}});
    MarkTeamExtremes(table, Xp, "1");
    EXPECT_EQ(FieldOf(table, 4),
              (std::vector<std::string>{"500;+1", "400;-1", "9999;0", "300;+1"}));
}

TEST(MarkTeamExtremes, WorksOnTheNamedFieldOnly) {
    VehicleTable table = TableOf({{"1", "10"}, {"1", "20"}});
    table[0][Damage] = "700";
    table[1][Damage] = "100";
    MarkTeamExtremes(table, Damage, "1");
    EXPECT_EQ(table[0][Damage], "700;+1");
    EXPECT_EQ(table[1][Damage], "100;-1");
    EXPECT_EQ(table[0][Xp], "10");
}

VehicleTable PlatoonTable(const std::vector<std::string>& ids) {
    VehicleTable table;
    for (std::size_t i = 0; i < ids.size(); ++i)
        table[i][PlatoonId] = ids[i];
    return table;
}

TEST(NumberPlatoons, NumbersPlatoonsInTheOrderOfTheirFirstRow) {
    struct Case {
        std::vector<std::string> ids;
        std::vector<std::string> numbered;
    };
    const std::vector<Case> cases = {
        {{"0", "7050091", "0", "666120", "7050091", "666120", "0"},
         {"", "1", "", "2", "1", "2", ""}},
        // Ids of 30 and less stay as they are; an empty field stays empty.
        {{"5", "", "30", "31", "31"}, {"5", "", "30", "1", "1"}},
        // Ids beyond 32 bits are platoons like any other.
        {{"0", "98765432101", "98765432101"}, {"", "1", "1"}},
    };
    for (const auto& c : cases) {
        VehicleTable table = PlatoonTable(c.ids);
        NumberPlatoons(table);
        EXPECT_EQ(FieldOf(table, c.ids.size(), PlatoonId), c.numbered);
    }
}

TEST(NumberPlatoons, AnIdThatIsNoWholeNumberThrows) {
    for (const char* id : {"abc", "12.5", "1e5", " 7"}) {
        VehicleTable table = PlatoonTable({"0", id});
        EXPECT_THROW(NumberPlatoons(table), KordexError) << id;
    }
}

TEST(FillTeamGrids, WritesEachVehicleIntoItsTeamsTable) {
    VehicleTable table;
    auto& ally = table[0];
    ally[Type] = "Т-34";
    ally[Alive] = "true";
    ally[Name] = "Ally";
    ally[Clan] = "CLAN";
    ally[Team] = "2";
    ally[Kills] = "0";
    ally[Xp] = "850;+1";
    ally[AccountId] = "1001";
    ally[ClanId] = "77";
    ally[Damage] = "1200;0";
    ally[AssistRadio] = "300;-1";
    ally[AssistTrack] = "0;0";
    ally[PlatoonId] = "1";
    auto& enemy = table[2];
    enemy[Name] = "Enemy";
    enemy[Team] = "1";
    enemy[Alive] = "false";
    enemy[Kills] = "3";

    TextGrid allies = MakeTeamGrid();
    TextGrid enemies = MakeTeamGrid();
    FillTeamGrids(table, "2", allies, enemies);

    EXPECT_EQ(allies.Row(1),
              (std::vector<std::string>{"1", "Ally", "CLAN", "Т-34", "+", "", "850;+1", "1200;0",
                                        "300;-1", "0;0", "", "77", "1001"}));
    EXPECT_EQ(allies.Cell(team_column::Name, 2), "");
    EXPECT_EQ(enemies.Cell(team_column::Name, 1), "Enemy");
    EXPECT_EQ(enemies.Cell(team_column::Alive, 1), "-");
    EXPECT_EQ(enemies.Cell(team_column::Kills, 1), "3");
    EXPECT_EQ(allies.Cell(team_column::Xp, 0), "Опыт");
}

TEST(FillTeamGrids, ATeamBeyondFifteenVehiclesShowsItsFirstFifteen) {
    VehicleTable table;
    for (int i = 0; i < 17; ++i) {
        table[i][Name] = "P" + std::to_string(i);
        table[i][Team] = "1";
    }
    TextGrid allies = MakeTeamGrid();
    TextGrid enemies = MakeTeamGrid();
    FillTeamGrids(table, "1", allies, enemies);
    EXPECT_EQ(allies.RowCount(), kTeamRows);
    EXPECT_EQ(allies.Cell(team_column::Name, 15), "P14");
    EXPECT_EQ(enemies.Cell(team_column::Name, 1), "");
}

TEST(MakeTeamGrid, HasTitlesAndHidesTheIdColumns) {
    TextGrid grid = MakeTeamGrid();
    EXPECT_EQ(grid.ColumnCount(), 13);
    EXPECT_EQ(grid.RowCount(), 16);
    EXPECT_EQ(grid.FixedRows(), 1);
    EXPECT_EQ(grid.Row(0),
              (std::vector<std::string>{"Взв", "Ник", "Клан", "Танк", "Жив", "Убил", "Опыт", "Урон",
                                        "Свет", "Гусли", "Точн.", "", ""}));
    EXPECT_EQ(grid.ColumnWidth(team_column::ClanId), 0);
    EXPECT_EQ(grid.ColumnWidth(team_column::AccountId), 0);
}

}  // namespace
}  // namespace kordex
