// Measures time and peak memory of the program on hostile input: very long input lines, the
// variant cap, huge rule files, compiled files with extreme counts and rule data that would
// hold a position for ever. Each case runs in a child process of its own, so that its peak
// resident size (from wait4) is its own; a case that runs past the time limit is killed.
//
//   qm-hostile [--data DIR] [--limit SECONDS] [--list] [CASE-PREFIX...]
//
// Prints one row per case: name, wall seconds, peak RSS in MB, and what the program answered.

#include "facade/LinearQuilloMorph.h"
#include "platform/Messages.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <system_error>
#include <vector>

#ifndef QM_DATA_DIR
#define QM_DATA_DIR "data"
#endif

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kLongLine = 64 * 1024;
constexpr int kRuleLines = 100000;
constexpr std::uint32_t kMaxCount = 0x7FFFFFFF;

fs::path dataDir = QM_DATA_DIR;

using Clock = std::chrono::steady_clock;

double Since(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// A scratch directory for one case, removed when the case ends.
class Scratch {
public:
    Scratch() {
        std::string pattern = (fs::temp_directory_path() / "qm-hostile-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;
    std::string Key(const std::string& key) const { return (path_ / key).string(); }
    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary | std::ios::trunc) << bytes;
    }
    // Copies the shipped files of key (all extensions).
    void CopyLanguage(const std::string& key) const {
        for (const char* ext : {".bin", ".alf", ".syl", ".ex", ".lin"}) {
            const fs::path from = dataDir / (key + ext);
            std::error_code ec;
            if (fs::exists(from)) fs::copy_file(from, path_ / (key + ext), ec);
        }
    }

private:
    fs::path path_;
};

std::string Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const std::string& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Loads key (an absolute key path) and transcribes each line; returns the answer's summary.
std::string LoadAndTranscribe(const std::string& key, const std::vector<Text>& lines,
                              int* messages = nullptr) {
    int shown = 0;
    platform::SetMessageHandler([&shown](const Text&, const Text&) { ++shown; });
    LinearQuilloMorph facade;
    std::string summary;
    const auto loadStart = Clock::now();
    try {
        facade.LoadLanguage(key);
    } catch (const Text& error) {
        summary += "load raised the index error; ";
    }
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "load %.2f s, %d rules, %d messages", Since(loadStart),
                  facade.transcriber.ruleCount, shown);
    summary += buffer;
    if (messages != nullptr) *messages = shown;
    for (const Text& line : lines) {
        platform::StringList out;
        const auto start = Clock::now();
        try {
            facade.Transcribe(line, out);
            std::size_t bytes = 0;
            for (int i = 0; i < out.Count(); ++i)
                bytes += out[i].size();
            std::snprintf(buffer, sizeof buffer, "; %zu-byte line: %.2f s, %d lines, %zu bytes",
                          line.size(), Since(start), out.Count(), bytes);
        } catch (const Text&) {
            std::snprintf(buffer, sizeof buffer, "; %zu-byte line: %.2f s, index error",
                          line.size(), Since(start));
        }
        summary += buffer;
    }
    return summary;
}

// Repeats text (with a blank between copies when words) up to exactly size bytes.
Text Fill(const Text& text, std::size_t size, bool words) {
    Text line;
    while (line.size() < size) {
        line += text;
        if (words) line += ' ';
    }
    line.resize(size);
    return line;
}

// Sample text in each language's input code page.
Text SampleText(const std::string& key) {
    if (key == "2translit")
        return "\xdd\xf2\xee \xef\xf0\xee\xe1\xed\xfb\xe9 \xf2\xe5\xea\xf1\xf2, "
               "\xd9\xf3\xea\xe8\xed \xe8 \xd1\xfa\xe5\xf8\xfc \xe5\xf9\xb8!"; // cp1251
    if (key == "4translit") return "Shchukin i Vasilyeva, s'esh yeshchyo etikh myagkikh bulok!";
    if (key == "deutsch")
        return "M\xfcller und Stra\xdf"
               "e, Sch\xf6nberg-Zwei 12.";
    if (key == "francais")
        return "Ch\xe2teau de Versailles, l'\xe9t\xe9 fran\xe7"
               "ais.";
    if (key == "chineese") return "Mao Zedong zai Beijing, Xi'an he Guangzhou.";
    return "The quick brown fox, Jean-Luc and O'Neil jump over the lazy dog.";
}

// Letters of the text without blanks and punctuation: one endless word.
Text SampleWord(const std::string& key) {
    Text word;
    for (const char c : SampleText(key))
        if (static_cast<unsigned char>(c) > 64 && c != '\'' && c != '!' && c != ',' && c != '.' &&
            c != '-')
            word += c;
    return word;
}

// Latin letters that give two or more variants as a word of their own in key.
Text AmbiguousLetters(const std::string& key) {
    Scratch dir;
    dir.CopyLanguage(key);
    platform::SetMessageHandler([](const Text&, const Text&) {});
    LinearQuilloMorph facade;
    facade.LoadLanguage(dir.Key(key));
    Text letters;
    for (char c = 'a'; c <= 'z'; ++c) {
        platform::StringList out;
        facade.Transcribe(Text(1, c), out);
        if (out.Count() > 1) letters += c;
    }
    return letters;
}

struct Case {
    std::string name;
    std::function<std::string()> run;
};

std::vector<std::string> ShippedKeys() {
    std::vector<std::string> keys;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(dataDir, ec))
        if (entry.path().extension() == ".bin") keys.push_back(entry.path().stem().string());
    std::sort(keys.begin(), keys.end());
    return keys;
}

// A compiled image: magic, then the given blocks.
struct Image {
    std::string bytes = "quillomorph binary 1.0 in";
    Image& Raw(const std::string& b) {
        bytes += b;
        return *this;
    }
    Image& Int(std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            bytes += static_cast<char>((v >> (8 * i)) & 0xFF);
        return *this;
    }
    Image& Sym(std::uint32_t code) { return Int(code).Int(0).Int(0); }
    Image& Alfa() {
        Raw("alfa").Int(26);
        for (char c = 'a'; c <= 'z'; ++c)
            Raw(std::string(1, c)).Sym(static_cast<unsigned char>(c));
        return *this;
    }
    Image& Syla() { return Raw("syla").Raw(std::string(1, '\0')).Int(3).Int(0).Int(0).Int(0); }
};

std::vector<Case> AllCases() {
    std::vector<Case> cases;
    const std::vector<std::string> keys = ShippedKeys();

    // 1. A 64 KB input line in each shipped language: running text, and one endless word.
    for (const std::string& key : keys) {
        cases.push_back({"line64k/" + key + "/text", [key] {
                             Scratch dir;
                             dir.CopyLanguage(key);
                             return LoadAndTranscribe(dir.Key(key),
                                                      {Fill(SampleText(key), kLongLine, false)});
                         }});
        cases.push_back({"line64k/" + key + "/word", [key] {
                             Scratch dir;
                             dir.CopyLanguage(key);
                             return LoadAndTranscribe(dir.Key(key),
                                                      {Fill(SampleWord(key), kLongLine, false)});
                         }});
    }

    // 2. 200 ambiguous letters in 4translit: one word, and 200 one-letter words.
    cases.push_back(
        {"ambiguous200/4translit/word", [] {
             const Text letters = AmbiguousLetters("4translit");
             if (letters.empty()) return std::string("no ambiguous letter");
             Scratch dir;
             dir.CopyLanguage("4translit");
             return "letters '" + letters +
                    "': " + LoadAndTranscribe(dir.Key("4translit"), {Fill(letters, 200, false)});
         }});
    cases.push_back({"ambiguous200/4translit/words", [] {
                         const Text letters = AmbiguousLetters("4translit");
                         if (letters.empty()) return std::string("no ambiguous letter");
                         Text line;
                         for (int i = 0; i < 200; ++i)
                             line +=
                                 Text(1, letters[static_cast<std::size_t>(i) % letters.size()]) +
                                 (i + 1 < 200 ? " " : "");
                         Scratch dir;
                         dir.CopyLanguage("4translit");
                         return LoadAndTranscribe(dir.Key("4translit"), {line});
                     }});
    // Every letter of a made-up language has two rules: the cap is certain to be reached.
    cases.push_back({"ambiguous200/two-rules-per-letter", [] {
                         Scratch dir;
                         std::vector<std::string> alphabet, rules;
                         for (char c = 'a'; c <= 'z'; ++c) {
                             alphabet.insert(alphabet.end(), {std::string(1, c) + "=" + c, "---"});
                             rules.push_back("[" + std::string(1, c) + "]=[" + c + "]");
                             rules.push_back("[" + std::string(1, c) + "]=[" + c + ";" + c + "]");
                         }
                         dir.Write("ab.bin", "placeholder");
                         dir.Write("ab.alf", Lines(alphabet));
                         dir.Write("ab.lin", Lines(rules));
                         return LoadAndTranscribe(dir.Key("ab"),
                                                  {Fill("abcdefghij", 200, false),
                                                   Fill("abcdefghij", kLongLine, false)});
                     }});

    // 3. A rule file of 100,000 lines: ordinary rules, faulty lines, keyless rules.
    const auto ruleFile = [](const std::string& kind) {
        return [kind] {
            Scratch dir;
            std::string alphabet;
            for (char c = 'a'; c <= 'z'; ++c)
                alphabet += std::string(1, c) + "=" + c + "\r\nopen=o\r\n---\r\n";
            std::string lin;
            std::uint32_t seed = 12345;
            const auto letter = [&seed] {
                seed = seed * 1103515245u + 12345u;
                return static_cast<char>('a' + (seed >> 16) % 26);
            };
            for (int i = 0; i < kRuleLines; ++i) {
                if (kind == "faulty") {
                    // Each line is reported on its own: no opening bracket, or no "]=[".
                    lin += i % 2 ? "[" + std::string(1, letter()) + "\r\n" : "no rule\r\n";
                } else if (kind == "words") {
                    // A dictionary: whole words from "<" to ">".
                    std::string left = "<";
                    for (int k = 0; k < 4 + i % 5; ++k)
                        left += std::string(";") + letter();
                    lin += "[" + left + ";>]=[" + letter() + ";" + letter() + "]\r\n";
                } else if (kind == "ties") {
                    // Hundreds of rules with the same left side: every letter forks.
                    lin += std::string("[") + letter() + "]=[" + letter() + "]\r\n";
                } else if (kind == "keyless") {
                    lin +=
                        std::string("[ ;") + letter() + ";" + letter() + "]=[" + letter() + "]\r\n";
                } else {
                    const int length = 2 + i % 4;
                    std::string left;
                    for (int k = 0; k < length; ++k)
                        left += std::string(k ? ";" : "") + letter();
                    if (i % 5 == 0) left = "$0,open=o;" + left;
                    lin += "[" + left + "]=[" + letter() + ";" + letter() + ",p=q]\r\n";
                }
            }
            dir.Write("big.bin", "placeholder");
            dir.Write("big.alf", alphabet);
            dir.Write("big.lin", lin);
            return LoadAndTranscribe(dir.Key("big"),
                                     {"transcription of a short phrase",
                                      Fill("abcdefghijklmnopqrstuvwxyz", 1024, true)});
        };
    };
    cases.push_back({"rules100k/ordinary", ruleFile("ordinary")});
    cases.push_back({"rules100k/words", ruleFile("words")});
    cases.push_back({"rules100k/ties", ruleFile("ties")});
    cases.push_back({"rules100k/faulty", ruleFile("faulty")});
    cases.push_back({"rules100k/keyless", ruleFile("keyless")});

    // 4. Compiled files whose counts are 2^31 - 1: each count in turn, the rest well-formed.
    // The load falls back to english's text files, as the facade does.
    const std::map<std::string, std::function<Image()>> images = {
        {"alfa-entries", [] { return Image().Raw("alfa").Int(kMaxCount).Raw("a").Sym(97); }},
        {"symbol-params",
         [] { return Image().Raw("alfa").Int(1).Raw("a").Int(97).Int(0).Int(kMaxCount); }},
        {"syla-stress",
         [] {
             return Image()
                 .Alfa()
                 .Raw("syla")
                 .Raw(std::string(1, '\0'))
                 .Int(kMaxCount)
                 .Int(0)
                 .Int(0)
                 .Int(0)
                 .Raw("tran")
                 .Int(0);
         }},
        {"syla-vowels",
         [] { return Image().Alfa().Raw("syla").Raw(std::string(1, '\0')).Int(3).Int(kMaxCount); }},
        {"syla-prefixes",
         [] {
             return Image()
                 .Alfa()
                 .Raw("syla")
                 .Raw(std::string(1, '\0'))
                 .Int(3)
                 .Int(0)
                 .Int(kMaxCount);
         }},
        {"tran-rules", [] { return Image().Alfa().Syla().Raw("tran").Int(kMaxCount); }},
        {"rule-left", [] { return Image().Alfa().Syla().Raw("tran").Int(1).Int(kMaxCount); }},
        {"rule-right",
         [] { return Image().Alfa().Syla().Raw("tran").Int(1).Int(1).Sym(97).Int(kMaxCount); }},
        {"all-counts",
         [] {
             Image image;
             image.Raw("alfa").Int(kMaxCount);
             for (char c = 'a'; c <= 'z'; ++c)
                 image.Raw(std::string(1, c))
                     .Int(static_cast<unsigned char>(c))
                     .Int(0)
                     .Int(kMaxCount);
             return image.Raw("syla").Raw(std::string(1, '\0')).Int(kMaxCount).Int(kMaxCount);
         }},
    };
    for (const auto& [name, make] : images) {
        cases.push_back({"bin-max/" + name, [make = make] {
                             Scratch dir;
                             dir.CopyLanguage("english");
                             dir.Write("english.bin", make().bytes);
                             LinearQuilloMorph probe;
                             probe.languageKey = dir.Key("english");
                             const std::int32_t compiled = probe.ReadCompiledRules();
                             return "compiled result " + std::to_string(compiled) + "; " +
                                    LoadAndTranscribe(dir.Key("english"), {"Hello, world"});
                         }});
    }

    // 6. Data files that would blow a line up: a 100,000-line exception list, a letter with
    // 20,000 parameters, a prefix whose output has 100,000 letters, a right side of 50,000.
    const auto letters = [](const std::string& params) {
        std::string alphabet;
        for (char c = 'a'; c <= 'z'; ++c)
            alphabet += std::string(1, c) + "=" + c + "\r\n" + (c == 'a' ? params : "") + "---\r\n";
        return alphabet;
    };
    const auto identity = [] {
        std::string lin;
        for (char c = 'a'; c <= 'z'; ++c)
            lin += "[" + std::string(1, c) + "]=[" + c + "]\r\n";
        return lin;
    };
    cases.push_back({"data/exceptions-100k", [letters, identity] {
                         Scratch dir;
                         // Words of letters only: the number written in the letters a to j.
                         const auto word = [](int i) {
                             std::string w = "w";
                             for (const char digit : std::to_string(i))
                                 w += static_cast<char>('a' + (digit - '0'));
                             return w;
                         };
                         std::string ex;
                         for (int i = 0; i < 100000; ++i)
                             ex += word(i) + ";replacement\r\n";
                         dir.Write("d.bin", "placeholder");
                         dir.Write("d.alf", letters(""));
                         dir.Write("d.lin", identity());
                         dir.Write("d.ex", ex);
                         return LoadAndTranscribe(dir.Key("d"), {"wbcd and wjjjjj"});
                     }});
    cases.push_back({"data/letter-with-20k-params", [letters, identity] {
                         Scratch dir;
                         std::string params;
                         for (int i = 0; i < 20000; ++i)
                             params += "p" + std::to_string(i) + "=v\r\n";
                         dir.Write("d.bin", "placeholder");
                         dir.Write("d.alf", letters(params));
                         dir.Write("d.lin", identity());
                         return LoadAndTranscribe(dir.Key("d"), {Text(1000, 'a')});
                     }});
    cases.push_back({"data/prefix-output-100k", [letters, identity] {
                         Scratch dir;
                         dir.Write("d.bin", "placeholder");
                         dir.Write("d.alf", letters(""));
                         dir.Write("d.lin", identity());
                         dir.Write("d.syl", "aeiou\r\nb " + std::string(100000, 'c') + "\r\n\r\n");
                         return LoadAndTranscribe(dir.Key("d"), {Fill("bab", 1200, true)});
                     }});
    cases.push_back(
        {"data/right-side-50k", [letters] {
             Scratch dir;
             std::string right;
             for (int i = 0; i < 50000; ++i)
                 right += i ? ";x" : "x";
             dir.Write("d.bin", "placeholder");
             dir.Write("d.alf", letters(""));
             dir.Write("d.lin", "[a]=[" + right + "]\r\n");
             return LoadAndTranscribe(dir.Key("d"), {Text(10000, 'a'), Text(kLongLine, 'a')});
         }});

    // 5. Rule data that would hold the read position for ever: rules whose right side leaves
    // their whole left side unread (through "#d" at the end and through a sub-rule).
    cases.push_back(
        {"hold/rules", [] {
             Scratch dir;
             std::vector<std::string> alphabet;
             for (char c = 'a'; c <= 'd'; ++c)
                 alphabet.insert(alphabet.end(), {std::string(1, c) + "=" + c, "---"});
             dir.Write("hold.bin", "placeholder");
             dir.Write("hold.alf", Lines(alphabet));
             dir.Write("hold.lin",
                       Lines({"[ ;a]=[x;#1]", "[ ;b]=[y;#1]", "[a;b]=[#1;#1]", "[b;c]=[#1]",
                              "[b;a]=[#1;#1]", "[c;d]=[z;#1]", "[d;c]=[#1]"}));
             return LoadAndTranscribe(dir.Key("hold"), {"abcd", Fill("abab", 4096, true),
                                                        Fill("abcdcdba", kLongLine, false)});
         }});
    return cases;
}

// Runs one case in a child process; prints its row.
bool RunCase(const Case& c, int limit) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return false;
    const auto start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(pipeEnds[0]);
        ::alarm(static_cast<unsigned>(limit));
        std::string answer;
        try {
            answer = c.run();
        } catch (const std::exception& e) {
            answer = std::string("exception: ") + e.what();
        }
        if (::write(pipeEnds[1], answer.data(), answer.size()) < 0) _exit(3);
        _exit(0);
    }
    ::close(pipeEnds[1]);
    std::string answer;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0;)
        answer.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    const double seconds = Since(start);
    if (WIFSIGNALED(status))
        answer = WTERMSIG(status) == SIGALRM
                     ? "TIME LIMIT"
                     : "killed by signal " + std::to_string(WTERMSIG(status));
    std::printf("%-36s %8.2f s %8.1f MB  %s\n", c.name.c_str(), seconds,
                static_cast<double>(usage.ru_maxrss) / 1024.0, answer.c_str());
    std::fflush(stdout);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

int main(int argc, char** argv) {
    int limit = 300;
    bool list = false;
    std::vector<std::string> prefixes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--data" && i + 1 < argc) {
            dataDir = argv[++i];
        } else if (arg == "--limit" && i + 1 < argc) {
            limit = std::atoi(argv[++i]);
        } else if (arg == "--list") {
            list = true;
        } else if (arg == "-h" || arg == "--help") {
            std::printf("usage: %s [--data DIR] [--limit SECONDS] [--list] [CASE-PREFIX...]\n",
                        argv[0]);
            return 0;
        } else {
            prefixes.push_back(arg);
        }
    }
    bool ok = true;
    for (const Case& c : AllCases()) {
        const bool chosen =
            prefixes.empty() || std::any_of(prefixes.begin(), prefixes.end(), [&c](auto& p) {
                return c.name.compare(0, p.size(), p) == 0;
            });
        if (!chosen) continue;
        if (list)
            std::printf("%s\n", c.name.c_str());
        else
            ok = RunCase(c, limit) && ok;
    }
    return ok ? 0 : 1;
}
