#include <gtest/gtest.h>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>

#include <filesystem>

#include "pages/library_page.h"
#include "pages/options_page.h"
#include "pages/single_battle_page.h"
#include "support/replay_fixture.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

QStringList TabCaptions(const QTabWidget* tabs) {
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i)
        captions << tabs->tabText(i);
    return captions;
}

bool Checked(WindowHarness& window, const char* name) {
    return window.Find<QCheckBox>(name)->isChecked();
}

// A replay folder with two finished battles and one replay the game is still writing.
std::string MakeReplayFolder(const TempFolder& folder) {
    const std::string replays = folder.File("replays");
    std::filesystem::create_directories(replays);
    WriteReplayFile(replays + "/a.wotreplay", FinishedBattle());
    WriteReplayFile(replays + "/b.wotreplay", FinishedBattle());
    WriteReplayFile(replays + "/temp.wotreplay", FinishedBattle());
    return replays;
}

std::string IniWithOptions(const std::string& options) {
    return "; vehicle names\r\n[options]\r\n" + options + "[ussr]\r\nT-34=Т-34\r\n";
}

TEST(WindowStartUp, WithoutSettingsFileOpensOnSeriesWithWindowDefaults) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();

    EXPECT_EQ(form.windowTitle(), QStringLiteral("Kordex World of Tanks 8.11 - 2.3 от 17.02.2017"));
    EXPECT_EQ(form.AnalyseType->currentIndex(), 1);
    EXPECT_EQ(window.Find<QTabWidget>("SingleReplayResults")->currentIndex(), 0);
    EXPECT_EQ(window.Find<QTabWidget>("Multi")->currentIndex(), 0);
    EXPECT_EQ(window.Find<QTabWidget>("pc_ReplaysList")->currentIndex(), 0);
    for (const char* box : {"MultiAdditional", "MultiGroupPlayers", "MultiToBegin",
                            "cb_AutoProcessReplays", "cb_remote_export_enable"})
        EXPECT_FALSE(Checked(window, box)) << box;
    EXPECT_EQ(window.Find<QLineEdit>("ed_AllReplaysFolder")->text(),
              QStringLiteral("Укажите путь к реплеям -->"));
    EXPECT_TRUE(window.Find<QGroupBox>("gp_options_export")->isHidden());
    for (const char* edit :
         {"ed_remote_server_address", "ed_remote_server_port", "ed_remote_export_author"})
        EXPECT_FALSE(window.Find<QLineEdit>(edit)->isEnabled()) << edit;
    EXPECT_FALSE(window.Find<QCheckBox>("cb_remote_export_enable")->isEnabled());
    EXPECT_TRUE(window.Find<QPushButton>("SingleReplayAnalyse")->isHidden());
    EXPECT_TRUE(window.Find<QProgressBar>("SeriesProgress")->isHidden());
    EXPECT_TRUE(window.Find<QListWidget>("lb_ReplaysList")->isHidden());
    EXPECT_TRUE(form.acceptDrops());
    EXPECT_TRUE(window.errors.empty());
    EXPECT_TRUE(window.desktop.Events().empty());

    // Without the file nothing is written at close, and nothing is created.
    form.close();
    EXPECT_FALSE(std::filesystem::exists(window.IniPath()));
}

TEST(WindowStartUp, TabsAndControlsCarryTheirNames) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();

    EXPECT_EQ(TabCaptions(form.AnalyseType),
              (QStringList{"Один бой", "Серия боев", "Управление реплеями", "Настройки"}));
    EXPECT_EQ(TabCaptions(window.Find<QTabWidget>("SingleReplayResults")),
              (QStringList{"Командные достижения", "Подробно"}));
    EXPECT_EQ(TabCaptions(window.Find<QTabWidget>("Multi")),
              (QStringList{"Опыт", "Фраги", "Урон", "Помощь", "Стрельба", "Итого", "Дополнительно",
                           "Графики"}));
    EXPECT_EQ(TabCaptions(window.Find<QTabWidget>("pc_ReplaysList")),
              (QStringList{"Все реплеи", "Избранное"}));
    const char* const pages[] = {"SingleReplay", "SeriesReplays", "ts_ReplaysList", "Options"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(form.AnalyseType->widget(i)->objectName(), QString::fromLatin1(pages[i]));

    struct Button {
        const char* name;
        const char* caption;
    };
    const Button buttons[] = {
        {"About", "О программе"},
        {"OpenReplay", "Открыть"},
        {"ViewReplay", "Просмотреть реплей"},
        {"SeriesAnalysisButton", "Начать"},
        {"HTMLExport", "Экспорт htm"},
        {"XlsExport", "Экспорт xls"},
        {"bt_SelectFolder", "..."},
        {"bt_Refresh", "Обновить"},
        {"bt_AddToFavorites", "В избранное"},
        {"bt_ProcessInKordex", "Просмотреть рез-ты"},
        {"bt_DeleteSelected", "Удалить"},
    };
    for (const Button& button : buttons) {
        auto* widget = window.Find<QPushButton>(button.name);
        ASSERT_NE(widget, nullptr) << button.name;
        EXPECT_EQ(widget->text(), QString::fromUtf8(button.caption)) << button.name;
    }
    for (const char* grid : {"AlliesGrid", "EnemiesGrid", "SeriesGridExp", "SeriesGridFrags",
                             "SeriesGridDamage", "SeriesGridSupport", "SeriesGridShots",
                             "SeriesGridSummary", "sg_AllReplays", "sg_FavoriteReplays"})
        EXPECT_NE(window.Find<app::GridView>(grid), nullptr) << grid;
    for (const char* list : {"lb_ReplaysList", "lb_AllReplaysList", "lb_FavoriteReplaysList"})
        EXPECT_NE(window.Find<QAbstractItemView>(list), nullptr) << list;
    EXPECT_EQ(window.Find<QLabel>("Label23")->text(), QStringLiteral("Союзники (чистый опыт):"));
    EXPECT_EQ(window.Find<QLabel>("Label24")->text(), QStringLiteral("Противники (чистый опыт):"));
    EXPECT_EQ(window.Find<QCheckBox>("MultiToBegin")->text(), QStringLiteral("\"Итого\" в начало"));

    // The value labels the analyses write by name: the personal panel, the battle labels and
    // the author's statistics.
    int personal = 0;
    int author = 0;
    for (QLabel* label : form.findChildren<QLabel*>()) {
        if (label->objectName().startsWith(QStringLiteral("Label_m_")))
            ++author;
        else if (label->objectName().startsWith(QStringLiteral("Label_")))
            ++personal;
    }
    EXPECT_EQ(personal, 32 + 4);  // 32 panel labels, Label_Map, Label_Time, ..Xml, ..isWinner
    EXPECT_EQ(author, 33);
    EXPECT_NE(window.Find<QLabel>("lb_battleType"), nullptr);
    EXPECT_TRUE(window.Find<QLabel>("Label_arenaCreateTime")->isHidden());
    EXPECT_TRUE(window.Find<QLabel>("Label_m_wins")->isHidden());
}

// The start-up titles the form's own tables (which title goes where, the core's tests say), and
// the hidden id columns take no room on screen.
TEST(WindowStartUp, TablesShowTheirTitlesAfterStartUp) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    EXPECT_EQ(form.Tables().AlliesGrid.Cell(6, 0), "Опыт");
    form.AnalyseType->setCurrentIndex(0);
    QApplication::processEvents();
    auto* allies = window.Find<app::GridView>("AlliesGrid");
    EXPECT_EQ(allies->PaneOfCell(12, 1, nullptr), nullptr);
    EXPECT_NE(allies->PaneOfCell(0, 1, nullptr), nullptr);
}

TEST(WindowStartUp, SettingsFileFillsTheOptionsScansAndIsWrittenBackAtClose) {
    WindowHarness window;
    const std::string replays = MakeReplayFolder(window.folder);
    window.WriteIni(IniWithOptions("Additional=True\r\nToBegin=0\r\nGroup=1\r\nAllReplaysFolder=" +
                                   replays + "\r\nAutoProcessReplays=2\r\n"));
    app::TKordexForm& form = window.Open();
    form.ts_ReplaysList->WaitForScan();

    EXPECT_TRUE(Checked(window, "MultiAdditional"));
    EXPECT_FALSE(Checked(window, "MultiToBegin"));
    EXPECT_TRUE(Checked(window, "MultiGroupPlayers"));
    EXPECT_TRUE(Checked(window, "cb_AutoProcessReplays"));
    EXPECT_EQ(window.Find<QLineEdit>("ed_AllReplaysFolder")->text().toStdString(), replays);
    // The scan started before the window was shown and opened it on the library.
    EXPECT_EQ(form.AnalyseType->currentIndex(), 2);
    EXPECT_EQ(window.Find<QListView>("lb_AllReplaysList")->model()->rowCount(), 2);
    EXPECT_EQ(form.Tables().library.allReplays.RowCount(), 3);
    EXPECT_EQ(form.Tables().library.allReplays.Cell(20, 1), replays + "/b.wotreplay");
    EXPECT_TRUE(window.Find<QProgressBar>("SeriesProgress")->isHidden());
    EXPECT_TRUE(form.StatusBar->currentMessage().isEmpty());
    EXPECT_TRUE(window.errors.empty());

    window.Find<QCheckBox>("MultiToBegin")->setChecked(true);
    window.Find<QCheckBox>("MultiAdditional")->setChecked(false);
    form.close();
    EXPECT_EQ(
        window.ReadIni(),
        IniWithOptions("Additional=0\r\nToBegin=-1\r\nGroup=-1\r\nAllReplaysFolder=" + replays +
                       "\r\nAutoProcessReplays=-1\r\nExportAllHTML=0\r\nRemoteExport=0\r\n"
                       "RemoteServerAddress=\r\nRemoteServerPort=80\r\n"));
}

TEST(WindowStartUp, InvalidBooleanIsReportedOnceAndStopsTheAutomaticScan) {
    WindowHarness window;
    const std::string replays = MakeReplayFolder(window.folder);
    window.WriteIni(
        IniWithOptions("Additional=1\r\nToBegin=yes\r\nGroup=true\r\nAllReplaysFolder=" + replays +
                       "\r\nAutoProcessReplays=1\r\n"));
    app::TKordexForm& form = window.Open();

    ASSERT_EQ(window.desktop.Events().size(), 1u);
    EXPECT_TRUE(window.desktop.Events()[0].starts_with("message "));
    EXPECT_NE(window.desktop.Events()[0].find("yes"), std::string::npos);
    EXPECT_TRUE(window.errors.empty());
    EXPECT_TRUE(Checked(window, "MultiAdditional"));
    EXPECT_FALSE(Checked(window, "MultiToBegin"));
    // The keys after the bad one are read, but the automatic scan does not run.
    EXPECT_TRUE(Checked(window, "MultiGroupPlayers"));
    EXPECT_TRUE(Checked(window, "cb_AutoProcessReplays"));
    EXPECT_EQ(form.AnalyseType->currentIndex(), 1);
    EXPECT_EQ(window.Find<QListView>("lb_AllReplaysList")->model()->rowCount(), 0);
    EXPECT_TRUE(form.Tables().library.allReplaysList.empty());

    form.close();
    const std::string written = window.ReadIni();
    EXPECT_NE(written.find("ToBegin=0\r\n"), std::string::npos);
    EXPECT_NE(written.find("Group=-1\r\n"), std::string::npos);
    EXPECT_NE(written.find("AutoProcessReplays=-1\r\n"), std::string::npos);
}

TEST(WindowResize, TeamTablesShareTheWidthRoundingHalvesToEven) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    auto* allies = window.Find<app::GridView>("AlliesGrid");
    auto* enemies = window.Find<app::GridView>("EnemiesGrid");
    auto* caption = window.Find<QLabel>("Label24");
    struct Case {
        int outerWidth;
        int alliesWidth;
    };
    for (Case c : {Case{869, 408}, Case{871, 410}, Case{1000, 474}}) {
        // Outer width: the client area plus the frame the layout was drawn for.
        form.resize(c.outerWidth - kDesignFrameWidth, 520);
        QApplication::processEvents();
        EXPECT_EQ(allies->width(), c.alliesWidth) << c.outerWidth;
        EXPECT_EQ(enemies->width(), c.alliesWidth) << c.outerWidth;
        EXPECT_EQ(enemies->x(), c.alliesWidth + 7) << c.outerWidth;
        EXPECT_EQ(caption->x(), c.alliesWidth + 7) << c.outerWidth;
    }
    EXPECT_EQ(form.minimumSize(), QSize(853, 472));
}

}  // namespace
}  // namespace kordex::test
