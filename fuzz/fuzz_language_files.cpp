// The whole road over hand-edited text files: the input is KEY.alf, KEY.syl, KEY.ex, KEY.lin
// and an input line, joined by NUL bytes. The language is loaded through the facade (with a
// placeholder KEY.bin, as shipped) and the line transcribed.

#include "FuzzSupport.h"

#include "facade/LinearQuilloMorph.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Text key = [] {
        fuzz::SilenceMessages();
        const Text k = fuzz::Scratch().File("language");
        fuzz::WriteFile(k + ".bin", std::string("placeholder"));
        return k;
    }();
    const auto parts = fuzz::SplitAtNul(data, size, 5);
    fuzz::WriteFile(key + ".alf", parts[0]);
    fuzz::WriteFile(key + ".syl", parts[1]);
    fuzz::WriteFile(key + ".ex", parts[2]);
    fuzz::WriteFile(key + ".lin", parts[3]);

    LinearQuilloMorph facade;
    fuzz::SmallRunBounds(facade.transcriber);
    try {
        facade.LoadLanguage(key);
    } catch (const Text&) {
        // A rule with an empty left side: the load ends with the collection index error.
    }
    if (facade.languageKey != key) fuzz::Violation("the language was not kept");

    platform::StringList out;
    try {
        const std::int32_t result = facade.Transcribe(parts[4], out);
        if (result != (parts[4].empty() ? 0 : 1)) fuzz::Violation("Transcribe result");
        if (result == 1 && out.Count() < 1) fuzz::Violation("no output line");
    } catch (const Text&) {
        // The collection index error of stress marking: an answer, not a fault.
    }
    return 0;
}
