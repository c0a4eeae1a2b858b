#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "pages/about_box.h"
#include "support/replay_fixture.h"
#include "window/about_box_texts.h"
#include "window_harness.h"

namespace kordex::test {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TEST(AboutBox, ShowsItsTextsAndOpensTheLinksInTheBrowser) {
    HeadlessDesktop desktop;
    app::TAboutBox box(desktop);
    box.show();
    QApplication::processEvents();
    EXPECT_EQ(box.windowTitle(), QStringLiteral("О программе"));
    QStringList texts;
    for (QLabel* label : box.findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains(QStringLiteral("Kordex World of Tanks")));
    EXPECT_TRUE(texts.contains(
        QStringLiteral("Программа написана для облегчения  сбора статы по ротным боям клана")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Поддерживаемые версии WoT: 8.11-2.3")));
    EXPECT_TRUE(box.OKButton()->isDefault());
    EXPECT_TRUE(box.OKButton()->hasFocus());
    EXPECT_FALSE(box.windowFlags() & Qt::WindowCloseButtonHint);

    auto* forum = box.findChild<QLabel*>(QStringLiteral("ForumLink"));
    ASSERT_NE(forum, nullptr);
    EXPECT_EQ(forum->text(), Text(kAboutForumThreadLabel));
    EXPECT_TRUE(forum->font().underline());
    EXPECT_EQ(forum->cursor().shape(), Qt::PointingHandCursor);
    QTest::mouseClick(forum, Qt::LeftButton);
    QTest::mouseClick(box.findChild<QLabel*>(QStringLiteral("ClanSiteLink")), Qt::LeftButton);
    EXPECT_EQ(desktop.Events(),
              (std::vector<std::string>{"open " + std::string(kAboutForumThreadAddress),
                                        "open " + std::string(kAboutClanThreadAddress)}));

    QTest::keyClick(&box, Qt::Key_Return);
    EXPECT_EQ(box.result(), QDialog::Accepted);
}

TEST(AboutBox, TheButtonOpensItModallyOverTheWindow) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    QString caption;
    QTimer::singleShot(0, [&caption] {
        if (auto* box = qobject_cast<app::TAboutBox*>(QApplication::activeModalWidget())) {
            caption = box->windowTitle();
            box->OKButton()->click();
        }
    });
    form.About->click();
    EXPECT_EQ(caption, QStringLiteral("О программе"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(ReplayIntake, ViewReplayOpensOnlyAnExistingFile) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    auto* path = window.Find<QLineEdit>("ReplayPath");
    auto* view = window.Find<QPushButton>("ViewReplay");
    view->click();  // empty path
    path->setText(QString::fromStdString(window.folder.File("gone.wotreplay")));
    view->click();
    const std::string replay = window.folder.File("a.wotreplay");
    WriteReplayFile(replay, FinishedBattle());
    path->setText(QString::fromStdString(replay));
    view->click();
    EXPECT_EQ(window.desktop.Events(), std::vector<std::string>{"open " + replay});
    (void)form;
}

TEST(ReplayIntake, OpenDialogCancelledChangesNothingChosenFileIsAnalysed) {
    WindowHarness window;
    app::TKordexForm& form = window.Open();
    auto* path = window.Find<QLineEdit>("ReplayPath");
    path->setText(QStringLiteral("kept"));
    window.Find<QPushButton>("OpenReplay")->click();
    EXPECT_EQ(path->text(), QStringLiteral("kept"));
    EXPECT_EQ(form.AnalyseType->currentIndex(), 1);

    const std::string replay = window.folder.File("a.wotreplay");
    WriteReplayFile(replay, FinishedBattle());
    window.desktop.chosenFiles.push_back(replay);
    window.Find<QPushButton>("OpenReplay")->click();
    EXPECT_EQ(path->text().toStdString(), replay);
    EXPECT_EQ(form.AnalyseType->currentIndex(), 0);
    EXPECT_EQ(window.desktop.Events(), (std::vector<std::string>{"dialog", "dialog"}));
}

}  // namespace
}  // namespace kordex::test
