// The syllable and exception file readers: the input is KEY.syl, a NUL byte, KEY.ex, a NUL
// byte and a line to analyse with that data over a fixed alphabet.

#include "FixedLanguage.h"
#include "FuzzSupport.h"

#include "analysis/Syllabite.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const Text key = [] {
        const Text k = fuzz::Scratch().File("syllable");
        fuzz::WriteFile(k + ".alf", fuzz::FixedAlphabet());
        return k;
    }();
    const auto parts = fuzz::SplitAtNul(data, size, 3);
    fuzz::WriteFile(key + ".syl", parts[0]);
    fuzz::WriteFile(key + ".ex", parts[1]);

    Syllabite syllabite;
    syllabite.LoadTextFiles(key);
    if (syllabite.vowelCount != static_cast<std::int32_t>(syllabite.vowels.size()))
        fuzz::Violation("vowel count");
    if (syllabite.prefixIn.Count() != syllabite.prefixOut.Count() ||
        syllabite.suffixIn.Count() != syllabite.suffixOut.Count())
        fuzz::Violation("affix tables out of step");
    for (int i = 0; i < syllabite.exceptionKeys.Count(); ++i) {
        const auto value = syllabite.exceptionKeys.Object(i);
        if (value < 0 || value >= syllabite.exceptionValues.Count())
            fuzz::Violation("exception key without its value");
    }

    // The tables only matter once a word meets them: analyse the line, and the vowel line and
    // the exception file themselves, which hold words the tables know.
    for (const std::string* line : {&parts[2], &parts[0], &parts[1]}) {
        SymbolCollection out;
        out.SetSorted(false);
        try {
            syllabite.Analyse(line->substr(0, 512), out);
        } catch (const Text&) {
            // The collection index error of stress marking: an answer, not a fault.
        }
    }
    return 0;
}
