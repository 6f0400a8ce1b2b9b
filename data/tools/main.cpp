// quillomorph-datagen SRC_DIR OUT_DIR [KEY...]
// Builds the data files of every language folder in SRC_DIR (or of the keys named) into
// OUT_DIR: KEY.alf, KEY.syl, KEY.ex, KEY.lin and the placeholder KEY.bin; and the manifest
// languages.txt of every language folder in SRC_DIR.
#include "data/tools/LanguageSource.h"

#include <quillomorph/quillomorph.h>

#include <getopt.h>

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

const char Usage[] =
    "Usage: quillomorph-datagen SRC_DIR OUT_DIR [KEY]...\n"
    "Builds the language files from their UTF-8 sources: for each language folder\n"
    "SRC_DIR/KEY (or only the KEYs named), OUT_DIR/KEY.alf, .syl, .ex, .lin and .bin;\n"
    "and OUT_DIR/languages.txt, the list of every language folder in SRC_DIR. Files whose\n"
    "content would not change are left alone.\n"
    "\n"
    "  -h, --help       print this text and exit\n"
    "  -V, --version    print the version and the data folder in use, and exit\n"
    "\n"
    "The sources of the shipped languages are in the src folder of the data folder; to\n"
    "change a language, copy the data folder, edit its sources, regenerate into the copy\n"
    "and run the programs with --data on the copy.\n"
    "\n"
    "Exit status: 0 done, 1 a source had errors, 2 usage error.\n";

int TryHelp(const std::string& problem) {
    std::cerr << "quillomorph-datagen: " << problem << '\n'
              << "Try 'quillomorph-datagen --help' for more information.\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    static const option Long[] = {
        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},
        {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    for (int c; (c = getopt_long(argc, argv, "hV", Long, nullptr)) != -1;) {
        if (c == 'h') {
            std::cout << Usage << std::flush;
            return std::cout ? 0 : 4;
        }
        if (c == 'V') {
            const std::string data = quillomorph::DefaultDataDir();
            std::cout << "quillomorph-datagen " << quillomorph::Version() << '\n'
                      << "data: " << (data.empty() ? "none found" : data) << '\n'
                      << std::flush;
            return std::cout ? 0 : 4;
        }
        return TryHelp(std::string("unknown option: ") + argv[optind - 1]);
    }
    if (argc - optind < 2) return TryHelp("SRC_DIR and OUT_DIR are needed");
    const fs::path source = argv[optind];
    const fs::path target = argv[optind + 1];
    std::vector<std::string> keys(argv + optind + 2, argv + argc);
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
