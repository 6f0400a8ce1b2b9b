// quillomorph-datagen SRC_DIR OUT_DIR [KEY...]
// Builds the data files of every language folder in SRC_DIR (or of the keys named) into
// OUT_DIR: KEY.alf, KEY.syl, KEY.ex, KEY.lin and the placeholder KEY.bin; and the manifest
// languages.txt of every language folder in SRC_DIR.
#include "data/tools/LanguageSource.h"

#include <algorithm>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

bool SameContent(const fs::path& path, const std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    return s.str() == bytes;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "usage: quillomorph-datagen SRC_DIR OUT_DIR [KEY...]\n";
        return 2;
    }
    const fs::path source = argv[1];
    const fs::path target = argv[2];
    std::vector<std::string> keys(argv + 3, argv + argc);
    std::error_code ec;
    if (keys.empty()) {
        for (const fs::directory_entry& e : fs::directory_iterator(source, ec))
            if (fs::is_regular_file(e.path() / "language.txt"))
                keys.push_back(e.path().filename().string());
        std::sort(keys.begin(), keys.end());
    }
    if (ec || keys.empty()) {
        std::cerr << "quillomorph-datagen: no language folders in " << source.string() << '\n';
        return 2;
    }
    fs::create_directories(target, ec);
    int failures = 0;
    for (const std::string& key : keys) {
        try {
            const datagen::GeneratedFiles files = datagen::BuildLanguage(source / key, key);
            for (const auto& [name, bytes] : files) {
                const fs::path path = target / name;
                if (SameContent(path, bytes)) continue;
                std::ofstream out(path, std::ios::binary | std::ios::trunc);
                out << bytes;
                if (!out) throw datagen::SourceError(path.string() + ": cannot write");
            }
        } catch (const datagen::SourceError& e) {
            std::cerr << e.what() << '\n';
            ++failures;
        }
    }
    // The manifest lists every language folder of SRC_DIR, whichever keys were built.
    std::vector<ManifestEntry> manifest;
    for (const fs::directory_entry& e : fs::directory_iterator(source, ec)) {
        if (!fs::is_regular_file(e.path() / "language.txt")) continue;
        try {
            manifest.push_back(datagen::ManifestEntryOf(e.path(), e.path().filename().string()));
        } catch (const datagen::SourceError& error) {
            std::cerr << error.what() << '\n';
            ++failures;
        }
    }
    std::sort(manifest.begin(), manifest.end(),
              [](const ManifestEntry& a, const ManifestEntry& b) { return a.key < b.key; });
    const fs::path manifestPath = target / ManifestFileName;
    const std::string manifestText = FormatManifest(manifest);
    if (!SameContent(manifestPath, manifestText)) {
        std::ofstream out(manifestPath, std::ios::binary | std::ios::trunc);
        out << manifestText;
        if (!out) {
            std::cerr << manifestPath.string() << ": cannot write\n";
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
