#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "grid/grid_view.h"
#include "platform/desktop.h"
#include "replay/battle_header.h"
#include "window/window_layout.h"
#include "window/window_tables.h"

namespace kordex::app {

class PersonalPanel;

// The tab "Один бой": the path field with its buttons, the team tables with the battle labels
// on "Командные достижения" and the personal results on "Подробно".
class SingleBattlePage : public QWidget {
    Q_OBJECT
  public:
    // battle: the battle shown, whose recording player's row is drawn bold.
    SingleBattlePage(WindowTables& tables, const BattleHeader& battle, QWidget* parent = nullptr);

    // The resize rule's positions of the two tables and the enemies' caption.
    void PlaceTeamGrids(const TeamGridsLayout& layout);
    // Every column of the team tables within the tables' widths: they have no scroll bar.
    void FitTeamTables(Desktop& desktop);

    QLineEdit* ReplayPath;
    QPushButton* OpenReplay;
    QPushButton* ViewReplay;
    QTabWidget* SingleReplayResults;
    QWidget* Commands;
    QWidget* Details;
    GridView* AlliesGrid;
    GridView* EnemiesGrid;
    QLabel* Label23;
    QLabel* Label24;
    PersonalPanel* Personal;
};

}  // namespace kordex::app
