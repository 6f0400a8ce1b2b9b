#include "cli/Session.h"

#include "facade/TranscribeInto.h"

#include <algorithm>
#include <cstdint>

void PrintMessages(const std::vector<quillomorph::Message>& messages, std::ostream& err) {
    for (const quillomorph::Message& m : messages) {
        std::string line = m.caption.empty() ? m.text : m.caption + ": " + m.text;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        err << line << '\n';
    }
    if (!messages.empty()) err.flush();
}

template <class Work> bool Session::Handle(const std::string& line, Work transcribe) {
    std::ostream& err = *err_;
    ++lines_;
    if (line.size() > quillomorph::Transcriber::MaxLineBytes) {
        err << "quillomorph-cli: line " << lines_ << " has " << line.size()
            << " bytes, more than the " << quillomorph::Transcriber::MaxLineBytes
            << " a line may have; its output line is empty" << std::endl;
        bounded_ = true;
        return false;
    }
    try {
        transcribe();
    } catch (const quillomorph::Error& e) {
        PrintMessages(transcriber_.Messages(), err);
        transcriber_.ClearMessages();
        err << "error: " << (e.SystemError().empty() ? e.what() : e.SystemError()) << std::endl;
        failedLines_.push_back(lines_);
        return false;
    }
    if (!transcriber_.Messages().empty()) {
        PrintMessages(transcriber_.Messages(), err);
        transcriber_.ClearMessages();
    }
    if (!transcriber_.LastLineBound().empty()) {
        err << "quillomorph-cli: line " << lines_ << " (" << line.size()
            << " bytes) is not transcribed whole: " << transcriber_.LastLineBound() << std::endl;
        bounded_ = true;
    }
    if (options_.trace) PrintTrace();
    return true;
}

std::vector<std::string> Session::Transcribe(const std::string& line) {
    std::vector<std::string> variants;
    Handle(line, [&] { variants = transcriber_.Transcribe(line, RequestedOrder()); });
    return variants;
}

void Session::TranscribeInto(const std::string& line, std::string& out) {
    const std::size_t start = out.size();
    if (!Handle(line, [&] {
            quillomorph::TranscribeInto(transcriber_, line, out, RequestedOrder(),
                                        options_.best ? 1 : SIZE_MAX);
        }))
        out.resize(start);
}

std::string Session::Best(const std::string& line) {
    try {
        return transcriber_.Best(line);
    } catch (const quillomorph::Error&) {
        return std::string();
    }
}

void Session::Absorb(Session& other) {
    failedLines_.insert(failedLines_.end(), other.failedLines_.begin(), other.failedLines_.end());
    std::sort(failedLines_.begin(), failedLines_.end());
    other.failedLines_.clear();
    bounded_ = bounded_ || other.bounded_;
    other.bounded_ = false;
}

int Session::Finish() {
    std::ostream& err = *err_;
    if (failedLines_.empty()) return bounded_ ? LineBound : Done;
    if (lines_ > 1) {
        err << "quillomorph-cli: internal errors on " << failedLines_.size() << " of " << lines_
            << " lines (their output lines are empty): line";
        if (failedLines_.size() > 1) err << 's';
        const std::size_t shown = failedLines_.size() < 20 ? failedLines_.size() : 20;
        for (std::size_t i = 0; i < shown; ++i)
            err << (i ? ", " : " ") << failedLines_[i];
        if (shown < failedLines_.size()) err << ", ...";
        err << '\n';
    }
    return InternalError;
}

void Session::PrintTrace() {
    std::ostream& err = *err_;
    const quillomorph::Transcriber::Trace& trace = transcriber_.LastTrace();
    err << "symbols: " << trace.symbols << '\n';
    for (std::size_t k = 0; k < trace.variants.size(); ++k) {
        err << "variant " << k + 1 << ":";
        for (int code : trace.variants[k])
            err << ' ' << code;
        err << '\n';
    }
}
