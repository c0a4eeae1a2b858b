#include "pages/author_stats_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "series/author_statistics.h"
#include "widget_names.h"

namespace kordex::app {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void AddRows(QWidget* parent, QGridLayout* grid, int column, std::span<const AuthorStatsRow> rows) {
    grid->addWidget(new QLabel(QStringLiteral("Суммарно/В среднем"), parent), 1, column + 1);
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        auto* caption = new QLabel(FromUtf8(rows[i].caption), parent);
        QLabel* value = NamedLabel(parent, std::string(rows[i].label).c_str(), QStringLiteral("0"));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        if (rows[i].bold) {
            MakeBold(caption);
            MakeBold(value);
        }
        grid->addWidget(caption, i + 2, column);
        grid->addWidget(value, i + 2, column + 1);
    }
}

}  // namespace

AuthorStatsPanel::AuthorStatsPanel(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    auto* title = new QLabel(QStringLiteral("Статистика автора реплеев"), this);
    MakeBold(title);
    grid->addWidget(title, 0, 0, 1, 5);
    AddRows(this, grid, 0, AuthorStatsLeftColumn());
    AddRows(this, grid, 3, AuthorStatsRightColumn());
    grid->setColumnMinimumWidth(2, 30);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(static_cast<int>(AuthorStatsRightColumn().size()) + 2, 1);
    // Counters the statistics are computed from; never shown.
    NamedLabel(this, "Label_m_wins", QStringLiteral("0"))->hide();
    NamedLabel(this, "Label_m_duration", QStringLiteral("0"))->hide();
}

}  // namespace kordex::app
