#include "pages/charts_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QScrollArea>
#include <QVBoxLayout>

#include "series/series_chart_figures.h"
#include "widget_names.h"

namespace kordex::app {

ChartsPage::ChartsPage(const SeriesTables& tables, QWidget* parent)
    : QWidget(parent), tables_(tables) {
    auto* content = new QWidget;
    auto* top = new QGridLayout;
    for (int i = 0; i < 3; ++i)
        TeamChartViews.push_back(new ChartView(content));
    RankingChart = Named(new ChartView(content), "RankingChart");
    top->addWidget(TeamChartViews[0], 0, 0);
    top->addWidget(TeamChartViews[1], 0, 1);
    top->addWidget(TeamChartViews[2], 1, 0, Qt::AlignTop);
    top->addWidget(RankingChart, 1, 1, Qt::AlignTop);

    ChartPlayers = Named(new QListWidget(content), "ChartPlayers");
    ChartPlayers->setMaximumWidth(200);
    auto* playerCharts = new QVBoxLayout;
    for (int i = 0; i < 2; ++i) {
        PlayerChartViews.push_back(new ChartView(content));
        playerCharts->addWidget(PlayerChartViews.back());
    }
    playerCharts->addStretch(1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(ChartPlayers);
    bottom->addLayout(playerCharts, 1);

    auto* column = new QVBoxLayout(content);
    column->addLayout(top);
    column->addLayout(bottom, 1);
    auto* scroll = new QScrollArea(this);
    scroll->setWidgetResizable(true);
    scroll->setWidget(content);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(scroll);

    connect(ChartPlayers, &QListWidget::currentRowChanged, this, [this] { DrawChosenPlayer(); });
}

void ChartsPage::Refresh() {
    const QString chosen =
        ChartPlayers->currentItem() ? ChartPlayers->currentItem()->text() : QString();
    charts_ = BuildSeriesCharts(tables_);
    const std::vector<ChartFigure> team = TeamChartFigures(charts_);
    for (std::size_t i = 0; i < TeamChartViews.size(); ++i) {
        TeamChartViews[i]->SetFigure(i < team.size() ? team[i] : ChartFigure{});
        TeamChartViews[i]->setVisible(i < team.size());
    }
    RankingChart->SetFigure(RankingFigure(charts_));

    const QSignalBlocker quiet(ChartPlayers);
    ChartPlayers->clear();
    if (charts_.Drawable()) {
        for (int index : charts_.ranking)
            ChartPlayers->addItem(
                QString::fromStdString(charts_.players[static_cast<std::size_t>(index)].name));
    }
    if (!ShowPlayer(chosen) && ChartPlayers->count() > 0)
        ChartPlayers->setCurrentRow(0);
    DrawChosenPlayer();
}

bool ChartsPage::ShowPlayer(const QString& name) {
    const kordex::PlayerCharts* player = charts_.Player(name.toStdString());
    if (player == nullptr)
        return false;
    const auto found =
        ChartPlayers->findItems(QString::fromStdString(player->name), Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    ChartPlayers->setCurrentItem(found.front());
    DrawChosenPlayer();
    return true;
}

void ChartsPage::DrawChosenPlayer() {
    const QListWidgetItem* item = ChartPlayers->currentItem();
    const kordex::PlayerCharts* player =
        item ? charts_.Player(item->text().toStdString()) : nullptr;
    const std::vector<ChartFigure> figures =
        player ? PlayerChartFigures(charts_, *player) : std::vector<ChartFigure>{};
    for (std::size_t i = 0; i < PlayerChartViews.size(); ++i) {
        PlayerChartViews[i]->SetFigure(i < figures.size() ? figures[i] : ChartFigure{});
        PlayerChartViews[i]->setVisible(i < figures.size());
    }
}

void ChartsPage::showEvent(QShowEvent* event) {
    Refresh();
    QWidget::showEvent(event);
}

}  // namespace kordex::app
