// The fast path (word analysis, the engine with its index, remembered scans, shared symbols and
// working sets kept between runs) against the plain one, on random small languages: every
// variant of every line must come out the same, parameters and counted work included.

#include "RandomLanguage.h"
#include "TempDir.h"

#include "platform/Messages.h"

#include <chrono>

namespace {

TEST(Differential, FastAndPlainPathsAgreeOnRandomLanguages) {
    TempDir dir;
    const platform::MessageHandler previous =
        platform::SetMessageHandler([](const Text&, const Text&) {});
    randomlanguage::SeededChoices choices(20261208);
    std::size_t cases = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < 600; ++k) {
        const randomlanguage::Language language = randomlanguage::Generate(choices);
        const std::string differs = randomlanguage::CompareModes(language, dir.Path(), &cases);
        ASSERT_TRUE(differs.empty()) << "language " << k << ", " << differs;
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    platform::SetMessageHandler(previous);
    // For the record only: the figure asked of the test is a few seconds.
    std::printf("%zu lines in 600 random languages, %.2f s\n", cases, took.count());
    EXPECT_GT(cases, 3000u);
}

} // namespace
