#include "platform/AnsiText.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace platform {
namespace {

// Cyrillic letters of cp1251 in sorting order, lower case. The Ukrainian, Belarusian, Serbian
// and Macedonian letters follow the Russian letter they come after in their own alphabets.
// а б в г ґ д ђ ѓ е ё є ж з ѕ и і ї й ј к л љ м н њ о п р с т ћ ќ у ў ф х ц ч џ ш щ ъ ы ь э ю я
constexpr unsigned char kCyrillicOrder[] = {
    0xE0, 0xE1, 0xE2, 0xE3, 0xB4, 0xE4, 0x90, 0x83, 0xE5, 0xB8, 0xBA, 0xE6, 0xE7, 0xBE, 0xE8, 0xB3,
    0xBF, 0xE9, 0xBC, 0xEA, 0xEB, 0x9A, 0xEC, 0xED, 0x9C, 0xEE, 0xEF, 0xF0, 0xF1, 0xF2, 0x9E, 0x9D,
    0xF3, 0xA2, 0xF4, 0xF5, 0xF6, 0xF7, 0x9F, 0xF8, 0xF9, 0xFA, 0xFB, 0xFC, 0xFD, 0xFE, 0xFF,
};

// Cyrillic case pairs outside the А-Я / а-я blocks: {upper, lower}.
constexpr unsigned char kCyrillicPairs[][2] = {
    {0x80, 0x90}, // Ђ ђ
    {0x81, 0x83}, // Ѓ ѓ
    {0x8A, 0x9A}, // Љ љ
    {0x8C, 0x9C}, // Њ њ
    {0x8D, 0x9D}, // Ќ ќ
    {0x8E, 0x9E}, // Ћ ћ
    {0x8F, 0x9F}, // Џ џ
    {0xA1, 0xA2}, // Ў ў
    {0xA3, 0xBC}, // Ј ј
    {0xA5, 0xB4}, // Ґ ґ
    {0xA8, 0xB8}, // Ё ё
    {0xAA, 0xBA}, // Є є
    {0xAF, 0xBF}, // Ї ї
    {0xB2, 0xB3}, // І і
    {0xBD, 0xBE}, // Ѕ ѕ
};

struct Tables {
    std::array<unsigned char, 256> upper{};
    // Sort weight of each byte. Other characters weigh their own byte value (0-255), so two
    // different ones never tie; then digits, Latin letters and Cyrillic letters follow, both
    // cases of a letter sharing one weight.
    std::array<std::uint16_t, 256> weight{};
};

Tables BuildTables() {
    Tables t;
    std::array<unsigned char, 256> lower{};
    for (int b = 0; b < 256; ++b) {
        t.upper[b] = static_cast<unsigned char>(b);
        lower[b] = static_cast<unsigned char>(b);
    }
    auto pair = [&](int up, int low) {
        t.upper[low] = static_cast<unsigned char>(up);
        lower[up] = static_cast<unsigned char>(low);
    };
    for (int i = 0; i < 26; ++i)
        pair('A' + i, 'a' + i);
    for (int i = 0; i < 32; ++i)
        pair(0xC0 + i, 0xE0 + i);
    for (const auto& p : kCyrillicPairs)
        pair(p[0], p[1]);

    constexpr std::uint16_t kDigits = 256;
    constexpr std::uint16_t kLatin = kDigits + 10;
    constexpr std::uint16_t kCyrillic = kLatin + 26;
    std::array<std::uint16_t, 256> lowerWeight{};
    for (int b = 0; b < 256; ++b)
        lowerWeight[b] = static_cast<std::uint16_t>(b);
    for (int i = 0; i < 10; ++i)
        lowerWeight['0' + i] = static_cast<std::uint16_t>(kDigits + i);
    for (int i = 0; i < 26; ++i)
        lowerWeight['a' + i] = static_cast<std::uint16_t>(kLatin + i);
    std::uint16_t rank = kCyrillic;
    for (unsigned char b : kCyrillicOrder)
        lowerWeight[b] = rank++;
    for (int b = 0; b < 256; ++b)
        t.weight[b] = lowerWeight[lower[b]];
    return t;
}

const Tables& GetTables() {
    static const Tables tables = BuildTables();
    return tables;
}

} // namespace

int AnsiCompareText(const Text& a, const Text& b) {
    const auto& weight = GetTables().weight;
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < common; ++i) {
        const auto wa = weight[static_cast<unsigned char>(a[i])];
        const auto wb = weight[static_cast<unsigned char>(b[i])];
        if (wa != wb) return wa < wb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

Text AnsiSortKey(const Text& s) {
    const auto& weight = GetTables().weight;
    Text key(2 * s.size(), '\0');
    for (std::size_t i = 0; i < s.size(); ++i) {
        const std::uint16_t w = weight[static_cast<unsigned char>(s[i])];
        key[2 * i] = static_cast<char>(w >> 8);
        key[2 * i + 1] = static_cast<char>(w & 0xFF);
    }
    return key;
}

Text AnsiUpperCase(const Text& s) {
    const auto& upper = GetTables().upper;
    Text result(s.size(), '\0');
    std::transform(s.begin(), s.end(), result.begin(), [&upper](char c) {
        return static_cast<char>(upper[static_cast<unsigned char>(c)]);
    });
    return result;
}

Text Trim(const Text& s) {
    auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    std::size_t first = 0;
    std::size_t last = s.size();
    while (first < last && isBlank(s[first]))
        ++first;
    while (last > first && isBlank(s[last - 1]))
        --last;
    return s.substr(first, last - first);
}

int LastDelimiter(const Text& delimiters, const Text& s) {
    for (std::size_t i = s.size(); i > 0; --i)
        if (delimiters.find(s[i - 1]) != Text::npos) return static_cast<int>(i);
    return 0;
}

} // namespace platform
