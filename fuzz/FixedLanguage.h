#pragma once

// A small fixed language for the targets that fuzz one kind of file: every Latin and cp1251
// Cyrillic letter stands for itself, vowels divide syllables. It turns a few fixed lines into
// the symbol sequences that fuzzed rules are then applied to.

#include "FuzzSupport.h"

#include "analysis/Syllabite.h"
#include "engine/TransCriber.h"

#include <string>
#include <vector>

namespace fuzz {

inline std::string FixedAlphabet() {
    std::string text;
    auto letter = [&text](int c) {
        text += static_cast<char>(c);
        text += '=';
        text += static_cast<char>(c);
        text += "\r\n---\r\n";
    };
    for (int c = 'a'; c <= 'z'; ++c)
        letter(c);
    for (int c = 'A'; c <= 'Z'; ++c)
        letter(c);
    for (int c = 0xC0; c <= 0xFF; ++c)
        letter(c);
    letter('\'');
    return text;
}

inline std::string FixedSyllables() {
    // Vowels; a prefix table; a suffix table (written reversed).
    return "aeiouyAEIOUY\xe0\xe5\xe8\xee\xf3\xfb\xfd\xfe\xff\r\n"
           "sch sch\r\nun un-\r\n\r\n"
           "gni gn-i\r\nde e-d\r\n";
}

// The fixed lines analysed with the fixed language, as the engine receives them.
inline std::vector<std::vector<Symbol>> FixedInputs() {
    const Text key = Scratch().File("fixed");
    WriteFile(key + ".alf", FixedAlphabet());
    WriteFile(key + ".syl", FixedSyllables());
    Syllabite syllabite;
    syllabite.LoadTextFiles(key);
    std::vector<std::vector<Symbol>> inputs;
    for (const char* line : {"schab abc-cab", "Xy zz, tsya ee!", "\xf9\xf3\xea\xe8\xed 1"}) {
        SymbolCollection symbols;
        symbols.SetSorted(false);
        syllabite.Analyse(line, symbols);
        std::vector<Symbol> input;
        for (std::int32_t i = 0; i < symbols.Count(); ++i)
            input.push_back(symbols[i]);
        inputs.push_back(input);
    }
    return inputs;
}

// Runs the engine over input and checks the shape of what it returns.
inline void RunEngine(TransCriber& engine, const std::vector<Symbol>& input) {
    SymbolCollection* variants = nullptr;
    std::int32_t count = 0;
    engine.TranscribeSymbols(input.data(), static_cast<std::uint32_t>(input.size()), variants,
                             count);
    if (input.empty() ? (variants != nullptr || count != 0) : count < 1) Violation("variant count");
    if (count > TransCriber::MaxVariants) Violation("more variants than the cap");
    delete[] variants;
}

} // namespace fuzz
