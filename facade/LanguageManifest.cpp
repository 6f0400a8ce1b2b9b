#include "facade/LanguageManifest.h"

#include "platform/Files.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace {

std::vector<Text> Split(const Text& line, char separator) {
    std::vector<Text> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = line.find(separator, start);
        fields.push_back(line.substr(start, end == Text::npos ? Text::npos : end - start));
        if (end == Text::npos) return fields;
        start = end + 1;
    }
}

bool PageByName(const Text& name, platform::CodePage& page) {
    if (name == "cp1250")
        page = platform::CodePage::Cp1250;
    else if (name == "cp1251")
        page = platform::CodePage::Cp1251;
    else if (name == "cp1252")
        page = platform::CodePage::Cp1252;
    else
        return false;
    return true;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const Text& a, const Text& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return Lower(x) == Lower(y); });
}

} // namespace

Text FormatManifest(const std::vector<ManifestEntry>& entries) {
    Text text = "# key\tinput code page\tEnglish name\tRussian name\taliases\tranking\r\n";
    for (const ManifestEntry& e : entries) {
        text += e.key + "\tcp" + std::to_string(static_cast<int>(e.page)) + '\t' + e.englishName +
                '\t' + e.russianName + '\t';
        for (std::size_t i = 0; i < e.aliases.size(); ++i)
            text += (i ? " " : "") + e.aliases[i];
        text += e.rankBy == RankBy::Model ? "\tmodel" : "\trules";
        text += "\r\n";
    }
    return text;
}

std::vector<ManifestEntry> ParseManifest(const Text& text) {
    std::vector<ManifestEntry> entries;
    for (Text line : Split(text, '\n')) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == '#') continue;
        const std::vector<Text> fields = Split(line, '\t');
        ManifestEntry e;
        if (fields.size() < 2 || fields[0].empty() || !PageByName(fields[1], e.page)) continue;
        e.key = fields[0];
        e.englishName = fields.size() > 2 ? fields[2] : fields[0];
        e.russianName = fields.size() > 3 ? fields[3] : Text();
        if (fields.size() > 4)
            for (const Text& alias : Split(fields[4], ' '))
                if (!alias.empty()) e.aliases.push_back(alias);
        if (fields.size() > 5 && fields[5] == "model") e.rankBy = RankBy::Model;
        entries.push_back(std::move(e));
    }
    return entries;
}

std::vector<ManifestEntry> ReadLanguages(const std::string& folder) {
    namespace fs = std::filesystem;
    Text text;
    if (platform::ReadWholeFile((fs::path(folder) / ManifestFileName).string(), text))
        return ParseManifest(text);
    std::vector<ManifestEntry> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& path = it->path();
        if (path.extension() != ".bin" || !it->is_regular_file(error)) continue;
        ManifestEntry e;
        e.key = path.stem().string();
        e.englishName = e.key;
        entries.push_back(std::move(e));
    }
    std::sort(entries.begin(), entries.end(),
              [](const ManifestEntry& a, const ManifestEntry& b) { return a.key < b.key; });
    return entries;
}

const ManifestEntry* FindLanguage(const std::vector<ManifestEntry>& entries, const Text& name) {
    for (const ManifestEntry& e : entries)
        if (e.key == name) return &e;
    for (const ManifestEntry& e : entries) {
        if (SameName(e.key, name)) return &e;
        for (const Text& alias : e.aliases)
            if (SameName(alias, name)) return &e;
    }
    return nullptr;
}
