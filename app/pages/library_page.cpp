#include "pages/library_page.h"

#include <QEventLoop>
#include <QHBoxLayout>
#include <QStringListModel>
#include <QVBoxLayout>

#include "default_error_handling.h"
#include "library/library_actions.h"
#include "library/library_list_style.h"
#include "library/library_scan.h"
#include "library/library_search.h"
#include "library/live_folder.h"
#include "tables/header_click_sorts.h"
#include "widget_names.h"
#include "window/library_folder.h"

namespace kordex::app {

void FolderEdit::mouseDoubleClickEvent(QMouseEvent* event) {
    QLineEdit::mouseDoubleClickEvent(event);
    emit doubleClicked();
}

namespace {

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
      run_(tables.library,
           {.readingBegan = [this](const std::string& folder) { BeginReading(folder); },
            .rowsToShow = [this] { ShowNewRows(); },
            .turnEnded = [this] { SearchNewRows(); },
            .ended = [this](std::exception_ptr failure) { ScanEnded(failure); }}),
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

LibraryPage::~LibraryPage() = default;

void LibraryPage::SetWindowContext(WindowContext context) {
    context_ = std::move(context);
    run_.SetSettings({.iniPath = context_.iniPath,
                      .cachePath = context_.cachePath,
                      .desktop = context_.platform ? &context_.platform->desktop : nullptr,
                      .bars = context_.bars});
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

void LibraryPage::StartScan(const std::string& folder) {
    if (Scanning())
        return;
    liveFolder_.Forget();
    run_.Start(folder);
}

void LibraryPage::StopScan() {
    run_.Stop();
}

void LibraryPage::BeginReading(const std::string& folder) {
    ShowPathLists(tables_.library);
    // Rows not read yet are empty: a search hides them until they are.
    searchedRows_ = 0;
    ApplyLibrarySearch(tables_.library.allReplays, searchKey_);
    ApplyLibrarySearch(tables_.library.favoriteReplays, searchKey_);
    // The emptied lists are shown whole once; then only the rows placed since.
    ShowLists();
    shownRows_ = 0;
    liveFolder_.Watch(folder);
}

void LibraryPage::ScanEnded(std::exception_ptr failure) {
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

void LibraryPage::ShowLists() {
    SearchNewRows();
    sg_AllReplays->Refresh();
    sg_FavoriteReplays->Refresh();
}

void LibraryPage::ShowNewRows() {
    SearchNewRows();
    if (const LibraryScan* scan = run_.Scan()) {
        const LibraryScan::PlacedRows rows = scan->RowsOfPlaced(shownRows_, searchedRows_);
        sg_AllReplays->RefreshRows(rows.all.first, rows.all.last);
        sg_FavoriteReplays->RefreshRows(rows.favorites.first, rows.favorites.last);
    }
    shownRows_ = searchedRows_;
}

// ---- The search ----

void LibraryPage::SearchNewRows() {
    const LibraryScan* scan = run_.Scan();
    if (!scan)
        return;
    const int placed = scan->PlacedCount();
    if (!searchKey_.empty()) {
        const LibraryScan::PlacedRows rows = scan->RowsOfPlaced(searchedRows_, placed);
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
    searchedRows_ = run_.Scan() ? run_.Scan()->PlacedCount() : 0;
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
    if (!run_.CanReadRows())
        return;
    for (const std::string& path : paths) {
        const LibraryPlace place = PlaceOfAppearedReplay(tables_.library, folder, path);
        if (AlreadyShown(place, path))
            continue;
        InsertLibraryRow(place.table, place.list, run_.ReadRow(path), context_.platform->desktop);
    }
    ShowPathLists(tables_.library);
    ApplySearch();
    run_.SaveCache();
}

}  // namespace kordex::app
