#include "AnalysisTestSupport.h"

#include "analysis/Syllabite.h"
#include "platform/SystemTexts.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

bool Has(const Symbol& symbol, const char* name, const char* value) {
    for (std::int32_t i = 0; i < symbol.params.Count(); ++i)
        if (std::strcmp(symbol.params[i].name, name) == 0 &&
            std::strcmp(symbol.params[i].value, value) == 0)
            return true;
    return false;
}

// "<" and ">" for the markers, [c] for a literal, else the letter followed by "'" when it is
// the stressed vowel and "." when it ends a syllable.
std::string Show(const SymbolCollection& out) {
    std::string shown;
    for (std::int32_t i = 0; i < out.Count(); ++i) {
        const Symbol& s = out[i];
        const char c = static_cast<char>(s.code & 0xFF);
        if (s.code == 60 || s.code == 62) {
            shown += c;
            continue;
        }
        if ((s.code & 0xEF000000u) == 0xEF000000u && s.params.Count() == 0) {
            shown += std::string("[") + c + "]";
            continue;
        }
        shown += c;
        if (Has(s, "stress", "y")) shown += '\'';
        if (Has(s, "open", "o")) shown += '.';
    }
    return shown;
}

class Words : public InTempDir {
protected:
    // Language "w": the Latin letters, then the given syllable and exception files.
    void Load(const std::string& syl, const std::string& ex = "") {
        Write("w.alf", Letters("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"));
        Write("w.syl", syl);
        Write("w.ex", ex);
        s.LoadTextFiles("w");
    }
    std::string Run(const std::string& line) {
        SymbolCollection out(false, true);
        s.Analyse(line, out);
        return Show(out);
    }

    Syllabite s;
};

TEST_F(Words, RunsAndLiteralsWithoutSyllableData) {
    Load("");
    EXPECT_EQ(Run(""), "");
    EXPECT_EQ(Run("ab, cd"), "<ab>[,][ ]<cd>");
    EXPECT_EQ(Run(", a."), "<>[,][ ]<a>[.]");

    SymbolCollection out(false, false); // an adopting collection gets copies as well
    s.Analyse("a \xE0", out);
    ASSERT_EQ(out.Count(), 5);
    EXPECT_EQ(out[1].code, static_cast<std::uint32_t>('a'));
    EXPECT_EQ(out[1].params.Count(), 0);
    EXPECT_EQ(out[3].code, 0xEF000020u);
    EXPECT_EQ(out[4].code, 0xFFFFFFE0u);
}

TEST_F(Words, EmptyAlphabetMakesEveryByteLiteral) {
    Syllabite empty;
    SymbolCollection out(false, true);
    empty.Analyse("ab", out);
    EXPECT_EQ(Show(out), "<>[a][b]");
}

TEST_F(Words, ExceptionsInAnyCaseWithoutMarkers) {
    Load("aeo\r\n", "Hello;wOrld\r\n;EMPTY\r\n");
    EXPECT_EQ(Run("hello, HeLLo!"), "[W][O][R][L][D][,][ ][W][O][R][L][D][!]");
    EXPECT_EQ(Run(",hellos"), "[E][M][P][T][Y][,]<he'l.los.>");
}

TEST_F(Words, SyllablesAndStress) {
    Load("aeiou\r\n");
    EXPECT_EQ(Run("banana"), "<ba'.na.na.>");
    EXPECT_EQ(Run("winter"), "<wi'n.ter.>");
    EXPECT_EQ(Run("aorta"), "<a'.or.ta.>");
    EXPECT_EQ(Run("strength"), "<stre'ngth.>");
    EXPECT_EQ(Run("xyz"), "<xyz.>");
    s.stressPosition = 1;
    EXPECT_EQ(Run("banana"), "<ba.na.na'.>");
    s.stressPosition = 0;
    EXPECT_EQ(Run("banana"), "<ba'.na.na.>");

    SymbolCollection out(false, true);
    s.Analyse("ba", out);
    ASSERT_EQ(out.Count(), 4);
    for (const std::int32_t i : {1, 2})
        EXPECT_EQ(out[i].params.Count(), 2); // "open" and "stress" only
    EXPECT_TRUE(Has(out[1], "open", "cl"));
    EXPECT_TRUE(Has(out[1], "stress", "n"));
    EXPECT_TRUE(Has(out[2], "stress", "y"));
}

TEST_F(Words, PrefixAndSuffixTables) {
    Load("aeiou\r\nun un-\r\n\r\ngni gni\r\n");
    EXPECT_EQ(Run("undoing"), "<u'n.do.i.ng>");
    EXPECT_EQ(Run("un"), "<u'n.>"); // the last letter is never consumed
    Load("a\r\na x\r\n\r\na y\r\n");
    EXPECT_EQ(Run("a"), "<a'.>");
    EXPECT_EQ(Run("aa"), "<x'.y.>");
}

TEST_F(Words, AffixMatchesOverlapAndFirstMatchWins) {
    Load("ae\r\nab ab\r\n\r\ncb cb\r\n");
    EXPECT_EQ(Run("abc"), "<a'b.b.c>");
    Load("e\r\na x-\r\nab z\r\nb y\r\n");
    EXPECT_EQ(Run("abe"), "<x.y.e'.>");
    EXPECT_EQ(Run("babe"), "<yx.y.e'.>");
}

TEST_F(Words, SyllablePiecesAndBytesOutsideTheAlphabet) {
    Load("a\r\n");
    SymbolCollection out(false, true);
    s.AppendSyllables("-ab--c=\xE0", out);
    EXPECT_EQ(Show(out), "ab.c.\xFF.");
    EXPECT_EQ(out[3].code, 0xFFFFFFFFu);
    EXPECT_EQ(Syllabite::Reverse("abc"), "cba");
}

TEST_F(Words, StressOutsideTheWordIsAnIndexError) {
    Load("ae\r\nba \r\nbba \r\n");
    SymbolCollection out(false, true);
    try {
        s.Analyse("x bae", out);
        ADD_FAILURE() << "no error";
    } catch (const Text& message) {
        EXPECT_EQ(message, texts::BadIndex() + "-1"); // the word-end marker has no stress
    }
    EXPECT_EQ(Show(out), "<x.>[ ]");
    try {
        Run("bbae");
        ADD_FAILURE() << "no error";
    } catch (const Text& message) {
        EXPECT_EQ(message, texts::BadIndex() + "3");
    }
}

TEST_F(Words, ArrayFormGivesTheSymbolsOfTheCollectionForm) {
    // Element for element the same code, extra and parameters in the same order, whether the
    // array is fresh, longer than the line (spare symbols from an earlier line) or shorter.
    const auto same = [this](const std::string& line, std::vector<Symbol>& array) {
        SymbolCollection out(false, true);
        s.Analyse(line, out);
        s.Analyse(line, array);
        ASSERT_EQ(array.size(), static_cast<std::size_t>(out.Count())) << line;
        for (std::int32_t i = 0; i < out.Count(); ++i) {
            const Symbol& a = array[static_cast<std::size_t>(i)];
            EXPECT_EQ(a.code, out[i].code) << line << " " << i;
            EXPECT_EQ(a.extra, out[i].extra) << line << " " << i;
            ASSERT_EQ(a.params.Count(), out[i].params.Count()) << line << " " << i;
            for (std::int32_t p = 0; p < a.params.Count(); ++p)
                EXPECT_EQ(a.params[p], out[i].params[p]) << line << " " << i << " " << p;
        }
    };
    std::vector<Symbol> reused;
    Load("aeiou\r\nun un-\r\n\r\ngni gni\r\n", "Hello;wOrld\r\n");
    for (const std::string line : {"undoing banana, hello!", "a", "", "xyz \xE0 winter", "a"})
        same(line, reused);
    Load(""); // no syllable data: letters go straight to the output
    for (const std::string line : {"ab, cd", ", a.", "abcdefghijk", "b"})
        same(line, reused);
    std::vector<Symbol> fresh;
    same("ab, cd", fresh);
}

} // namespace
