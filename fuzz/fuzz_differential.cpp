// The fast path against the plain one: the input chooses a random small language and its lines
// (the generator of the differential test, tests/support/RandomLanguage.h), which both paths
// transcribe; any difference in word analysis, in a variant or its parameters, in the codes, in
// the comparisons counted or in the output lines is a finding.

#include "FuzzSupport.h"
#include "RandomLanguage.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool silenced = [] {
        fuzz::SilenceMessages();
        return true;
    }();
    (void)silenced;
    randomlanguage::ByteChoices choices(data, size);
    randomlanguage::Language language = randomlanguage::Generate(choices);
    // Fewer variants than the test allows: the plain path copies every one at every step, and
    // under the sanitizers that is what an input costs.
    language.variantSymbolLimit = std::min<std::int64_t>(language.variantSymbolLimit, 512);
    const std::string differs = randomlanguage::CompareModes(language, fuzz::Scratch().Path());
    if (!differs.empty()) {
        std::fprintf(stderr, "%s\n", differs.c_str());
        fuzz::Violation("the fast and the plain path differ");
    }
    return 0;
}
