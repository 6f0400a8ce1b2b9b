#include "cli/CliRunner.h"

#include "cli/CheckList.h"
#include "cli/LineReader.h"
#include "cli/Options.h"

#include "facade/TranscribeInto.h"

#include <quillomorph/quillomorph.h>

#include <fstream>
#include <istream>
#include <optional>
#include <ostream>
#include <sstream>

namespace {

enum Status {
    Done = 0,
    NotLoaded = 1,
    Usage = 2,
    InternalError = 3,
    WriteError = 4,
    LineBound = 5
};

void PrintMessages(const std::vector<quillomorph::Message>& messages, std::ostream& err) {
    for (const quillomorph::Message& m : messages) {
        std::string line = m.caption.empty() ? m.text : m.caption + ": " + m.text;
        for (char& c : line)
            if (c == '\r' || c == '\n') c = ' ';
        err << line << '\n';
    }
    if (!messages.empty()) err.flush();
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) joined += separator;
        joined += parts[i];
    }
    return joined;
}

// One language and what a run reports beside the answers.
class Session {
public:
    Session(quillomorph::Transcriber& transcriber, const Options& options, std::ostream& err)
        : transcriber_(transcriber), options_(options), err_(err) {}

    // The variants of one input line, sorted, or best first with --best or --ranked; an
    // internal error gives none and is reported.
    std::vector<std::string> Transcribe(const std::string& line) {
        std::vector<std::string> variants;
        Handle(line, [&] { variants = transcriber_.Transcribe(line, RequestedOrder()); });
        return variants;
    }

    // The same, appended to out separated by TAB (only the first with --best), without a
    // string per variant.
    void TranscribeInto(const std::string& line, std::string& out) {
        const std::size_t start = out.size();
        if (!Handle(line, [&] {
                quillomorph::TranscribeInto(transcriber_, line, out, RequestedOrder(),
                                            options_.best ? 1 : SIZE_MAX);
            }))
            out.resize(start);
    }

    // The best variant of the line Transcribe was given last (which it does not transcribe
    // again); empty when it has none or failed.
    std::string Best(const std::string& line) {
        try {
            return transcriber_.Best(line);
        } catch (const quillomorph::Error&) {
            return std::string();
        }
    }

    // Names the lines that failed when there were several lines; the status of the run.
    int Finish() {
        if (failedLines_.empty()) return bounded_ ? LineBound : Done;
        if (lines_ > 1) {
            err_ << "quillomorph-cli: internal errors on " << failedLines_.size() << " of "
                 << lines_ << " lines (their output lines are empty): line";
            if (failedLines_.size() > 1) err_ << 's';
            const std::size_t shown = failedLines_.size() < 20 ? failedLines_.size() : 20;
            for (std::size_t i = 0; i < shown; ++i)
                err_ << (i ? ", " : " ") << failedLines_[i];
            if (shown < failedLines_.size()) err_ << ", ...";
            err_ << '\n';
        }
        return InternalError;
    }

private:
    quillomorph::Order RequestedOrder() const {
        return options_.best || options_.ranked ? quillomorph::Order::Ranked
                                                : quillomorph::Order::Sorted;
    }

    // Runs transcribe for line with the checks and reports of a line; false when it gave no
    // variants because the line was too long or met an internal error.
    template <class Transcribe> bool Handle(const std::string& line, Transcribe transcribe) {
        ++lines_;
        if (line.size() > quillomorph::Transcriber::MaxLineBytes) {
            err_ << "quillomorph-cli: line " << lines_ << " has " << line.size()
                 << " bytes, more than the " << quillomorph::Transcriber::MaxLineBytes
                 << " a line may have; its output line is empty" << std::endl;
            bounded_ = true;
            return false;
        }
        try {
            transcribe();
        } catch (const quillomorph::Error& e) {
            PrintMessages(transcriber_.Messages(), err_);
            transcriber_.ClearMessages();
            err_ << "error: " << (e.SystemError().empty() ? e.what() : e.SystemError())
                 << std::endl;
            failedLines_.push_back(lines_);
            return false;
        }
        if (!transcriber_.Messages().empty()) {
            PrintMessages(transcriber_.Messages(), err_);
            transcriber_.ClearMessages();
        }
        if (!transcriber_.LastLineBound().empty()) {
            err_ << "quillomorph-cli: line " << lines_ << " (" << line.size()
                 << " bytes) is not transcribed whole: " << transcriber_.LastLineBound()
                 << std::endl;
            bounded_ = true;
        }
        if (options_.trace) PrintTrace();
        return true;
    }

    void PrintTrace() {
        const quillomorph::Transcriber::Trace& trace = transcriber_.LastTrace();
        err_ << "symbols: " << trace.symbols << '\n';
        for (std::size_t k = 0; k < trace.variants.size(); ++k) {
            err_ << "variant " << k + 1 << ":";
            for (int code : trace.variants[k])
                err_ << ' ' << code;
            err_ << '\n';
        }
    }

    quillomorph::Transcriber& transcriber_;
    const Options& options_;
    std::ostream& err_;
    long lines_ = 0;
    std::vector<long> failedLines_;
    bool bounded_ = false;
};

bool Written(std::ostream& out, std::ostream& err) {
    if (out) return true;
    err << "quillomorph-cli: cannot write the output" << std::endl;
    return false;
}

int RunCheck(Session& session, const std::string& listText, std::ostream& out, std::ostream& err) {
    CheckTally tally;
    for (const CheckItem& item : ParseCheckList(listText)) {
        const std::vector<std::string> outputs = session.Transcribe(item.input);
        if (!tally.Found(item, outputs))
            out << "miss: " << item.input << " -> " << Join(outputs, " | ")
                << "   (accepted: " << Join(item.accepted, " | ") << ")\n";
        tally.Add(item, outputs, outputs.empty() ? std::string() : session.Best(item.input));
    }
    out << tally.Summary() << '\n';
    out.flush();
    if (!Written(out, err)) return WriteError;
    return session.Finish();
}

int ListLanguages(const std::string& dataDir, std::ostream& out, std::ostream& err) {
    for (const quillomorph::Language& l : quillomorph::Languages(dataDir))
        out << l.key << '\t' << l.englishName << '\t' << l.russianName << '\t'
            << Join(l.aliases, " ") << "\tcp" << l.codePage << '\n';
    out.flush();
    return Written(out, err) ? Done : WriteError;
}

} // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "quillomorph-cli: " << error << '\n'
            << "Try 'quillomorph-cli --help' for more information.\n";
        return Usage;
    }
    if (options.help) {
        out << UsageText();
        out.flush();
        return Written(out, err) ? Done : WriteError;
    }
    const std::string dataDir =
        options.dataDir.empty() ? quillomorph::DefaultDataDir() : options.dataDir;
    if (options.version) {
        out << "quillomorph-cli " << quillomorph::Version() << '\n'
            << "data: " << (dataDir.empty() ? "none found" : dataDir) << '\n';
        out.flush();
        return Written(out, err) ? Done : WriteError;
    }
    if (dataDir.empty()) {
        err << "quillomorph-cli: no folder with languages was found; name one with --data "
               "or QUILLOMORPH_DATA\n";
        return NotLoaded;
    }
    if (options.list) return ListLanguages(dataDir, out, err);

    std::string listText;
    if (!options.checkFile.empty()) {
        std::ifstream list(options.checkFile, std::ios::binary);
        std::ostringstream text;
        text << list.rdbuf();
        if (!list || list.bad()) {
            err << "quillomorph-cli: cannot read " << options.checkFile << '\n';
            return Usage;
        }
        listText = text.str();
    }

    quillomorph::Transcriber::Options openOptions;
    openOptions.codePage = options.codePage;
    std::optional<quillomorph::Transcriber> loaded;
    try {
        loaded.emplace(quillomorph::Transcriber::Open(dataDir, options.lang, openOptions));
    } catch (const quillomorph::Error& e) {
        PrintMessages(e.Messages(), err);
        if (!e.SystemError().empty()) {
            err << "error: " << e.SystemError() << std::endl;
            return InternalError;
        }
        if (e.Messages().empty()) err << "quillomorph-cli: " << e.what() << '\n';
        return NotLoaded;
    }
    quillomorph::Transcriber& transcriber = *loaded;
    PrintMessages(transcriber.Messages(), err);
    transcriber.ClearMessages();
    if (options.trace) transcriber.StartTrace(options.traceFile);

    Session session(transcriber, options, err);
    if (!options.checkFile.empty()) return RunCheck(session, listText, out, err);

    // Each answer is flushed as soon as no further input is waiting: at once for a line
    // typed or sent alone, once for a batch instead of once per line. With --trace every
    // line is, so that it stays in step with the trace on standard error.
    std::string answer;
    auto handle = [&](const std::string& line, bool more) {
        answer.clear();
        session.TranscribeInto(line, answer);
        answer += '\n';
        out << answer;
        if (!more || options.trace) out.flush();
        return Written(out, err);
    };
    if (!options.texts.empty()) {
        for (std::size_t i = 0; i < options.texts.size(); ++i)
            if (!handle(options.texts[i], i + 1 < options.texts.size())) return WriteError;
    } else {
        LineReader reader(in);
        std::string line;
        while (reader.Next(line))
            if (!handle(line, reader.MoreWaiting())) return WriteError;
    }
    return session.Finish();
}
