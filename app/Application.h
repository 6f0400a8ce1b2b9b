#pragma once

class QApplication;

// Sets up the application object before the window is made: its name, and Qt's own Russian
// translations, so that the standard context menus and buttons speak the window's language.
// Sets no display name, as Qt would append one to the caption of every window and message box.
// Returns whether the translations were found (Debian's qt6-translations-l10n).
bool SetUpApplication(QApplication& application);
