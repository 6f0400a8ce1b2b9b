// QuilloMorph: foreign names written in Russian, and Russian in Latin letters.
//
// Usage:
//
//     #include <quillomorph/quillomorph.h>
//
//     quillomorph::Transcriber english =
//         quillomorph::Transcriber::Open(quillomorph::DefaultDataDir(), "english");
//     for (const std::string& variant : english.Transcribe("Smith"))
//         std::cout << variant << '\n';                       // Смит
//
//     for (const quillomorph::Language& language : quillomorph::Languages())
//         std::cout << language.key << '\t' << language.englishName << '\n';
//
// Text goes in and comes out as UTF-8. A language is a set of files in a data folder, named
// by its key ("english", "deutsch", "2translit", ...) or one of its aliases ("en", "de").
// Transcribe returns every transcription the language's rules allow, one string each, in
// sorted order with duplicates dropped; an empty input gives an empty list.
//
// Errors: Open throws quillomorph::Error when the language cannot be loaded; nothing else in
// this header throws anything but quillomorph::Error (or std::bad_alloc). The messages a
// language's files give while loading (a faulty rule line, say) do not stop the loading: they
// are kept in Messages() of the object that loaded them.
//
// Threads: a Transcriber is used by one thread at a time (it keeps its working buffers between
// calls). Transcribers in different threads, on the same or different data folders, run in
// parallel safely; so do Languages() and DefaultDataDir().
#pragma once

#include <cstddef>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quillomorph {

// One language of a data folder, as its manifest lists it.
struct Language {
    std::string key;                  // file names in the folder: KEY.bin, KEY.lin, ...
    std::string englishName;          // "English"
    std::string russianName;          // "Английский" (UTF-8)
    std::vector<std::string> aliases; // "en", ...
    int codePage = 1252;              // the code page its rules read: 1250, 1251 or 1252
};

// A message of the system (a faulty rule line, a file that cannot be read), in UTF-8.
// caption is empty for a message shown without one.
struct Message {
    std::string caption;
    std::string text;
};

// What the library throws. what() is an English sentence. Messages() holds the system's own
// messages that came with the failure (the one that says a language's files cannot be
// opened, say), and SystemError() the system's text of an internal error that stopped the
// work (empty for any other failure); both UTF-8.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& what, std::vector<Message> messages = {},
                   std::string systemError = std::string());
    const std::vector<Message>& Messages() const noexcept;
    const std::string& SystemError() const noexcept;

private:
    std::vector<Message> messages_;
    std::string systemError_;
};

// The languages of a data folder, in the order of its manifest; an empty list when the folder
// has none. Without an argument, the folder of DefaultDataDir().
std::vector<Language> Languages();
std::vector<Language> Languages(const std::string& dataDir);

// The data folder of this build or installation: the environment variable QUILLOMORPH_DATA
// when set, else share/quillomorph/data of the installation the library or program belongs
// to, else (for a program run from its build tree) the data folder of the sources it was built
// from. An empty string when none of them holds a language.
std::string DefaultDataDir();

// The library's version, "MAJOR.MINOR.PATCH".
const char* Version();

// The order of the variants Transcribe returns. Sorted: alphabetical, as the system lists
// them. Ranked: the same variants, best first (the rule author's preference where the rules
// give alternatives, and for Russian output a model of Russian spelling made from a Russian
// dictionary; what neither decides stays in sorted order).
enum class Order { Sorted, Ranked };

// One loaded language.
class Transcriber {
public:
    struct Options {
        // The code page the input is read in: 1250, 1251 or 1252; 0 takes the manifest's.
        int codePage = 0;
    };

    // Loads language (a key or an alias) from the files in dataDir. Throws Error when the
    // language cannot be loaded; its what() names the language and the folder and lists the
    // languages the folder has.
    static Transcriber Open(const std::string& dataDir, const std::string& language);
    static Transcriber Open(const std::string& dataDir, const std::string& language,
                            const Options& options);

    Transcriber(Transcriber&&) noexcept;
    Transcriber& operator=(Transcriber&&) noexcept;
    Transcriber(const Transcriber&) = delete;
    Transcriber& operator=(const Transcriber&) = delete;
    ~Transcriber();

    // The longest line Transcribe takes, in bytes: a longer one throws Error.
    static constexpr std::size_t MaxLineBytes = std::size_t{1} << 20;

    // The variants of one line of UTF-8 text, as UTF-8, sorted, duplicates dropped.
    std::vector<std::string> Transcribe(std::string_view utf8);
    // The same variants in the order asked for. Asked again for the line of the call before
    // (tracing off), a Transcriber reorders what it found instead of transcribing it anew.
    std::vector<std::string> Transcribe(std::string_view utf8, Order order);
    // The best variant of a line (the first of Order::Ranked); empty when there is none.
    std::string Best(std::string_view utf8);

    // Empty when the last line was transcribed whole; otherwise an English sentence naming the
    // work bound it met (its analysis was cut, or only its first variant went on). No ordinary
    // line meets one; rule sets that blow a line up do.
    const std::string& LastLineBound() const;

    // The messages loading and transcribing gave so far, oldest first.
    const std::vector<Message>& Messages() const;
    void ClearMessages();

    // Tracing for rule authors. While on, each Transcribe writes every rule applied to a
    // trace file (file, or "trans.log" in the data folder when file is empty) and keeps the
    // analysed symbols and each variant's codes for LastTrace(). A file that cannot be
    // written gives a message; transcription goes on.
    void StartTrace(const std::string& file = std::string());
    void StopTrace();
    struct Trace {
        std::string symbols;                    // one character per analysed symbol, UTF-8
        std::vector<std::vector<int>> variants; // each variant's output codes, engine order
    };
    const Trace& LastTrace() const;

    const std::string& Key() const;     // the language's key, also when opened by an alias
    const std::string& DataDir() const; // the folder it was loaded from
    int CodePage() const;               // the code page the input is read in

private:
    struct State;
    explicit Transcriber(std::unique_ptr<State> state);
    // Transcribes utf8 into the state's list; false for an empty line.
    static bool Run(Transcriber& transcriber, std::string_view utf8);
    friend std::size_t TranscribeInto(Transcriber&, std::string_view, std::string&, Order,
                                      std::size_t);
    std::unique_ptr<State> state_;
};

} // namespace quillomorph
