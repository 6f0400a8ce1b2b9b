#pragma once

#include "platform/Text.h"

#include <functional>

// Modal message boxes, routed through one replaceable handler.
namespace platform {

// caption is empty for ShowMessage. Texts are cp1251.
using MessageHandler = std::function<void(const Text& text, const Text& caption)>;

// The default handler writes one UTF-8 line to standard error: "caption: text", or text alone
// when there is no caption. Line breaks inside the texts become spaces.
void ShowMessage(const Text& text);
void MessageBoxA(const Text& text, const Text& caption);

// Installs the calling thread's handler (an empty one restores the default) and returns the
// previous one. Each thread has its own: messages shown on a thread reach its handler only.
MessageHandler SetMessageHandler(MessageHandler handler);

// Receives the messages shown on one thread while a MessageScope names it.
class MessageSink {
public:
    virtual void Receive(const Text& text, const Text& caption) = 0;

protected:
    ~MessageSink() = default;
};

// While alive, the calling thread's messages go to sink instead of its handler; nothing is
// copied, so that a scope per call costs next to nothing. Scopes nest.
class MessageScope {
public:
    explicit MessageScope(MessageSink& sink);
    ~MessageScope();
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    MessageSink* previous_;
};

} // namespace platform
