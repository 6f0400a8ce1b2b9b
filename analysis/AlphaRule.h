#pragma once

#include "core/Symbol.h"

#include <cstddef>
#include <cstdint>

// One letter of an alphabet and the symbol that stands for it. Characters compare as signed
// bytes, so cp1251 bytes 0x80-0xFF (Cyrillic among them) order before 0x00-0x7F.
class AlphaRule {
public:
    char character = 0;
    Symbol symbol;

    AlphaRule() = default;
    AlphaRule(const AlphaRule& other) = default;
    AlphaRule& operator=(const AlphaRule& other) = default;
    virtual ~AlphaRule() = default;

    // Against another entry: by character, then by symbol.
    virtual bool operator==(const AlphaRule& other) const;
    virtual bool operator!=(const AlphaRule& other) const { return !(*this == other); }
    virtual bool operator<(const AlphaRule& other) const;
    virtual bool operator<=(const AlphaRule& other) const;
    virtual bool operator>(const AlphaRule& other) const;
    virtual bool operator>=(const AlphaRule& other) const;

    // Against a bare character.
    virtual bool operator==(char c) const;
    virtual bool operator!=(char c) const { return !(*this == c); }
    virtual bool operator<(char c) const;
    virtual bool operator<=(char c) const;
    virtual bool operator>(char c) const;
    virtual bool operator>=(char c) const;

    // Reads the character byte and then the symbol record at position, never past size.
    // Returns 0, or 1 when the data ends first or the symbol record is malformed.
    std::int32_t ReadAlphaRule(const char* data, std::size_t size, std::size_t& position);
};
