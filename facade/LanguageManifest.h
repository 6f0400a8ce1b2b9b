#pragma once

#include "platform/CodePage.h"
#include "platform/Text.h"

#include <string>
#include <vector>

// What decides first when a language's variants are ranked (Ranking.h): the order in which
// its rules were written, or the spelling model.
enum class RankBy { Rules, Model };

// The manifest of a data folder, "languages.txt": one line per language, fields separated by
// TAB — key, input code page (cp1250, cp1251 or cp1252), English name, Russian name, aliases
// separated by blanks, and optionally the ranking ("rules", the default, or "model").
// cp1251, "#" starts a comment line. Written by the data generator.
struct ManifestEntry {
    Text key;
    platform::CodePage page = platform::CodePage::Cp1252;
    Text englishName;
    Text russianName;
    std::vector<Text> aliases;
    RankBy rankBy = RankBy::Rules;
};

inline constexpr const char* ManifestFileName = "languages.txt";

// The manifest's text for entries (what the generator writes).
Text FormatManifest(const std::vector<ManifestEntry>& entries);
// The entries of a manifest's text; lines that do not parse are skipped.
std::vector<ManifestEntry> ParseManifest(const Text& text);

// The languages of folder: its manifest, or, without one, a cp1252 entry per KEY.bin file.
std::vector<ManifestEntry> ReadLanguages(const std::string& folder);

// The entry whose key or alias is name (ASCII letters compared without case); null if none.
const ManifestEntry* FindLanguage(const std::vector<ManifestEntry>& entries, const Text& name);
