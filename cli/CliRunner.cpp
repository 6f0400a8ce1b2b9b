#include "cli/CliRunner.h"

#include "cli/CheckList.h"
#include "cli/LineReader.h"
#include "cli/LineWorkers.h"
#include "cli/Options.h"
#include "cli/Session.h"

#include "facade/TranscribeInto.h"

#include <quillomorph/quillomorph.h>

#include <chrono>
#include <fstream>
#include <istream>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>

#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) joined += separator;
        joined += parts[i];
    }
    return joined;
}

// Lines taken into one block at most, and the fewest worth sharing among threads.
constexpr std::size_t kBlockLines = 4096;
constexpr std::size_t kParallelLines = 256;
// Bytes of input waiting in a file from which threads are started before the language is
// opened: enough lines to keep them busy for much longer than opening it takes.
constexpr std::size_t kEarlyBytes = std::size_t{256} << 10;

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Bytes of standard input not yet read when it is a regular file and reading it is this
// run's (mine); else 0.
std::size_t InputLeft(bool mine) {
    struct stat st {};
    if (!mine || fstat(STDIN_FILENO, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    const off_t at = lseek(STDIN_FILENO, 0, SEEK_CUR);
    return at < 0 || at >= st.st_size ? 0 : static_cast<std::size_t>(st.st_size - at);
}

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
           std::ostream& err, bool processEnds) {
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
    std::unique_ptr<quillomorph::Transcriber> loaded;
    // Blocks of input lines, kept until the threads that may read them have stopped; their
    // strings keep their buffers from block to block.
    std::vector<std::string> blocks[2];
    std::unique_ptr<LineWorkers> workers;
    // Declared after what it keeps, so that it runs first.
    struct KeepAtEnd {
        bool on;
        std::unique_ptr<quillomorph::Transcriber>& loaded;
        std::unique_ptr<LineWorkers>& workers;
        ~KeepAtEnd() {
            if (!on) return;
            // Reachable from here until the process ends; helpers still opening the
            // language are left to it.
            static auto* keptLanguage = new std::unique_ptr<quillomorph::Transcriber>();
            static auto* keptWorkers = new std::unique_ptr<LineWorkers>();
            if (workers) workers->Abandon();
            *keptWorkers = std::move(workers);
            *keptLanguage = std::move(loaded);
        }
    } keepAtEnd{processEnds, loaded, workers};
    // A big file waiting on standard input is worth the helpers at once: they open the
    // language while this thread does.
    const int jobs = options.trace ? 1 : options.jobs;
    if (jobs > 1 && options.texts.empty() && options.checkFile.empty() &&
        InputLeft(processEnds) >= kEarlyBytes)
        workers = std::make_unique<LineWorkers>(dataDir, options, openOptions, jobs - 1);
    const Clock::time_point openStart = Clock::now();
    try {
        loaded = std::make_unique<quillomorph::Transcriber>(
            quillomorph::Transcriber::Open(dataDir, options.lang, openOptions));
    } catch (const quillomorph::Error& e) {
        PrintMessages(e.Messages(), err);
        if (!e.SystemError().empty()) {
            err << "error: " << e.SystemError() << std::endl;
            return InternalError;
        }
        if (e.Messages().empty()) err << "quillomorph-cli: " << e.what() << '\n';
        return NotLoaded;
    }
    const Clock::duration opening = Clock::now() - openStart;
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
        // Lines already waiting are taken a block at a time. Once the work waiting is worth
        // opening the language again (it would take longer than that, going by the lines
        // done so far), blocks are shared among threads, each with a transcriber of its own,
        // and written out in order, each line's reports before its answer. While the threads
        // work on a block, this one reads the next, and writes a block out once the next one
        // is started.
        std::vector<std::string>& block = blocks[0];
        LineReader reader(in);
        std::string line;
        Clock::duration working{}; // spent on lines so far
        std::size_t bytesDone = 0;
        while (reader.Next(line)) {
            if (jobs <= 1 || !reader.MoreWaiting()) {
                if (!handle(line, reader.MoreWaiting())) return WriteError;
                continue;
            }
            std::size_t taken = 0;
            if (block.size() < kBlockLines) block.resize(kBlockLines);
            block[taken++].swap(line);
            std::size_t bytes = block[0].size() + 1;
            while (taken < kBlockLines && reader.MoreWaiting() && reader.Next(block[taken]))
                bytes += block[taken++].size() + 1;
            // Lines [from, to) of the block on this thread alone.
            const auto handleLines = [&](std::size_t from, std::size_t to) {
                for (std::size_t i = from; i < to; ++i)
                    if (!handle(block[i], i + 1 < taken || reader.MoreWaiting())) return false;
                return true;
            };
            std::size_t from = 0;
            Clock::time_point start = Clock::now();
            if (!workers && bytesDone == 0 && !options.jobsGiven) {
                // The first lines alone tell what a line costs here.
                from = std::min(taken, kParallelLines);
                if (!handleLines(0, from)) return WriteError;
                for (std::size_t i = 0; i < from; ++i)
                    bytesDone += block[i].size() + 1;
                bytes -= bytesDone;
                working += Clock::now() - start;
                start = Clock::now();
            }
            if (!workers && taken - from >= kParallelLines &&
                (bytesDone > 0 || options.jobsGiven)) {
                const double perByte =
                    bytesDone > 0 ? Seconds(working) / static_cast<double>(bytesDone) : 0;
                const double waiting =
                    perByte * static_cast<double>(bytes + InputLeft(processEnds));
                if (options.jobsGiven || Seconds(working) >= Seconds(opening) ||
                    waiting >= 2 * Seconds(opening))
                    workers =
                        std::make_unique<LineWorkers>(dataDir, options, openOptions, jobs - 1);
            }
            if (!workers || taken - from < kParallelLines) {
                if (!handleLines(from, taken)) return WriteError;
            } else {
                const auto write = [&](const std::string& report, std::string_view answer) {
                    if (!report.empty()) err << report << std::flush;
                    out << answer;
                };
                std::size_t current = 0;
                workers->Start(session, blocks[current], from, taken);
                for (;;) {
                    std::vector<std::string>& next = blocks[1 - current];
                    std::size_t nextTaken = 0;
                    if (next.size() < kBlockLines) next.resize(kBlockLines);
                    while (nextTaken < kBlockLines && reader.MoreWaiting() &&
                           reader.Next(next[nextTaken]))
                        ++nextTaken;
                    workers->Complete(session);
                    const bool shared = nextTaken >= kParallelLines;
                    if (shared) workers->Start(session, next, 0, nextTaken);
                    workers->Write(write);
                    if (nextTaken == 0 && !reader.MoreWaiting()) out.flush();
                    if (!Written(out, err)) return WriteError;
                    if (!shared) {
                        for (std::size_t i = 0; i < nextTaken; ++i)
                            if (!handle(next[i], i + 1 < nextTaken || reader.MoreWaiting()))
                                return WriteError;
                        break;
                    }
                    current = 1 - current;
                }
            }
            working += Clock::now() - start;
            bytesDone += bytes;
        }
    }
    return session.Finish();
}
