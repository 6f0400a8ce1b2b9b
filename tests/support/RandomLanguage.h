#pragma once

// Random small languages, and the comparison of the fast and the plain path over them.
//
// A language is an alphabet (letters with parameters, some sharing a code), perhaps syllable
// data (vowels, prefix and suffix tables), exceptions and a rule file that uses the whole rule
// syntax: wildcards and keyless rules, context conditions, references with parameters, "#0"
// amendments, rules that hold their last symbols, marker codes and numeric codes. The lines
// mix its letters, exception words and other bytes. The differential test draws its choices
// from a seeded generator, the differential fuzz target from the fuzzer's bytes.

#include "facade/LinearQuilloMorph.h"
#include "platform/StringList.h"
#include "platform/Text.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace randomlanguage {

// Where the choices come from.
class Choices {
public:
    virtual ~Choices() = default;
    // 0 .. n - 1 (0 when n is 0 or 1).
    std::uint32_t Below(std::uint32_t n) { return n <= 1 ? 0 : Next() % n; }
    bool OneIn(std::uint32_t n) { return Below(n) == 0; }
    template <class T> const T& Pick(const std::vector<T>& items) {
        return items[Below(static_cast<std::uint32_t>(items.size()))];
    }

protected:
    virtual std::uint32_t Next() = 0;
};

// A fixed sequence for a seed (the raw numbers of mt19937, the same on every platform).
class SeededChoices : public Choices {
public:
    explicit SeededChoices(std::uint32_t seed) : engine_(seed) {}

protected:
    std::uint32_t Next() override { return static_cast<std::uint32_t>(engine_()); }

private:
    std::mt19937 engine_;
};

// The bytes of a fuzz input, two per choice; zeros once they are used up.
class ByteChoices : public Choices {
public:
    ByteChoices(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

protected:
    std::uint32_t Next() override {
        std::uint32_t value = 0;
        for (int k = 0; k < 2; ++k)
            value = value << 8 | (at_ < size_ ? data_[at_++] : 0u);
        return value;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// A language's four files (cp1251, CR LF), the stress position to set after loading, and the
// lines to transcribe, one after another on the same objects.
struct Language {
    std::string alphabet;   // KEY.alf
    std::string syllables;  // KEY.syl
    std::string exceptions; // KEY.ex
    std::string rules;      // KEY.lin
    std::int32_t stressPosition = 3;
    std::vector<std::string> lines;
    // The bounds of a run (TransCriber::variantSymbolLimit and comparisonLimit): now and then
    // so low that runs reach them.
    std::int64_t variantSymbolLimit = std::int64_t{1} << 12;
    std::uint64_t comparisonLimit = std::uint64_t{1} << 16;

    std::string Describe() const {
        std::string text = "--- alphabet\n" + alphabet + "--- syllables\n" + syllables +
                           "--- exceptions\n" + exceptions + "--- rules\n" + rules +
                           "--- stress position " + std::to_string(stressPosition) + ", bounds " +
                           std::to_string(variantSymbolLimit) + " " +
                           std::to_string(comparisonLimit) + "\n--- lines\n";
        for (const std::string& line : lines)
            text += "\"" + line + "\"\n";
        return text;
    }
};

namespace detail {

inline std::string Pair(Choices& c) {
    static const std::vector<std::string> pairs = {"k=1",      "k=2",     "v=1",     "z=1",
                                                   "z=2",      "open=o",  "open=cl", "stress=y",
                                                   "stress=n", "beg=beg", "beg=end", "beg=prom"};
    return c.Pick(pairs);
}

// ",name=value" once, sometimes two or three times.
inline std::string ParamList(Choices& c) {
    std::string list;
    const std::uint32_t count = c.OneIn(3) ? 2 + c.Below(2) : 1;
    for (std::uint32_t k = 0; k < count; ++k)
        list += "," + Pair(c);
    return list;
}

inline std::string MaybeParams(Choices& c, std::uint32_t oneIn) {
    return c.OneIn(oneIn) ? ParamList(c) : std::string();
}

} // namespace detail

inline Language Generate(Choices& c) {
    using detail::MaybeParams;
    using detail::ParamList;
    Language language;

    // Letters: a few of "abcdefgh", an upper-case and a cp1251 letter now and then. Each has a
    // code (mostly its own, sometimes another letter's) and parameters.
    std::string letters;
    for (const char letter : std::string("abcdefgh"))
        if (letters.size() < 2 || c.Below(3) != 0) letters += letter;
    if (c.OneIn(3)) letters += 'B';
    if (c.OneIn(4)) letters += '\xe0';
    std::string codes; // the code of each letter, as the rules name it
    for (const char letter : letters) {
        const char code =
            c.OneIn(5) ? letters[c.Below(static_cast<std::uint32_t>(letters.size()))] : letter;
        codes += code;
        language.alphabet += std::string(1, letter) + "=" + code + "\r\n";
        const std::uint32_t params = c.Below(4) == 0 ? 1 + c.Below(2) : 0;
        for (std::uint32_t k = 0; k < params; ++k)
            language.alphabet += detail::Pair(c) + "\r\n";
        language.alphabet += "---\r\n";
    }
    const auto letter = [&] {
        return letters[c.Below(static_cast<std::uint32_t>(letters.size()))];
    };
    const auto code = [&] { return codes[c.Below(static_cast<std::uint32_t>(codes.size()))]; };
    const auto word = [&](std::uint32_t most) {
        std::string w;
        const std::uint32_t length = 1 + c.Below(most);
        for (std::uint32_t k = 0; k < length; ++k)
            w += letter();
        return w;
    };

    // Syllable data for two languages in three: vowels and affix tables whose outputs may
    // divide into pieces, be longer or shorter than their inputs, or hold bytes that are not
    // letters.
    if (!c.OneIn(3)) {
        std::string vowels;
        for (const char l : letters)
            if (c.OneIn(3)) vowels += l;
        if (vowels.empty()) vowels += letters[0];
        language.syllables = vowels + "\r\n";
        const auto affixes = [&] {
            const std::uint32_t entries = c.Below(4);
            for (std::uint32_t k = 0; k < entries; ++k) {
                std::string output = word(3);
                if (c.OneIn(3))
                    output.insert(c.Below(static_cast<std::uint32_t>(output.size())), "-");
                if (c.OneIn(4))
                    output.insert(c.Below(static_cast<std::uint32_t>(output.size())), "=");
                if (c.OneIn(8)) output += 'x';
                if (c.OneIn(8)) output.clear();
                language.syllables += word(2) + " " + output + "\r\n";
            }
            language.syllables += "\r\n";
        };
        affixes();
        affixes();
        language.stressPosition = static_cast<std::int32_t>(c.Below(5));
    }

    // Exceptions: whole words written otherwise.
    std::vector<std::string> exceptionWords;
    const std::uint32_t exceptionCount = c.Below(3);
    for (std::uint32_t k = 0; k < exceptionCount; ++k) {
        exceptionWords.push_back(word(3));
        language.exceptions += exceptionWords.back() + ";" + word(3) + "\r\n";
    }

    // Rules: most codes get a plain rule, writing parameters that context conditions and
    // references look at; then rules of every kind.
    const auto written = [&] {
        return std::string(1, static_cast<char>('A' + c.Below(6))) + MaybeParams(c, 3);
    };
    for (const char k : codes)
        if (!c.OneIn(4)) language.rules += "[" + std::string(1, k) + "]=[" + written() + "]\r\n";
    const std::uint32_t ruleCount = 2 + c.Below(10);
    for (std::uint32_t r = 0; r < ruleCount; ++r) {
        std::vector<std::string> left;
        std::string context;
        const bool keyless = c.OneIn(4);
        if (keyless) left.push_back(" " + MaybeParams(c, 3));
        const std::uint32_t length = (keyless ? 0 : 1) + c.Below(3);
        for (std::uint32_t k = 0; k < length; ++k) {
            const std::uint32_t kind = c.Below(12);
            if (kind == 0)
                left.push_back(" " + MaybeParams(c, 2)); // a wildcard inside or at the end
            else if (kind == 1)
                left.push_back(c.OneIn(2) ? "<" : "62"); // the word markers
            else
                left.push_back(std::string(1, code()) + MaybeParams(c, 5));
        }
        if (left.empty()) left.push_back(std::string(1, code()));
        if (c.OneIn(3))
            context =
                "$" + std::to_string(c.Below(3)) + (c.OneIn(4) ? "" : "," + detail::Pair(c)) + ";";
        const std::int32_t L = static_cast<std::int32_t>(left.size());

        std::vector<std::string> right;
        if ((keyless || c.OneIn(6)) && c.OneIn(2)) right.push_back("#0" + ParamList(c));
        const std::uint32_t count = c.Below(4);
        for (std::uint32_t k = 0; k < count; ++k) {
            const std::uint32_t kind = c.Below(10);
            if (kind < 3) {
                right.push_back("#" + std::to_string(c.Below(static_cast<std::uint32_t>(L) + 1)) +
                                MaybeParams(c, 2));
            } else if (kind == 3) {
                // A number: a wide literal, a literal-looking code, or an ordinary one.
                static const std::vector<std::string> numbers = {"4010803265", "4278190080",
                                                                 "4009754657", "1046", "95"};
                right.push_back(c.Pick(numbers));
            } else {
                right.push_back(written());
            }
        }
        // Holding the last left symbol for the next step.
        if (L >= 2 && c.OneIn(4)) right.push_back("#" + std::to_string(L - 1));

        std::string line = "[" + context;
        for (std::size_t k = 0; k < left.size(); ++k)
            line += (k ? ";" : "") + left[k];
        line += "]=[";
        for (std::size_t k = 0; k < right.size(); ++k)
            line += (k ? ";" : "") + right[k];
        language.rules += line + "]\r\n";
        // Ties: the same left side again with another right side.
        if (c.OneIn(4)) {
            line.resize(line.find("]=[") + 3);
            line += static_cast<char>('P' + c.Below(4));
            language.rules += line + "]\r\n";
        }
    }

    // Lines: words of the language, exception words and other bytes.
    const std::uint32_t lineCount = 3 + c.Below(6);
    for (std::uint32_t l = 0; l < lineCount; ++l) {
        std::string line;
        const std::uint32_t parts = 1 + c.Below(3);
        for (std::uint32_t k = 0; k < parts; ++k) {
            if (!exceptionWords.empty() && c.OneIn(5))
                line += c.Pick(exceptionWords);
            else
                line += word(6);
            static const std::vector<std::string> between = {" ", ", ", "-", "1", "\xe9", ""};
            if (k + 1 < parts || c.OneIn(3)) line += c.Pick(between);
        }
        if (c.OneIn(6)) line = " " + line;
        language.lines.push_back(line);
    }
    if (c.OneIn(8)) {
        language.variantSymbolLimit = 24;
        language.comparisonLimit = 160;
    }
    return language;
}

namespace detail {

inline std::string Render(const Symbol& s) {
    std::string text = std::to_string(s.code);
    if (s.extra != 0) text += "/" + std::to_string(s.extra);
    text += "{";
    for (std::int32_t k = 0; k < s.params.Count(); ++k)
        text += (k ? "," : "") + std::string(s.params[k].name) + "=" + s.params[k].value;
    return text + "}";
}

template <class Symbols> std::string RenderAll(const Symbols& symbols, std::int32_t count) {
    std::string text;
    for (std::int32_t i = 0; i < count; ++i)
        text += Render(symbols[static_cast<std::size_t>(i)]) + " ";
    return text;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The first line in which two texts of lines differ, and their numbers of lines.
inline std::string FirstDifference(const std::string& fast, const std::string& plain) {
    std::size_t a = 0, b = 0, line = 0;
    for (;;) {
        const std::size_t endA = fast.find('\n', a);
        const std::size_t endB = plain.find('\n', b);
        const std::string lineA = fast.substr(a, endA == std::string::npos ? endA : endA - a);
        const std::string lineB = plain.substr(b, endB == std::string::npos ? endB : endB - b);
        if (lineA != lineB || endA == std::string::npos || endB == std::string::npos) {
            const auto count = [](const std::string& text) {
                return std::to_string(std::count(text.begin(), text.end(), '\n'));
            };
            return " (fast " + count(fast) + ", plain " + count(plain) + "), first difference in " +
                   std::to_string(line) + ":\n  fast  " + lineA + "\n  plain " + lineB;
        }
        a = endA + 1;
        b = endB + 1;
        ++line;
    }
}

// What a path makes of a line, everything that is compared written out.
struct Outcome {
    std::string symbols;    // word analysis
    std::string variants;   // the engine, every variant with its parameters
    std::string codes;      // the engine's codes-only run
    std::uint64_t work = 0; // comparisons counted by the engine
    std::string lines;      // the facade's answer
};

} // namespace detail

// Loads the language into a fast and a plain facade in folder and transcribes its lines on
// both, comparing word analysis, every variant of the engine with its parameters, the codes
// run, the comparisons counted and the output lines. Returns an empty text when the two agree
// on every line, else what differs. cases counts the lines compared.
inline std::string CompareModes(const Language& language, const std::filesystem::path& folder,
                                std::size_t* cases = nullptr) {
    const std::string key = (folder / "random").string();
    detail::WriteFile(key + ".bin", "not compiled");
    detail::WriteFile(key + ".alf", language.alphabet);
    detail::WriteFile(key + ".syl", language.syllables);
    detail::WriteFile(key + ".ex", language.exceptions);
    detail::WriteFile(key + ".lin", language.rules);

    LinearQuilloMorph paths[2];
    for (LinearQuilloMorph& path : paths) {
        try {
            path.LoadLanguage(key);
        } catch (const Text&) {
        }
        path.syllabite.stressPosition = language.stressPosition;
        path.transcriber.variantSymbolLimit = language.variantSymbolLimit;
        path.transcriber.comparisonLimit = language.comparisonLimit;
    }
    paths[1].SetPlain(true);

    // Each path analyses into one array from line to line, as the facade does.
    std::vector<Symbol> inputs[2];
    for (const std::string& line : language.lines) {
        detail::Outcome outcomes[2];
        for (int m = 0; m < 2; ++m) {
            LinearQuilloMorph& path = paths[m];
            detail::Outcome& outcome = outcomes[m];
            std::vector<Symbol>& input = inputs[m];
            try {
                path.syllabite.Analyse(line, input);
            } catch (const Text& error) {
                outcome.symbols = "error " + error;
                continue;
            }
            outcome.symbols = detail::RenderAll(input, static_cast<std::int32_t>(input.size()));
            const auto n = static_cast<std::uint32_t>(input.size());
            SymbolCollection* variants = nullptr;
            std::int32_t count = 0;
            const std::uint64_t before = path.transcriber.comparisons;
            path.transcriber.TranscribeSymbols(input.data(), n, variants, count);
            outcome.work = path.transcriber.comparisons - before;
            for (std::int32_t k = 0; k < count; ++k)
                outcome.variants += detail::RenderAll(variants[k], variants[k].Count()) + "\n";
            if (m == 0) {
                // The fast path's codes-only run; the plain one only reads the codes off its
                // variants, as the plain path of TranscribeCodes does.
                std::vector<std::uint32_t> flat;
                std::vector<std::size_t> ends;
                path.transcriber.TranscribeCodes(input.data(), n, flat, ends);
                std::size_t from = 0;
                for (const std::size_t end : ends) {
                    for (std::size_t i = from; i < end; ++i)
                        outcome.codes += std::to_string(flat[i]) + " ";
                    outcome.codes += "\n";
                    from = end;
                }
            } else {
                for (std::int32_t k = 0; k < count; ++k) {
                    for (std::int32_t i = 0; i < variants[k].Count(); ++i)
                        outcome.codes += std::to_string(variants[k][i].code) + " ";
                    outcome.codes += "\n";
                }
            }
            delete[] variants;
            platform::StringList out;
            try {
                path.Transcribe(line, out);
                for (int i = 0; i < out.Count(); ++i)
                    outcome.lines += out[i] + "\n";
            } catch (const Text& error) {
                outcome.lines = "error " + error;
            }
        }
        if (cases) ++*cases;
        const detail::Outcome& fast = outcomes[0];
        const detail::Outcome& plain = outcomes[1];
        std::string differs;
        if (fast.symbols != plain.symbols)
            differs = "word analysis:\n  fast  " + fast.symbols + "\n  plain " + plain.symbols;
        else if (fast.variants != plain.variants)
            differs = "variants" + detail::FirstDifference(fast.variants, plain.variants);
        else if (fast.codes != plain.codes)
            differs = "codes" + detail::FirstDifference(fast.codes, plain.codes);
        else if (fast.work != plain.work)
            differs = "comparisons: fast " + std::to_string(fast.work) + ", plain " +
                      std::to_string(plain.work);
        else if (fast.lines != plain.lines)
            differs = "lines:\nfast\n" + fast.lines + "plain\n" + plain.lines;
        if (!differs.empty())
            return "line \"" + line + "\": " + differs + "\n" + language.Describe();
    }
    return std::string();
}

} // namespace randomlanguage
