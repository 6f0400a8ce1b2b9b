#include "facade/DataSearch.h"

#include "facade/LanguageManifest.h"
#include "platform/Files.h"
#include "platform/Location.h"

#include <filesystem>
#include <system_error>
#include <vector>

namespace fs = std::filesystem;

#ifndef QM_DATA_FROM_BINDIR
#define QM_DATA_FROM_BINDIR "../share/quillomorph/data"
#endif
#ifndef QM_DATA_FROM_LIBDIR
#define QM_DATA_FROM_LIBDIR "../share/quillomorph/data"
#endif
#ifndef QM_DATA_FROM_PYTHONDIR
#define QM_DATA_FROM_PYTHONDIR "../../../share/quillomorph/data"
#endif

bool HoldsLanguages(const std::string& folder) {
    if (folder.empty()) return false;
    std::error_code error;
    if (fs::is_regular_file(fs::path(folder) / ManifestFileName, error)) return true;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (it->path().extension() == ".bin") return true;
    return false;
}

std::string SourceDataFolderOfBuild(const std::string& file) {
    const std::string key = "QuilloMorph_SOURCE_DIR:STATIC=";
    fs::path folder = fs::path(file).parent_path();
    for (int level = 0; level < 4 && !folder.empty(); ++level) {
        Text cache;
        if (platform::ReadWholeFile((folder / "CMakeCache.txt").string(), cache)) {
            const std::size_t at = cache.find(key);
            if (at == Text::npos) return std::string();
            const std::size_t end = cache.find_first_of("\r\n", at);
            const std::string source = cache.substr(at + key.size(), end - at - key.size());
            return (fs::path(source) / "data").string();
        }
        if (folder == folder.parent_path()) break;
        folder = folder.parent_path();
    }
    return std::string();
}

std::string FindDataFolder() {
    const std::string fromEnvironment = platform::Environment("QUILLOMORPH_DATA");
    if (!fromEnvironment.empty()) return fromEnvironment;

    std::vector<std::string> candidates;
    const std::string module = platform::ModuleFile();
    const std::string program = platform::ProgramFile();
    // A program lies in the installation's bin folder; a library in its lib folder, a Python
    // module in its Python folder.
    for (const std::string& file : {module, program}) {
        if (file.empty()) continue;
        const fs::path folder = fs::path(file).parent_path();
        const std::vector<const char*> relative =
            file == program ? std::vector<const char*>{QM_DATA_FROM_BINDIR}
                            : std::vector<const char*>{QM_DATA_FROM_LIBDIR, QM_DATA_FROM_PYTHONDIR};
        for (const char* path : relative)
            candidates.push_back((folder / path).lexically_normal().string());
    }
    for (const std::string& file : {module, program})
        if (!file.empty()) candidates.push_back(SourceDataFolderOfBuild(file));
    for (const std::string& folder : candidates)
        if (HoldsLanguages(folder)) return folder;
    return std::string();
}
