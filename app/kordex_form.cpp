#include "kordex_form.h"

#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <type_traits>

#include "default_error_handling.h"
#include "drop_intake.h"
#include "export/battle_log.h"
#include "export/export_file.h"
#include "export/html_export.h"
#include "export/workbook_export.h"
#include "grid/grid_view.h"
#include "library/library_actions.h"
#include "library/library_list_style.h"
#include "library/replay_files.h"
#include "pages/about_box.h"
#include "pages/library_page.h"
#include "pages/options_page.h"
#include "pages/series_page.h"
#include "pages/single_battle_page.h"
#include "platform/qt_desktop.h"
#include "series/series_links.h"
#include "series/series_run.h"
#include "series/series_table_style.h"
#include "single/single_analysis.h"
#include "single/single_end_text.h"
#include "single/team_table_links.h"
#include "single/team_table_style.h"
#include "single/team_table_widths.h"
#include "tables/grid_helpers.h"
#include "tables/header_click_sorts.h"
#include "tables/wheel_scroll.h"
#include "widget_names.h"
#include "window/about_box_texts.h"
#include "window/busy_rules.h"
#include "window/library_cache_file.h"
#include "window/window_layout.h"
#include "window_progress.h"

namespace kordex::app {

namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// Where the open dialog starts: the game's replay folder where it usually is.
QString ReplayDialogFolder() {
#ifdef Q_OS_WIN
    return QStringLiteral("D:\\Games\\World_of_Tanks\\replays");
#else
    return QDir::home().filePath(QStringLiteral("Games/World_of_Tanks/replays"));
#endif
}

void ShowPaths(QListWidget* list, const std::vector<std::string>& paths) {
    list->clear();
    for (const std::string& path : paths)
        list->addItem(Q(path));
}

}  // namespace

TKordexForm::TKordexForm(Platform& platform, const std::string& programFolder, QWidget* parent)
    : TKordexForm(platform,
                  FilePlaces{ProgramFilePath(programFolder, kSettingsFileName), programFolder},
                  parent) {}

TKordexForm::TKordexForm(Platform& platform, FilePlaces places, QWidget* parent)
    : QMainWindow(parent), platform_(platform), places_(std::move(places)) {
    // The user's decimal separator; a separator outside Latin-1 falls back to the point.
    const char separator = QLocale::system().decimalPoint().at(0).toLatin1();
    numberFormat_.decimalSeparator = separator != 0 ? separator : '.';
    BuildControls();
    ConnectDrawing();
    ConnectHandlers();
    const QString cacheFolder = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
    ts_ReplaysList->SetScanContext(
        {&platform_.desktop, SettingsPath(),
         cacheFolder.isEmpty() ? std::string() : LibraryCachePath(cacheFolder.toStdString()),
         [this] { return StatusProgress(*StatusBar, *SeriesProgress); }});
    connect(ts_ReplaysList, &LibraryPage::scanEnded, this, [this] { ShowBusy(); });
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
    SingleReplay = Named(new SingleBattlePage(tables_), "SingleReplay");
    SeriesReplays = Named(new SeriesPage(tables_), "SeriesReplays");
    ts_ReplaysList = Named(new LibraryPage(tables_), "ts_ReplaysList");
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

    AnalyseType->setCurrentIndex(kSeriesTab);
    SingleReplay->SingleReplayResults->setCurrentIndex(0);
    SeriesReplays->Multi->setCurrentIndex(0);
    ts_ReplaysList->pc_ReplaysList->setCurrentIndex(0);
}

template <typename Sender, typename Signal, typename Handler>
void TKordexForm::On(Sender* sender, Signal signal, Handler handler) {
    connect(sender, signal, this, [this, handler](auto... args) {
        Handle([&] {
            if constexpr (std::is_invocable_v<Handler, decltype(args)...>)
                handler(args...);
            else
                handler();
        });
    });
}

void TKordexForm::ConnectDrawing() {
    // SingleGridsDrawCell
    for (GridView* grid : {SingleReplay->AlliesGrid, SingleReplay->EnemiesGrid})
        grid->SetCellStyleHook([this, grid](int column, int row, const std::string& text, bool) {
            return TeamTableCellStyle(
                column, row, text, IsRecorderRow(grid->Grid(), row, singleView_.header.playerName));
        });
    // SeriesGridExpDrawCell for four tables, SeriesGridShotsDrawCell for the shooting table;
    // the summary keeps the table's own drawing.
    const std::pair<GridView*, SeriesTable> series[] = {
        {SeriesReplays->SeriesGridExp, SeriesTable::Exp},
        {SeriesReplays->SeriesGridFrags, SeriesTable::Frags},
        {SeriesReplays->SeriesGridDamage, SeriesTable::Damage},
        {SeriesReplays->SeriesGridSupport, SeriesTable::Support},
        {SeriesReplays->SeriesGridShots, SeriesTable::Shots},
    };
    for (auto [grid, table] : series)
        grid->SetCellStyleHook([grid, table](int column, int row, const std::string&, bool) {
            return SeriesTableCellStyle(table, grid->Grid(), column, row);
        });
    // ReplaysListOnDrawCell
    for (GridView* list : {ts_ReplaysList->sg_AllReplays, ts_ReplaysList->sg_FavoriteReplays})
        list->SetCellStyleHook([](int column, int row, const std::string& text, bool selected) {
            return LibraryListCellStyle(column, row, text, selected);
        });
}

void TKordexForm::ConnectHandlers() {
    On(About, &QPushButton::clicked, [this] { AboutClick(); });
    On(SingleReplayAnalyse, &QPushButton::clicked, [this] { SingleReplayAnalyseClick(); });

    SingleBattlePage* single = SingleReplay;
    On(single->OpenReplay, &QPushButton::clicked, [this] { OpenReplayClick(); });
    On(single->ViewReplay, &QPushButton::clicked, [this] { ViewReplayClick(); });
    // Enter in the path field opens the typed path, as a drop of that file does.
    On(single->ReplayPath, &QLineEdit::returnPressed, [this] { SingleReplayAnalyseClick(); });
    for (GridView* grid : {single->AlliesGrid, single->EnemiesGrid})
        On(grid, &GridView::fixedCellClicked,
           [this](int column, int row) { SingleGridsFixedCellClick(column, row); });
    On(single->AlliesGrid, &GridView::cellDoubleClicked,
       [this](int column, int row) { AlliesGridDblClick(column, row); });
    On(single->EnemiesGrid, &GridView::cellDoubleClicked,
       [this](int column, int row) { EnemiesGridDblClick(column, row); });

    SeriesPage* series = SeriesReplays;
    On(series->SeriesAnalysisButton, &QPushButton::clicked,
       [this] { SeriesAnalysisButtonClick(); });
    On(series->HTMLExport, &QPushButton::clicked, [this] { HTMLExportClick(); });
    On(series->XlsExport, &QPushButton::clicked, [this] { XlsExportClick(); });
    // The shooting table has no header-click action.
    const std::pair<GridView*, SeriesTable> sortable[] = {
        {series->SeriesGridExp, SeriesTable::Exp},
        {series->SeriesGridFrags, SeriesTable::Frags},
        {series->SeriesGridDamage, SeriesTable::Damage},
        {series->SeriesGridSupport, SeriesTable::Support},
    };
    for (auto [grid, table] : sortable)
        On(grid, &GridView::fixedCellClicked, [this, grid, table](int column, int row) {
            SeriesGridFixedCellClick(table, *grid, column, row);
        });
    On(series->SeriesGridSummary, &GridView::fixedCellClicked,
       [this](int column, int row) { SeriesGridSummaryFixedCellClick(column, row); });
    for (GridView* grid : {series->SeriesGridExp, series->SeriesGridFrags, series->SeriesGridDamage,
                           series->SeriesGridSupport, series->SeriesGridShots})
        On(grid, &GridView::cellDoubleClicked,
           [this, grid](int column, int row) { SeriesGridExpDblClick(*grid, column, row); });
    // The favourites list keeps the toolkit's own wheel scrolling.
    for (GridView* grid : {series->SeriesGridExp, series->SeriesGridFrags, series->SeriesGridDamage,
                           series->SeriesGridSupport, series->SeriesGridShots,
                           series->SeriesGridSummary, ts_ReplaysList->sg_AllReplays}) {
        grid->SetDefaultWheelScroll(false);
        On(grid, &GridView::wheelTurned,
           [this, grid](bool down, Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
               SeriesGridsMouseWheel(*grid, down, modifiers, buttons);
           });
    }

    LibraryPage* library = ts_ReplaysList;
    On(library->bt_SelectFolder, &QPushButton::clicked, [this] { bt_SelectFolderClick(); });
    On(library->bt_Refresh, &QPushButton::clicked, [this] { bt_RefreshClick(); });
    On(library->ed_AllReplaysFolder, &FolderEdit::doubleClicked,
       [this] { ed_AllReplaysFolderDblClick(); });
    On(library->bt_AddToFavorites, &QPushButton::clicked, [this] { bt_AddToFavoritesClick(); });
    On(library->bt_DeleteSelected, &QPushButton::clicked, [this] { bt_DeleteSelectedClick(); });
    On(library->bt_ProcessInKordex, &QPushButton::clicked, [this] { bt_ProcessInKordexClick(); });
    for (GridView* list : {library->sg_AllReplays, library->sg_FavoriteReplays}) {
        On(list, &GridView::cellDoubleClicked,
           [this, list](int column, int row) { ReplaysListDblClick(*list, column, row); });
        On(list, &GridView::fixedCellClicked,
           [this, list](int column, int row) { ReplaysListFixedCellClick(*list, column, row); });
    }
}

void TKordexForm::Handle(const std::function<void()>& handler) {
    RunGuarded(handler);
    RunGuarded([this] { ShowState(); });
}

void TKordexForm::ShowState() {
    for (GridView* grid : findChildren<GridView*>())
        grid->Refresh();
    for (const auto& [name, text] : labels_.Entries()) {
        if (auto* label = findChild<QLabel*>(Q(name)))
            label->setText(Q(text));
    }
}

WindowBusy TKordexForm::Busy() const {
    return {series_.runInProgress, ts_ReplaysList->Scanning()};
}

void TKordexForm::ShowBusy() {
    ts_ReplaysList->ShowBusy(Busy());
}

void TKordexForm::ShowReplaysList() {
    ShowPaths(SeriesReplays->lb_ReplaysList, series_.lb_ReplaysList.Paths());
}

std::string TKordexForm::SettingsPath() const {
    return places_.settingsFile;
}

void TKordexForm::ShowWrittenFile(const std::string& path) {
    // The user is told where the file went: beside the program or in the documents folder.
    if (!path.empty())
        StatusBar->showMessage(Q(WrittenFileMessage(path)));
}

std::string TKordexForm::ReplayPathText() const {
    return SingleReplay->ReplayPath->text().toStdString();
}

// ---- Start-up, shut-down, resizing ----

void TKordexForm::FormCreate() {
    // 1. The export settings and the remote export stay out of reach.
    Options->gp_options_export->hide();
    Options->cb_remote_export_enable->setEnabled(false);
    Options->ed_remote_server_address->setEnabled(false);
    Options->ed_remote_export_author->setEnabled(false);
    // 2. Files dropped from the desktop come to WMDropFiles, wherever on the window they land.
    setAcceptDrops(true);
    for (QLineEdit* edit : findChildren<QLineEdit*>())
        edit->setAcceptDrops(false);
    // 3. The open dialog: existing replay files only.
    if (auto* desktop = dynamic_cast<QtDesktop*>(&platform_.desktop)) {
        desktop->SetReplayDialog(
            {QStringLiteral("World of Tanks replays (*.wotreplay)"), ReplayDialogFolder()});
        desktop->SetBeforeBox([this] { ShowState(); });
    }
    // 4. The battle tables. (A series run starts its own battle table with every run.)
    ResetBattleTables(singleView_.tables);
    // 5. The personal panel's zero state.
    ClearControls();
    // 6. The path field and the three path lists.
    SingleReplay->ReplayPath->clear();
    series_.lb_ReplaysList.Clear();
    ShowReplaysList();
    tables_.library.allReplaysList.clear();
    tables_.library.favoriteReplaysList.clear();
    ShowPaths(ts_ReplaysList->lb_AllReplaysList, {});
    ShowPaths(ts_ReplaysList->lb_FavoriteReplaysList, {});
    // 7 to 9. The titles of the team and series tables (the library lists are built titled).
    SetTableTitles(tables_);
    // 10. The first click on a library title sorts descending, except on column 0.
    librarySort_.Reset();
    // 11. The settings file. A value that is not a boolean is reported once; the key keeps the
    // window's value and the later keys are read, so that no setting is lost at close.
    SettingsReading reading = ReadSettings(SettingsPath());
    if (!reading.problems.empty())
        platform_.desktop.ShowMessage(SettingsProblemsMessage(reading));
    if (reading.filePresent)
        ShowSettings(reading.settings);
    // 12. The automatic scan opens the window on the library; a bad value stopped it.
    const std::string folder = ts_ReplaysList->ed_AllReplaysFolder->text().toStdString();
    if (StartUpScansFolder(reading, platform_.files.FolderExists(folder))) {
        ProcessReplays();
        AnalyseType->setCurrentIndex(kLibraryTab);
    } else {
        AnalyseType->setCurrentIndex(kSeriesTab);
    }
}

void TKordexForm::FormClose() {
    const std::string path = SettingsPath();
    if (!platform_.files.FileExists(path))
        return;
    SettingsWriteResult result = WriteSettings(path, CollectSettings(), platform_.files);
    if (result.status == SettingsWriteStatus::Failed)
        platform_.desktop.ShowMessage(result.description);
}

void TKordexForm::FormResize() {
    SeriesReplays->SeriesGridExp->update();
    SingleReplay->AlliesGrid->update();
    SingleReplay->EnemiesGrid->update();
    SingleReplay->PlaceTeamGrids(TeamGridsForWindowWidth(width() + kDesignFrameWidth));
    FitTeamTables();
}

void TKordexForm::FitTeamTables() {
    FitTeamColumnsToWidth(tables_.AlliesGrid, SingleReplay->AlliesGrid->InnerWidth(),
                          platform_.desktop);
    FitTeamColumnsToWidth(tables_.EnemiesGrid, SingleReplay->EnemiesGrid->InnerWidth(),
                          platform_.desktop);
}

void TKordexForm::ShowSettings(const Settings& settings) {
    Options->MultiAdditional->setChecked(settings.additional);
    Options->MultiToBegin->setChecked(settings.toBegin);
    Options->MultiGroupPlayers->setChecked(settings.group);
    ts_ReplaysList->ed_AllReplaysFolder->setText(Q(settings.allReplaysFolder));
    Options->cb_AutoProcessReplays->setChecked(settings.autoProcessReplays);
    Options->cb_remote_export_enable->setChecked(settings.remoteExport);
    Options->ed_remote_server_address->setText(Q(settings.remoteServerAddress));
    Options->ed_remote_server_port->setText(Q(settings.remoteServerPort));
    programSettings_ = settings;
}

Settings TKordexForm::CollectSettings() const {
    Settings settings = programSettings_;
    settings.additional = Options->MultiAdditional->isChecked();
    settings.toBegin = Options->MultiToBegin->isChecked();
    settings.group = Options->MultiGroupPlayers->isChecked();
    settings.allReplaysFolder = ts_ReplaysList->ed_AllReplaysFolder->text().toStdString();
    settings.autoProcessReplays = Options->cb_AutoProcessReplays->isChecked();
    return settings;
}

void TKordexForm::ClearControls() {
    ZeroLables(labels_);
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
    // A run handles pending events between replays; a drop then would empty the tables it is
    // writing, so the drop waits for no one and is left out.
    if (!MayRun(WindowAction::FileDrop, Busy()))
        return;
    // A drop ends the previous series preparation, even when it brings nothing usable.
    tables_.SeriesGridExp.SetColumnCount(series_.lb_ReplaysList.Size() + 2);
    tables_.SeriesGridExp.SetRowCount(18);
    for (TextGrid* grid : tables_.SeriesGrids())
        ClearTableBody(*grid);
    ClearTableBody(tables_.SeriesGridSummary);
    DropOutcome outcome = DecideDrop(items);
    series_.lb_ReplaysList.Assign(outcome.replaysList);
    ShowReplaysList();
    if (outcome.target == DropTarget::SingleView) {
        SingleReplay->ReplayPath->setText(Q(outcome.replayPath));
        SingleReplayAnalyseClick();
        AnalyseType->setCurrentIndex(kSingleTab);
    } else {
        SeriesReplays->lb_ReplaysList->show();
        AnalyseType->setCurrentIndex(kSeriesTab);
    }
}

void TKordexForm::OpenReplayClick() {
    std::optional<std::string> file = platform_.desktop.ChooseReplayFile();
    if (!file)
        return;
    SingleReplay->ReplayPath->setText(Q(*file));
    SingleReplayAnalyseClick();
}

void TKordexForm::ViewReplayClick() {
    // The game client is the program the desktop opens replays with; it plays them back.
    const std::string path = ReplayPathText();
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
    SingleView& view = singleView_;
    view.replayPath = ReplayPathText();
    // The analysis may have asked for another file; the field shows it even after a failure.
    struct PathShown {
        QLineEdit* field;
        const std::string& path;
        ~PathShown() { field->setText(Q(path)); }
    } pathShown{SingleReplay->ReplayPath, view.replayPath};
    // The tables have no scroll bar: whatever the analysis wrote, every column stays in view.
    struct ColumnsFitted {
        TKordexForm& form;
        ~ColumnsFitted() { form.FitTeamTables(); }
    } columnsFitted{*this};
    // What went wrong stays in the status bar until the next analysis starts.
    StatusBar->clearMessage();
    const SingleEnd end =
        kordex::SingleReplayAnalyseClick(view, platform_, {numberFormat_, SettingsPath()});
    StatusBar->showMessage(Q(SingleEndStatusLine(end)));
}

void TKordexForm::SingleGridsFixedCellClick(int column, int row) {
    SortTeamTablesByHeader(tables_.AlliesGrid, tables_.EnemiesGrid, column, row, numberFormat_);
}

void TKordexForm::AlliesGridDblClick(int column, int row) {
    const BattleHeader& battle = singleView_.header;
    if (std::optional<std::string> address = TeamTableLinkAddress(
            tables_.AlliesGrid, column, row, PortalRegionOf(battle.regionCode, battle.serverName)))
        platform_.desktop.Open(*address);
}

void TKordexForm::EnemiesGridDblClick(int column, int row) {
    const BattleHeader& battle = singleView_.header;
    if (std::optional<std::string> address = TeamTableLinkAddress(
            tables_.EnemiesGrid, column, row, PortalRegionOf(battle.regionCode, battle.serverName)))
        platform_.desktop.Open(*address);
}

// ---- Series ----

void TKordexForm::SeriesAnalysisButtonClick() {
    SeriesOptions options;
    options.multiAdditional = Options->MultiAdditional->isChecked();
    options.multiToBegin = Options->MultiToBegin->isChecked();
    options.multiGroupPlayers = Options->MultiGroupPlayers->isChecked();
    options.format = numberFormat_;
    options.iniPath = SettingsPath();
    SeriesRunProgress observer(
        {*StatusBar, *SeriesProgress},
        {[this] { SeriesReplays->lb_ReplaysList->hide(); }, [this] { ShowState(); },
         [this] { AnalyseType->setCurrentIndex(kSeriesTab); }});
    // With ExportAllHTML on, the run also writes the battle-by-battle log.
    HtmlBattleLog log(places_.exportFolder);
    RunSeries(tables_, series_, labels_, options, platform_, observer,
              programSettings_.exportAllHtml ? &log : nullptr);
    ShowWrittenFile(log.SavedPath());
}

ExportTables TKordexForm::SeriesTablesOf() {
    return {tables_.SeriesGridExp,
            tables_.SeriesGridFrags,
            tables_.SeriesGridDamage,
            tables_.SeriesGridSupport,
            tables_.SeriesGridShots,
            &tables_.SeriesGridSummary,
            series_.authorStatsCollected ? &labels_ : nullptr,
            tables_.portalRegion};
}

void TKordexForm::HTMLExportClick() {
    ShowWrittenFile(ExportHTMLNew(SeriesTablesOf(), places_.exportFolder, platform_).value_or(""));
}

void TKordexForm::XlsExportClick() {
    ShowWrittenFile(ExportWorkbook(SeriesTablesOf(), tables_.SeriesGridSummary,
                                   places_.exportFolder, numberFormat_, platform_)
                        .value_or(""));
}

void TKordexForm::SeriesGridFixedCellClick(SeriesTable table, GridView& grid, int column, int row) {
    // A run writes each player into the same row of all five tables; a table sorted while the
    // run handles events would put the next battles' values beside other players' names.
    if (!MayRun(WindowAction::SeriesTitleSort, Busy()))
        return;
    SortSeriesTableByHeader(table, grid.Grid(), column, row,
                            Options->MultiGroupPlayers->isChecked(), numberFormat_);
}

void TKordexForm::SeriesGridSummaryFixedCellClick(int column, int row) {
    SortSummaryTableByHeader(tables_.SeriesGridSummary, column, row, numberFormat_);
}

void TKordexForm::SeriesGridsMouseWheel(GridView& grid, bool down, Qt::KeyboardModifiers modifiers,
                                        Qt::MouseButtons buttons) {
    const TextGrid& table = grid.Grid();
    const GridScrollPosition position{grid.TopRow(), grid.LeftColumn(), grid.CurrentRow()};
    const GridScrollShape shape{table.RowCount(), table.FixedRows(), grid.VisibleRowCount(),
                                table.FixedColumns(), grid.LastLeftColumn()};
    // "With Shift": the Shift key alone, no other modifier and no mouse button.
    const bool shiftOnly = modifiers == Qt::ShiftModifier && buttons == Qt::NoButton;
    const GridScrollPosition next = WheelScrollStep(
        position, shape, down ? WheelDirection::Down : WheelDirection::Up, shiftOnly);
    grid.SetCurrentRow(next.currentRow);
    grid.SetTopRow(next.topRow);
    grid.SetLeftColumn(next.leftColumn);
}

void TKordexForm::SeriesGridExpDblClick(GridView& grid, int column, int row) {
    const SeriesCellLink link =
        SeriesTableLink(grid.Grid(), series_.lb_ReplaysList, column, row, tables_.portalRegion);
    if (link.kind == SeriesCellLink::Kind::PlayerSearch) {
        platform_.desktop.Open(link.target);
    } else if (link.kind == SeriesCellLink::Kind::Battle) {
        SingleReplay->ReplayPath->setText(Q(link.target));
        SingleReplayAnalyseClick();
        AnalyseType->setCurrentIndex(kSingleTab);
    }
}

// ---- Library ----

void TKordexForm::ProcessReplays() {
    // The rows arrive while the window goes on; "Стоп" ends the scan.
    if (!MayRun(WindowAction::LibraryScan, Busy()))
        return;
    ts_ReplaysList->StartScan(ts_ReplaysList->ed_AllReplaysFolder->text().toStdString());
    ShowBusy();
}

void TKordexForm::bt_SelectFolderClick() {
    std::optional<std::string> chosen = platform_.desktop.ChooseFolder();
    if (!chosen || chosen->empty())
        return;
    const std::string folder = WithFinalSeparator(*chosen);
    if (!platform_.files.FolderExists(folder))
        return;
    ts_ReplaysList->ed_AllReplaysFolder->setText(Q(folder));
    ts_ReplaysList->ed_AllReplaysFolder->repaint();
    ProcessReplays();
}

void TKordexForm::bt_RefreshClick() {
    if (platform_.files.FolderExists(ts_ReplaysList->ed_AllReplaysFolder->text().toStdString()))
        ProcessReplays();
}

void TKordexForm::ed_AllReplaysFolderDblClick() {
    OpenReplayFolder(ts_ReplaysList->ed_AllReplaysFolder->text().toStdString(), platform_.files,
                     platform_.desktop);
}

void TKordexForm::bt_AddToFavoritesClick() {
    if (ts_ReplaysList->ActiveList() == ts_ReplaysList->sg_FavoriteReplays ||
        !MayRun(WindowAction::LibraryFavorites, Busy()))
        return;
    AddToFavorites(tables_.library.allReplays, tables_.library.favoriteReplays, platform_.files,
                   platform_.desktop);
    ts_ReplaysList->ApplySearch();
}

void TKordexForm::bt_DeleteSelectedClick() {
    if (!MayRun(WindowAction::LibraryDelete, Busy()))
        return;
    DeleteSelected(ts_ReplaysList->ActiveList()->Grid(), platform_.files, platform_.desktop);
    ts_ReplaysList->ApplySearch();
}

void TKordexForm::bt_ProcessInKordexClick() {
    const TextGrid& list = ts_ReplaysList->ActiveList()->Grid();
    // A series hand-off while a run handles events would replace the list whose battles the
    // run is writing, and the battle titles would then open other replays; it waits, as drops do.
    if (list.Selection().top != list.Selection().bottom &&
        !MayRun(WindowAction::SeriesHandOff, Busy()))
        return;
    // A selection of several rows replaces the run list, even when none of them has a path.
    if (list.Selection().top != list.Selection().bottom) {
        series_.lb_ReplaysList.Clear();
        ShowReplaysList();
    }
    HandOff handOff = HandOffSelection(list);
    if (auto* single = std::get_if<SingleHandOff>(&handOff)) {
        SingleReplay->ReplayPath->setText(Q(single->path));
        SingleReplayAnalyseClick();
        AnalyseType->setCurrentIndex(kSingleTab);
    } else if (auto* series = std::get_if<SeriesHandOff>(&handOff)) {
        series_.lb_ReplaysList.Assign(series->paths);
        ShowReplaysList();
        AnalyseType->setCurrentIndex(kSeriesTab);
        SeriesAnalysisButtonClick();
    }
}

void TKordexForm::ReplaysListDblClick(GridView& list, int column, int row) {
    // Off the cells (column -1) and on the title row nothing opens.
    if (column < 0 || row < list.Grid().FixedRows())
        return;
    SingleReplay->ReplayPath->setText(Q(list.Grid().Cell(library_column::Path, row)));
    SingleReplayAnalyseClick();
    AnalyseType->setCurrentIndex(kSingleTab);
}

void TKordexForm::ReplaysListFixedCellClick(GridView& list, int column, int row) {
    if (!MayRun(WindowAction::LibraryTitleSort, Busy()))
        return;
    SortLibraryListByHeader(librarySort_, list.Grid(), column, row);
    ts_ReplaysList->ApplySearch();
}

}  // namespace kordex::app
