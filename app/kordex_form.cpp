#include "kordex_form.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QVBoxLayout>

#include "default_error_handling.h"
#include "drop_intake.h"
#include "export/battle_log.h"
#include "export/export_file.h"
#include "export/html_export.h"
#include "export/workbook_export.h"
#include "grid/grid_view.h"
#include "library/library_actions.h"
#include "library/replay_files.h"
#include "pages/about_box.h"
#include "pages/library_page.h"
#include "pages/options_page.h"
#include "pages/series_page.h"
#include "pages/single_battle_page.h"
#include "platform/qt_desktop.h"
#include "platform/user_folders.h"
#include "series/series_links.h"
#include "series/series_run.h"
#include "single/single_analysis.h"
#include "single/single_end_text.h"
#include "single/team_table_links.h"
#include "tables/header_click_sorts.h"
#include "widget_names.h"
#include "window/about_box_texts.h"
#include "window/window_layout.h"
#include "window_progress.h"

namespace kordex::app {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

}  // namespace

TKordexForm::TKordexForm(Platform& platform, const std::string& programFolder, QWidget* parent)
    : TKordexForm(platform,
                  PortableFilePlaces(programFolder, UserFolders(programFolder).cacheFolder),
                  parent) {}

TKordexForm::TKordexForm(Platform& platform, FilePlaces places, QWidget* parent)
    : QMainWindow(parent), platform_(platform), places_(std::move(places)) {
    // The user's decimal separator; a separator outside Latin-1 falls back to the point.
    const char separator = QLocale::system().decimalPoint().at(0).toLatin1();
    numberFormat_.decimalSeparator = separator != 0 ? separator : '.';
    BuildControls();
    ConnectHandlers();
    ts_ReplaysList->SetWindowContext(
        {&platform_, &busy_, SettingsPath(), places_.libraryCache,
         [this] { return StatusProgress(*StatusBar, *SeriesProgress); }, &state_.librarySort});
    connect(ts_ReplaysList, &LibraryPage::scanEnded, this, [this] {
        ts_ReplaysList->ShowBusy();
        busy_.BusyEnded();
    });
    Handle([this] { FormCreate(); });
}

TKordexForm::~TKordexForm() = default;

void TKordexForm::BuildControls() {
    setWindowTitle(QString::fromUtf8(kWindowCaption.data(), qsizetype(kWindowCaption.size())));
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(12);
    setFont(font);
    setMinimumSize(kClientWidth, kClientHeight);
    resize(kClientWidth, kClientHeight);

    auto* central = new QWidget(this);
    setCentralWidget(central);
    AnalyseType = Named(new QTabWidget(central), "AnalyseType");
    AnalyseType->setDocumentMode(true);
    SingleReplay =
        Named(new SingleBattlePage(state_.tables, state_.singleView.header), "SingleReplay");
    SeriesReplays = Named(new SeriesPage(state_.tables), "SeriesReplays");
    ts_ReplaysList = Named(new LibraryPage(state_.tables), "ts_ReplaysList");
    Options = Named(new OptionsPage, "Options");
    AnalyseType->addTab(SingleReplay, QStringLiteral("Один бой"));
    AnalyseType->addTab(SeriesReplays, QStringLiteral("Серия боев"));
    AnalyseType->addTab(ts_ReplaysList, QStringLiteral("Управление реплеями"));
    AnalyseType->addTab(Options, QStringLiteral("Настройки"));
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(AnalyseType);

    About = NamedButton(central, "About", QStringLiteral("О программе"));
    SingleReplayAnalyse = NamedButton(central, "SingleReplayAnalyse", QStringLiteral("Начать"));
    SingleReplayAnalyse->hide();
    StatusBar = Named(statusBar(), "StatusBar");
    SeriesProgress = Named(new QProgressBar(central), "SeriesProgress");
    SeriesProgress->setRange(0, 1000);
    SeriesProgress->hide();

    // The pages open on their first inner tabs; the window on the series until start-up says.
    AnalyseType->setCurrentIndex(kSeriesTab);
}

void TKordexForm::ConnectHandlers() {
    On(About, &QPushButton::clicked, &TKordexForm::AboutClick);
    On(SingleReplayAnalyse, &QPushButton::clicked, &TKordexForm::SingleReplayAnalyseClick);

    SingleBattlePage* single = SingleReplay;
    On(single->OpenReplay, &QPushButton::clicked, &TKordexForm::OpenReplayClick);
    On(single->ViewReplay, &QPushButton::clicked, &TKordexForm::ViewReplayClick);
    // Enter in the path field opens the typed path, as a drop of that file does.
    On(single->ReplayPath, &QLineEdit::returnPressed, &TKordexForm::SingleReplayAnalyseClick);
    for (GridView* grid : {single->AlliesGrid, single->EnemiesGrid})
        On(grid, &GridView::fixedCellClicked, &TKordexForm::SingleGridsFixedCellClick);
    for (GridView* grid : {single->AlliesGrid, single->EnemiesGrid})
        On(grid, &GridView::cellDoubleClicked,
           [this, grid](int column, int row) { TeamGridDblClick(*grid, column, row); });

    SeriesPage* series = SeriesReplays;
    On(series->SeriesAnalysisButton, &QPushButton::clicked,
       &TKordexForm::SeriesAnalysisButtonClick);
    On(series->HTMLExport, &QPushButton::clicked, &TKordexForm::HTMLExportClick);
    On(series->XlsExport, &QPushButton::clicked, &TKordexForm::XlsExportClick);
    for (auto [grid, table] : series->SortableGrids())
        On(grid, &GridView::fixedCellClicked, [this, grid, table](int column, int row) {
            SeriesGridFixedCellClick(table, *grid, column, row);
        });
    On(series->SeriesGridSummary, &GridView::fixedCellClicked,
       &TKordexForm::SeriesGridSummaryFixedCellClick);
    for (GridView* grid : {series->SeriesGridExp, series->SeriesGridFrags, series->SeriesGridDamage,
                           series->SeriesGridSupport, series->SeriesGridShots})
        On(grid, &GridView::cellDoubleClicked,
           [this, grid](int column, int row) { SeriesGridExpDblClick(*grid, column, row); });

    LibraryPage* library = ts_ReplaysList;
    // The page's own buttons act on the library alone; these two reach the other pages.
    On(library->bt_ProcessInKordex, &QPushButton::clicked, &TKordexForm::bt_ProcessInKordexClick);
    for (GridView* list : {library->sg_AllReplays, library->sg_FavoriteReplays})
        On(list, &GridView::cellDoubleClicked,
           [this, list](int column, int row) { ReplaysListDblClick(*list, column, row); });
}

void TKordexForm::Handle(const std::function<void()>& handler) {
    RunGuarded(handler);
    RunGuarded([this] { ShowState(); });
}

void TKordexForm::ShowState() {
    for (GridView* grid : findChildren<GridView*>())
        grid->Refresh();
    for (const auto& [name, text] : state_.labels.Entries()) {
        if (auto* label = findChild<QLabel*>(Q(name)))
            label->setText(Q(text));
    }
}

BusyState TKordexForm::Busy() const {
    return {state_.series.runInProgress, ts_ReplaysList->Scanning()};
}

void TKordexForm::ShowReplaysList() {
    SeriesReplays->lb_ReplaysList->clear();
    for (const std::string& path : state_.series.lb_ReplaysList.Paths())
        SeriesReplays->lb_ReplaysList->addItem(Q(path));
}

void TKordexForm::ShowWrittenFile(const std::string& path) {
    // The user is told where the file went: beside the program or in the documents folder.
    if (!path.empty())
        StatusBar->showMessage(Q(WrittenFileMessage(path)));
}

// ---- Start-up, shut-down, resizing ----

void TKordexForm::FormCreate() {
    // 1. The export settings and the remote export stay out of reach.
    Options->DisableRemoteExport();
    // 2. Files dropped from the desktop come to WMDropFiles, wherever on the window they land.
    setAcceptDrops(true);
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setAcceptDrops(false);
    // 3. The open dialog: existing replay files only.
    if (auto* desktop = dynamic_cast<QtDesktop*>(&platform_.desktop)) {
        desktop->SetReplayDialog(GameReplayDialog());
        desktop->SetBeforeBox([this] { ShowState(); });
    }
    // 4 to 12: tables, labels, lists and titles; the settings; the automatic scan, which
    // opens the window on the library.
    const StartUpOutcome outcome = StartUpSequence(state_, platform_, SettingsPath());
    SingleReplay->ReplayPath->clear();
    ShowReplaysList();
    ts_ReplaysList->ShowPathLists(state_.tables.library);
    if (outcome.settings)
        Options->ShowSettings(*outcome.settings, *ts_ReplaysList->ed_AllReplaysFolder);
    if (outcome.scanLibrary)
        ts_ReplaysList->ProcessReplays();
    AnalyseType->setCurrentIndex(outcome.scanLibrary ? kLibraryTab : kSeriesTab);
}

void TKordexForm::FormClose() {
    SaveSettingsAtClose(
        SettingsPath(),
        Options->CollectSettings(state_.programSettings, *ts_ReplaysList->ed_AllReplaysFolder),
        platform_);
}

void TKordexForm::FormResize() {
    SeriesReplays->SeriesGridExp->update();
    SingleReplay->AlliesGrid->update();
    SingleReplay->EnemiesGrid->update();
    SingleReplay->PlaceTeamGrids(TeamGridsForWindowWidth(width() + kDesignFrameWidth));
    SingleReplay->FitTeamTables(platform_.desktop);
}

void TKordexForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    QWidget* central = centralWidget();
    About->adjustSize();
    About->move(central->width() - About->width() - 2, 1);
    About->raise();
    SeriesProgress->setGeometry(16, central->height() / 2 - 10, central->width() - 32, 20);
    SeriesProgress->raise();
    Handle([this] { FormResize(); });
}

void TKordexForm::closeEvent(QCloseEvent* event) {
    Handle([this] { FormClose(); });
    QMainWindow::closeEvent(event);
}

// ---- Replay intake ----

void TKordexForm::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void TKordexForm::dropEvent(QDropEvent* event) {
    std::vector<DroppedItem> items = DroppedLocalItems(*event->mimeData());
    event->acceptProposedAction();
    Handle([this, &items] { WMDropFiles(items); });
}

void TKordexForm::WMDropFiles(const std::vector<DroppedItem>& items) {
    if (!Admitted(WindowAction::Drop))
        return;
    EndSeriesPreparation(state_.tables, state_.series.lb_ReplaysList.Size());
    DropOutcome outcome = DecideDrop(items);
    state_.series.lb_ReplaysList.Assign(outcome.replaysList);
    ShowReplaysList();
    if (outcome.target == DropTarget::SingleView) {
        AnalyseInSingleView(outcome.replayPath);
    } else {
        SeriesReplays->lb_ReplaysList->show();
        AnalyseType->setCurrentIndex(kSeriesTab);
    }
}

void TKordexForm::OpenReplayClick() {
    if (!Admitted(WindowAction::OpenReplay))
        return;
    std::optional<std::string> file = platform_.desktop.ChooseReplayFile();
    if (!file)
        return;
    AnalyseInSingleView(*file);
}

void TKordexForm::ViewReplayClick() {
    // The game client is the program the desktop opens replays with; it plays them back.
    const std::string path = SingleReplay->ReplayPath->text().toStdString();
    if (platform_.files.FileExists(path))
        platform_.desktop.Open(path);
}

void TKordexForm::AboutClick() {
    TAboutBox box(platform_.desktop, this);
    box.exec();
}

// ---- One battle ----

void TKordexForm::SingleReplayAnalyseClick() {
    AnalyseType->setCurrentIndex(kSingleTab);
    SingleView& view = state_.singleView;
    view.replayPath = SingleReplay->ReplayPath->text().toStdString();
    // Even after a failure: the field shows the file the analysis may have asked for, and the
    // tables, which have no scroll bar, keep every column in view.
    const ScopeExit shown([this, &view] {
        SingleReplay->ReplayPath->setText(Q(view.replayPath));
        SingleReplay->FitTeamTables(platform_.desktop);
    });
    // What went wrong stays in the status bar until the next analysis starts.
    StatusBar->clearMessage();
    const SingleEnd end =
        kordex::SingleReplayAnalyseClick(view, platform_, {numberFormat_, SettingsPath()});
    StatusBar->showMessage(Q(SingleEndStatusLine(end)));
}

void TKordexForm::AnalyseInSingleView(const std::string& path) {
    SingleReplay->ReplayPath->setText(Q(path));
    SingleReplayAnalyseClick();
    AnalyseType->setCurrentIndex(kSingleTab);
}

void TKordexForm::SingleGridsFixedCellClick(int column, int row) {
    SortTeamTablesByHeader(state_.tables.AlliesGrid, state_.tables.EnemiesGrid, column, row,
                           numberFormat_);
}

// AlliesGridDblClick, EnemiesGridDblClick
void TKordexForm::TeamGridDblClick(GridView& grid, int column, int row) {
    const BattleHeader& battle = state_.singleView.header;
    if (std::optional<std::string> address = TeamTableLinkAddress(
            grid.Grid(), column, row, PortalRegionOf(battle.regionCode, battle.serverName)))
        platform_.desktop.Open(*address);
}

// ---- Series ----

void TKordexForm::SeriesAnalysisButtonClick() {
    if (!Admitted(WindowAction::SeriesRun))
        return;
    SeriesOptions options = Options->CheckedSeriesOptions();
    options.format = numberFormat_;
    options.iniPath = SettingsPath();
    SeriesRunProgress observer(
        {*StatusBar, *SeriesProgress},
        {[this] { SeriesReplays->lb_ReplaysList->hide(); }, [this] { ShowState(); },
         [this] { AnalyseType->setCurrentIndex(kSeriesTab); }});
    // With ExportAllHTML on, the run also writes the battle-by-battle log.
    HtmlBattleLog log(places_.exportFolder);
    RunSeries(state_.tables, state_.series, state_.labels, options, platform_, observer,
              state_.programSettings.exportAllHtml ? &log : nullptr);
    busy_.BusyEnded();
    ShowWrittenFile(log.SavedPath());
}

void TKordexForm::HTMLExportClick() {
    if (!Admitted(WindowAction::SeriesExport))
        return;
    ShowWrittenFile(ExportHTMLNew(state_.tables, CollectedAuthorStats(state_.series, state_.labels),
                                  places_.exportFolder, platform_)
                        .value_or(""));
}

void TKordexForm::XlsExportClick() {
    if (!Admitted(WindowAction::SeriesExport))
        return;
    ShowWrittenFile(
        ExportWorkbook(state_.tables, places_.exportFolder, numberFormat_, platform_).value_or(""));
}

void TKordexForm::SeriesGridFixedCellClick(SeriesTable table, GridView& grid, int column, int row) {
    if (!Admitted(WindowAction::SeriesSort))
        return;
    SortSeriesTableByHeader(table, grid.Grid(), column, row,
                            Options->MultiGroupPlayers->isChecked(), numberFormat_);
}

void TKordexForm::SeriesGridSummaryFixedCellClick(int column, int row) {
    if (!Admitted(WindowAction::SummarySort))
        return;
    SortSummaryTableByHeader(state_.tables.SeriesGridSummary, column, row, numberFormat_);
}

void TKordexForm::SeriesGridExpDblClick(GridView& grid, int column, int row) {
    if (!Admitted(WindowAction::SeriesBattleOpen))
        return;
    const SeriesCellLink link = SeriesTableLink(grid.Grid(), state_.series.lb_ReplaysList, column,
                                                row, state_.tables.portalRegion);
    if (link.kind == SeriesCellLink::Kind::PlayerSearch) {
        platform_.desktop.Open(link.target);
    } else if (link.kind == SeriesCellLink::Kind::Battle) {
        AnalyseInSingleView(link.target);
    }
}

// ---- Library ----

void TKordexForm::bt_ProcessInKordexClick() {
    const TextGrid& list = ts_ReplaysList->ActiveList()->Grid();
    const bool severalRows = list.Selection().top != list.Selection().bottom;
    if (!Admitted(severalRows ? WindowAction::SeriesHandOff : WindowAction::OpenReplay))
        return;
    // A selection of several rows replaces the run list, even when none of them has a path.
    if (severalRows) {
        state_.series.lb_ReplaysList.Clear();
        ShowReplaysList();
    }
    HandOff handOff = HandOffSelection(list);
    if (auto* single = std::get_if<SingleHandOff>(&handOff)) {
        AnalyseInSingleView(single->path);
    } else if (auto* series = std::get_if<SeriesHandOff>(&handOff)) {
        state_.series.lb_ReplaysList.Assign(series->paths);
        ShowReplaysList();
        AnalyseType->setCurrentIndex(kSeriesTab);
        SeriesAnalysisButtonClick();
    }
}

void TKordexForm::ReplaysListDblClick(GridView& list, int column, int row) {
    if (!Admitted(WindowAction::LibraryOpen))
        return;
    // Off the cells (column -1) and on the title row nothing opens.
    if (column < 0 || row < list.Grid().FixedRows())
        return;
    AnalyseInSingleView(list.Grid().Cell(library_column::Path, row));
}

}  // namespace kordex::app
