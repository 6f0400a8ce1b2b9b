// The whole road for the shipped languages: each language of data/ (copied to a scratch
// directory) is loaded once, and every input is transcribed as one input line in each.
// QM_FUZZ_DATA in the environment names another data directory.

#include "FuzzSupport.h"

#include "facade/LinearQuilloMorph.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#ifndef QM_DATA_DIR
#define QM_DATA_DIR "data"
#endif

namespace {

std::vector<std::unique_ptr<LinearQuilloMorph>> LoadShippedLanguages() {
    namespace fs = std::filesystem;
    fuzz::SilenceMessages();
    const char* env = std::getenv("QM_FUZZ_DATA");
    const fs::path source = env != nullptr && *env != '\0' ? fs::path(env) : fs::path(QM_DATA_DIR);
    const fs::path copy = fuzz::Scratch().Path() / "data";
    fs::create_directories(copy);
    std::vector<std::string> keys;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(source, ec)) {
        if (!entry.is_regular_file()) continue;
        fs::copy_file(entry.path(), copy / entry.path().filename(),
                      fs::copy_options::overwrite_existing);
        if (entry.path().extension() == ".bin") keys.push_back(entry.path().stem().string());
    }
    if (keys.empty()) {
        std::fprintf(stderr, "no language (KEY.bin) in %s\n", source.c_str());
        std::abort();
    }
    std::sort(keys.begin(), keys.end());
    std::vector<std::unique_ptr<LinearQuilloMorph>> languages;
    for (const std::string& key : keys) {
        auto facade = std::make_unique<LinearQuilloMorph>();
        facade->LoadLanguage((copy / key).string());
        // The shipped rules as they are, with a smaller work bound: a line that needs a second
        // under the product's bound needs half a minute with the sanitizers and the fuzzer's
        // hooks. The bound itself works the same way.
        facade->transcriber.comparisonLimit = std::uint64_t{1} << 22;
        std::fprintf(stderr, "language %s: %d rules\n", key.c_str(), facade->transcriber.ruleCount);
        languages.push_back(std::move(facade));
    }
    return languages;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto languages = LoadShippedLanguages();
    const Text line(reinterpret_cast<const char*>(data), size);
    for (const auto& facade : languages) {
        platform::StringList out;
        try {
            const std::int32_t result = facade->Transcribe(line, out);
            if (result != (line.empty() ? 0 : 1)) fuzz::Violation("Transcribe result");
            if (result == 1 && (out.Count() < 1 || out.Count() > TransCriber::MaxVariants))
                fuzz::Violation("output line count");
        } catch (const Text& error) {
            // The collection index error of stress marking is the program's answer, not a
            // fault; for shipped data it is worth a look, so the first one is shown.
            static bool shown = false;
            if (!shown)
                std::fprintf(stderr, "note: %s raised \"%s\"\n", facade->languageKey.c_str(),
                             error.c_str());
            shown = true;
        }
    }
    return 0;
}
