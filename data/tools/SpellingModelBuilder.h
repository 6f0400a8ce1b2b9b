#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Builds russian.model (its format: facade/SpellingModel.h) from a spelling dictionary in
// hunspell form: the .dic stems with their flags and the .aff affix rules (SFX and PFX groups
// with their conditions, cross products of the two; continuation flags are not followed).
// Deterministic: the same dictionary gives the same bytes.
namespace datagen {

struct ModelOptions {
    std::uint32_t order = 4;       // of the letter N-grams
    std::uint32_t stepMilli = 100; // log-probability step, 1/1000 nats
    std::uint32_t bloomBitsPerWord = 12;
    std::uint32_t bloomHashes = 8;
};

// Every word form of the dictionary (dic and aff texts in UTF-8, or in the code page their
// SET line names among KOI8-R and cp1251), as cp1251 in lower case, sorted and unique: the
// stems and what their affix rules make of them. Forms with anything but Russian letters are
// left out, a hyphenated form gives its parts, and a form with е whose spelling with ё is a
// form too is dropped.
std::vector<std::string> ExpandDictionary(const std::string& dic, const std::string& aff);

// The model's bytes for the word forms.
std::string BuildSpellingModel(const std::vector<std::string>& words,
                               const ModelOptions& options = ModelOptions());

} // namespace datagen
