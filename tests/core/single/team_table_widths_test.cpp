#include "single/team_table_widths.h"

#include <gtest/gtest.h>

#include <numeric>
#include <vector>

#include "platform/headless_desktop.h"
#include "single/team_tables.h"

namespace kordex {
namespace {

// The headless desktop measures 7 pixels a character; a fitted column is text + 1 + 7.
class FitTeamColumnsToWidthTest : public ::testing::Test {
  protected:
    void SetUp() override {
        const std::vector<std::string> row = {
            "1",      "Artillerist14", "ABC",    "M48A1 Patton", "+",  "2", "1356;+1",
            "4608;0", "1338;0",        "120;-1", "67;0",         "12", "34"};
        grid.SetRow(1, row);
    }
    std::vector<int> Widths() const {
        std::vector<int> widths;
        for (int column = 0; column < kTeamColumns; ++column)
            widths.push_back(grid.ColumnWidth(column));
        return widths;
    }
    // What the shown columns take, grid lines included.
    int Taken() const {
        int taken = 0;
        for (int column = 0; column <= team_column::Accuracy; ++column)
            taken += grid.ColumnWidth(column) + grid.LineWidth();
        return taken;
    }

    TextGrid grid = MakeTeamGrid();
    HeadlessDesktop desktop;
};

// Texts 29, 99, 36, 92, 29, 36 wide; the value columns at the default 50.
const std::vector<int> kNatural = {29, 99, 36, 92, 29, 36, 50, 50, 50, 50, 50, 0, 0};

TEST_F(FitTeamColumnsToWidthTest, AWideTableShowsTheTextsAndTheDefaultValueWidths) {
    FitTeamColumnsToWidth(grid, 600, desktop);
    EXPECT_EQ(Widths(), kNatural);
}

TEST_F(FitTeamColumnsToWidthTest, TheValueColumnsGiveWayFirst) {
    FitTeamColumnsToWidth(grid, 551, desktop);
    const std::vector<int> widths = Widths();
    EXPECT_EQ(Taken(), 551);
    EXPECT_EQ(std::vector<int>(widths.begin(), widths.begin() + 6),
              std::vector<int>(kNatural.begin(), kNatural.begin() + 6));
    // 31 pixels over five columns: as equal as whole pixels allow.
    EXPECT_EQ(std::vector<int>(widths.begin() + 6, widths.begin() + 11),
              (std::vector<int>{43, 44, 44, 44, 44}));
}

TEST_F(FitTeamColumnsToWidthTest, ThenTheNameAndVehicleColumnsTheWiderFirst) {
    // The narrowest window: the value columns keep their values and titles ("Гусли" and
    // "Точн." are 43).
    FitTeamColumnsToWidth(grid, 448, desktop);
    const std::vector<int> widths = Widths();
    EXPECT_EQ(Taken(), 448);
    EXPECT_EQ(std::vector<int>(widths.begin() + 6, widths.begin() + 11),
              (std::vector<int>{36, 36, 36, 43, 43}));
    EXPECT_EQ(widths[team_column::Name] + widths[team_column::Vehicle], 99 + 92 - 78);
    EXPECT_LE(std::abs(widths[team_column::Name] - widths[team_column::Vehicle]), 1);
    EXPECT_EQ(widths[team_column::Clan], 36);
    EXPECT_EQ(widths[team_column::AccountId], 0);
}

TEST_F(FitTeamColumnsToWidthTest, NoColumnGoesBelowItsTitleAndWideningRestoresTheWidths) {
    FitTeamColumnsToWidth(grid, 100, desktop);
    EXPECT_EQ(Widths(), (std::vector<int>{29, 29, 36, 36, 29, 36, 36, 36, 36, 43, 43, 0, 0}));
    FitTeamColumnsToWidth(grid, 600, desktop);
    EXPECT_EQ(Widths(), kNatural);
}

}  // namespace
}  // namespace kordex
