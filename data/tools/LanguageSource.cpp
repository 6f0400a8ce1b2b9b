#include "data/tools/LanguageSource.h"

#include "data/tools/Utf8Case.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <set>
#include <sstream>

namespace fs = std::filesystem;

namespace datagen {
namespace {

const char* const kLineEnd = "\r\n";

std::string Trim(const std::string& s) {
    const std::size_t b = s.find_first_not_of(" \t");
    if (b == std::string::npos) return "";
    return s.substr(b, s.find_last_not_of(" \t") - b + 1);
}

[[noreturn]] void Fail(const SourceLine& line, const std::string& message) {
    throw SourceError(line.file + ":" + std::to_string(line.number) + ": " + message);
}

std::u32string Decode(const SourceLine& line, const std::string& text) {
    std::u32string out;
    if (!DecodeUtf8(text, out)) Fail(line, "malformed UTF-8");
    return out;
}

std::string Encode(const SourceLine& line, const std::u32string& text, platform::CodePage page) {
    std::string out;
    try {
        for (char32_t c : text)
            out += EncodeChar(c, page);
    } catch (const SourceError& e) {
        Fail(line, e.what());
    }
    return out;
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

// Splits "keyword rest" at the first blank.
void SplitKeyword(const std::string& text, std::string& keyword, std::string& rest) {
    const std::size_t blank = text.find_first_of(" \t");
    keyword = text.substr(0, blank);
    rest = blank == std::string::npos ? "" : Trim(text.substr(blank));
}

std::string AlphabetLetter(unsigned char byte) {
    if (byte <= ' ' || byte == '#' || byte == '-' || byte == '=') return "#" + std::to_string(byte);
    return std::string(1, static_cast<char>(byte));
}

struct AffixEntry {
    std::string in, out;
};

// Stable order by the unsigned first byte of the input, as the affix matching expects.
void SortAffixes(std::vector<AffixEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const AffixEntry& a, const AffixEntry& b) {
        return static_cast<unsigned char>(a.in[0]) < static_cast<unsigned char>(b.in[0]);
    });
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw SourceError(path.string() + ": cannot read");
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<SourceLine> ReadSource(const fs::path& path, bool required) {
    if (!fs::exists(path)) {
        if (required) throw SourceError(path.string() + ": missing");
        return {};
    }
    return ContentLines(ReadFile(path), path.string());
}

} // namespace

std::vector<SourceLine> ContentLines(const std::string& utf8, const std::string& file) {
    std::vector<SourceLine> lines;
    std::string text = utf8;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed[0] == '#') continue;
        lines.push_back({file, number, line});
    }
    return lines;
}

LanguageSettings ParseSettings(const std::vector<SourceLine>& lines) {
    LanguageSettings settings;
    for (const SourceLine& line : lines) {
        const std::size_t eq = line.text.find('=');
        if (eq == std::string::npos) Fail(line, "a setting reads name = value");
        const std::string name = Trim(line.text.substr(0, eq));
        const std::string value = Trim(line.text.substr(eq + 1));
        if (name == "input") {
            if (value == "cp1250" || value == "1250")
                settings.input = platform::CodePage::Cp1250;
            else if (value == "cp1251" || value == "1251")
                settings.input = platform::CodePage::Cp1251;
            else if (value == "cp1252" || value == "1252")
                settings.input = platform::CodePage::Cp1252;
            else
                Fail(line, "input is cp1250, cp1251 or cp1252");
        } else if (name == "name") {
            settings.englishName = value;
        } else if (name == "name-ru") {
            settings.russianName = value;
        } else if (name == "aliases") {
            std::string rest = value;
            while (!rest.empty()) {
                std::string alias;
                SplitKeyword(rest, alias, rest);
                if (!alias.empty()) settings.aliases.push_back(alias);
            }
        } else if (name == "ranking") {
            if (value == "rules")
                settings.rankBy = RankBy::Rules;
            else if (value == "model")
                settings.rankBy = RankBy::Model;
            else
                Fail(line, "ranking is rules or model");
        } else if (name == "case-param") {
            if (value.empty() || value.size() > 23 ||
                value.find_first_of(" ;,=[]") != std::string::npos)
                Fail(line, "case-param is a parameter name");
            settings.caseParam = value;
        } else if (name == "mark-output") {
            std::string param, letters;
            SplitKeyword(value, param, letters);
            OutputMark mark;
            try {
                const std::vector<Param> params = ParseParamList("," + param);
                if (params.size() != 1) throw SourceError("one parameter");
                mark.param = params[0];
            } catch (const SourceError& e) {
                Fail(line, std::string("mark-output = NAME=VALUE LETTERS: ") + e.what());
            }
            for (char32_t c : Decode(line, letters))
                if (c != ' ' && c != '\t') mark.letters += ToLower(c);
            if (mark.letters.empty()) Fail(line, "mark-output needs the letters it marks");
            settings.marks.push_back(mark);
        } else {
            Fail(line, "unknown setting \"" + name + "\"");
        }
    }
    return settings;
}

namespace {

// "U+0020..." at the start of an alphabet word stands for that one character (a blank, say,
// which a word of the line cannot hold); the rest of the word follows as usual ("U+0020=>").
std::u32string UnicodeEscape(const SourceLine& line, const std::u32string& word) {
    if (word.size() < 3 || word[0] != 'U' || word[1] != '+') return word;
    std::size_t end = 2;
    char32_t c = 0;
    while (end < word.size() && end < 8 && std::isxdigit(static_cast<unsigned char>(word[end])) &&
           word[end] < 0x80) {
        const char digit = static_cast<char>(word[end]);
        c = c * 16 + static_cast<char32_t>(std::isdigit(static_cast<unsigned char>(digit))
                                               ? digit - '0'
                                               : std::tolower(digit) - 'a' + 10);
        ++end;
    }
    if (end < 6) return word; // "U+" and fewer than four hex digits: the letters themselves
    if (c == 0 || c > 0x10FFFF) Fail(line, "U+ names a character from U+0001 to U+10FFFF");
    return std::u32string(1, c) + word.substr(end);
}

} // namespace

std::string MakeAlphabet(const std::vector<SourceLine>& lines, const LanguageSettings& settings) {
    std::string out;
    std::set<unsigned char> seen;
    auto entry = [&](const SourceLine& line, char32_t letter, char32_t code,
                     std::vector<Param> params) {
        const std::string letterByte = Encode(line, std::u32string(1, letter), settings.input);
        const std::string codeByte = Encode(line, std::u32string(1, code), settings.input);
        if (!seen.insert(static_cast<unsigned char>(letterByte[0])).second)
            Fail(line, "letter " + EncodeUtf8(letter) + " listed twice");
        if (!settings.caseParam.empty() && IsCased(letter) &&
            std::none_of(params.begin(), params.end(),
                         [&](const Param& p) { return p.name == settings.caseParam; }))
            params.push_back({settings.caseParam, IsUpper(letter) ? "u" : "l"});
        out +=
            AlphabetLetter(static_cast<unsigned char>(letterByte[0])) + "=" + codeByte + kLineEnd;
        for (const Param& p : params)
            out += p.name + "=" + p.value + kLineEnd;
        out += std::string("---") + kLineEnd;
    };
    for (const SourceLine& line : lines) {
        for (const std::string& word : Words(line.text)) {
            const std::u32string w = UnicodeEscape(line, Decode(line, word));
            const std::size_t mark = w.find_first_of(U"=,");
            if (mark == std::u32string::npos) {
                for (char32_t c : w)
                    entry(line, c, c, {});
                continue;
            }
            if (mark != 1) Fail(line, "\"x=y\" and \"x,name=value\" define a single letter");
            char32_t code = w[0];
            std::size_t rest = 1;
            if (w[1] == '=') {
                if (w.size() < 3) Fail(line, "\"x=\" needs the code letter");
                code = w[2];
                rest = 3;
            }
            std::vector<Param> params;
            try {
                params = ParseParamList(EncodeUtf8(w.substr(rest)));
            } catch (const SourceError& e) {
                Fail(line, e.what());
            }
            entry(line, w[0], code, params);
        }
    }
    return out;
}

std::string MakeSyllables(const std::vector<SourceLine>& lines, const LanguageSettings& settings) {
    std::string vowels;
    std::vector<AffixEntry> prefixes, suffixes;
    for (const SourceLine& line : lines) {
        std::string keyword, rest;
        SplitKeyword(Trim(line.text), keyword, rest);
        if (keyword == "vowels") {
            for (const std::string& word : Words(rest))
                vowels += Encode(line, Decode(line, word), settings.input);
            continue;
        }
        if (keyword != "prefix" && keyword != "suffix")
            Fail(line, "a line starts with vowels, prefix or suffix");
        std::string in, out;
        SplitKeyword(rest, in, out);
        if (in.empty()) Fail(line, keyword + " needs its input text");
        AffixEntry e{Encode(line, Decode(line, in), settings.input),
                     Encode(line, Decode(line, out), settings.input)};
        if (keyword == "prefix") {
            prefixes.push_back(e);
        } else {
            std::reverse(e.in.begin(), e.in.end());
            std::reverse(e.out.begin(), e.out.end());
            suffixes.push_back(e);
        }
    }
    SortAffixes(prefixes);
    SortAffixes(suffixes);
    std::string text = vowels + kLineEnd;
    for (const AffixEntry& e : prefixes)
        text += e.in + " " + e.out + kLineEnd;
    text += kLineEnd;
    for (const AffixEntry& e : suffixes)
        text += e.in + " " + e.out + kLineEnd;
    return text;
}

std::string MakeExceptions(const std::vector<SourceLine>& lines, const LanguageSettings& settings) {
    std::string text;
    for (const SourceLine& line : lines) {
        const std::size_t semi = line.text.rfind(';');
        if (semi == std::string::npos) Fail(line, "an exception reads word ; replacement");
        const std::string word = Trim(line.text.substr(0, semi));
        const std::string replacement = Trim(line.text.substr(semi + 1));
        if (word.empty() || word.find(';') != std::string::npos)
            Fail(line, "an exception word is one word without \";\"");
        text += Encode(line, Decode(line, word), settings.input) + ";" +
                Encode(line, Decode(line, replacement), platform::CodePage::Cp1251) + kLineEnd;
    }
    return text;
}

std::string MakeRules(const std::vector<SourceLine>& lines, const LanguageSettings& settings,
                      int* ruleCount) {
    std::string text;
    std::set<std::string> written;
    int count = 0;
    for (const SourceLine& line : lines) {
        try {
            for (SourceRule rule : ExpandCase(ParseRuleLine(line.text), settings.caseParam)) {
                MarkOutputCase(rule, settings.caseParam);
                MarkOutputLetters(rule, settings.marks);
                const std::string formatted = FormatRule(rule, settings.input);
                if (!written.insert(formatted).second) continue;
                text += formatted + kLineEnd;
                ++count;
            }
        } catch (const SourceError& e) {
            Fail(line, e.what());
        }
    }
    if (ruleCount) *ruleCount = count;
    return text;
}

std::string MakePlaceholder(const std::string& key) {
    return "QuilloMorph language data \"" + key + "\": no compiled rules; the text files " + key +
           ".alf, " + key + ".syl, " + key + ".ex and " + key + ".lin are loaded." + kLineEnd;
}

GeneratedFiles BuildLanguage(const fs::path& folder, const std::string& key) {
    const LanguageSettings settings = ParseSettings(ReadSource(folder / "language.txt", true));
    std::vector<fs::path> ruleFiles;
    if (fs::exists(folder / "rules.txt")) ruleFiles.push_back(folder / "rules.txt");
    std::vector<fs::path> more;
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name.rfind("rules-", 0) == 0 && e.path().extension() == ".txt")
            more.push_back(e.path());
    }
    std::sort(more.begin(), more.end());
    ruleFiles.insert(ruleFiles.end(), more.begin(), more.end());
    if (ruleFiles.empty()) throw SourceError((folder / "rules.txt").string() + ": missing");
    std::vector<SourceLine> ruleLines;
    for (const fs::path& file : ruleFiles) {
        const std::vector<SourceLine> lines = ReadSource(file, true);
        ruleLines.insert(ruleLines.end(), lines.begin(), lines.end());
    }
    GeneratedFiles files;
    files[key + ".alf"] = MakeAlphabet(ReadSource(folder / "alphabet.txt", true), settings);
    files[key + ".syl"] = MakeSyllables(ReadSource(folder / "syllables.txt", false), settings);
    files[key + ".ex"] = MakeExceptions(ReadSource(folder / "exceptions.txt", false), settings);
    files[key + ".lin"] = MakeRules(ruleLines, settings);
    files[key + ".bin"] = MakePlaceholder(key);
    return files;
}

ManifestEntry ManifestEntryOf(const fs::path& folder, const std::string& key) {
    const LanguageSettings settings = ParseSettings(ReadSource(folder / "language.txt", true));
    ManifestEntry entry;
    entry.key = key;
    entry.page = settings.input;
    entry.englishName = settings.englishName.empty() ? key : settings.englishName;
    entry.russianName = platform::FromUtf8(settings.russianName, platform::CodePage::Cp1251);
    entry.aliases = settings.aliases;
    entry.rankBy = settings.rankBy;
    return entry;
}

} // namespace datagen
