#include "analysis/AlphaRule.h"

namespace {

int Signed(char c) {
    return static_cast<signed char>(c);
}

} // namespace

bool AlphaRule::operator==(const AlphaRule& other) const {
    return character == other.character && symbol == other.symbol;
}

bool AlphaRule::operator<(const AlphaRule& other) const {
    if (character != other.character) return *this < other.character;
    return symbol < other.symbol;
}

bool AlphaRule::operator<=(const AlphaRule& other) const {
    if (character != other.character) return *this < other.character;
    return symbol < other.symbol || !(symbol > other.symbol);
}

bool AlphaRule::operator>(const AlphaRule& other) const {
    if (character != other.character) return *this > other.character;
    return symbol > other.symbol;
}

bool AlphaRule::operator>=(const AlphaRule& other) const {
    if (character != other.character) return *this > other.character;
    return symbol > other.symbol || !(symbol < other.symbol);
}

bool AlphaRule::operator==(char c) const {
    return character == c;
}

bool AlphaRule::operator<(char c) const {
    return Signed(character) < Signed(c);
}

bool AlphaRule::operator<=(char c) const {
    return Signed(character) <= Signed(c);
}

bool AlphaRule::operator>(char c) const {
    return Signed(character) > Signed(c);
}

bool AlphaRule::operator>=(char c) const {
    return Signed(character) >= Signed(c);
}

std::int32_t AlphaRule::ReadAlphaRule(const char* data, std::size_t size, std::size_t& position) {
    if (position >= size) return 1;
    character = data[position++];
    return symbol.ReadSymbol(data, size, position);
}
