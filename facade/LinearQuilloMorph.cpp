#include "facade/LinearQuilloMorph.h"

#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/SystemTexts.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

constexpr char Magic[] = "quillomorph binary 1.0 in";
constexpr std::size_t MagicSize = 25;
static_assert(sizeof(Magic) == MagicSize + 1, "the magic is 25 bytes");

} // namespace

LinearQuilloMorph::~LinearQuilloMorph() {
    SetDebug(false);
    ReleaseVariantTraces();
    delete symbolTrace;
    symbolTrace = nullptr;
}

void LinearQuilloMorph::ReleaseVariantTraces() {
    if (variantTraces) {
        for (std::int32_t i = 0; i < variantTraceCount; ++i)
            delete variantTraces[i];
        delete[] variantTraces;
    }
    variantTraces = nullptr;
}

void LinearQuilloMorph::LoadLanguage(const Text& key) {
    if (!platform::FileExists(key + ".bin")) {
        platform::ShowMessage(texts::CannotOpenRules());
        languageKey.clear();
        return;
    }
    languageKey = key;
    if (ReadCompiledRules() == 0) return;
    syllabite.LoadTextFiles(languageKey);
    transcriber.LoadRules(languageKey + ".lin", 0);
}

std::int32_t LinearQuilloMorph::ReadCompiledRules() {
    Text image;
    if (!platform::ReadWholeFile(languageKey + ".bin", image)) return -1;
    if (image.size() < MagicSize || std::strncmp(image.data(), Magic, MagicSize) != 0) return -2;
    std::size_t position = MagicSize;
    if (syllabite.ReadSyllableSection(image.data(), image.size(), position) != 0) return 1;
    if (transcriber.ReadRuleSection(image.data(), image.size(), position) != 0) return 1;
    return 0;
}

std::int32_t LinearQuilloMorph::Transcribe(const Text& line, platform::StringList& out) {
    if (languageKey.empty() || line.empty()) {
        // The traces of an earlier call go with their count, so that none is left unowned.
        ReleaseVariantTraces();
        variantTraceCount = 0;
        return 0;
    }
    if (debug) {
        delete symbolTrace;
        symbolTrace = new platform::StringList;
    }
    out.SetSorted(true);
    out.SetDuplicates(platform::StringList::Duplicates::Ignore);

    SymbolCollection symbols;
    symbols.SetSorted(false);
    syllabite.Analyse(line, symbols);

    const std::int32_t n = symbols.Count();
    std::unique_ptr<Symbol[]> input(new Symbol[static_cast<std::size_t>(n)]);
    for (std::int32_t i = 0; i < n; ++i)
        input[i] = symbols[i];

    if (debug) {
        Text trace;
        for (std::int32_t i = 0; i < n; ++i) {
            const std::uint32_t code = symbols[i].code;
            trace += code == 0 ? '_' : static_cast<char>(code & 0xFF);
        }
        symbolTrace->Add(trace);
    }

    SymbolCollection* variants = nullptr;
    std::int32_t count = 0;
    transcriber.TranscribeSymbols(input.get(), static_cast<std::uint32_t>(n), variants, count);
    std::unique_ptr<SymbolCollection[]> owned(variants);

    if (debug) {
        ReleaseVariantTraces();
        variantTraces = new platform::StringList*[static_cast<std::size_t>(count)];
        variantTraceCount = count;
        for (std::int32_t k = 0; k < count; ++k) {
            variantTraces[k] = new platform::StringList;
            const SymbolCollection& variant = variants[k];
            for (std::int32_t i = 0; i < variant.Count(); ++i)
                variantTraces[k]->Add(std::to_string(static_cast<std::int32_t>(variant[i].code)));
        }
    }

    for (std::int32_t k = 0; k < count; ++k) {
        const SymbolCollection& variant = variants[k];
        Text text;
        for (std::int32_t i = 0; i < variant.Count(); ++i) {
            const std::uint32_t code = variant[i].code;
            if (code == 60 || code == 62) continue;
            text += static_cast<char>(code & 0xFF);
        }
        out.Add(text);
    }
    return 1;
}

void LinearQuilloMorph::SetDebug(bool on) {
    if (on == debug) return;
    if (!on) {
        ReleaseVariantTraces();
        variantTraceCount = 0;
    }
    debug = on;
    transcriber.traceOn = on;
}
