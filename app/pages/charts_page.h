#pragma once

#include <QListWidget>
#include <QWidget>

#include <vector>

#include "pages/chart_view.h"
#include "series/series_charts.h"
#include "series/series_tables.h"

namespace kordex::app {

// The tab "Графики" of the series page: the team and the ranking on top, the players' list
// beside the chosen player's charts below. Drawn from the series tables each time it is shown,
// so sorts and runs since the last look are in it.
class ChartsPage : public QWidget {
    Q_OBJECT
  public:
    ChartsPage(const SeriesTables& tables, QWidget* parent = nullptr);

    // Reads the tables again and redraws, keeping the chosen player where there still is one.
    void Refresh();
    // Chooses the player of the name (letter case aside); false when the series has none.
    bool ShowPlayer(const QString& name);

    QListWidget* ChartPlayers;
    std::vector<ChartView*> TeamChartViews;  // experience, damage, win rate
    ChartView* RankingChart;
    std::vector<ChartView*> PlayerChartViews;  // experience, damage

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void DrawChosenPlayer();

    const SeriesTables& tables_;
    SeriesCharts charts_;
};

}  // namespace kordex::app
