#include "pages/library_page.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHBoxLayout>
#include <QStringListModel>
#include <QVBoxLayout>
#include <algorithm>

#include "default_error_handling.h"
#include "library/library_actions.h"
#include "library/library_list_style.h"
#include "library/library_search.h"
#include "library/live_folder.h"
#include "library/replay_files.h"
#include "tables/header_click_sorts.h"
#include "widget_names.h"
#include "window/library_cache_file.h"
#include "window/library_folder.h"

namespace kordex::app {

void FolderEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

namespace {

// How long one turn of the event loop may place rows, and how often it comes: the window
// answers input between turns, and painting a list costs more than placing a row.
constexpr std::chrono::milliseconds kPlacingTurn{15};
constexpr int kScanTickMs = 10;

GridView* LibraryGridView(TextGrid& grid, const char* name, QWidget* parent) {
    auto* view = Named(new GridView(grid, parent), name);
    view->SetColumnsResizable(true);
    view->SetRowRangeSelection(true);
    // ReplaysListOnDrawCell
    view->SetCellStyleHook([](int column, int row, const std::string& text, bool selected) {
        return LibraryListCellStyle(column, row, text, selected);
    });
    return view;
}

// The paths of a table's rows, in a list the window never shows: a plain list of texts, which
// takes ten thousand paths at once where a list of items makes an item of each.
QListView* HiddenList(const char* name, QWidget* parent) {
    auto* list = Named(new QListView(parent), name);
    list->setModel(new QStringListModel(list));
    list->hide();
    return list;
}

QWidget* ListTab(GridView* grid, QListView* list, const char* name) {
    auto* tab = Named(new QWidget, name);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    grid->setParent(tab);
    list->setParent(tab);
    list->hide();
    layout->addWidget(grid);
    return tab;
}

void ShowPaths(QListView* list, const std::vector<std::string>& paths) {
    QStringList texts;
    texts.reserve(static_cast<qsizetype>(paths.size()));
    for (const std::string& path : paths)
        texts.append(QString::fromStdString(path));
    auto* model = static_cast<QStringListModel*>(list->model());
    // A rescan mostly lists what the list holds already.
    if (model->stringList() != texts)
        model->setStringList(texts);
}

}  // namespace

LibraryPage::LibraryPage(WindowTables& tables, QWidget* parent)
    : QWidget(parent),
      tables_(tables),
      liveFolder_(tables.library,
                  {.scanning = [this] { return Scanning(); },
                   .rowsDropped =
                       [this] {
                           ShowPathLists(tables_.library);
                           ApplySearch();
                       },
                   .replaysComplete =
                       [this](const std::vector<std::string>& paths, const std::string& folder) {
                           PlaceAppearedReplays(paths, folder);
                       }}) {
    sg_AllReplays = LibraryGridView(tables.library.allReplays, "sg_AllReplays", this);
    sg_FavoriteReplays =
        LibraryGridView(tables.library.favoriteReplays, "sg_FavoriteReplays", this);
    // The favourites list keeps the toolkit's own wheel scrolling.
    sg_AllReplays->SetSeriesWheelScroll(true);
    lb_AllReplaysList = HiddenList("lb_AllReplaysList", this);
    lb_FavoriteReplaysList = HiddenList("lb_FavoriteReplaysList", this);
    pc_ReplaysList = Named(new QTabWidget(this), "pc_ReplaysList");
    pc_ReplaysList->setDocumentMode(true);
    ts_AllReplays = ListTab(sg_AllReplays, lb_AllReplaysList, "ts_AllReplays");
    ts_FavoriteReplays = ListTab(sg_FavoriteReplays, lb_FavoriteReplaysList, "ts_FavoriteReplays");
    pc_ReplaysList->addTab(ts_AllReplays, QStringLiteral("Все реплеи"));
    pc_ReplaysList->addTab(ts_FavoriteReplays, QStringLiteral("Избранное"));

    ed_AllReplaysFolder = Named(new FolderEdit(this), "ed_AllReplaysFolder");
    ed_AllReplaysFolder->setText(QStringLiteral("Укажите путь к реплеям -->"));
    ed_Search = Named(new QLineEdit(this), "ed_Search");
    ed_Search->setPlaceholderText(QStringLiteral("Поиск: игрок, карта, танк, тип боя, исход"));
    ed_Search->setClearButtonEnabled(true);
    bt_SelectFolder = NamedButton(this, "bt_SelectFolder", QStringLiteral("..."));
    bt_SelectFolder->setMaximumWidth(32);
    bt_Refresh = NamedButton(this, "bt_Refresh", QStringLiteral("Обновить"), true);
    bt_Stop = NamedButton(this, "bt_Stop", QStringLiteral("Стоп"));
    bt_Stop->setEnabled(false);
    bt_AddToFavorites = NamedButton(this, "bt_AddToFavorites", QStringLiteral("В избранное"));
    bt_ProcessInKordex =
        NamedButton(this, "bt_ProcessInKordex", QStringLiteral("Просмотреть рез-ты"));
    bt_DeleteSelected = NamedButton(this, "bt_DeleteSelected", QStringLiteral("Удалить"));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(ed_AllReplaysFolder, 1);
    folderRow->addWidget(bt_SelectFolder);
    folderRow->addWidget(bt_Refresh);
    folderRow->addWidget(bt_Stop);
    folderRow->addSpacing(16);
    folderRow->addWidget(bt_AddToFavorites);
    folderRow->addWidget(bt_ProcessInKordex);
    folderRow->addWidget(bt_DeleteSelected);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addLayout(folderRow);
    page->addWidget(ed_Search);
    page->addWidget(pc_ReplaysList, 1);

    scanTimer_.setInterval(kScanTickMs);
    connect(&scanTimer_, &QTimer::timeout, this, [this] { ScanTick(); });
    connect(bt_Stop, &QPushButton::clicked, this, [this] { StopScan(); });
    connect(ed_Search, &QLineEdit::textChanged, this,
            [this] { RunGuarded([this] { ApplySearch(); }); });
    ConnectHandlers();
}

void LibraryPage::ConnectHandlers() {
    connect(bt_SelectFolder, &QPushButton::clicked, this, [this] { bt_SelectFolderClick(); });
    connect(bt_Refresh, &QPushButton::clicked, this, [this] { bt_RefreshClick(); });
    connect(ed_AllReplaysFolder, &FolderEdit::doubleClicked, this,
            [this] { RunGuarded([this] { ed_AllReplaysFolderDblClick(); }); });
    connect(bt_AddToFavorites, &QPushButton::clicked, this, [this] { bt_AddToFavoritesClick(); });
    connect(bt_DeleteSelected, &QPushButton::clicked, this, [this] { bt_DeleteSelectedClick(); });
    for (GridView* list : {sg_AllReplays, sg_FavoriteReplays})
        connect(list, &GridView::fixedCellClicked, this, [this, list](int column, int row) {
            ReplaysListFixedCellClick(*list, column, row);
        });
}

// The scan's readers stop with it; the rows they still read are not waited for. Work under
// way on the side holds a scan or writes the cache: it is waited for.
LibraryPage::~LibraryPage() {
    if (aside_) {
        aside_->wait();
        delete aside_;
    }
}

GridView* LibraryPage::ActiveList() const {
    return pc_ReplaysList->currentIndex() == 1 ? sg_FavoriteReplays : sg_AllReplays;
}

void LibraryPage::ShowPathLists(const LibraryTables& library) {
    ShowPaths(lb_AllReplaysList, library.allReplaysList);
    ShowPaths(lb_FavoriteReplaysList, library.favoriteReplaysList);
}

// ---- The handlers ----

void LibraryPage::Act(WindowAction action, const std::function<void()>& handler) {
    if (RunsNow(context_.busy->Now(), action))
        RunGuarded(handler);
}

void LibraryPage::ProcessReplays() {
    // The rows arrive while the window goes on; "Стоп" ends the scan.
    Act(WindowAction::LibraryScan, [this] {
        StartScan(ed_AllReplaysFolder->text().toStdString());
        ShowBusy();
    });
}

void LibraryPage::bt_SelectFolderClick() {
    Act(WindowAction::LibraryScan, [this] {
        const std::optional<std::string> folder = ChooseLibraryFolder(*context_.platform);
        if (!folder)
            return;
        ed_AllReplaysFolder->setText(QString::fromStdString(*folder));
        ed_AllReplaysFolder->repaint();
        ProcessReplays();
    });
}

void LibraryPage::bt_RefreshClick() {
    if (context_.platform->files.FolderExists(ed_AllReplaysFolder->text().toStdString()))
        ProcessReplays();
}

void LibraryPage::ed_AllReplaysFolderDblClick() {
    OpenReplayFolder(ed_AllReplaysFolder->text().toStdString(), context_.platform->files,
                     context_.platform->desktop);
}

void LibraryPage::bt_AddToFavoritesClick() {
    if (ActiveList() == sg_FavoriteReplays)
        return;
    Act(WindowAction::LibraryFavorites, [this] {
        AddToFavorites(tables_.library.allReplays, tables_.library.favoriteReplays,
                       context_.platform->files, context_.platform->desktop);
        ApplySearch();
    });
}

void LibraryPage::bt_DeleteSelectedClick() {
    Act(WindowAction::LibraryDelete, [this] {
        DeleteSelected(ActiveList()->Grid(), context_.platform->files, context_.platform->desktop);
        ApplySearch();
    });
}

void LibraryPage::ReplaysListFixedCellClick(GridView& list, int column, int row) {
    // A sort during a scan waits for the whole list.
    context_.busy->Admit(WindowAction::LibrarySort, [this, grid = &list, column, row] {
        RunGuarded([&] {
            SortLibraryListByHeader(*context_.sort, grid->Grid(), column, row);
            ApplySearch();
        });
    });
}

// ---- The scan ----

void LibraryPage::RunAside(std::function<void()> work,
                           std::function<void(std::exception_ptr)> done) {
    auto failure = std::make_shared<std::exception_ptr>();
    aside_ = QThread::create([work = std::move(work), failure] {
        try {
            work();
        } catch (...) {
            *failure = std::current_exception();
        }
    });
    connect(aside_, &QThread::finished, this, [this, done = std::move(done), failure] {
        aside_->wait();
        aside_->deleteLater();
        aside_ = nullptr;
        done(*failure);
    });
    aside_->start();
}

void LibraryPage::StartScan(const std::string& folder) {
    if (Scanning())
        return;
    phase_ = ScanPhase::Starting;
    stopAsked_ = false;
    liveFolder_.Forget();
    // The last scan's tanks.ini and cache are let go there too: ten thousand rows take a
    // while to free.
    struct Start {
        std::unique_ptr<IniFile> oldIni;
        std::unique_ptr<LibraryRowCache> oldCache;
        LibraryScanSetup setup;
    };
    auto start = std::make_shared<Start>();
    start->oldIni = std::move(ini_);
    start->oldCache = std::move(cache_);
    RunAside(
        [start, folder, iniPath = context_.iniPath, cachePath = context_.cachePath] {
            start->oldIni.reset();
            start->oldCache.reset();
            start->setup = PrepareLibraryScan(folder, iniPath, cachePath);
        },
        [this, start](std::exception_ptr failure) {
            if (!failure)
                RunGuarded([&] { BeginReading(std::move(start->setup)); });
            if (phase_ != ScanPhase::Starting)
                return;
            // No scan began.
            phase_ = ScanPhase::Idle;
            emit scanEnded();
            if (failure)
                RunGuarded([&] { std::rethrow_exception(failure); });
        });
}

void LibraryPage::BeginReading(LibraryScanSetup setup) {
    const std::string folder = setup.files.folder;
    ini_ = std::move(setup.ini);
    cache_ = std::move(setup.cache);
    scan_ =
        std::make_unique<LibraryScan>(std::move(setup.files), tables_.library, *ini_, cache_.get());
    // "Стоп" came while the scan gathered: the readers stop before they take more files.
    if (stopAsked_)
        scan_->Stop();
    // From here the ticks carry the scan to its end, whatever fails below.
    phase_ = ScanPhase::Reading;
    scanTimer_.start();
    ShowPathLists(tables_.library);
    // Rows not read yet are empty: a search hides them until they are.
    searchedRows_ = 0;
    ApplyLibrarySearch(tables_.library.allReplays, searchKey_);
    ApplyLibrarySearch(tables_.library.favoriteReplays, searchKey_);
    // The emptied lists are shown whole once; then only the rows placed since.
    ShowLists();
    shownRows_ = 0;
    progress_ = std::make_unique<LibraryScanProgress>(context_.bars(), [this] { ShowNewRows(); });
    progress_->Started(scan_->FileCount());
    liveFolder_.Watch(folder);
    if (stopAsked_)
        ScanTick();
}

void LibraryPage::ScanTick() {
    // A failure's message box runs an event loop of its own, in which the timer comes again.
    if (!scan_ || placing_)
        return;
    placing_ = true;
    RunGuarded(
        [this] { scan_->Place(context_.platform->desktop, progress_.get(), kPlacingTurn, false); });
    placing_ = false;
    if (!scan_)
        return;
    SearchNewRows();
    if (scan_->Finished())
        EndScan();
}

void LibraryPage::StopScan() {
    if (phase_ == ScanPhase::Starting)
        stopAsked_ = true;
    if (!scan_)
        return;
    scan_->Stop();
    // The files in hand are read to their end and placed; the rows after them go.
    ScanTick();
}

void LibraryPage::EndScan() {
    scanTimer_.stop();
    if (progress_)
        progress_->Finished();
    progress_.reset();
    phase_ = ScanPhase::Ending;
    // The rows move into the cache and its file there, and the scan is let go there too.
    struct End {
        std::unique_ptr<LibraryRowCache> cache;
        std::unique_ptr<LibraryScan> scan;
    };
    auto end = std::make_shared<End>();
    end->cache = std::move(cache_);
    end->scan = std::move(scan_);
    RunAside(
        [end, cachePath = context_.cachePath] {
            if (end->cache && !cachePath.empty())
                KeepLibraryScanRows(*end->scan, *end->cache, cachePath);
            end->scan.reset();
        },
        [this, end](std::exception_ptr failure) {
            // A cache that failed to be made is rebuilt by the next scan.
            cache_ = failure ? nullptr : std::move(end->cache);
            ScanEnded(failure);
        });
}

void LibraryPage::ScanEnded(std::exception_ptr failure) {
    phase_ = ScanPhase::Idle;
    ShowLists();
    liveFolder_.CatchUp();
    emit scanEnded();
    if (failure)
        RunGuarded([&] { std::rethrow_exception(failure); });
}

void LibraryPage::WaitForScan() {
    // An event loop of its own, which sleeps between events as the window's does: processing
    // events in a loop would spin, taking a core from the scan's readers.
    QEventLoop loop;
    connect(this, &LibraryPage::scanEnded, &loop, &QEventLoop::quit);
    while (Scanning())
        loop.exec();
}

void LibraryPage::SaveCache() {
    if (!cache_ || context_.cachePath.empty())
        return;
    // A cache that cannot be written costs only the next start's speed: nobody is told.
    (void)SaveLibraryCache(context_.cachePath, *cache_);
}

void LibraryPage::ShowLists() {
    SearchNewRows();
    sg_AllReplays->Refresh();
    sg_FavoriteReplays->Refresh();
}

void LibraryPage::ShowNewRows() {
    SearchNewRows();
    if (scan_) {
        const LibraryScan::PlacedRows rows = scan_->RowsOfPlaced(shownRows_, searchedRows_);
        sg_AllReplays->RefreshRows(rows.all.first, rows.all.last);
        sg_FavoriteReplays->RefreshRows(rows.favorites.first, rows.favorites.last);
    }
    shownRows_ = searchedRows_;
}

// ---- The search ----

void LibraryPage::SearchNewRows() {
    if (!scan_)
        return;
    const int placed = scan_->PlacedCount();
    if (!searchKey_.empty()) {
        const LibraryScan::PlacedRows rows = scan_->RowsOfPlaced(searchedRows_, placed);
        ApplyLibrarySearch(tables_.library.allReplays, searchKey_, rows.all.first, rows.all.last);
        ApplyLibrarySearch(tables_.library.favoriteReplays, searchKey_, rows.favorites.first,
                           rows.favorites.last);
    }
    searchedRows_ = placed;
}

void LibraryPage::ApplySearch() {
    searchKey_ = SearchKey(ed_Search->text().toStdString());
    ApplyLibrarySearch(tables_.library.allReplays, searchKey_);
    ApplyLibrarySearch(tables_.library.favoriteReplays, searchKey_);
    searchedRows_ = scan_ ? scan_->PlacedCount() : 0;
    sg_AllReplays->Refresh();
    sg_FavoriteReplays->Refresh();
}

void LibraryPage::ShowBusy() {
    const BusyState busy = context_.busy->Now();
    bt_Refresh->setEnabled(RunsNow(busy, WindowAction::LibraryScan));
    bt_SelectFolder->setEnabled(RunsNow(busy, WindowAction::LibraryScan));
    bt_AddToFavorites->setEnabled(RunsNow(busy, WindowAction::LibraryFavorites));
    bt_DeleteSelected->setEnabled(RunsNow(busy, WindowAction::LibraryDelete));
    bt_Stop->setEnabled(busy.libraryScan);
}

// ---- The live folder ----

void LibraryPage::PlaceAppearedReplays(const std::vector<std::string>& paths,
                                       const std::string& folder) {
    if (!ini_)
        return;
    for (const std::string& path : paths) {
        const LibraryPlace place = PlaceOfAppearedReplay(tables_.library, folder, path);
        if (AlreadyShown(place, path))
            continue;
        const std::optional<FileStamp> stamp = StampOf(path);
        LibraryRow row = ReadLibraryRow(path, *ini_);
        if (cache_ && stamp && row.opened)
            cache_->Keep(path, *stamp, row);
        InsertLibraryRow(place.table, place.list, row, context_.platform->desktop);
    }
    ShowPathLists(tables_.library);
    ApplySearch();
    SaveCache();
}

}  // namespace kordex::app
