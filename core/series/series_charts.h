#pragma once

#include <optional>
#include <string>
#include <vector>

#include "series/series_tables.h"
#include "tables/text_grid.h"

namespace kordex {

enum class BattleOutcome { Win, Loss, Draw };

// A battle the charts draw: a battle column whose outcome cell holds a battle word. Repeats and
// unusable replays carry other words there and are left out.
struct ChartBattle {
    int column = 0;    // in the series tables
    int number = 0;    // 1 for the first battle column, counting every replay of the run
    std::string date;  // row 0, the ";" between date and time as a blank
    std::string map;
    BattleOutcome outcome = BattleOutcome::Win;

    bool operator==(const ChartBattle&) const = default;
};

// The team in one battle: the recorder's side summed, and the win rate up to this battle.
struct TeamPoint {
    long long experience = 0;
    long long damage = 0;
    double winRate = 0;  // per cent, over the charted battles up to and including this one

    bool operator==(const TeamPoint&) const = default;
};

// One player over the charted battles: a value per battle, nothing where the player did not
// take part (or the cell held no number).
struct PlayerCharts {
    std::string name;
    std::vector<int> rows;  // the player's rows in the series tables (several when grouped)
    std::vector<std::optional<int>> experience;
    std::vector<std::optional<int>> damage;
    double averageExperience = 0;
    double averageDamage = 0;
    int battles = 0;  // charted battles the player took part in

    bool operator==(const PlayerCharts&) const = default;
};

struct SeriesCharts {
    std::vector<ChartBattle> battles;   // in battle order
    std::vector<TeamPoint> team;        // one per battle
    std::vector<PlayerCharts> players;  // in the tables' row order, one per name
    // Indexes into players: by average experience, highest first; ties by battles played.
    std::vector<int> ranking;

    // Fewer than two battles make no line.
    bool Drawable() const { return battles.size() >= 2; }
    // The player of the name, or nothing.
    const PlayerCharts* Player(const std::string& name) const;

    bool operator==(const SeriesCharts&) const = default;
};

// The text shown in place of the charts while there is nothing to draw.
inline constexpr const char* kNothingToChart =
    "Графики появятся, когда в серии будет хотя бы два боя.";

// The charts of the filled series tables: battle columns in their order wherever the totals
// stand, players matched by name (with "Группировать по боям" a player's rows join).
SeriesCharts BuildSeriesCharts(const TextGrid& exp, const TextGrid& damage);
SeriesCharts BuildSeriesCharts(const SeriesTables& tables);

// The player whose charts a double click on the cell opens: a name in column 0 below the
// header rows; nothing for any other cell.
std::optional<std::string> ChartPlayerAt(const TextGrid& grid, int column, int row);

// The battle outcome of an outcome cell, or nothing for any other word.
std::optional<BattleOutcome> BattleOutcomeOf(std::string_view outcomeCell);
// The outcome cell's word of the outcome: "Победа", "Поражение", "Ничья".
std::string_view OutcomeWord(BattleOutcome outcome);

}  // namespace kordex
