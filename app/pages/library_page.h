#pragma once

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QWidget>

#include "grid/grid_view.h"
#include "window/window_tables.h"

namespace kordex::app {

// A line edit that reports double-clicks (the folder field opens its folder).
class FolderEdit : public QLineEdit {
    Q_OBJECT
  public:
    using QLineEdit::QLineEdit;

  signals:
    void doubleClicked();

  protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// The tab "Управление реплеями": the folder field, the library lists of all replays and of
// the favourites, and the actions on their selections.
class LibraryPage : public QWidget {
    Q_OBJECT
  public:
    LibraryPage(WindowTables& tables, QWidget* parent = nullptr);

    // The list on the active sub-tab and its grid view.
    GridView* ActiveList() const;
    // The hidden path lists as the last scan left them.
    void ShowPathLists(const LibraryTables& library);
    // Both tables painted at once, while a scan keeps the event loop waiting.
    void RepaintLists();

    QTabWidget* pc_ReplaysList;
    QWidget* ts_AllReplays;
    QWidget* ts_FavoriteReplays;
    GridView* sg_AllReplays;
    GridView* sg_FavoriteReplays;
    QListWidget* lb_AllReplaysList;
    QListWidget* lb_FavoriteReplaysList;
    FolderEdit* ed_AllReplaysFolder;
    QPushButton* bt_SelectFolder;
    QPushButton* bt_Refresh;
    QPushButton* bt_AddToFavorites;
    QPushButton* bt_ProcessInKordex;
    QPushButton* bt_DeleteSelected;
};

}  // namespace kordex::app
