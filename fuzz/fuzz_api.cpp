// The library's public API over the shipped languages: every input, taken as UTF-8 whatever
// its bytes, is transcribed in each language. Every variant must be well-formed UTF-8, and
// the variant count within the engine's cap.
#include <quillomorph/quillomorph.h>

#include "platform/CodePage.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#ifndef QM_DATA_DIR
#define QM_DATA_DIR "data"
#endif

namespace {

std::vector<quillomorph::Transcriber> OpenShippedLanguages() {
    std::vector<quillomorph::Transcriber> languages;
    for (const quillomorph::Language& language : quillomorph::Languages(QM_DATA_DIR))
        languages.push_back(quillomorph::Transcriber::Open(QM_DATA_DIR, language.key));
    if (languages.empty()) {
        std::fprintf(stderr, "no language in %s\n", QM_DATA_DIR);
        std::abort();
    }
    return languages;
}

[[noreturn]] void Violation(const char* what) {
    std::fprintf(stderr, "violation: %s\n", what);
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<quillomorph::Transcriber> languages = OpenShippedLanguages();
    const std::string line(reinterpret_cast<const char*>(data), size);
    for (quillomorph::Transcriber& t : languages) {
        std::vector<std::string> variants;
        try {
            variants = t.Transcribe(line);
        } catch (const quillomorph::Error&) {
            continue; // an internal error of the language's data is reported, not a fault
        }
        if (variants.size() > 4096) Violation("variant count");
        for (const std::string& v : variants)
            if (!platform::IsValidUtf8(v)) Violation("a variant is not UTF-8");
        t.ClearMessages();
    }
    return 0;
}
