#include <QFileInfo>
#include <QTimer>

#include "kordex_application.h"
#include "kordex_form.h"
#include "platform/qt_desktop.h"
#include "platform/qt_file_system.h"
#include "platform/system_clock.h"
#include "platform/user_folders.h"
#include "window/file_places.h"

int main(int argc, char** argv) {
    kordex::app::KordexApplication application(argc, argv);
    kordex::app::QtDesktop desktop;
    kordex::app::QtFileSystem files;
    kordex::SystemClock clock;
    kordex::Platform platform{desktop, files, clock};

    // tanks.ini and the exports beside the executable, or in the user's folders when the
    // program is installed where the user cannot write.
    const kordex::FolderChoices folders = kordex::app::UserFolders(
        kordex::app::KordexApplication::applicationDirPath().toStdString());
    kordex::app::TKordexForm form(platform, kordex::PrepareFilePlaces(folders, files));
    desktop.SetOwner(&form);
    form.show();

    // A replay the file manager opens with Kordex (a double-click) comes as its argument and
    // is taken as a drop of that one file: the single view shows it.
    const QStringList arguments = kordex::app::KordexApplication::arguments();
    if (arguments.size() == 2) {
        const QFileInfo file(arguments[1]);
        QTimer::singleShot(0, &form, [&form, file] {
            form.WMDropFiles({{file.absoluteFilePath().toStdString(), file.isDir()}});
        });
    }
    return kordex::app::KordexApplication::exec();
}
