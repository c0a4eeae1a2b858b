#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "kordex_application.h"

// The window tests run without a screen; one application object serves every test.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The library's row cache goes into a folder of the test run, not the user's.
    const QTemporaryDir cacheHome;
    qputenv("XDG_CACHE_HOME", cacheHome.path().toUtf8());
    kordex::app::KordexApplication application(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
