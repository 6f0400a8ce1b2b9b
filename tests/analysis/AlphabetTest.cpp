#include "AnalysisTestSupport.h"

#include "analysis/Alphabet.h"

#include <string>
#include <vector>

namespace {

using AlphabetFile = InTempDir;

// Loads text as an alphabet file and sorts it, as the syllable loader does.
Alphabet Load(const std::string& text) {
    std::ofstream("test.alf", std::ios::binary) << text;
    Alphabet alphabet;
    alphabet.LoadAlphabetFile("test.alf");
    alphabet.SortByCharacter();
    return alphabet;
}

const AlphaRule& Find(const Alphabet& alphabet, char c) {
    return alphabet.Entry(alphabet.Lookup(c));
}

TEST_F(AlphabetFile, HeaderLettersCodesAndParameters) {
    const Alphabet a = Load("#233=x\r\n---\r\n#300=y\r\n---\r\na= b\r\nname=val\r\n---\r\n"
                            "#zz=q\r\n---\r\nbIGNORED=c\r\n---\r\n");
    ASSERT_EQ(a.EntryCount(), 5);
    EXPECT_EQ(Find(a, '\xE9').symbol.code, 'x'); // й
    EXPECT_EQ(Find(a, ',').symbol.code, 'y');    // 300 mod 256 = 44
    const AlphaRule& letter = Find(a, 'a');
    EXPECT_EQ(letter.symbol.code, 32u);
    ASSERT_EQ(letter.symbol.params.Count(), 1);
    EXPECT_STREQ(letter.symbol.params[0].name, "name");
    EXPECT_STREQ(letter.symbol.params[0].value, "val");
    EXPECT_EQ(Find(a, '#').symbol.code, 'q'); // "#" without digits is the letter itself
    EXPECT_EQ(Find(a, 'b').symbol.code, 'c');
}

TEST_F(AlphabetFile, SeparatorsFixTheEntryCount) {
    EXPECT_EQ(Load("a=b\r\nx=y\r\n").EntryCount(), 0);
    // Text after the last separator is not read as an entry.
    const Alphabet surplus = Load("a=b\r\n---\r\nc=d\r\n\r\n");
    EXPECT_EQ(surplus.EntryCount(), 1);
    EXPECT_EQ(surplus.Lookup('c'), -1);
    // A block that runs to the end without its "-" line keeps what it read.
    const Alphabet open = Load("a=b\r\nk=---\r\nm=n");
    ASSERT_EQ(open.EntryCount(), 1);
    EXPECT_EQ(Find(open, 'a').symbol.params.Count(), 2);
    EXPECT_EQ(Load("a=b\r\n------\r\n").EntryCount(), 2);
    EXPECT_EQ(Load("a=b\r\n-----\r\n").EntryCount(), 1);
}

TEST_F(AlphabetFile, HeaderWithoutEqualsStaysOnItsLine) {
    const Alphabet a = Load("a\r\nn=v\r\n---\r\nbcdefghij=x\r\n---\r\nc=");
    ASSERT_EQ(a.EntryCount(), 2);
    EXPECT_EQ(Find(a, 'a').symbol.code, 32u);
    EXPECT_EQ(Find(a, 'a').symbol.params.Count(), 1); // n=v is a parameter, not a header
    EXPECT_EQ(Find(a, 'b').symbol.code, 32u);         // "=" beyond the seven ignored bytes
    EXPECT_EQ(a.Lookup('n'), -1);
}

TEST_F(AlphabetFile, MissingFileEmptiesTheAlphabet) {
    Alphabet a = Load(Letters("ab"));
    EXPECT_EQ(a.LoadAlphabetFile("absent.alf"), -1);
    EXPECT_EQ(a.EntryCount(), 0);
    EXPECT_EQ(a.Lookup('a'), -1);
}

TEST_F(AlphabetFile, SignedOrderAndLookupOfEveryByte) {
    const Alphabet mixed = Load(Letters("b\xE0"
                                        "a\xFF"));
    ASSERT_EQ(mixed.EntryCount(), 4);
    const std::string order = {mixed.Entry(0).character, mixed.Entry(1).character,
                               mixed.Entry(2).character, mixed.Entry(3).character};
    EXPECT_EQ(order, "\xE0\xFF"
                     "ab");

    std::string even;
    for (int b = 0; b < 256; b += 2)
        even += "#" + std::to_string(b) + "=x\r\n---\r\n";
    const Alphabet a = Load(even);
    ASSERT_EQ(a.EntryCount(), 128);
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const std::int32_t k = a.Lookup(c);
        if (b % 2 != 0) {
            EXPECT_EQ(k, -1) << b;
        } else {
            ASSERT_NE(k, -1) << b;
            EXPECT_EQ(a.Entry(k).character, c);
        }
    }
}

TEST_F(AlphabetFile, LookupFollowsEveryChange) {
    // Lookup bisects the entries as they stand: before sorting it can miss a letter that is
    // there, after sorting it finds it, after another load only the new letters count.
    std::ofstream("test.alf", std::ios::binary) << Letters("ba");
    Alphabet a;
    a.LoadAlphabetFile("test.alf");
    EXPECT_EQ(a.Lookup('a'), 1);
    EXPECT_EQ(a.Lookup('b'), -1);
    a.SortByCharacter();
    EXPECT_EQ(a.Lookup('a'), 0);
    EXPECT_EQ(a.Lookup('b'), 1);
    std::ofstream("test.alf", std::ios::binary) << Letters("c");
    a.LoadAlphabetFile("test.alf");
    EXPECT_EQ(a.Lookup('a'), -1);
    EXPECT_EQ(a.Lookup('c'), 0);

    // With one letter listed three times, the bisection's first probe, the middle entry.
    const Alphabet repeated = Load("a=x\r\n---\r\na=y\r\n---\r\na=z\r\n---\r\n");
    EXPECT_EQ(Find(repeated, 'a').symbol.code, static_cast<std::uint32_t>('y'));
}

TEST(Alphabet, EmptyAlphabetAndEmptyText) {
    const Alphabet empty;
    EXPECT_EQ(empty.Lookup('a'), -1);
    std::vector<Symbol> symbols(3);
    EXPECT_EQ(empty.ToSymbols("a\xE0", symbols), 0);
    ASSERT_EQ(symbols.size(), 2u);
    EXPECT_EQ(symbols[0].code, 0xFFFFFFFFu);
    EXPECT_EQ(symbols[1].code, 0xFFFFFFFFu);
    EXPECT_EQ(empty.ToSymbols("", symbols), 0);
    EXPECT_TRUE(symbols.empty());
    EXPECT_THROW(empty.Entry(0), Text);
}

TEST(Alphabet, CompiledBlockAndToSymbols) {
    Image image;
    image.Raw("alfa").Int(2).Letter('b', 0x100062, 7, "k", "v").Letter('a', 'A').Raw("next");
    Alphabet a;
    std::size_t pos = 0;
    ASSERT_EQ(a.ReadAlphabetBlock(image.bytes.data(), image.bytes.size(), pos), 0);
    EXPECT_EQ(image.bytes.substr(pos), "next");
    a.SortByCharacter();

    std::vector<Symbol> symbols;
    EXPECT_EQ(a.ToSymbols("ab!", symbols), 2);
    ASSERT_EQ(symbols.size(), 3u);
    EXPECT_EQ(symbols[0].code, static_cast<std::uint32_t>('A'));
    EXPECT_EQ(symbols[1].code, 0x100062u);
    EXPECT_EQ(symbols[1].extra, 7);
    ASSERT_EQ(symbols[1].params.Count(), 1);
    EXPECT_STREQ(symbols[1].params[0].value, "v");
    EXPECT_EQ(symbols[2].code, 0xFFFFFFFFu);
    EXPECT_EQ(symbols[2].params.Count(), 0);

    // Without the tag nothing changes, not even the position.
    const std::string wrong = "alfx" + image.bytes.substr(4);
    pos = 0;
    EXPECT_EQ(a.ReadAlphabetBlock(wrong.data(), wrong.size(), pos), 1);
    EXPECT_EQ(pos, 0u);
    EXPECT_EQ(a.EntryCount(), 2);
    pos = 0;
    EXPECT_EQ(a.ReadAlphabetBlock("alf", 3, pos), 1);
    EXPECT_EQ(a.EntryCount(), 2);
}

TEST(Alphabet, CompiledBlockCutShortOrMalformedEmptiesTheAlphabet) {
    Image good;
    good.Raw("alfa").Int(1).Letter('z', 'z');
    Image shortCount;
    shortCount.Raw("alfa\x01");
    Image badParam; // the parameter name has no NUL before the end
    badParam.Raw("alfa").Int(1).Raw("a").Int('a').Int(0).Int(1).Raw("name");
    std::vector<Image> broken(2);
    broken[0].Raw("alfa").Int(2).Letter('a', 'a');
    broken[1].Raw("alfa").Int(0x7FFFFFFF).Letter('a', 'a');
    broken.push_back(shortCount);
    broken.push_back(badParam);
    for (const Image& image : broken) {
        Alphabet a;
        std::size_t pos = 0;
        ASSERT_EQ(a.ReadAlphabetBlock(good.bytes.data(), good.bytes.size(), pos), 0);
        pos = 0;
        EXPECT_EQ(a.ReadAlphabetBlock(image.bytes.data(), image.bytes.size(), pos), 1);
        EXPECT_EQ(a.EntryCount(), 0);
        EXPECT_EQ(a.Lookup('z'), -1);
        EXPECT_LE(pos, image.bytes.size());
    }
    Image negative;
    negative.Raw("alfa").Int(-5);
    Alphabet a;
    std::size_t pos = 0;
    EXPECT_EQ(a.ReadAlphabetBlock(negative.bytes.data(), negative.bytes.size(), pos), 0);
    EXPECT_EQ(a.EntryCount(), 0);
    EXPECT_EQ(pos, 8u);
}

TEST(AlphaRule, SignedCharacterOrderThenSymbol) {
    AlphaRule cyr;
    cyr.character = '\xE0';
    AlphaRule lat;
    lat.character = 'a';
    EXPECT_TRUE(cyr < lat);
    EXPECT_TRUE(cyr <= lat);
    EXPECT_TRUE(lat > cyr);
    EXPECT_FALSE(cyr >= lat);
    EXPECT_TRUE(cyr < 'a');
    EXPECT_TRUE(lat > '\xFF');
    EXPECT_TRUE(cyr == '\xE0');
    EXPECT_TRUE(cyr != 'a');
    EXPECT_TRUE(cyr <= '\xE0');
    EXPECT_TRUE(cyr >= '\xE0');

    AlphaRule other = lat;
    EXPECT_TRUE(other == lat);
    EXPECT_TRUE(other <= lat);
    EXPECT_TRUE(other >= lat);
    other.symbol.code = 33;
    EXPECT_TRUE(other != lat);
    EXPECT_TRUE(lat < other);
    EXPECT_TRUE(other > lat);
    EXPECT_FALSE(other <= lat);
}

} // namespace
