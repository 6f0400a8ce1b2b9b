#pragma once

#include "platform/Text.h"

#include <QMessageBox>

// Message boxes of the window: the messages of the transcription machinery shown as modal
// Qt message boxes.

// A box with one OK button and no icon. An empty caption means the simple application message:
// the application's name as caption, the active window as owner. A box with a caption has no
// owner. Texts are cp1251. The caller owns the box.
QMessageBox* MakeMessageBox(const Text& text, const Text& caption);

// Routes every platform message through MakeMessageBox and shows it modally.
void InstallMessageBoxes();
