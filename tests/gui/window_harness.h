#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "default_error_handling.h"
#include "grid/grid_view.h"
#include "kordex_form.h"
#include "platform/headless_desktop.h"
#include "platform/qt_desktop.h"
#include "platform/qt_file_system.h"
#include "platform/system_clock.h"
#include "support/file_bytes.h"
#include "support/test_paths.h"

namespace kordex::test {

// A window over a recording desktop in a fresh program folder; what the default error
// handling would show is recorded instead of shown.
class WindowHarness {
  public:
    // measuredText: the window's own desktop measures texts in the real fonts (screenshots);
    // the recording desktop gives every character the same width.
    explicit WindowHarness(bool measuredText = false)
        : platform{measuredText ? static_cast<Desktop&>(qtDesktop) : desktop, files, clock} {
        app::SetDefaultErrorReporter(
            [this](const std::string& description) { errors.push_back(description); });
    }
    ~WindowHarness() { app::SetDefaultErrorReporter({}); }

    const std::string& ProgramFolder() const { return folder.Path(); }
    std::string IniPath() const { return folder.File("tanks.ini"); }

    // Builds the window, which runs its start-up sequence, and shows it.
    app::TKordexForm& Open() {
        form = std::make_unique<app::TKordexForm>(platform, folder.Path());
        form->show();
        QApplication::processEvents();
        return *form;
    }

    void WriteIni(const std::string& text) const { WriteBytesFile(IniPath(), text); }
    std::string ReadIni() const { return ReadFileBytes(IniPath()); }

    template <typename Widget>
    Widget* Find(const char* name) const {
        return form->findChild<Widget*>(QString::fromLatin1(name));
    }

    // The replay typed into the path field of "Один бой" and analysed by its button.
    void AnalyseSingle(const std::string& path) {
        Find<QLineEdit>("ReplayPath")->setText(QString::fromStdString(path));
        form->SingleReplayAnalyse->click();
    }

    // A left click (or double click) in the middle of a grid cell, as the user makes it, with
    // the keys held (Shift: the selection reaches to the cell).
    static void ClickCell(app::GridView& grid, int column, int row, bool doubleClick = false,
                          Qt::KeyboardModifiers keys = Qt::NoModifier) {
        QRect rect;
        app::GridPane* pane = grid.PaneOfCell(column, row, &rect);
        ASSERT_NE(pane, nullptr) << "cell " << column << "," << row << " is not on screen";
        if (doubleClick)
            QTest::mouseDClick(pane->viewport(), Qt::LeftButton, keys, rect.center());
        else
            QTest::mouseClick(pane->viewport(), Qt::LeftButton, keys, rect.center());
    }

    TempFolder folder;
    HeadlessDesktop desktop;
    app::QtDesktop qtDesktop;
    app::QtFileSystem files;
    SystemClock clock;
    Platform platform;
    std::vector<std::string> errors;
    std::unique_ptr<app::TKordexForm> form;
};

}  // namespace kordex::test
