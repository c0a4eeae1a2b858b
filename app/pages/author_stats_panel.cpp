#include "pages/author_stats_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "widget_names.h"

namespace kordex::app {

namespace {

struct Row {
    const char* caption;
    const char* label;
    bool bold;
};

const Row kLeftColumn[] = {
    {"Побед/Боев:", "Label_m_battles", false},
    {"Выстрелов:", "Label_m_shots", false},
    {"Фугасных повреждений:", "Label_m_hehits", false},
    {"Попаданий:", "Label_m_hits", false},
    {"Точность:", "Label_m_accuracy", false},
    {"Пробитий:", "Label_m_pierced", false},
    {"Урона нанес:", "Label_m_dmg", false},
    {"Средний урон за выстрел:", "Label_m_dmgpershot", false},
    {"Урона получил:", "Label_m_dmgrecieved", false},
    {"Попаданий получил:", "Label_m_shotsReceived", false},
    {"Средн. ур. за получ. попад.:", "Label_m_dmgpergot", false},
    {"Потенциального ур.:", "Label_m_potentialgot", false},
    {"Сред. потенциал. за попад.:", "Label_m_potencpershot", false},
    {"Отношение потенц. урона\nк полученному:", "Label_m_pottorecieved", false},
};

const Row kRightColumn[] = {
    {"Обнаружил:", "Label_m_spotted", false},
    {"Насветил:", "Label_m_support", false},
    {"Урон по загусл.:", "Label_m_tracks", false},
    {"Повредил:", "Label_m_damaged", false},
    {"Уничтожил:", "Label_m_killed", false},
    {"Очков захвата:", "Label_m_capture", false},
    {"Очков защиты:", "Label_m_defend", false},
    {"Прожил:", "Label_m_lifetime", false},
    {"Прожил % боя:", "Label_m_lifetimeproc", false},
    {"Выживаемость:", "Label_m_survive", false},
    {"Пробег:", "Label_m_mileage", false},
    {"Опыта:", "Label_m_exp", true},
    {"Серебра:", "Label_m_silver", false},
    {"Пополнение БК:", "Label_m_ammo", false},
    {"Ремонт:", "Label_m_repair", false},
    {"Снаряжение:", "Label_m_equip", false},
    {"Прибыль:", "Label_m_profit", true},
};

void AddRows(QWidget* parent, QGridLayout* grid, int column, const Row* rows, int count) {
    grid->addWidget(new QLabel(QStringLiteral("Суммарно/В среднем"), parent), 1, column + 1);
    for (int i = 0; i < count; ++i) {
        auto* caption = new QLabel(QString::fromUtf8(rows[i].caption), parent);
        QLabel* value = NamedLabel(parent, rows[i].label, QStringLiteral("0"));
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
    AddRows(this, grid, 0, kLeftColumn, std::size(kLeftColumn));
    AddRows(this, grid, 3, kRightColumn, std::size(kRightColumn));
    grid->setColumnMinimumWidth(2, 30);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(std::size(kRightColumn) + 2, 1);
    // Counters the statistics are computed from; never shown.
    NamedLabel(this, "Label_m_wins", QStringLiteral("0"))->hide();
    NamedLabel(this, "Label_m_duration", QStringLiteral("0"))->hide();
}

}  // namespace kordex::app
