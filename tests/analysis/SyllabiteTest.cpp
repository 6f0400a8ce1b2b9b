#include "AnalysisTestSupport.h"

#include "analysis/Syllabite.h"

#include <string>
#include <vector>

namespace {

using SyllableFiles = InTempDir;

std::vector<std::string> Lines(const platform::StringList& list) {
    std::vector<std::string> lines;
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

using V = std::vector<std::string>;

// The exception list as "WORD>REPLACEMENT" lines in list order.
V Exceptions(const Syllabite& s) {
    V pairs;
    for (int i = 0; i < s.exceptionKeys.Count(); ++i)
        pairs.push_back(s.exceptionKeys[i] + ">" +
                        s.exceptionValues[static_cast<int>(s.exceptionKeys.Object(i))]);
    return pairs;
}

TEST(Syllabite, ConstructedEmpty) {
    const Syllabite s;
    EXPECT_EQ(s.stressPosition, 3);
    EXPECT_EQ(s.vowelCount, 0);
    EXPECT_EQ(s.alphabet.EntryCount(), 0);
    EXPECT_EQ(s.prefixIn.Count() + s.suffixIn.Count() + s.exceptionKeys.Count(), 0);
}

TEST_F(SyllableFiles, VowelLineAndBothTables) {
    Write("x.syl", "aeiou \r\nab AB\r\nc \r\nnoblank\r\n q Q\r\nd x  y \r\n\r\n"
                   "se ES-\r\nzz\r\nyy YY");
    Syllabite s;
    s.LoadTextFiles("x");
    EXPECT_EQ(s.loadedKey, "x");
    EXPECT_EQ(s.vowelCount, 6);
    EXPECT_EQ(s.vowels, "aeiou ");
    EXPECT_EQ(Lines(s.prefixIn), (V{"ab", "c", "d"}));
    EXPECT_EQ(Lines(s.prefixOut), (V{"AB", "", "x  y "}));
    EXPECT_EQ(Lines(s.suffixIn), (V{"se", "yy"}));
    EXPECT_EQ(Lines(s.suffixOut), (V{"ES-", "YY"}));
}

TEST_F(SyllableFiles, EmptyFirstLineOrNoLineEnd) {
    Syllabite s;
    Write("x.syl", "\r\nab AB\r\n");
    s.LoadTextFiles("x");
    EXPECT_EQ(s.vowelCount, 0);
    Write("x.syl", "aeiou");
    s.LoadTextFiles("x");
    EXPECT_EQ(s.vowels, "aeiou");
    EXPECT_EQ(s.prefixIn.Count() + s.suffixIn.Count(), 0);
    Write("x.syl", "ae\r");
    s.LoadTextFiles("x");
    EXPECT_EQ(s.vowels, "ae");
    EXPECT_EQ(s.prefixIn.Count(), 0);
}

TEST_F(SyllableFiles, ExceptionLines) {
    Write("x.ex", "a;b;c\r\n  word ; repl \r\nno divider\r\n\r\nmiXed;vAl\n"
                  "WORD;second\r\n\xE0\xE1;\xE2\r\n;empty");
    Syllabite s;
    s.LoadTextFiles("x");
    EXPECT_EQ(Exceptions(s),
              (V{">EMPTY", "A;B>C", "MIXED>VAL", "WORD>REPL", "WORD>SECOND", "\xC0\xC1>\xC2"}));
    int index = 0;
    EXPECT_TRUE(s.exceptionKeys.Find("mixed", index));
}

TEST_F(SyllableFiles, ReloadingReplacesEveryTable) {
    Write("one.syl", "ae\r\nab AB\r\n\r\nba BA\r\n");
    Write("one.alf", Letters("ab"));
    Write("one.ex", "w;r\r\nw;r\r\n");
    Write("two.syl", "o\r\ncd CD\r\n");
    Write("two.alf", Letters("cd"));
    Write("two.ex", "v;s\r\nv;s\r\n");
    Syllabite s;
    s.LoadTextFiles("one");
    EXPECT_EQ(Exceptions(s), (V{"W>R", "W>R"}));
    s.LoadTextFiles("two");
    EXPECT_EQ(s.vowels, "o");
    EXPECT_EQ(Lines(s.prefixIn), (V{"cd"}));
    EXPECT_EQ(s.suffixIn.Count() + s.suffixOut.Count(), 0);
    EXPECT_EQ(s.alphabet.Lookup('a'), -1);
    EXPECT_NE(s.alphabet.Lookup('c'), -1);
    EXPECT_EQ(Exceptions(s), (V{"V>S", "V>S"}));
    EXPECT_EQ(s.exceptionValues.Count(), 2);

    s.LoadTextFiles("three"); // no files at all
    EXPECT_EQ(s.loadedKey, "three");
    EXPECT_EQ(s.vowelCount, 0);
    EXPECT_EQ(s.prefixIn.Count() + s.alphabet.EntryCount() + s.exceptionKeys.Count(), 0);
    EXPECT_EQ(s.exceptionValues.Count(), 0);
}

TEST_F(SyllableFiles, CompiledSectionThenTextFiles) {
    Image image;
    image.Raw("alfa").Int(1).Letter('q', 'q').Syla(1, "ae", 2, 1).Raw("tran");
    Syllabite s;
    std::size_t pos = 0;
    ASSERT_EQ(s.ReadSyllableSection(image.bytes.data(), image.bytes.size(), pos), 0);
    EXPECT_EQ(image.bytes.substr(pos), "tran");
    EXPECT_EQ(s.reserved, 7);
    EXPECT_EQ(s.stressPosition, 1);
    EXPECT_EQ(s.vowels, "ae");
    EXPECT_EQ(Lines(s.prefixOut), (V{"un-", "un-"}));
    EXPECT_EQ(Lines(s.suffixIn), (V{"gni"}));
    EXPECT_NE(s.alphabet.Lookup('q'), -1);

    // "syla" straight away keeps the alphabet.
    Image bare;
    bare.Syla(2, "o", 0, -1);
    pos = 0;
    ASSERT_EQ(s.ReadSyllableSection(bare.bytes.data(), bare.bytes.size(), pos), 0);
    EXPECT_EQ(s.stressPosition, 2);
    EXPECT_EQ(s.prefixIn.Count() + s.suffixIn.Count(), 0);
    EXPECT_NE(s.alphabet.Lookup('q'), -1);

    s.LoadTextFiles("absent");
    EXPECT_EQ(s.stressPosition, 2);
    EXPECT_EQ(s.reserved, 7);
}

TEST(Syllabite, CompiledLimitsAndTruncation) {
    const auto read = [](const std::string& bytes) {
        Syllabite s;
        std::size_t pos = 0;
        const std::int32_t result = s.ReadSyllableSection(bytes.data(), bytes.size(), pos);
        EXPECT_LE(pos, bytes.size());
        if (result != 0) {
            EXPECT_EQ(s.vowelCount, 0);
        }
        return result;
    };
    EXPECT_EQ(read(Image().Syla(3, std::string(1000, 'a'), 0, 0).bytes), 0);
    EXPECT_EQ(read(Image().Syla(3, std::string(1001, 'a'), 0, 0).bytes), 1);
    EXPECT_EQ(read(Image().Syla(3, "a", 10000, 10000).bytes), 0);
    EXPECT_EQ(read(Image().Syla(3, "a", 10001, 0).bytes), 1);
    EXPECT_EQ(read(Image().Syla(3, "a", 0, 10001).bytes), 1);
    EXPECT_EQ(read("sylb"), 1);
    EXPECT_EQ(read("syl"), 1);

    // Every cut of a valid section fails without reading past the end.
    const std::string full = Image().Syla(3, "ae", 1, 1).bytes;
    for (std::size_t n = 0; n < full.size(); ++n)
        EXPECT_EQ(read(full.substr(0, n)), 1) << n;
    // Counts beyond the data.
    EXPECT_EQ(read(Image().Raw("syla\x01").Int(3).Int(50).Raw("ae").bytes), 1);
    EXPECT_EQ(read(Image().Raw("syla\x01").Int(3).Int(0).Int(5).Zero("a").Zero("b").bytes), 1);
}

TEST_F(SyllableFiles, CompiledFailureKeepsTheExceptionsAndLeavesNoVowels) {
    Write("x.ex", "w;r\r\n");
    Write("x.syl", "ae\r\n");
    Syllabite s;
    s.LoadTextFiles("x");
    const std::string bad = Image().Syla(3, "a", 10001, 0).bytes;
    std::size_t pos = 0;
    EXPECT_EQ(s.ReadSyllableSection(bad.data(), bad.size(), pos), 1);
    EXPECT_EQ(s.vowelCount, 0);
    EXPECT_EQ(Exceptions(s), (V{"W>R"}));
}

} // namespace
