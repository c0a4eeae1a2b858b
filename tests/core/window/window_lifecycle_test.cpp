#include "window/window_lifecycle.h"
#include "window/library_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/headless_desktop.h"
#include "platform/std_file_system.h"
#include "support/series_grid_fixture.h"
#include "support/test_paths.h"

namespace kordex {
namespace {

struct StartUpFixture : ::testing::Test {
    test::TempFolder folder;
    HeadlessDesktop desktop;
    StdFileSystem files;
    test::FixedClock clock;
    Platform platform{desktop, files, clock};
    WindowState state;

    std::string SettingsPath() const { return folder.File("tanks.ini"); }
    void WriteSettings(const std::string& options) const {
        std::ofstream(test::PathOf(SettingsPath()), std::ios::binary) << "[options]\n" << options;
    }
};

TEST_F(StartUpFixture, EmptiesWhatTheLastSessionLeftAndTitlesEveryTable) {
    state.labels.Set("Label_m_wins", "7");
    state.singleView.replayPath = "/r/old.wotreplay";
    state.series.lb_ReplaysList.Add("/r/a.wotreplay");
    state.tables.library.allReplaysList = {"/r/b.wotreplay"};
    state.tables.library.favoriteReplaysList = {"/r/c.wotreplay"};
    state.librarySort.Click(5);

    const StartUpOutcome outcome = StartUpSequence(state, platform, SettingsPath());

    EXPECT_FALSE(outcome.settings) << "no settings file";
    EXPECT_FALSE(outcome.scanLibrary);
    EXPECT_EQ(state.labels.Text("Label_m_wins"), "0");
    EXPECT_EQ(state.singleView.replayPath, "");
    EXPECT_TRUE(state.series.lb_ReplaysList.Empty());
    EXPECT_TRUE(state.tables.library.allReplaysList.empty());
    EXPECT_TRUE(state.tables.library.favoriteReplaysList.empty());
    EXPECT_EQ(state.librarySort.Column(), 0);
    EXPECT_TRUE(state.librarySort.Descending());
    EXPECT_EQ(state.tables.SeriesGridShots.Cell(0, 2), "Ник\\ Выст.-Проб./Поп.(ОФ)");
    EXPECT_EQ(state.tables.AlliesGrid.Cell(9, 0), "Гусли");
    // The library lists: 21 columns, the mastery column narrow.
    for (const TextGrid* list :
         {&state.tables.library.allReplays, &state.tables.library.favoriteReplays}) {
        EXPECT_EQ(list->ColumnCount(), 21);
        EXPECT_EQ(list->ColumnWidth(8), 25);
    }
    EXPECT_TRUE(desktop.Events().empty());
}

TEST_F(StartUpFixture, TheAutomaticScanRunsOnlyForAFolderThatExists) {
    const std::string library = folder.File("библиотека реплеев");
    std::filesystem::create_directories(
        std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(library.c_str()))));
    struct Case {
        std::string options;
        bool scan;
    };
    const Case cases[] = {
        {"AutoProcessReplays=1\nAllReplaysFolder=" + library + "\n", true},
        {"AutoProcessReplays=true\nAllReplaysFolder=" + library + "/\n", true},
        {"AutoProcessReplays=0\nAllReplaysFolder=" + library + "\n", false},
        {"AutoProcessReplays=1\nAllReplaysFolder=" + library + "-gone\n", false},
        {"AutoProcessReplays=1\n", false},  // the key's prompt text names no folder
    };
    for (const Case& c : cases) {
        WriteSettings(c.options);
        const StartUpOutcome outcome = StartUpSequence(state, platform, SettingsPath());
        ASSERT_TRUE(outcome.settings) << c.options;
        EXPECT_EQ(outcome.scanLibrary, c.scan) << c.options;
    }
    EXPECT_TRUE(desktop.Events().empty()) << "a folder that is gone is no error";
}

TEST_F(StartUpFixture, AValueThatIsNotABooleanIsReportedOnceAndTheRestIsRead) {
    WriteSettings("ToBegin=yes\nGroup=1\nExportAllHTML=-1\nRemoteServerPort=8080\n");

    const StartUpOutcome outcome = StartUpSequence(state, platform, SettingsPath());

    ASSERT_TRUE(outcome.settings);
    EXPECT_FALSE(outcome.settings->toBegin);
    EXPECT_TRUE(outcome.settings->group);
    // The settings without a control are the window's from here on.
    EXPECT_TRUE(state.programSettings.exportAllHtml);
    EXPECT_EQ(state.programSettings.remoteServerPort, "8080");
    ASSERT_EQ(desktop.Events().size(), 1u);
    EXPECT_NE(desktop.Events()[0].find("ToBegin"), std::string::npos) << desktop.Events()[0];
}

TEST_F(StartUpFixture, TheSettingsGoOnlyIntoAFileThatStillExists) {
    Settings settings;
    settings.toBegin = true;
    SaveSettingsAtClose(SettingsPath(), settings, platform);
    EXPECT_FALSE(std::filesystem::exists(test::PathOf(SettingsPath())))
        << "the file is never created";

    WriteSettings("ToBegin=0\n");
    SaveSettingsAtClose(SettingsPath(), settings, platform);
    EXPECT_TRUE(ReadSettings(SettingsPath()).settings.toBegin);
    EXPECT_TRUE(desktop.Events().empty());
}

TEST_F(StartUpFixture, AChosenLibraryFolderMustExistAndGetsItsSeparator) {
    desktop.chosenFolders = {"", folder.File("gone"), folder.Path(), folder.Path() + "/"};
    EXPECT_EQ(ChooseLibraryFolder(platform), std::nullopt);
    EXPECT_EQ(ChooseLibraryFolder(platform), std::nullopt);
    EXPECT_EQ(ChooseLibraryFolder(platform), folder.Path() + "/");
    EXPECT_EQ(ChooseLibraryFolder(platform), folder.Path() + "/");
    EXPECT_EQ(ChooseLibraryFolder(platform), std::nullopt) << "the user cancels";
}

}  // namespace
}  // namespace kordex
