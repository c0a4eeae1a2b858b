#include <gtest/gtest.h>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

#include "platform/kordex_error.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

void FillAllies(TextGrid& allies, const std::vector<std::string>& experience) {
    for (size_t i = 0; i < experience.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        allies.SetCell(1, row, "Player" + std::to_string(row));
        allies.SetCell(6, row, experience[i]);
        allies.SetCell(7, row, std::to_string(100 * row) + ";0");
    }
}

TEST(DefaultErrorHandling, FailingHeaderSortShowsTheDescriptionAndTheWindowGoesOn) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    form.AnalyseType->setCurrentIndex(0);
    QApplication::processEvents();
    TextGrid& allies = form.Tables().AlliesGrid;
    FillAllies(allies, {"300;0", "500;+1", "error;0", "100;-1"});
    auto* grid = window.Find<app::GridView>("AlliesGrid");
    grid->Refresh();

    WindowHarness::ClickCell(*grid, 6, 0);  // "Опыт"
    ASSERT_EQ(window.errors.size(), 1u);
    EXPECT_FALSE(window.errors[0].empty());
    // The rows exchanged before the failure keep their places.
    EXPECT_EQ(allies.Cell(6, 1), "500;+1");
    EXPECT_EQ(allies.Cell(6, 2), "300;0");

    // The window still reacts: "Урон" sorts both tables, largest first.
    WindowHarness::ClickCell(*grid, 7, 0);
    EXPECT_EQ(window.errors.size(), 1u);
    EXPECT_EQ(allies.Cell(7, 1), "400;0");
    EXPECT_EQ(allies.Cell(7, 4), "100;0");
}

// The real default handling: a modal box with the description, closed by the user.
TEST(DefaultErrorHandling, ShowsAMessageBoxWithTheDescription) {
    app::SetDefaultErrorReporter({});
    QString shown;
    QTimer::singleShot(0, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown = box->text();
            box->accept();
        }
    });
    app::RunGuarded([] { throw KordexError("Значение \"abc\" не является целым числом"); });
    EXPECT_EQ(shown, QStringLiteral("Значение \"abc\" не является целым числом"));
}

// A failure in an event override, outside any handler, still reaches the default handling.
class ThrowingWidget : public QWidget {
  protected:
    void mousePressEvent(QMouseEvent*) override { throw std::runtime_error("press failed"); }
};

TEST(DefaultErrorHandling, ApplicationCatchesWhatEscapesAnEvent) {
    std::vector<std::string> reported;
    app::SetDefaultErrorReporter(
        [&reported](const std::string& description) { reported.push_back(description); });
    ThrowingWidget widget;
    widget.resize(50, 50);
    widget.show();
    QTest::mouseClick(&widget, Qt::LeftButton);
    QTest::mouseClick(&widget, Qt::LeftButton);
    app::SetDefaultErrorReporter({});
    EXPECT_EQ(reported, (std::vector<std::string>{"press failed", "press failed"}));
}

}  // namespace
}  // namespace kordex::test
