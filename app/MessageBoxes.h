#pragma once

#include "platform/Messages.h"
#include "platform/Text.h"

#include <QMessageBox>

// Message boxes of the window: the messages of the transcription machinery shown as modal
// Qt message boxes.

// The caption of the window and of the simple application message.
inline constexpr char ApplicationCaption[] = "QuilloMorph";

// A box with one OK button and no icon, captioned exactly as asked. An empty caption means the
// simple application message: ApplicationCaption as caption, the active window as owner. A box
// with a caption has no owner. Texts are cp1251. The caller owns the box.
QMessageBox* MakeMessageBox(const Text& text, const Text& caption);

// Routes every platform message through MakeMessageBox and shows it modally.
void InstallMessageBoxes();

// Bounds the messages of one piece of work, such as loading a language, while it lives: each
// one is written to standard error as one line (the platform's default handler), the first
// Shown of them also go on to the handler installed before, and the rest are only counted.
// Finish() puts that handler back and, when messages were held back, passes on one more that
// says how many. Destroyed without Finish() (an error escaped the work), it only puts the
// handler back.
class MessageLimit {
public:
    static constexpr int Shown = 10;

    MessageLimit();
    ~MessageLimit();
    MessageLimit(const MessageLimit&) = delete;
    MessageLimit& operator=(const MessageLimit&) = delete;

    void Finish();

private:
    void Pass(const Text& text, const Text& caption);

    platform::MessageHandler next_;          // the handler installed before: the boxes
    platform::MessageHandler standardError_; // the platform's default
    int count_ = 0;
    Text heldCaption_; // the caption the held-back messages share, or ErrorCaption()
    bool finished_ = false;
};
