#include "single/team_table_widths.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <string_view>

#include "single/team_tables.h"
#include "tables/grid_helpers.h"

namespace kordex {

namespace {

constexpr int kShownColumns = team_column::Accuracy + 1;
// Room around a text, as FitColumnWidth leaves it.
constexpr int kPadding = 7;

using Widths = std::array<int, kShownColumns>;

int Fitted(const TextGrid& grid, int textWidth) {
    return textWidth + grid.LineWidth() + kPadding;
}

// The widest value a value column shows: the text before the marker, which is never drawn.
int ShownValuesWidth(const TextGrid& grid, int column, Desktop& desktop) {
    int widest = 0;
    for (int row = 0; row < grid.RowCount(); ++row) {
        std::string_view text = grid.Cell(column, row);
        text = text.substr(0, text.find(';'));
        widest = std::max(widest, desktop.TextWidth(std::string(text), grid.Font()));
    }
    return Fitted(grid, widest);
}

// Takes `excess` pixels from the given columns, always from the widest one that is still
// above its floor, so the columns that give way end up equally wide. Returns what is left.
int GiveWay(Widths& widths, const Widths& floors, std::initializer_list<int> columns, int excess) {
    while (excess > 0) {
        int widest = -1;
        for (int column : columns)
            if (widths[column] > floors[column] && (widest < 0 || widths[column] > widths[widest]))
                widest = column;
        if (widest < 0)
            break;
        --widths[widest];
        --excess;
    }
    return excess;
}

}  // namespace

void FitTeamColumnsToWidth(TextGrid& grid, int width, Desktop& desktop) {
    Widths widths{};
    Widths floors{};
    for (int column = 0; column < kShownColumns; ++column) {
        if (column <= team_column::Kills) {
            widths[column] = FitColumnWidth(grid, column, desktop);
            floors[column] = widths[column];
        } else {
            widths[column] = grid.DefaultColumnWidth();
            floors[column] = std::min(widths[column], ShownValuesWidth(grid, column, desktop));
        }
    }
    for (int column : {team_column::Name, team_column::Vehicle})
        floors[column] = std::min(
            widths[column], Fitted(grid, desktop.TextWidth(grid.Cell(column, 0), grid.Font())));

    int needed = 0;
    for (int column = 0; column < kShownColumns; ++column)
        needed += widths[column] + grid.LineWidth();
    int excess = needed - width;
    excess = GiveWay(widths, floors,
                     {team_column::Xp, team_column::Damage, team_column::AssistRadio,
                      team_column::AssistTrack, team_column::Accuracy},
                     excess);
    GiveWay(widths, floors, {team_column::Name, team_column::Vehicle}, excess);

    for (int column = 0; column < kShownColumns; ++column)
        grid.SetColumnWidth(column, widths[column]);
}

}  // namespace kordex
