// The library's public API over LinearQuilloMorph: UTF-8 at the edges, the data folder as the
// base of every relative path, messages kept per object.
#include "facade/DataSearch.h"
#include "facade/LanguageManifest.h"
#include "facade/LinearQuilloMorph.h"
#include "facade/Ranking.h"
#include "facade/TextEdges.h"
#include "facade/TranscribeInto.h"
#include "platform/CodePage.h"
#include "platform/Files.h"
#include "platform/Messages.h"

#include <quillomorph/quillomorph.h>

#include <algorithm>
#include <filesystem>
#include <new>
#include <system_error>
#include <utility>

#ifndef QM_VERSION
#define QM_VERSION "0.0.0"
#endif

namespace quillomorph {
namespace {

using platform::CodePage;

std::string Utf8(const Text& cp1251) {
    return platform::ToUtf8(cp1251, CodePage::Cp1251);
}

Language ToLanguage(const ManifestEntry& entry) {
    Language language;
    language.key = entry.key;
    language.englishName = entry.englishName;
    language.russianName = Utf8(entry.russianName);
    for (const Text& alias : entry.aliases)
        language.aliases.push_back(alias);
    language.codePage = static_cast<int>(entry.page);
    return language;
}

std::string KeyList(const std::vector<ManifestEntry>& entries) {
    if (entries.empty()) return "none";
    std::string list;
    for (const ManifestEntry& e : entries)
        list += (list.empty() ? "" : ", ") + e.key;
    return list;
}

// A key names files in the data folder and nothing outside it.
bool IsPlainName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name)
        if (c == '/' || c == '\\' || c == '\0') return false;
    return true;
}

} // namespace

Error::Error(const std::string& what, std::vector<Message> messages, std::string systemError)
    : std::runtime_error(what), messages_(std::move(messages)),
      systemError_(std::move(systemError)) {}

const std::vector<Message>& Error::Messages() const noexcept {
    return messages_;
}

const std::string& Error::SystemError() const noexcept {
    return systemError_;
}

struct Transcriber::State {
    std::string dataDir;
    std::string key;
    platform::CodePage page = platform::CodePage::Cp1252;
    std::unique_ptr<LinearQuilloMorph> facade;
    std::vector<Message> messages;
    platform::StringList list;
    TextEdges edges;
    std::string bound;
    bool tracing = false;
    std::string traceFile;
    Trace trace;
    // Set when a run ended in a collection error: the next call starts from a fresh load.
    bool reload = false;
    // The ranking, and the line that list holds the variants of (valid while lastValid; its
    // buffer is reused from line to line).
    std::unique_ptr<Ranker> ranker;
    std::vector<std::int32_t> ranked;
    std::string lastLine;
    bool lastValid = false;

    // Ranks the list when order asks for it and it has more than one line; true when ranked
    // holds the order to give the lines in.
    bool Rank(Order order) {
        if (order != Order::Ranked || list.Count() < 2) return false;
        ranker->Rank(*facade, list, ranked);
        return true;
    }

    // While alive: relative paths are taken from the data folder and the system's messages
    // are kept in this state, on the calling thread only.
    class Scope {
    public:
        explicit Scope(State& state)
            : folder_(state.dataDir, platform::BaseFolder::Borrowed()), messages_(state.sink) {}

    private:
        platform::BaseFolder folder_;
        platform::MessageScope messages_;
    };
    // Keeps the system's messages in messages.
    struct Sink final : platform::MessageSink {
        explicit Sink(std::vector<Message>& kept) : kept_(kept) {}
        void Receive(const Text& text, const Text& caption) override {
            kept_.push_back(Message{Utf8(caption), Utf8(text)});
        }
        std::vector<Message>& kept_;
    };
    Sink sink{messages};

    // Loads key into a new facade; false when the language could not be loaded.
    bool Load() {
        facade = std::make_unique<LinearQuilloMorph>();
        facade->LoadLanguage(key);
        if (facade->languageKey.empty()) return false;
        edges = TextEdges(page, facade->syllabite.alphabet);
        ApplyTrace();
        reload = false;
        return true;
    }

    void ApplyTrace() {
        facade->SetDebug(tracing);
        facade->transcriber.traceFile = traceFile.empty() ? Text("trans.log") : traceFile;
    }
};

Transcriber::Transcriber(std::unique_ptr<State> state) : state_(std::move(state)) {}
Transcriber::Transcriber(Transcriber&&) noexcept = default;
Transcriber& Transcriber::operator=(Transcriber&&) noexcept = default;
Transcriber::~Transcriber() = default;

Transcriber Transcriber::Open(const std::string& dataDir, const std::string& language) {
    return Open(dataDir, language, Options());
}

Transcriber Transcriber::Open(const std::string& dataDir, const std::string& language,
                              const Options& options) {
    if (dataDir.empty())
        throw Error("QuilloMorph cannot load the language \"" + language +
                    "\": no data folder was given, and none was found");
    const std::vector<ManifestEntry> entries = ReadLanguages(dataDir);
    auto state = std::make_unique<State>();
    state->dataDir = dataDir;
    const std::string unknown =
        "QuilloMorph cannot load the language \"" + language + "\" from the folder " + dataDir;
    RankBy rankBy = RankBy::Rules;
    if (const ManifestEntry* entry = FindLanguage(entries, language)) {
        state->key = entry->key;
        state->page = entry->page;
        rankBy = entry->rankBy;
    } else {
        state->key = language;
        // A folder with a manifest names its languages: a name it lacks is not tried, unless
        // its files are there all the same.
        std::error_code error;
        namespace fs = std::filesystem;
        if (fs::is_regular_file(fs::path(dataDir) / ManifestFileName, error) &&
            !(IsPlainName(language) &&
              fs::is_regular_file(fs::path(dataDir) / (language + ".bin"), error)))
            throw Error(unknown + ": it has no such language. The languages there: " +
                        KeyList(entries) + ".");
    }
    if (options.codePage != 0) {
        if (options.codePage != 1250 && options.codePage != 1251 && options.codePage != 1252)
            throw Error("QuilloMorph cannot read input in code page " +
                        std::to_string(options.codePage) + ": it reads 1250, 1251 and 1252");
        state->page = static_cast<platform::CodePage>(options.codePage);
    }
    {
        std::error_code error;
        const std::filesystem::path model =
            std::filesystem::absolute(std::filesystem::path(dataDir) / "russian.model", error);
        state->ranker = std::make_unique<Ranker>(error ? std::string() : model.string(), rankBy);
    }
    if (!IsPlainName(state->key))
        throw Error(unknown + ": a language is named by its key. The languages there: " +
                    KeyList(entries) + ".");
    try {
        State::Scope scope(*state);
        if (!state->Load())
            throw Error(unknown + ": it has no file " + state->key +
                            ".bin. The languages there: " + KeyList(entries) + ".",
                        state->messages);
    } catch (const Text& error) {
        throw Error(unknown + ": " + Utf8(error), state->messages, Utf8(error));
    }
    return Transcriber(std::move(state));
}

std::vector<std::string> Transcriber::Transcribe(std::string_view utf8) {
    return Transcribe(utf8, Order::Sorted);
}

std::string Transcriber::Best(std::string_view utf8) {
    std::vector<std::string> variants = Transcribe(utf8, Order::Ranked);
    return variants.empty() ? std::string() : std::move(variants.front());
}

std::vector<std::string> Transcriber::Transcribe(std::string_view utf8, Order order) {
    std::vector<std::string> variants;
    if (!Run(*this, utf8)) return variants;
    State& s = *state_;
    const bool ranked = s.Rank(order);
    variants.reserve(static_cast<std::size_t>(s.list.Count()));
    for (int i = 0; i < s.list.Count(); ++i)
        variants.push_back(s.edges.Out(s.list[ranked ? s.ranked[static_cast<std::size_t>(i)] : i]));
    return variants;
}

bool Transcriber::Run(Transcriber& transcriber, std::string_view utf8) {
    State& s = *transcriber.state_;
    if (utf8.empty()) {
        s.bound.clear();
        s.lastValid = false;
        return false;
    }
    if (utf8.size() > MaxLineBytes)
        throw Error("QuilloMorph takes lines of at most " + std::to_string(MaxLineBytes) +
                    " bytes; this one has " + std::to_string(utf8.size()));
    State::Scope scope(s);
    // The same line again (Transcribe, then Best) reuses the variants already made.
    if (s.lastValid && !s.tracing && !s.reload && s.lastLine == utf8) return true;
    s.lastValid = false;
    s.bound.clear();
    try {
        if (s.reload && !s.Load())
            throw Error("QuilloMorph could not reload the language \"" + s.key + "\"", s.messages);
        s.list.Clear();
        s.facade->syllabite.lineCut = false;
        s.facade->transcriber.lastRun = TransCriber::RunReport();
        s.lastLine.assign(utf8.data(), utf8.size());
        s.facade->Transcribe(s.edges.In(s.lastLine), s.list);
    } catch (const Text& error) {
        s.reload = true;
        throw Error("QuilloMorph stopped on an internal error: " + Utf8(error), {}, Utf8(error));
    }
    const LinearQuilloMorph& f = *s.facade;
    if (f.syllabite.lineCut)
        s.bound = "the analysis of the line made too many symbols, and its end was left out";
    else if (f.transcriber.lastRun.overOutput)
        s.bound = "the variants grew too long: only the first went on, and it was cut";
    else if (f.transcriber.lastRun.overComparisons)
        s.bound = "the rules took too long to choose, and the end of the line was left unread";
    s.lastValid = true;
    if (s.tracing) {
        s.trace = Trace();
        if (f.symbolTrace && f.symbolTrace->Count() > 0)
            s.trace.symbols = platform::ToUtf8((*f.symbolTrace)[0], s.page);
        for (std::int32_t k = 0; k < f.variantTraceCount; ++k) {
            std::vector<int> codes;
            const platform::StringList& list = *f.variantTraces[k];
            for (int i = 0; i < list.Count(); ++i)
                codes.push_back(std::stoi(list[i]));
            s.trace.variants.push_back(std::move(codes));
        }
    }
    return true;
}

std::size_t TranscribeInto(Transcriber& transcriber, std::string_view utf8, std::string& out,
                           Order order, std::size_t most) {
    if (!Transcriber::Run(transcriber, utf8)) return 0;
    Transcriber::State& s = *transcriber.state_;
    const auto count = std::min(static_cast<std::size_t>(s.list.Count()), most);
    const bool ranked = s.Rank(order);
    for (std::size_t i = 0; i < count; ++i) {
        if (i) out += '\t';
        const auto k = ranked ? s.ranked[i] : static_cast<std::int32_t>(i);
        s.edges.AppendOut(s.list[k], out);
    }
    return count;
}

const std::string& Transcriber::LastLineBound() const {
    return state_->bound;
}

const std::vector<Message>& Transcriber::Messages() const {
    return state_->messages;
}

void Transcriber::ClearMessages() {
    state_->messages.clear();
}

void Transcriber::StartTrace(const std::string& file) {
    std::error_code error;
    state_->traceFile = file.empty() ? file : std::filesystem::absolute(file, error).string();
    state_->tracing = true;
    state_->ApplyTrace();
}

void Transcriber::StopTrace() {
    state_->tracing = false;
    state_->ApplyTrace();
}

const Transcriber::Trace& Transcriber::LastTrace() const {
    return state_->trace;
}

const std::string& Transcriber::Key() const {
    return state_->key;
}

const std::string& Transcriber::DataDir() const {
    return state_->dataDir;
}

int Transcriber::CodePage() const {
    return static_cast<int>(state_->page);
}

std::vector<Language> Languages() {
    return Languages(DefaultDataDir());
}

std::vector<Language> Languages(const std::string& dataDir) {
    std::vector<Language> languages;
    if (dataDir.empty()) return languages;
    for (const ManifestEntry& entry : ReadLanguages(dataDir))
        languages.push_back(ToLanguage(entry));
    return languages;
}

std::string DefaultDataDir() {
    return FindDataFolder();
}

const char* Version() {
    return QM_VERSION;
}

} // namespace quillomorph
