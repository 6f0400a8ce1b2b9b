#include "platform/CodePage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <vector>

using platform::CodePage;
using platform::FromUtf8;
using platform::ToUtf8;

namespace {

const char* const kReplacementUtf8 = "\xEF\xBF\xBD";

struct PageCase {
    CodePage page;
    std::set<int> undefined;
};

const PageCase kPages[] = {
    {CodePage::Cp1250, {0x81, 0x83, 0x88, 0x90, 0x98}},
    {CodePage::Cp1251, {0x98}},
    {CodePage::Cp1252, {0x81, 0x8D, 0x8F, 0x90, 0x9D}},
};

Text Byte(int b) {
    return Text(1, static_cast<char>(b));
}

} // namespace

TEST(CodePage, EveryDefinedByteSurvivesTheRoundTrip) {
    for (const PageCase& c : kPages) {
        std::set<std::string> seen;
        for (int b = 0; b < 256; ++b) {
            const std::string utf8 = ToUtf8(Byte(b), c.page);
            if (c.undefined.count(b) != 0) {
                EXPECT_EQ(utf8, kReplacementUtf8) << int(c.page) << " byte " << b;
                EXPECT_EQ(FromUtf8(utf8, c.page), "?");
                continue;
            }
            EXPECT_NE(utf8, kReplacementUtf8) << int(c.page) << " byte " << b;
            EXPECT_TRUE(seen.insert(utf8).second) << "two bytes share " << utf8;
            EXPECT_EQ(FromUtf8(utf8, c.page), Byte(b)) << int(c.page) << " byte " << b;
        }
        // A whole text, too.
        Text all;
        for (int b = 0; b < 256; ++b)
            if (c.undefined.count(b) == 0) all += static_cast<char>(b);
        EXPECT_EQ(FromUtf8(ToUtf8(all, c.page), c.page), all);
    }
}

TEST(CodePage, KnownCharacters) {
    EXPECT_EQ(ToUtf8(Text("A\0z", 3), CodePage::Cp1251), std::string("A\0z", 3));
    EXPECT_EQ(ToUtf8("\xC0\xFF\xA8\xB8\xB9", CodePage::Cp1251), "АяЁё№");
    EXPECT_EQ(ToUtf8("\x80\x90\xA5\xB4", CodePage::Cp1251), "ЂђҐґ");
    EXPECT_EQ(ToUtf8("\x80\x8A\x9F\xE9\xFF", CodePage::Cp1252), "€ŠŸéÿ");
    EXPECT_EQ(ToUtf8("\x8A\xA3\xB9\xE8\xF8\xFF", CodePage::Cp1250), "ŠŁąčř˙");
    EXPECT_EQ(FromUtf8("Żółć", CodePage::Cp1250), "\xAF\xF3\xB3\xE6");
    EXPECT_EQ(FromUtf8("Привет, мир!", CodePage::Cp1251),
              "\xCF\xF0\xE8\xE2\xE5\xF2, \xEC\xE8\xF0!");
}

TEST(CodePage, FallsBackToBaseLetters) {
    EXPECT_EQ(FromUtf8("Müller", CodePage::Cp1251), "Muller");
    EXPECT_EQ(FromUtf8("āǎăą ēě īǐ ōǒ ūǔ", CodePage::Cp1251), "aaaa ee ii oo uu");
    EXPECT_EQ(FromUtf8("ĀǍĂĄ", CodePage::Cp1251), "AAAA");
    EXPECT_EQ(FromUtf8("łŁøØđħı", CodePage::Cp1251), "lLoOdhi");
    EXPECT_EQ(FromUtf8("Dvořák Şişli", CodePage::Cp1251), "Dvorak Sisli");
    // Pinyin ü with tones: ü where the page has it, else u.
    EXPECT_EQ(FromUtf8("ǖǘǚǜ", CodePage::Cp1252), "\xFC\xFC\xFC\xFC");
    EXPECT_EQ(FromUtf8("ǕǗǙǛ", CodePage::Cp1252), "\xDC\xDC\xDC\xDC");
    EXPECT_EQ(FromUtf8("ǖǘǚǜ", CodePage::Cp1251), "uuuu");
    // Letters a page has stay themselves; the others lose their marks.
    EXPECT_EQ(FromUtf8("ąā", CodePage::Cp1250), "\xB9"
                                                "a");
    EXPECT_EQ(FromUtf8("øå", CodePage::Cp1250), "oa");
    EXPECT_EQ(FromUtf8("øå", CodePage::Cp1252), "\xF8\xE5");
    EXPECT_EQ(FromUtf8("Nguyễn", CodePage::Cp1252), "Nguy\xEAn"); // ễ -> ê
    EXPECT_EQ(FromUtf8("Nguyễn", CodePage::Cp1251), "Nguyen");
    // Cyrillic letters outside cp1251 fall back too.
    EXPECT_EQ(FromUtf8("ӣӯ", CodePage::Cp1251), "\xE8\xF3"); // и у
    // Nothing to fall back to.
    EXPECT_EQ(FromUtf8("中文 ж", CodePage::Cp1252), "?? ?");
    EXPECT_EQ(FromUtf8("😀", CodePage::Cp1251), "?");
}

TEST(CodePage, CombiningMarksJoinOrDrop) {
    EXPECT_EQ(FromUtf8("a\u0304", CodePage::Cp1251), "a");
    EXPECT_EQ(FromUtf8("a\u0304\u0301b", CodePage::Cp1251), "ab");
    EXPECT_EQ(FromUtf8("u\u0308", CodePage::Cp1252), "\xFC");
    EXPECT_EQ(FromUtf8("u\u0308\u0304", CodePage::Cp1252), "\xFC"); // ǖ -> ü
    EXPECT_EQ(FromUtf8("e\u0301", CodePage::Cp1250), "\xE9");
    EXPECT_EQ(FromUtf8("и\u0306", CodePage::Cp1251), "\xE9"); // й
    EXPECT_EQ(FromUtf8("Е\u0308", CodePage::Cp1251), "\xA8"); // Ё
    EXPECT_EQ(FromUtf8("\u0301a", CodePage::Cp1251), "?a");   // nothing to belong to
    EXPECT_EQ(FromUtf8("1\u0301", CodePage::Cp1251), "1?");
}

TEST(CodePage, InvalidUtf8BecomesQuestionMarks) {
    const struct {
        std::string in;
        Text out;
    } cases[] = {
        {"\x80", "?"}, // stray continuation byte
        {"a\xBF"
         "b",
         "a?b"},
        {"\xC0\xAF", "??"}, // overlong '/'
        {"\xC1\xBF", "??"},
        {"\xE0\x80\xAF", "???"},      // overlong, three bytes
        {"\xF0\x80\x80\xAF", "????"}, // overlong, four bytes
        {"\xED\xA0\x80", "???"},      // surrogate
        {"\xF4\x90\x80\x80", "????"}, // beyond U+10FFFF
        {"\xF5\x80", "??"},
        {"\xFF\xFE", "??"},
        {"\xE2\x82", "?"}, // truncated at the end
        {"\xE2\x82"
         "A",
         "?A"}, // truncated before ASCII
        {"\xF0\x9F\x98", "?"},
        {"\xC3", "?"},
        {"ab\xC3", "ab?"},
        {"\xE2\x82\xAC", "\x88"}, // a good € after all that (cp1251)
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FromUtf8(c.in, CodePage::Cp1251), c.out) << c.in;
        EXPECT_FALSE(platform::IsValidUtf8(c.in) && c.out.find('?') != Text::npos) << c.in;
    }
    EXPECT_TRUE(platform::IsValidUtf8(""));
    EXPECT_TRUE(platform::IsValidUtf8("plain ASCII"));
    EXPECT_TRUE(platform::IsValidUtf8("Ёлка € 😀"));
    EXPECT_FALSE(platform::IsValidUtf8("\xC8\xE2\xE0\xED")); // "Иван" in cp1251
}

TEST(CodePage, RandomBytesNeverBreakDecoding) {
    std::mt19937 random(12345);
    for (int round = 0; round < 2000; ++round) {
        std::string in(random() % 24, '\0');
        std::generate(in.begin(), in.end(),
                      [&random] { return static_cast<char>(random() % 256); });
        for (const PageCase& p : kPages) {
            const Text out = FromUtf8(in, p.page);
            EXPECT_LE(out.size(), in.size());
            if (platform::IsValidUtf8(in)) {
                EXPECT_EQ(FromUtf8(ToUtf8(out, p.page), p.page), out);
            }
        }
    }
}
