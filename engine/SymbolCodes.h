#pragma once

#include "core/Symbol.h"

#include <cstdint>

// How the engine classifies symbol codes, and the marker symbols it writes.
namespace codes {

constexpr std::uint32_t WordStart = 60;         // "<"
constexpr std::uint32_t WordEnd = 62;           // ">"
constexpr std::uint32_t Gap = 95;               // "_"
constexpr std::uint32_t Ordinary = 0xFF000000u; // looks like a literal, but rules apply
constexpr std::uint32_t Placeholder = 0xFFFFFFFBu;
constexpr std::uint32_t Reference = 0xF0000000u;

inline bool IsWideLiteral(std::uint32_t c) {
    return (c & 0xEFF00000u) == 0xEF100000u;
}
inline bool IsLiteralRunSymbol(std::uint32_t c) {
    return c != Ordinary && (c & 0xEF000000u) == 0xEF000000u;
}
inline bool IsReference(std::uint32_t c) {
    return (c & 0xFF000000u) == Reference;
}
inline std::uint32_t ReferenceDigit(std::uint32_t c) {
    return c & 0xFFFFFFu;
}

// A marker symbol with the parameter beg=value (no parameter when value is null).
Symbol Marker(std::uint32_t code, const char* value);

} // namespace codes
