#include "cli/CliRunner.h"

#include "cli/CheckList.h"
#include "cli/Options.h"
#include "facade/LinearQuilloMorph.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Messages.h"

#include <filesystem>
#include <istream>
#include <ostream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using platform::CodePage;

// Installs a message handler writing to a stream for the lifetime of the object.
class MessagesTo {
public:
    explicit MessagesTo(std::ostream& err) {
        previous_ = platform::SetMessageHandler([&err](const Text& text, const Text& caption) {
            std::string line = caption.empty()
                                   ? platform::ToUtf8(text, CodePage::Cp1251)
                                   : platform::ToUtf8(caption, CodePage::Cp1251) + ": " +
                                         platform::ToUtf8(text, CodePage::Cp1251);
            for (char& c : line)
                if (c == '\r' || c == '\n') c = ' ';
            err << line << std::endl;
        });
    }
    ~MessagesTo() { platform::SetMessageHandler(previous_); }
    MessagesTo(const MessagesTo&) = delete;
    MessagesTo& operator=(const MessagesTo&) = delete;

private:
    platform::MessageHandler previous_;
};

// Restores the working directory when the run ends.
class WorkingDirectory {
public:
    WorkingDirectory() {
        std::error_code ec;
        saved_ = fs::current_path(ec);
    }
    ~WorkingDirectory() {
        std::error_code ec;
        if (!saved_.empty()) fs::current_path(saved_, ec);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;
    const fs::path& Saved() const { return saved_; }

private:
    fs::path saved_;
};

// Transcribes one input line into list (cleared first); writes the traces when asked.
bool TranscribeInto(LinearQuilloMorph& facade, const std::string& utf8, CodePage page,
                    std::ostream& err, bool trace, platform::StringList& list) {
    list.Clear();
    const bool transcribed = facade.Transcribe(platform::FromUtf8(utf8, page), list) != 0;
    if (trace && transcribed) {
        if (facade.symbolTrace && facade.symbolTrace->Count() > 0)
            err << "symbols: " << platform::ToUtf8((*facade.symbolTrace)[0], CodePage::Cp1251)
                << '\n';
        for (std::int32_t k = 0; k < facade.variantTraceCount; ++k) {
            err << "variant " << k + 1 << ":";
            const platform::StringList& codes = *facade.variantTraces[k];
            for (int i = 0; i < codes.Count(); ++i)
                err << ' ' << codes[i];
            err << '\n';
        }
    }
    return transcribed;
}

std::vector<std::string> TranscribeLine(LinearQuilloMorph& facade, const std::string& utf8,
                                        CodePage page, std::ostream& err, bool trace,
                                        bool& transcribed) {
    platform::StringList list;
    transcribed = TranscribeInto(facade, utf8, page, err, trace, list);
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(platform::ToUtf8(list[i], CodePage::Cp1251));
    return lines;
}

std::string Join(const std::vector<std::string>& parts, const std::string& separator) {
    std::string joined;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) joined += separator;
        joined += parts[i];
    }
    return joined;
}

int RunCheck(LinearQuilloMorph& facade, const Options& options, const std::string& listText,
             std::ostream& out, std::ostream& err) {
    CheckTally tally;
    for (const CheckItem& item : ParseCheckList(listText)) {
        bool transcribed = false;
        const std::vector<std::string> outputs = TranscribeLine(
            facade, item.input, options.InputCodePage(), err, options.trace, transcribed);
        if (!tally.Found(item, outputs))
            out << "miss: " << item.input << " -> " << Join(outputs, " | ")
                << "   (accepted: " << Join(item.accepted, " | ") << ")\n";
        tally.Add(item, outputs);
    }
    out << tally.Summary() << '\n';
    return 0;
}

} // namespace

std::string DefaultDataDirectory(const std::string& executablePath) {
    std::error_code ec;
    std::vector<fs::path> candidates;
    if (!executablePath.empty()) {
        const fs::path exeDir = fs::absolute(executablePath, ec).parent_path();
        candidates = {exeDir / "data", exeDir / ".." / "share" / "quillomorph" / "data",
                      exeDir / ".." / "data"};
    }
#ifdef QM_SOURCE_DATA_DIR
    candidates.emplace_back(QM_SOURCE_DATA_DIR);
#endif
    for (const fs::path& dir : candidates)
        if (fs::is_regular_file(dir / "english.bin", ec)) return fs::canonical(dir, ec).string();
    return {};
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err, const std::string& executablePath) {
    Options options;
    std::string error;
    if (!ParseOptions(args, options, error)) {
        err << "quillomorph-cli: " << error << '\n' << UsageText();
        return 2;
    }
    if (options.help) {
        out << UsageText();
        return 0;
    }

    MessagesTo messages(err);
    WorkingDirectory cwd;
    std::string listText;
    if (!options.checkFile.empty()) {
        const fs::path list = fs::path(options.checkFile).is_absolute()
                                  ? fs::path(options.checkFile)
                                  : cwd.Saved() / options.checkFile;
        if (!platform::ReadWholeFile(list.string(), listText)) {
            err << "quillomorph-cli: cannot read " << options.checkFile << '\n';
            return 2;
        }
    }
    const std::string dataDir =
        options.dataDir.empty() ? DefaultDataDirectory(executablePath) : options.dataDir;
    if (!dataDir.empty()) {
        std::error_code ec;
        fs::current_path(dataDir, ec);
        if (ec) {
            err << "quillomorph-cli: cannot use data directory " << dataDir << '\n';
            return 2;
        }
    }

    try {
        LinearQuilloMorph facade;
        facade.LoadLanguage(platform::FromUtf8(options.lang, CodePage::Cp1251));
        if (facade.languageKey.empty()) return 1;
        if (options.trace) facade.SetDebug(true);

        if (!options.checkFile.empty()) return RunCheck(facade, options, listText, out, err);

        // Each answer is flushed as soon as no further input is waiting: at once for a line
        // typed or sent alone, once for a batch instead of once per line. With --trace every
        // line is, so that it stays in step with the trace on standard error.
        // The list and the answer are reused from line to line.
        platform::StringList list;
        std::string answer;
        auto handle = [&](std::string& line, bool more) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            TranscribeInto(facade, line, options.InputCodePage(), err, options.trace, list);
            answer.clear();
            for (int i = 0; i < list.Count(); ++i) {
                if (i) answer += '\t';
                platform::AppendUtf8(answer, list[i], CodePage::Cp1251);
            }
            answer += '\n';
            out << answer;
            if (!more || options.trace) out.flush();
        };
        if (!options.texts.empty()) {
            for (std::size_t i = 0; i < options.texts.size(); ++i) {
                std::string text = options.texts[i];
                handle(text, i + 1 < options.texts.size());
            }
        } else {
            std::string line;
            while (std::getline(in, line))
                handle(line, in.rdbuf()->in_avail() > 0);
        }
    } catch (const Text& collectionError) {
        out.flush();
        err << "error: " << platform::ToUtf8(collectionError, CodePage::Cp1251) << std::endl;
        return 3;
    }
    return 0;
}
