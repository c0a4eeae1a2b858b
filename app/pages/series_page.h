#pragma once

#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "grid/grid_view.h"
#include "tables/table_identity.h"
#include "window/window_tables.h"

namespace kordex::app {

class AuthorStatsPanel;
class ChartsPage;

// The tab "Серия боев": the run buttons, the five per-player tables, the summary, the author's
// statistics, the charts and the hidden run list.
class SeriesPage : public QWidget {
    Q_OBJECT
  public:
    SeriesPage(WindowTables& tables, QWidget* parent = nullptr);

    // The six tables of the series in the order of their tabs.
    std::array<GridView*, 6> Grids() const;
    // The four tables a title click sorts; the shooting table has no header-click action.
    std::array<std::pair<GridView*, SeriesTable>, 4> SortableGrids() const;

    QPushButton* SeriesAnalysisButton;
    QPushButton* HTMLExport;
    QPushButton* XlsExport;
    QTabWidget* Multi;
    GridView* SeriesGridExp;
    GridView* SeriesGridFrags;
    GridView* SeriesGridDamage;
    GridView* SeriesGridSupport;
    GridView* SeriesGridShots;
    GridView* SeriesGridSummary;
    AuthorStatsPanel* MultiSummary;
    ChartsPage* Charts;
    QListWidget* lb_ReplaysList;
};

}  // namespace kordex::app
