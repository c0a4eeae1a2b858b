#pragma once

#include <QWidget>

namespace kordex::app {

// The tab "Дополнительно": the replay author's statistics over a series, captions beside
// value labels named "Label_m_" and a short name.
class AuthorStatsPanel : public QWidget {
    Q_OBJECT
  public:
    explicit AuthorStatsPanel(QWidget* parent = nullptr);
};

}  // namespace kordex::app
