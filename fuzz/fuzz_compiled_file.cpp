// The compiled file reader: any bytes as KEY.bin, read through the facade. A file that loads
// is then used to transcribe lines made of its own letters.

#include "FuzzSupport.h"

#include "facade/LinearQuilloMorph.h"

#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Text key = [] {
        fuzz::SilenceMessages();
        return fuzz::Scratch().File("compiled");
    }();
    fuzz::WriteFile(key + ".bin", reinterpret_cast<const char*>(data), size);

    LinearQuilloMorph facade;
    fuzz::SmallRunBounds(facade.transcriber);
    facade.languageKey = key;
    std::int32_t result = 1;
    try {
        result = facade.ReadCompiledRules();
    } catch (const Text&) {
        // A rule without a left side raises the collection index error after the sort, as in
        // a text rule file; the other rules stay loaded and usable.
        result = 0;
    }
    const bool magic = size >= 25 && std::memcmp(data, "quillomorph binary 1.0 in", 25) == 0;
    if (!magic && result != -2) fuzz::Violation("a file without the magic was accepted");
    if (magic && result != 0 && result != 1) fuzz::Violation("result out of range");
    if (result != 0) return 0;

    const TransCriber& engine = facade.transcriber;
    for (std::int32_t i = 1; i < engine.ruleCount; ++i)
        if (engine.keys[i - 1] > engine.keys[i]) fuzz::Violation("keys not ascending");

    // Lines of the file's own letters, so that the rules and syllable data meet words.
    const Alphabet& alphabet = facade.syllabite.alphabet;
    Text word;
    for (std::int32_t i = 0; i < alphabet.EntryCount() && i < 12; ++i)
        word += alphabet.Entry(i).character;
    const Text reversed(word.rbegin(), word.rend());
    for (const Text& line : {word, word + " " + reversed + ", " + word, Text("Hello, world")}) {
        platform::StringList out;
        try {
            if (facade.Transcribe(line, out) == 1 && out.Count() < 1)
                fuzz::Violation("no output line");
        } catch (const Text&) {
            // The collection index error of stress marking: an answer, not a fault.
        }
    }
    return 0;
}
