#include "pages/single_battle_page.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "pages/personal_panel.h"
#include "single/team_table_style.h"
#include "single/team_table_widths.h"
#include "widget_names.h"

namespace kordex::app {

namespace {

constexpr int kCaptionHeight = 16;
constexpr int kGridTop = kCaptionHeight + 2;

// Sixteen rows of 16 pixels, their grid lines and the frame: no scroll bars needed.
int TeamGridHeight(const TextGrid& grid) {
    return grid.RowCount() * (grid.DefaultRowHeight() + 1) + 3;
}

GridView* TeamGridView(TextGrid& grid, const BattleHeader& battle, const char* name,
                       QWidget* parent) {
    auto* view = Named(new GridView(grid, parent), name);
    view->SetScrollBars(false);
    // SingleGridsDrawCell; the recording player's row is bold.
    view->SetCellStyleHook([view, &battle](int column, int row, const std::string& text, bool) {
        return TeamTableCellStyle(column, row, text,
                                  IsRecorderRow(view->Grid(), row, battle.playerName));
    });
    return view;
}

}  // namespace

SingleBattlePage::SingleBattlePage(WindowTables& tables, const BattleHeader& battle,
                                   QWidget* parent)
    : QWidget(parent) {
    ReplayPath = Named(new QLineEdit(this), "ReplayPath");
    OpenReplay = NamedButton(this, "OpenReplay", QStringLiteral("Открыть"));
    ViewReplay = NamedButton(this, "ViewReplay", QStringLiteral("Просмотреть реплей"), true);
    SingleReplayResults = Named(new QTabWidget(this), "SingleReplayResults");
    Commands = Named(new QWidget, "Commands");
    Details = Named(new QWidget, "Details");
    SingleReplayResults->addTab(Commands, QStringLiteral("Командные достижения"));
    SingleReplayResults->addTab(Details, QStringLiteral("Подробно"));

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(ViewReplay);
    pathRow->addWidget(ReplayPath, 1);
    pathRow->addWidget(OpenReplay);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addLayout(pathRow);
    page->addWidget(SingleReplayResults, 1);

    // The team tables stand where the resize rule puts them, so this tab has no layout.
    Label23 = NamedLabel(Commands, "Label23", QStringLiteral("Союзники (чистый опыт):"));
    Label24 = NamedLabel(Commands, "Label24", QStringLiteral("Противники (чистый опыт):"));
    AlliesGrid = TeamGridView(tables.AlliesGrid, battle, "AlliesGrid", Commands);
    EnemiesGrid = TeamGridView(tables.EnemiesGrid, battle, "EnemiesGrid", Commands);
    const int gridHeight = TeamGridHeight(tables.AlliesGrid);
    const int labelsTop = kGridTop + gridHeight + 4;
    auto* battleLabels = new QWidget(Commands);
    battleLabels->setGeometry(0, labelsTop, 1600, 40);
    auto* battleRow = new QGridLayout(battleLabels);
    battleRow->setContentsMargins(0, 0, 0, 0);
    battleRow->setHorizontalSpacing(16);
    battleRow->setVerticalSpacing(2);
    const char* const names[] = {"Label_Map", "Label_Time", "Label_isWinner", "lb_battleType",
                                 "Label_replayVersionXml"};
    int column = 0;
    for (const char* name : names) {
        QLabel* label = NamedLabel(battleLabels, name, QString());
        MakeBold(label);
        battleRow->addWidget(label, 0, column++);
    }
    battleRow->addWidget(
        new QLabel(
            QStringLiteral("Двойной клик на имя игрока или клан для открытия профиля на оф. сайте"),
            battleLabels),
        1, 0, 1, column);
    battleRow->setColumnStretch(column, 1);

    Label23->move(0, 0);
    AlliesGrid->setGeometry(0, kGridTop, tables.AlliesGrid.DefaultColumnWidth() * 8, gridHeight);
    EnemiesGrid->setGeometry(AlliesGrid->width() + 7, kGridTop, AlliesGrid->width(), gridHeight);
    Label24->move(EnemiesGrid->x(), 0);

    auto* details = new QVBoxLayout(Details);
    Personal = new PersonalPanel(Details);
    details->addWidget(Personal);
}

void SingleBattlePage::PlaceTeamGrids(const TeamGridsLayout& layout) {
    AlliesGrid->setGeometry(AlliesGrid->x(), AlliesGrid->y(), layout.alliesWidth,
                            AlliesGrid->height());
    EnemiesGrid->setGeometry(layout.enemiesLeft, EnemiesGrid->y(), layout.enemiesWidth,
                             EnemiesGrid->height());
    Label24->move(layout.enemiesCaptionLeft, Label24->y());
}

void SingleBattlePage::FitTeamTables(Desktop& desktop) {
    for (GridView* grid : {AlliesGrid, EnemiesGrid})
        FitTeamColumnsToWidth(grid->Grid(), grid->InnerWidth(), desktop);
}

}  // namespace kordex::app
