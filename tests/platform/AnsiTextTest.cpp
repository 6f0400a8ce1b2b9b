#include "platform/AnsiText.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using platform::AnsiCompareText;
using platform::AnsiUpperCase;

namespace {

Text W(const char* utf8) {
    return platform::FromUtf8(utf8, platform::CodePage::Cp1251);
}

void ExpectLess(const Text& a, const Text& b) {
    EXPECT_LT(AnsiCompareText(a, b), 0) << "'" << a << "' < '" << b << "'";
    EXPECT_GT(AnsiCompareText(b, a), 0) << "'" << b << "' > '" << a << "'";
}

// The Cyrillic case pairs of cp1251 outside А-Я / а-я, as {upper, lower}.
const std::vector<std::pair<unsigned char, unsigned char>> kExtraPairs = {
    {0x80, 0x90}, {0x81, 0x83}, {0x8A, 0x9A}, {0x8C, 0x9C}, {0x8D, 0x9D},
    {0x8E, 0x9E}, {0x8F, 0x9F}, {0xA1, 0xA2}, {0xA3, 0xBC}, {0xA5, 0xB4},
    {0xA8, 0xB8}, {0xAA, 0xBA}, {0xAF, 0xBF}, {0xB2, 0xB3}, {0xBD, 0xBE},
};

} // namespace

TEST(AnsiCompareText, GroupsOrderOthersDigitsLatinCyrillic) {
    ExpectLess(" ", "0");
    ExpectLess("-", "0");
    ExpectLess("~", "0");    // 0x7E is above the digits as a byte but still an "other"
    ExpectLess("\xB5", "0"); // µ is not a Cyrillic letter
    ExpectLess("\xB9", "0"); // №
    ExpectLess("9", "A");
    ExpectLess("9", "a");
    ExpectLess("z", W("а"));
    ExpectLess("Z", W("А"));
    ExpectLess("z", "\xB8"); // ё
    ExpectLess("z", "\x90"); // ђ
    // Other Cyrillic letters sit in the alphabet after their nearest Russian letter: д < ђ < е,
    // и < і < ї < й, у < ў < ф (by byte value they would all come first).
    ExpectLess("\xE4", "\x90");
    ExpectLess("\x90", "\xE5");
    ExpectLess("\xE8", "\xB3");
    ExpectLess("\xB3", "\xBF");
    ExpectLess("\xBF", "\xE9");
    ExpectLess("\xF3", "\xA2");
    ExpectLess("\xA2", "\xF4");
    ExpectLess("x-ray", "x1");
}

TEST(AnsiCompareText, CyrillicIsAlphabeticalWithYoAfterYe) {
    const Text lower = W("абвгдеёжзийклмнопрстуфхцчшщъыьэюя");
    const Text upper = W("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    ASSERT_EQ(lower.size(), 33u);
    for (std::size_t i = 0; i + 1 < lower.size(); ++i) {
        ExpectLess(lower.substr(i, 1), lower.substr(i + 1, 1));
        ExpectLess(upper.substr(i, 1), lower.substr(i + 1, 1));
        ExpectLess(lower.substr(i, 1), upper.substr(i + 1, 1));
    }
    ExpectLess(W("елка"), W("ёлка"));
    ExpectLess(W("ЁЛКА"), W("жук"));
    ExpectLess(W("Ежов"), W("ёж"));
    ExpectLess(W("ё"), W("ж"));
}

TEST(AnsiCompareText, EqualOnlyIgnoringCase) {
    EXPECT_EQ(AnsiCompareText("Hello World", "hELLO wORLD"), 0);
    EXPECT_EQ(AnsiCompareText(W("ёлка Ёжик"), W("ЁЛКА ёжик")), 0);
    EXPECT_EQ(AnsiCompareText(W("Москва"), W("МОСКВА")), 0);
    EXPECT_EQ(AnsiCompareText("", ""), 0);
    for (const auto& [up, low] : kExtraPairs)
        EXPECT_EQ(AnsiCompareText(Text(1, char(up)), Text(1, char(low))), 0) << int(up);

    // Different non-letters never tie.
    EXPECT_NE(AnsiCompareText("a-b", "a_b"), 0);
    EXPECT_NE(AnsiCompareText("\x01", "\x02"), 0);
    EXPECT_NE(AnsiCompareText(W("е"), W("ё")), 0);
}

TEST(AnsiCompareText, ProperPrefixIsLess) {
    ExpectLess("", "a");
    ExpectLess("ab", "abc");
    ExpectLess("AB", "abc");
    ExpectLess(W("Иван"), W("иванов"));
    ExpectLess("a", "a\x01");
}

// Every single byte against every other: a strict total order on upper-cased texts.
TEST(AnsiCompareText, IsStrictTotalOrderOverAllBytes) {
    std::vector<Text> bytes;
    for (int b = 0; b < 256; ++b)
        bytes.emplace_back(1, static_cast<char>(b));
    for (const Text& a : bytes) {
        for (const Text& b : bytes) {
            const int ab = AnsiCompareText(a, b);
            ASSERT_EQ(ab, -AnsiCompareText(b, a));
            ASSERT_EQ(ab == 0, AnsiUpperCase(a) == AnsiUpperCase(b))
                << int(static_cast<unsigned char>(a[0])) << " vs "
                << int(static_cast<unsigned char>(b[0]));
        }
    }
    std::sort(bytes.begin(), bytes.end(),
              [](const Text& a, const Text& b) { return AnsiCompareText(a, b) < 0; });
    for (std::size_t i = 0; i < bytes.size(); ++i)
        for (std::size_t j = i + 1; j < bytes.size(); ++j)
            ASSERT_LE(AnsiCompareText(bytes[i], bytes[j]), 0);
}

// Sort keys order texts as the comparison does, prefixes and case included.
TEST(AnsiSortKey, OrdersAsAnsiCompareText) {
    std::vector<Text> texts = {"", "a", "A", "ab", "aB", "abc", "b", "0", "9a", "z", "_", "\xFF"};
    for (int b = 0; b < 256; b += 7)
        texts.emplace_back(1, static_cast<char>(b));
    for (const char* w : {"Иван", "иванов", "ёж", "еж", "ЁЖ", "жук", "Ъ", "я"})
        texts.push_back(W(w));
    const auto sign = [](int v) { return (v > 0) - (v < 0); };
    for (const Text& a : texts)
        for (const Text& b : texts) {
            const Text ka = platform::AnsiSortKey(a);
            const Text kb = platform::AnsiSortKey(b);
            ASSERT_EQ(sign(ka.compare(kb)), sign(AnsiCompareText(a, b))) << a << " vs " << b;
            ASSERT_EQ(ka < kb, AnsiCompareText(a, b) < 0);
        }
}

TEST(AnsiUpperCase, LatinAndCyrillic) {
    EXPECT_EQ(AnsiUpperCase("abc xyz 019 ABC"), "ABC XYZ 019 ABC");
    EXPECT_EQ(AnsiUpperCase(W("абвгдеёжзийклмнопрстуфхцчшщъыьэюя")),
              W("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"));
    EXPECT_EQ(AnsiUpperCase(W("ёлка")), W("ЁЛКА"));
    for (const auto& [up, low] : kExtraPairs) {
        EXPECT_EQ(AnsiUpperCase(Text(1, char(low))), Text(1, char(up))) << int(low);
        EXPECT_EQ(AnsiUpperCase(Text(1, char(up))), Text(1, char(up))) << int(up);
    }
}

TEST(AnsiUpperCase, LeavesOtherBytesAlone) {
    const Text others("\x00\x01 !~09\x7F\xB5\xB9\xA0\xAB\xBB\x98", 14); // µ № nbsp « » undefined
    ASSERT_EQ(others.size(), 14u);
    EXPECT_EQ(AnsiUpperCase(others), others);
    EXPECT_EQ(AnsiUpperCase(""), "");
}

TEST(Trim, DropsControlsAndSpacesAtBothEnds) {
    EXPECT_EQ(platform::Trim(" \t\r\n abc def \x01\x1F"), "abc def");
    EXPECT_EQ(platform::Trim("abc"), "abc");
    EXPECT_EQ(platform::Trim(" \t "), "");
    EXPECT_EQ(platform::Trim(""), "");
    EXPECT_EQ(platform::Trim(Text("\0x\0", 3)), "x");
    EXPECT_EQ(platform::Trim("\xA0x\xA0"), "\xA0x\xA0"); // non-breaking space is above 32
}

TEST(LastDelimiter, OneBasedPositionOfLastDelimiter) {
    EXPECT_EQ(platform::LastDelimiter("\\/", "c:\\dir/sub\\file.txt"), 11);
    EXPECT_EQ(platform::LastDelimiter(".", "a.b.c"), 4);
    EXPECT_EQ(platform::LastDelimiter(".", ".abc"), 1);
    EXPECT_EQ(platform::LastDelimiter(".", "abc."), 4);
    EXPECT_EQ(platform::LastDelimiter(".", "abc"), 0);
    EXPECT_EQ(platform::LastDelimiter("", "abc"), 0);
    EXPECT_EQ(platform::LastDelimiter(".", ""), 0);
}
