#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>

#include <cmath>
#include <cstdint>

#include "grid/grid_delegate.h"
#include "single/single_end_text.h"
#include "support/battle_fixture.h"
#include "support/battle_replay.h"
#include "support/replay_fixture.h"
#include "tables/cell_markers.h"
#include "window_harness.h"

#ifndef Q_OS_WIN
#include "platform/tone_player.h"
#endif

namespace kordex::test {
namespace {

class SingleBattleWindow : public ::testing::Test {
  protected:
    explicit SingleBattleWindow(bool measuredText = false) : window(measuredText) {}

    std::string Write(const BattleFixture& battle, const std::string& name) {
        const std::string path = window.folder.File(name);
        WriteBattleReplay(path, battle);
        return path;
    }
    // A replay of a battle the recording player left before its end: no results.
    std::string WriteLeftEarly(const std::string& name) {
        const BattleJsonTexts texts = BattleFixture(30).Texts();
        ReplayFixture replay;
        replay.header = texts.header;
        const std::string path = window.folder.File(name);
        WriteReplayFile(path, replay);
        return path;
    }
    QString Status() { return window.form->StatusBar->currentMessage(); }

    WindowHarness window;
};

// A failed analysis says in the status bar what happened, besides the beep; the line goes
// when the next analysis starts.
TEST_F(SingleBattleWindow, AFailureLeavesALineInTheStatusBarUntilTheNextAnalysis) {
    window.Open();
    window.AnalyseSingle(WriteLeftEarly("early.wotreplay"));
    EXPECT_EQ(window.desktop.Events().back(), "beep 400 200");
    EXPECT_EQ(Status().toStdString(), SingleEndStatusLine(SingleEnd::Incomplete));
    EXPECT_FALSE(Status().isEmpty());

    window.AnalyseSingle(Write(BattleFixture(30), "good.wotreplay"));
    EXPECT_TRUE(Status().isEmpty());
    EXPECT_FALSE(window.form->Tables().AlliesGrid.Cell(1, 1).empty());
}

// Enter in the path field opens the typed path.
TEST_F(SingleBattleWindow, EnterInThePathFieldAnalysesTheTypedPath) {
    window.Open();
    window.form->AnalyseType->setCurrentIndex(1);
    auto* path = window.Find<QLineEdit>("ReplayPath");
    path->setText(QString::fromStdString(Write(BattleFixture(30), "typed.wotreplay")));
    QTest::keyClick(path, Qt::Key_Return);
    EXPECT_EQ(window.form->AnalyseType->currentIndex(), 0);
    EXPECT_EQ(window.form->Tables().AlliesGrid.Cell(1, 1).substr(0, 6), "Player");
    EXPECT_TRUE(window.errors.empty());
}

class SingleBattleOnScreen : public SingleBattleWindow {
  protected:
    SingleBattleOnScreen() : SingleBattleWindow(true) {}
};

// A refused replay empties the view before its box opens, so that the box never stands over
// the last battle under the new path.
TEST_F(SingleBattleOnScreen, TheBoxOfARefusedReplayStandsOverAnEmptiedView) {
    window.Open();
    BattleFixture shown(30);
    shown.SetMap("06_ensk", "Энск");
    window.AnalyseSingle(Write(shown, "shown.wotreplay"));
    ASSERT_EQ(window.Find<QLabel>("Label_Map")->text().left(4), QStringLiteral("Энск"));

    QString mapUnderBox = QStringLiteral("(no box)");
    QString spottedUnderBox;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        mapUnderBox = window.Find<QLabel>("Label_Map")->text();
        spottedUnderBox = window.Find<QLabel>("Label_spotted")->text();
        box->accept();
    });
    window.AnalyseSingle(Write(BattleFixture(30, "0, 8, 10, 0"), "old.wotreplay"));
    EXPECT_EQ(mapUnderBox, QString());
    EXPECT_EQ(spottedUnderBox, QStringLiteral("0"));
}

// At the window's usual size a long name is cut with "…"; the tool tip shows it whole, and a
// name that fits has none.
TEST_F(SingleBattleOnScreen, ACutNameEndsInAnEllipsisAndShowsWholeAsAToolTip) {
    app::TKordexForm& form = window.Open();
    BattleFixture battle(30);
    battle.Vehicle(0).name = "Very_long_player_name_24";
    battle.Vehicle(0).vehicleType = "ussr:Object_a_long_vehicle_name";
    battle.Vehicle(1).name = "Al";
    window.AnalyseSingle(Write(battle, "long.wotreplay"));
    form.resize(853, 472);
    QApplication::processEvents();
    ASSERT_TRUE(window.errors.empty());

    app::GridView& grid = *window.Find<app::GridView>("AlliesGrid");
    const TextGrid& table = grid.Grid();
    auto rowOf = [&](const std::string& name) {
        for (int row = 1; row < table.RowCount(); ++row)
            if (table.Cell(1, row) == name)
                return row;
        return -1;
    };
    auto toolTipAt = [&](int column, int row) {
        // A tip still shown goes after a short delay; the next one must start from none.
        QToolTip::hideText();
        // A wait, not a check: the tip may already be gone.
        (void)QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 2000);
        QRect rect;
        app::GridPane* pane = grid.PaneOfCell(column, row, &rect);
        EXPECT_NE(pane, nullptr);
        if (pane == nullptr)
            return QString();
        const QPoint point = rect.center();
        QHelpEvent event(QEvent::ToolTip, point, pane->viewport()->mapToGlobal(point));
        QApplication::sendEvent(pane->viewport(), &event);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    const int longRow = rowOf("Very_long_player_name_24");
    ASSERT_GT(longRow, 0);
    const QFontMetrics metrics(grid.BodyPane()->font());
    ASSERT_GT(metrics.horizontalAdvance(QStringLiteral("Very_long_player_name_24")),
              table.ColumnWidth(1))
        << "the name fits; the test needs a cut one";
    EXPECT_EQ(toolTipAt(1, longRow), QStringLiteral("Very_long_player_name_24"));
    EXPECT_EQ(toolTipAt(1, rowOf("Al")), QString());

    const QString fitted = app::FittedText(QStringLiteral("zubikdavid50"), metrics,
                                           metrics.horizontalAdvance(QStringLiteral("zubikd")));
    EXPECT_TRUE(fitted.endsWith(QChar(0x2026))) << fitted.toStdString();
    EXPECT_LE(metrics.horizontalAdvance(fitted),
              metrics.horizontalAdvance(QStringLiteral("zubikd")));
    EXPECT_EQ(app::FittedText(QStringLiteral("Al"), metrics, 100), QStringLiteral("Al"));

    // The tool tip of a marked cell is its value, the marker left out.
    const QModelIndex index = grid.BodyPane()->model()->index(longRow - 1, 6);
    EXPECT_EQ(index.data(Qt::ToolTipRole).toString().toStdString(),
              std::string(ValuePart(table.Cell(6, longRow))));
}

// Qt's own texts are Russian: the buttons of a box and the file dialog's captions.
TEST(QtTranslation, StandardDialogsSpeakRussian) {
    EXPECT_NE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "Look in:"), QStringLiteral("Look in:"));
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kordex"), QStringLiteral("?"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Отмена"));
}

#ifndef Q_OS_WIN
// 400 Hz for 200 ms: 16-bit mono samples, 80 periods, quiet at both ends.
TEST(Tone, SamplesHoldTheToneOfTheGivenPitchAndLength) {
    const QByteArray bytes = app::ToneSamples(400, 200, 44100);
    ASSERT_EQ(bytes.size(), 8820 * 2);
    const auto* samples = reinterpret_cast<const std::int16_t*>(bytes.constData());
    int upwardCrossings = 0;
    int loudest = 0;
    for (int i = 1; i < 8820; ++i) {
        upwardCrossings += samples[i - 1] < 0 && samples[i] >= 0;
        loudest = std::max(loudest, std::abs(int{samples[i]}));
    }
    EXPECT_NEAR(upwardCrossings, 80, 1);
    EXPECT_GT(loudest, 8000);
    EXPECT_LT(std::abs(int{samples[0]}), 100);
    EXPECT_LT(std::abs(int{samples[8819]}), 100);
}

// Without a sound device (a server, CI) the beep neither fails nor waits for the tone.
TEST(Tone, ABeepReturnsAtOnceWithOrWithoutASoundDevice) {
    app::QtDesktop desktop;
    QElapsedTimer timer;
    timer.start();
    desktop.Beep(400, 200);
    desktop.Beep(400, 200);
    EXPECT_LT(timer.elapsed(), 150);
    QTest::qWait(50);
}
#endif

}  // namespace
}  // namespace kordex::test
