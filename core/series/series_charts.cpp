#include "series/series_charts.h"

#include <algorithm>
#include <map>

#include "series/series_table_style.h"
#include "tables/cell_markers.h"
#include "text/letter_case.h"
#include "text/number_format.h"

namespace kordex {

namespace {

constexpr int kOutcomeRow = 2;

std::string DateText(std::string cell) {
    std::replace(cell.begin(), cell.end(), ';', ' ');
    // A later battle of the same day has no date of its own, only ";" and the time.
    if (!cell.empty() && cell.front() == ' ')
        cell.erase(0, 1);
    return cell;
}

std::vector<ChartBattle> ChartedBattles(const TextGrid& exp) {
    std::vector<ChartBattle> battles;
    int number = 0;
    for (int column = 2; column < exp.ColumnCount(); ++column) {
        if (SeriesColumnOf(exp, column) != SeriesColumn::Battle)
            continue;
        ++number;
        const auto outcome = BattleOutcomeOf(exp.Cell(column, kOutcomeRow));
        if (outcome)
            battles.push_back(
                {column, number, DateText(exp.Cell(column, 0)), exp.Cell(column, 1), *outcome});
    }
    return battles;
}

std::optional<int> CellNumber(const TextGrid& grid, int column, int row) {
    const std::string& cell = grid.Cell(column, row);
    if (cell.empty())
        return std::nullopt;
    return ParseWholeNumber(ValuePart(cell));
}

// Rows of one name, in the order of their first row; with "Группировать по боям" a player has a
// row per battle, matched as the run matches names, letter case aside.
std::vector<PlayerCharts> PlayersOf(const TextGrid& exp) {
    std::vector<PlayerCharts> players;
    std::map<std::string, std::size_t> byName;
    for (int row = kSeriesStartRow; row < exp.RowCount(); ++row) {
        const std::string& name = exp.Cell(0, row);
        if (name.empty())
            continue;
        auto [found, added] = byName.try_emplace(FoldLetterCase(name), players.size());
        if (added)
            players.push_back({name, {}, {}, {}, 0, 0, 0});
        players[found->second].rows.push_back(row);
    }
    return players;
}

// The player's value in a battle: the first row that holds a number there.
std::optional<int> PlayerValue(const TextGrid& grid, const PlayerCharts& player, int column) {
    for (int row : player.rows) {
        if (auto value = CellNumber(grid, column, row))
            return value;
    }
    return std::nullopt;
}

double Average(const std::vector<std::optional<int>>& values) {
    long long sum = 0;
    int count = 0;
    for (const auto& value : values) {
        if (value) {
            sum += *value;
            ++count;
        }
    }
    return count == 0 ? 0 : static_cast<double>(sum) / count;
}

void FillPlayer(PlayerCharts& player, const TextGrid& exp, const TextGrid& damage,
                const std::vector<ChartBattle>& battles) {
    for (const ChartBattle& battle : battles) {
        player.experience.push_back(PlayerValue(exp, player, battle.column));
        player.damage.push_back(PlayerValue(damage, player, battle.column));
        const bool tookPart = std::any_of(player.rows.begin(), player.rows.end(), [&](int row) {
            return !exp.Cell(battle.column, row).empty();
        });
        player.battles += tookPart;
    }
    player.averageExperience = Average(player.experience);
    player.averageDamage = Average(player.damage);
}

std::vector<TeamPoint> TeamPoints(const std::vector<ChartBattle>& battles,
                                  const std::vector<PlayerCharts>& players) {
    std::vector<TeamPoint> team;
    int wins = 0;
    for (std::size_t i = 0; i < battles.size(); ++i) {
        TeamPoint point;
        for (const PlayerCharts& player : players) {
            point.experience += player.experience[i].value_or(0);
            point.damage += player.damage[i].value_or(0);
        }
        wins += battles[i].outcome == BattleOutcome::Win;
        point.winRate = wins * 100.0 / static_cast<double>(i + 1);
        team.push_back(point);
    }
    return team;
}

std::vector<int> Ranking(const std::vector<PlayerCharts>& players) {
    std::vector<int> order(players.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        if (players[a].averageExperience != players[b].averageExperience)
            return players[a].averageExperience > players[b].averageExperience;
        return players[a].battles > players[b].battles;
    });
    return order;
}

}  // namespace

std::optional<BattleOutcome> BattleOutcomeOf(std::string_view outcomeCell) {
    if (outcomeCell == "Победа")
        return BattleOutcome::Win;
    if (outcomeCell == "Поражение")
        return BattleOutcome::Loss;
    if (outcomeCell == "Ничья")
        return BattleOutcome::Draw;
    return std::nullopt;
}

std::string_view OutcomeWord(BattleOutcome outcome) {
    switch (outcome) {
        case BattleOutcome::Win:
            return "Победа";
        case BattleOutcome::Loss:
            return "Поражение";
        case BattleOutcome::Draw:
            return "Ничья";
    }
    return {};
}

std::optional<std::string> ChartPlayerAt(const TextGrid& grid, int column, int row) {
    if (column != 0 || row < grid.FixedRows() || row >= grid.RowCount() ||
        grid.Cell(0, row).empty())
        return std::nullopt;
    return grid.Cell(0, row);
}

const PlayerCharts* SeriesCharts::Player(const std::string& name) const {
    for (const PlayerCharts& player : players) {
        if (EqualIgnoringCase(player.name, name))
            return &player;
    }
    return nullptr;
}

SeriesCharts BuildSeriesCharts(const TextGrid& exp, const TextGrid& damage) {
    SeriesCharts charts;
    charts.battles = ChartedBattles(exp);
    charts.players = PlayersOf(exp);
    for (PlayerCharts& player : charts.players)
        FillPlayer(player, exp, damage, charts.battles);
    // A player of the tables who took part in none of the charted battles has nothing to draw.
    std::erase_if(charts.players, [](const PlayerCharts& player) { return player.battles == 0; });
    charts.team = TeamPoints(charts.battles, charts.players);
    charts.ranking = Ranking(charts.players);
    return charts;
}

SeriesCharts BuildSeriesCharts(const SeriesTables& tables) {
    return BuildSeriesCharts(tables.SeriesGridExp, tables.SeriesGridDamage);
}

}  // namespace kordex
