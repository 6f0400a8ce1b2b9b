#include "platform/Messages.h"

#include "platform/CodePage.h"

#include <cstdio>
#include <utility>

namespace platform {
namespace {

// Line breaks inside a text become spaces so that each message stays one line.
std::string OneLine(const Text& text) {
    std::string line;
    line.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
            line += ' ';
        } else {
            line += text[i];
        }
    }
    return ToUtf8(line, CodePage::Cp1251);
}

void WriteToStandardError(const Text& text, const Text& caption) {
    std::string line = caption.empty() ? OneLine(text) : OneLine(caption) + ": " + OneLine(text);
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

thread_local MessageHandler currentHandler;
thread_local MessageSink* currentSink = nullptr;

void Dispatch(const Text& text, const Text& caption) {
    if (currentSink) {
        currentSink->Receive(text, caption);
        return;
    }
    if (!currentHandler) {
        WriteToStandardError(text, caption);
        return;
    }
    // A copy, so that the handler may itself show messages or swap handlers.
    const MessageHandler handler = currentHandler;
    handler(text, caption);
}

} // namespace

void ShowMessage(const Text& text) {
    Dispatch(text, Text());
}

void MessageBoxA(const Text& text, const Text& caption) {
    Dispatch(text, caption);
}

MessageHandler SetMessageHandler(MessageHandler handler) {
    MessageHandler previous = std::move(currentHandler);
    currentHandler = std::move(handler);
    if (!previous) previous = WriteToStandardError;
    return previous;
}

MessageScope::MessageScope(MessageSink& sink) : previous_(currentSink) {
    currentSink = &sink;
}

MessageScope::~MessageScope() {
    currentSink = previous_;
}

} // namespace platform
