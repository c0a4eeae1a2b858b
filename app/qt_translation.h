#pragma once

class QCoreApplication;

namespace kordex::app {

// Installs Qt's own Russian texts (qtbase_ru: the buttons, captions and menus of the standard
// dialogs and of the edit fields' context menus), so that no English appears in the window.
// They are looked for in Qt's translations folder and in "translations" beside the executable.
// False when they are found nowhere; the window then works with Qt's English texts.
bool InstallQtTranslation(QCoreApplication& application);

}  // namespace kordex::app
