#pragma once

#include "data/tools/RuleSource.h"
#include "facade/LanguageManifest.h"

#include <filesystem>
#include <map>
#include <string>

// A language source folder (data/src/KEY/) and the data files made from it.
//
//   language.txt    settings: "input = cp1251|cp1252|cp1250", optional "case-param = NAME",
//                   "mark-output = NAME=VALUE LETTERS" (any number), and for the manifest
//                   "name = English name", "name-ru = Russian name", "aliases = ALIAS...",
//                   "ranking = rules|model" (what decides first when variants are ranked)
//   alphabet.txt    the letters: runs of letters standing for themselves, or "x=y,name=value";
//                   "U+XXXX" (four to six hex digits) writes a letter by its code (U+0020 blank)
//   syllables.txt   optional: "vowels LETTERS", "prefix IN OUT", "suffix IN OUT"
//   exceptions.txt  optional: "word ; replacement"
//   rules.txt, rules-*.txt   the rules (see RuleSource.h)
//
// Lines are UTF-8; blank lines and lines starting with "#" are comments.
namespace datagen {

struct LanguageSettings {
    platform::CodePage input = platform::CodePage::Cp1252;
    std::string caseParam;
    std::vector<OutputMark> marks;
    std::string englishName;
    std::string russianName;
    std::vector<std::string> aliases;
    RankBy rankBy = RankBy::Rules;
};

// The four data files and the placeholder of one key: file name -> bytes (cp1251/cp1252,
// CR LF line ends).
using GeneratedFiles = std::map<std::string, std::string>;

// A line of a source file with its place, for messages.
struct SourceLine {
    std::string file;
    int number = 0;
    std::string text;
};

// The content lines of a source text: comments and blank lines dropped, BOM and CR removed.
std::vector<SourceLine> ContentLines(const std::string& utf8, const std::string& file);

LanguageSettings ParseSettings(const std::vector<SourceLine>& lines);
std::string MakeAlphabet(const std::vector<SourceLine>& lines, const LanguageSettings& settings);
std::string MakeSyllables(const std::vector<SourceLine>& lines, const LanguageSettings& settings);
std::string MakeExceptions(const std::vector<SourceLine>& lines, const LanguageSettings& settings);
// Rules of all rule files in order; repeated rules are written once.
std::string MakeRules(const std::vector<SourceLine>& lines, const LanguageSettings& settings,
                      int* ruleCount = nullptr);
std::string MakePlaceholder(const std::string& key);

// Reads data/src/KEY/ and builds every file of the key. Throws SourceError with
// "file:line: message".
GeneratedFiles BuildLanguage(const std::filesystem::path& folder, const std::string& key);

// The manifest line of the language in folder (its language.txt only).
ManifestEntry ManifestEntryOf(const std::filesystem::path& folder, const std::string& key);

} // namespace datagen
