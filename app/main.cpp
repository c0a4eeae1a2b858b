#include "kordex_application.h"
#include "kordex_form.h"
#include "platform/qt_desktop.h"
#include "platform/qt_file_system.h"
#include "platform/system_clock.h"

int main(int argc, char** argv) {
    kordex::app::KordexApplication application(argc, argv);
    kordex::app::QtDesktop desktop;
    kordex::app::QtFileSystem files;
    kordex::SystemClock clock;
    kordex::Platform platform{desktop, files, clock};

    // tanks.ini lives beside the executable.
    kordex::app::TKordexForm form(
        platform, kordex::app::KordexApplication::applicationDirPath().toStdString());
    desktop.SetOwner(&form);
    form.show();
    return kordex::app::KordexApplication::exec();
}
