#pragma once

#include "analysis/Syllabite.h"
#include "engine/TransCriber.h"
#include "platform/StringList.h"
#include "platform/Text.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The one object through which a front end loads a language and transcribes lines.
class LinearQuilloMorph {
public:
    LinearQuilloMorph() = default;
    ~LinearQuilloMorph();
    LinearQuilloMorph(const LinearQuilloMorph&) = delete;
    LinearQuilloMorph& operator=(const LinearQuilloMorph&) = delete;

    // Loads key.bin from the working directory, or the key's text files when it is unusable.
    // A missing key.bin shows a message and leaves no language loaded.
    void LoadLanguage(const Text& key);

    // Adds one line per distinct variant of line to out, which is switched to sorted mode
    // with duplicates ignored. Returns 0, leaving out untouched, for an empty line or when no
    // language is loaded; 1 otherwise.
    std::int32_t Transcribe(const Text& line, platform::StringList& out);

    // Runs word analysis and the engine plainly (Syllabite::SetPlain, TransCriber::plain), or
    // again as usual: the same answers, slowly. For checking the ordinary path.
    void SetPlain(bool on) {
        syllabite.SetPlain(on);
        transcriber.plain = on;
    }

    // The preference of each line of out as the last Transcribe filled it (by index in out):
    // the least preference (TransCriber::TranscribeCodes) among the variants that gave the
    // line, 0 for the one that only the first written of its rules made.
    void LinePreferences(const platform::StringList& out,
                         std::vector<std::uint32_t>& preferences) const;

    // Switches the facade's and the engine's trace together.
    void SetDebug(bool on);

    // Reads languageKey.bin: 0 loaded, -1 cannot be opened, -2 short or wrong magic,
    // 1 a block failed.
    std::int32_t ReadCompiledRules();

    // Fields, in declaration order.
    Text languageKey;
    TransCriber transcriber;
    Syllabite syllabite;
    bool debug = false;
    platform::StringList** variantTraces = nullptr;
    std::int32_t variantTraceCount = 0;
    platform::StringList* symbolTrace = nullptr;

private:
    void ReleaseVariantTraces();

    // Buffers of Transcribe, kept between calls: the engine's input, its variants' codes and
    // the variants' lines with their sort keys.
    struct Line {
        Text text;
        Text key;
        std::uint32_t preference = 0;
    };
    std::vector<Symbol> input_;
    std::vector<const Symbol*> origins_; // the symbols standing for input_'s (AnalyseKeeping)
    std::uint32_t ordinaryLines_ = 64;   // lines since the last long one (64: none lately)
    std::vector<std::uint32_t> codes_;
    std::vector<std::size_t> ends_;
    std::vector<std::uint32_t> preferences_;
    // The preference of each line Transcribe added to out, by its place there (empty when out
    // held other lines before).
    std::vector<std::uint32_t> linePreferences_;
    std::vector<Line> lines_;
};
