#pragma once

#include "core/Symbol.h"
#include "platform/Text.h"

#include <cstddef>
#include <cstdint>

// A transcription rule: where the word shows `left` and the output written so far satisfies
// `context`, write `right`. Owns its three symbol sequences.
class ScribeRule {
public:
    SymbolCollection left;    // pattern, reading order
    SymbolCollection right;   // replacement, writing order
    SymbolCollection context; // conditions: code = distance, params = required pairs
    std::int32_t wildcardCount = 0;

    ScribeRule();
    ScribeRule(const ScribeRule& other);
    virtual ~ScribeRule() = default;

    virtual ScribeRule& operator=(const ScribeRule& other);
    virtual bool operator==(const ScribeRule& other) const;
    virtual bool operator!=(const ScribeRule& other) const { return !(*this == other); }
    virtual bool operator<(const ScribeRule& other) const;
    virtual bool operator<=(const ScribeRule& other) const;
    virtual bool operator>(const ScribeRule& other) const;
    virtual bool operator>=(const ScribeRule& other) const;

    // Parse one side text and append to the rule; 1 on a malformed "$" or "#" token, else 0.
    std::int32_t ParseLeft(const Text& side);
    std::int32_t ParseRight(const Text& side);

    // Reads one compiled rule at position, never past size; 0 on success, 1 on failure.
    std::int32_t ReadRule(const char* data, std::size_t size, std::size_t& position);

    // Empties left, right and context and sets wildcardCount to 0.
    void Clear();
    // Exchanges the whole rule with other; no symbol is copied.
    void Swap(ScribeRule& other) noexcept;
};

// Rule ordering: -1 when a comes first, 1 when b comes first, 0 when equivalent for sorting.
int CompareRules(const ScribeRule& a, const ScribeRule& b);

// Compares rule.left with the n word symbols from word on: 0 when it matches there, -1 when the
// rule sorts before the word (or the mismatch follows a wildcard), 1 when it sorts after it or
// the word ends first.
std::int32_t CompareAt(const ScribeRule& rule, const Symbol* word, std::int32_t n);
