#include "pages/personal_panel.h"

#include <QGridLayout>
#include <QLabel>

#include "widget_names.h"

namespace kordex::app {

namespace {

struct Pair {
    const char* caption;
    const char* label;
};

const Pair kLeftColumn[] = {
    {"Выстрелов:", "Label_shots"},
    {"прямых попаданий:", "Label_hits"},
    {"фугасных поврежд.:", "Label_he_hits"},
    {"пробитий:", "Label_pierced"},
    {"Урона нанес:", "Label_damageDealt"},
    {"Попаданий получил:", "Label_shotsReceived"},
    {"Урона получил/потенциал.:", "Label_damageReceived"},
    {"Обнаружил:", "Label_spotted"},
    {"Насветил:", "Label_damageAssistedRadio"},
    {"Урона по загусленн.:", "Label_damageAssistedTrack"},
    {"Повредил:", "Label_damaged"},
    {"Уничтожил:", "Label_kills"},
    {"Очков захвата:", "Label_capturePoints"},
    {"Захвата сбил:", "Label_droppedCapturePoints"},
    {"Прожил/Бой длился:", "Label_lifetime_duration"},
    {"Пробег:", "Label_mileage"},
    {"Убит игроком:", "Label_killerID"},
};

const Pair kRightColumn[] = {
    {"Премиум:", "Label_premium"},
    {"Опыта:", "Label_xp"},
    {"Штраф за союз. ур.:", "Label_xpPenalty"},
    {"Свободного:", "Label_freeXp"},
    {"Серебра:", "Label_credits"},
    {"Штраф за союз. ур.:", "Label_creditsPenalty"},
    {"Компенсация:", "Label_creditsContributionIn"},
    {"Авторемонт:", "Label_autoRepairCost"},
    {"Автопополнение БК:", "Label_autoLoadCost"},
    {"Авто. снаряжение:", "Label_autoEquipCost"},
    {"Итого:", "Label_silverSumm"},
};

// Kept by the analysis but never shown.
const Pair kHidden[] = {
    {"arenaCreateTime:", "Label_arenaCreateTime"},
    {"heroVehicleIDs:", "Label_heroVehicleIDs"},
    {"arenaTypeID:", "Label_arenaTypeID"},
    {"achieveIndices:", "Label_achieveIndices"},
};

void AddPairs(QWidget* parent, QGridLayout* grid, int column, const Pair* pairs, int count) {
    for (int i = 0; i < count; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(pairs[i].caption), parent), i, column);
        QLabel* value = NamedLabel(parent, pairs[i].label, QStringLiteral("0"));
        value->setTextInteractionFlags(Qt::TextSelectableByMouse);
        grid->addWidget(value, i, column + 1);
    }
}

}  // namespace

PersonalPanel::PersonalPanel(QWidget* parent) : QWidget(parent) {
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    AddPairs(this, grid, 0, kLeftColumn, std::size(kLeftColumn));
    AddPairs(this, grid, 3, kRightColumn, std::size(kRightColumn));
    grid->setColumnMinimumWidth(2, 40);
    grid->setColumnStretch(5, 1);
    grid->setRowStretch(std::size(kLeftColumn), 1);
    for (const Pair& pair : kHidden) {
        new QLabel(QString::fromUtf8(pair.caption), this);
        NamedLabel(this, pair.label, QStringLiteral("0"));
    }
    for (QLabel* label : findChildren<QLabel*>()) {
        if (grid->indexOf(label) < 0)
            label->hide();
    }
}

}  // namespace kordex::app
