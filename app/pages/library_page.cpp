#include "pages/library_page.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "library/library_list_style.h"
#include "widget_names.h"

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

QListWidget* HiddenList(const char* name, QWidget* parent) {
    auto* list = Named(new QListWidget(parent), name);
    list->hide();
    return list;
}

QWidget* ListTab(GridView* grid, QListWidget* list, const char* name) {
    auto* tab = Named(new QWidget, name);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    grid->setParent(tab);
    list->setParent(tab);
    list->hide();
    layout->addWidget(grid);
    return tab;
}

}  // namespace

LibraryPage::LibraryPage(WindowTables& tables, QWidget* parent) : QWidget(parent) {
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
    bt_SelectFolder = NamedButton(this, "bt_SelectFolder", QStringLiteral("..."));
    bt_SelectFolder->setMaximumWidth(32);
    bt_Refresh = NamedButton(this, "bt_Refresh", QStringLiteral("Обновить"), true);
    bt_AddToFavorites = NamedButton(this, "bt_AddToFavorites", QStringLiteral("В избранное"));
    bt_ProcessInKordex =
        NamedButton(this, "bt_ProcessInKordex", QStringLiteral("Просмотреть рез-ты"));
    bt_DeleteSelected = NamedButton(this, "bt_DeleteSelected", QStringLiteral("Удалить"));

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(ed_AllReplaysFolder, 1);
    folderRow->addWidget(bt_SelectFolder);
    folderRow->addWidget(bt_Refresh);
    folderRow->addSpacing(16);
    folderRow->addWidget(bt_AddToFavorites);
    folderRow->addWidget(bt_ProcessInKordex);
    folderRow->addWidget(bt_DeleteSelected);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addLayout(folderRow);
    page->addWidget(pc_ReplaysList, 1);
}

GridView* LibraryPage::ActiveList() const {
    return pc_ReplaysList->currentIndex() == 1 ? sg_FavoriteReplays : sg_AllReplays;
}

void LibraryPage::ShowPathLists(const LibraryTables& library) {
    for (auto [list, paths] : {std::pair{lb_AllReplaysList, &library.allReplaysList},
                               std::pair{lb_FavoriteReplaysList, &library.favoriteReplaysList}}) {
        list->clear();
        for (const std::string& path : *paths)
            list->addItem(QString::fromStdString(path));
    }
}

void LibraryPage::RepaintLists() {
    for (GridView* list : {sg_AllReplays, sg_FavoriteReplays}) {
        list->Refresh();
        list->repaint();
    }
}

}  // namespace kordex::app
