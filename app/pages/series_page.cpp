#include "pages/series_page.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "pages/author_stats_panel.h"
#include "pages/charts_page.h"
#include "series/series_charts.h"
#include "series/series_table_style.h"
#include "widget_names.h"

namespace kordex::app {

namespace {

GridView* SeriesGridView(TextGrid& grid, SeriesTable table, const char* name, QWidget* parent) {
    auto* view = Named(new GridView(grid, parent), name);
    view->SetColumnsResizable(true);
    view->SetSeriesWheelScroll(true);
    // SeriesGridExpDrawCell for four tables, SeriesGridShotsDrawCell for the shooting table;
    // the summary keeps the table's own drawing.
    if (table != SeriesTable::Summary)
        view->SetCellStyleHook([view, table](int column, int row, const std::string&, bool) {
            return SeriesTableCellStyle(table, view->Grid(), column, row);
        });
    return view;
}

}  // namespace

SeriesPage::SeriesPage(WindowTables& tables, QWidget* parent) : QWidget(parent) {
    SeriesAnalysisButton = NamedButton(this, "SeriesAnalysisButton", QStringLiteral("Начать"));
    HTMLExport = NamedButton(this, "HTMLExport", QStringLiteral("Экспорт htm"));
    XlsExport = NamedButton(this, "XlsExport", QStringLiteral("Экспорт xls"));
    auto* hint = new QLabel(QStringLiteral("Перетащите реплеи в окно программы"), this);
    MakeBold(hint);

    Multi = Named(new QTabWidget(this), "Multi");
    using enum SeriesTable;
    SeriesGridExp = SeriesGridView(tables.SeriesGridExp, Exp, "SeriesGridExp", Multi);
    SeriesGridFrags = SeriesGridView(tables.SeriesGridFrags, Frags, "SeriesGridFrags", Multi);
    SeriesGridDamage = SeriesGridView(tables.SeriesGridDamage, Damage, "SeriesGridDamage", Multi);
    SeriesGridSupport =
        SeriesGridView(tables.SeriesGridSupport, Support, "SeriesGridSupport", Multi);
    SeriesGridShots = SeriesGridView(tables.SeriesGridShots, Shots, "SeriesGridShots", Multi);
    SeriesGridSummary =
        SeriesGridView(tables.SeriesGridSummary, Summary, "SeriesGridSummary", Multi);
    MultiSummary = Named(new AuthorStatsPanel(Multi), "MultiSummary");
    Multi->addTab(SeriesGridExp, QStringLiteral("Опыт"));
    Multi->addTab(SeriesGridFrags, QStringLiteral("Фраги"));
    Multi->addTab(SeriesGridDamage, QStringLiteral("Урон"));
    Multi->addTab(SeriesGridSupport, QStringLiteral("Помощь"));
    Multi->addTab(SeriesGridShots, QStringLiteral("Стрельба"));
    Multi->addTab(SeriesGridSummary, QStringLiteral("Итого"));
    Multi->addTab(MultiSummary, QStringLiteral("Дополнительно"));
    Charts = Named(new ChartsPage(tables, Multi), "Charts");
    Multi->addTab(Charts, QStringLiteral("Графики"));

    // The summary has no link of its own: a name there opens that player's charts.
    connect(SeriesGridSummary, &GridView::cellDoubleClicked, this, [this](int column, int row) {
        if (auto name = ChartPlayerAt(SeriesGridSummary->Grid(), column, row)) {
            Multi->setCurrentWidget(Charts);
            Charts->ShowPlayer(QString::fromStdString(*name));
        }
    });

    lb_ReplaysList = Named(new QListWidget(this), "lb_ReplaysList");
    lb_ReplaysList->setSelectionMode(QAbstractItemView::NoSelection);
    lb_ReplaysList->setMaximumWidth(320);
    lb_ReplaysList->hide();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(SeriesAnalysisButton);
    buttons->addWidget(HTMLExport);
    buttons->addWidget(XlsExport);
    buttons->addSpacing(16);
    buttons->addWidget(hint);
    buttons->addStretch(1);
    auto* tablesRow = new QHBoxLayout;
    tablesRow->addWidget(Multi, 1);
    tablesRow->addWidget(lb_ReplaysList);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addLayout(buttons);
    page->addLayout(tablesRow, 1);
}

std::array<GridView*, 6> SeriesPage::Grids() const {
    return {SeriesGridExp,     SeriesGridFrags, SeriesGridDamage,
            SeriesGridSupport, SeriesGridShots, SeriesGridSummary};
}

std::array<std::pair<GridView*, SeriesTable>, 4> SeriesPage::SortableGrids() const {
    return {{{SeriesGridExp, SeriesTable::Exp},
             {SeriesGridFrags, SeriesTable::Frags},
             {SeriesGridDamage, SeriesTable::Damage},
             {SeriesGridSupport, SeriesTable::Support}}};
}

}  // namespace kordex::app
