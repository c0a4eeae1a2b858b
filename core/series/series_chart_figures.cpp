#include "series/series_chart_figures.h"

#include <cmath>

namespace kordex {

namespace {

// "Бой 3, 27.05.2017 21:45, Энск, Победа: 1234"
std::string BattleTip(const ChartBattle& battle, long long value) {
    std::string tip = "Бой " + std::to_string(battle.number);
    for (const std::string& part :
         {battle.date, battle.map, std::string(OutcomeWord(battle.outcome))}) {
        if (!part.empty())
            tip += ", " + part;
    }
    return tip + ": " + std::to_string(value);
}

std::vector<std::optional<double>> Values(const std::vector<std::optional<int>>& values) {
    std::vector<std::optional<double>> out;
    for (const auto& value : values)
        out.push_back(value ? std::optional<double>(*value) : std::nullopt);
    return out;
}

LineSeries PlayerLine(const SeriesCharts& charts, const std::vector<std::optional<int>>& values,
                      double average, Rgb colour) {
    LineSeries line{Values(values), colour, {}, {}, average};
    for (std::size_t i = 0; i < values.size(); ++i)
        line.tips.push_back(values[i] ? BattleTip(charts.battles[i], *values[i]) : std::string());
    return line;
}

}  // namespace

Rgb OutcomeColour(BattleOutcome outcome) {
    switch (outcome) {
        case BattleOutcome::Win:
            return {0, 255, 0};
        case BattleOutcome::Loss:
            return {255, 0, 0};
        case BattleOutcome::Draw:
            return {255, 255, 0};
    }
    return {};
}

std::vector<std::string> BattleCategories(const SeriesCharts& charts) {
    std::vector<std::string> categories;
    for (const ChartBattle& battle : charts.battles)
        categories.push_back(std::to_string(battle.number));
    return categories;
}

std::vector<ChartFigure> TeamChartFigures(const SeriesCharts& charts) {
    if (!charts.Drawable())
        return {MessageFigure("Команда", kNothingToChart)};
    const std::vector<std::string> categories = BattleCategories(charts);
    std::vector<double> experience, damage;
    std::vector<Rgb> fills;
    std::vector<std::string> experienceTips, damageTips;
    LineSeries winRate{{}, kWinRateColour, {}, {}, std::nullopt};
    for (std::size_t i = 0; i < charts.battles.size(); ++i) {
        const ChartBattle& battle = charts.battles[i];
        const TeamPoint& point = charts.team[i];
        experience.push_back(static_cast<double>(point.experience));
        damage.push_back(static_cast<double>(point.damage));
        fills.push_back(OutcomeColour(battle.outcome));
        experienceTips.push_back(BattleTip(battle, point.experience));
        damageTips.push_back(BattleTip(battle, point.damage));
        winRate.values.push_back(point.winRate);
        winRate.dotColours.push_back(OutcomeColour(battle.outcome));
        winRate.tips.push_back(BattleTip(battle, std::llround(point.winRate)) + "%");
    }
    return {
        ColumnChartFigure("Опыт команды за бой", categories, experience, fills, experienceTips),
        ColumnChartFigure("Урон команды за бой", categories, damage, fills, damageTips),
        LineChartFigure("Процент побед с начала серии", categories, {winRate}, 100.0),
    };
}

ChartFigure RankingFigure(const SeriesCharts& charts) {
    if (!charts.Drawable())
        return MessageFigure("Игроки", kNothingToChart);
    std::vector<std::string> names;
    BarPanel experience{"Средний опыт", {}, {}, kExperienceColour};
    BarPanel battles{"Боев сыграно", {}, {}, kBattlesColour};
    for (int index : charts.ranking) {
        const PlayerCharts& player = charts.players[static_cast<std::size_t>(index)];
        names.push_back(player.name);
        experience.values.push_back(player.averageExperience);
        experience.valueTexts.push_back(std::to_string(std::llround(player.averageExperience)));
        battles.values.push_back(player.battles);
        battles.valueTexts.push_back(std::to_string(player.battles));
    }
    return RankingChartFigure("Игроки: средний опыт и число боев", names, {experience, battles});
}

std::vector<ChartFigure> PlayerChartFigures(const SeriesCharts& charts,
                                            const PlayerCharts& player) {
    if (!charts.Drawable())
        return {MessageFigure(player.name, kNothingToChart)};
    const std::vector<std::string> categories = BattleCategories(charts);
    return {
        LineChartFigure(
            player.name + ": опыт", categories,
            {PlayerLine(charts, player.experience, player.averageExperience, kExperienceColour)}),
        LineChartFigure(player.name + ": урон", categories,
                        {PlayerLine(charts, player.damage, player.averageDamage, kDamageColour)}),
    };
}

}  // namespace kordex
