#include "core/Symbol.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

Symbol Sym(std::uint32_t code, std::initializer_list<std::pair<const char*, const char*>> ps) {
    Symbol s(code);
    for (const auto& p : ps)
        s.AddParam(p.first, p.second);
    return s;
}

SymbolCollection Seq(const std::string& letters) {
    SymbolCollection c(false, true);
    for (char ch : letters) {
        Symbol s(static_cast<unsigned char>(ch));
        c.Add(&s);
    }
    return c;
}

TEST(SmbParams, OrderByNameThenValue) {
    EXPECT_TRUE(SmbParams("a", "z") < SmbParams("b", "a"));
    EXPECT_TRUE(SmbParams("ab", "x") > SmbParams("a", "x"));
    EXPECT_TRUE(SmbParams("a", "x") < SmbParams("a", "y"));
    EXPECT_TRUE(SmbParams("a", "x") <= SmbParams("a", "x"));
    // Bytes compare unsigned: a cp1251 letter sorts after ASCII.
    EXPECT_TRUE(SmbParams("z", "") < SmbParams("\xe0", ""));
}

TEST(SmbParams, AssignmentCopiesTextsButNotTheTag) {
    SmbParams a("stress", "y");
    a.tag = 7;
    SmbParams b;
    b = a;
    EXPECT_STREQ(b.name, "stress");
    EXPECT_STREQ(b.value, "y");
    EXPECT_EQ(b.tag, 0);
}

TEST(SmbParams, LongTextsAreCut) {
    SmbParams p(std::string(30, 'n').c_str(), std::string(20, 'v').c_str());
    EXPECT_EQ(std::string(p.name), std::string(23, 'n'));
    EXPECT_EQ(std::string(p.value), std::string(11, 'v'));
}

TEST(SmbParams, ReadParamsRecords) {
    const std::string rec("abc\0de\0\x05\0\0\0", 11);
    SmbParams p;
    std::size_t pos = 0;
    EXPECT_EQ(p.ReadParams(rec.data(), rec.size(), pos), 0);
    EXPECT_EQ(pos, 11u);
    EXPECT_STREQ(p.name, "abc");
    EXPECT_STREQ(p.value, "de");
    EXPECT_EQ(p.tag, 5);

    const std::string longName = std::string(24, 'n') + std::string("\0v\0\0\0\0\0", 7);
    pos = 0;
    EXPECT_EQ(p.ReadParams(longName.data(), longName.size(), pos), 1);
    const std::string longValue = std::string("n\0", 2) + std::string(12, 'v') + '\0';
    pos = 0;
    EXPECT_EQ(p.ReadParams(longValue.data(), longValue.size(), pos), 1);

    // Every cut of a whole record fails without reading past the cut.
    for (std::size_t cut = 0; cut < rec.size(); ++cut) {
        pos = 0;
        EXPECT_EQ(p.ReadParams(rec.data(), cut, pos), 1) << cut;
        EXPECT_LE(pos, cut);
    }
}

TEST(Symbol, EqualityIsASubsetTest) {
    const Symbol pq = Sym(97, {{"p", "1"}, {"q", "1"}});
    const Symbol p = Sym(97, {{"p", "1"}});
    EXPECT_TRUE(pq == p);
    EXPECT_FALSE(p == pq);
    EXPECT_TRUE(p != pq);
    EXPECT_EQ(CompareParams(pq, p), 1);
    EXPECT_EQ(CompareParams(p, pq), -1);
    EXPECT_FALSE(Sym(98, {}) == Sym(97, {}));
}

TEST(Symbol, IdenticalSymbolsAreEqualUnderAllComparisons) {
    const Symbol a = Sym(97, {{"p", "1"}});
    const Symbol b = Sym(97, {{"p", "1"}});
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a <= b);
    EXPECT_TRUE(a >= b);
    EXPECT_FALSE(a < b);
    EXPECT_FALSE(b < a);
}

TEST(Symbol, OrderByCodeThenParameters) {
    EXPECT_TRUE(Sym(0xF0000000u, {}) > Sym(97, {}));
    const Symbol x = Sym(97, {{"a", "1"}, {"c", "1"}});
    const Symbol y = Sym(97, {{"a", "1"}, {"b", "1"}});
    EXPECT_EQ(CompareParams(x, y), 1);
    EXPECT_TRUE(x > y);
    EXPECT_FALSE(x < y);
    EXPECT_TRUE(y < x);
    // More parameters, not a superset: the count decides.
    EXPECT_EQ(CompareParams(Sym(1, {{"a", "1"}, {"b", "1"}}), Sym(1, {{"c", "1"}})), 1);
}

TEST(Symbol, AssignmentIsDeep) {
    Symbol a = Sym(97, {{"open", "y"}});
    a.extra = 3;
    Symbol b;
    b = a;
    EXPECT_EQ(b.code, 97u);
    EXPECT_EQ(b.extra, 3);
    ASSERT_EQ(b.params.Count(), 1);
    EXPECT_NE(b.params.At(0), a.params.At(0));
}

TEST(Symbol, MovingGivesWhatACopyGives) {
    // In order: the parameters are taken over, the source keeps none.
    Symbol ordered = Sym(97, {{"a", "1"}, {"b", "2"}});
    ordered.extra = 5;
    const SmbParams* first = ordered.params.At(0);
    Symbol moved(std::move(ordered));
    EXPECT_EQ(moved.code, 97u);
    EXPECT_EQ(moved.extra, 5);
    ASSERT_EQ(moved.params.Count(), 2);
    EXPECT_EQ(moved.params.At(0), first);
    EXPECT_EQ(ordered.params.Count(), 0); // NOLINT(bugprone-use-after-move): checked on purpose

    // Out of order (a value overwritten in place): a copy sorts them again, and so does the
    // move; CopiesAsIs tells the two cases apart, CopyExactly keeps the order.
    Symbol unordered = Sym(1, {{"k", "1"}, {"k", "3"}});
    unordered.params[0].SetValue("5", 1);
    EXPECT_FALSE(CopiesAsIs(unordered));
    EXPECT_TRUE(CopiesAsIs(moved));
    Symbol exact;
    CopyExactly(exact, unordered);
    EXPECT_STREQ(exact.params[0].value, "5");
    const Symbol copy(unordered);
    const Symbol fromMove(std::move(unordered));
    for (const Symbol* s : {&copy, &fromMove}) {
        ASSERT_EQ(s->params.Count(), 2);
        EXPECT_STREQ(s->params[0].value, "3");
        EXPECT_STREQ(s->params[1].value, "5");
    }

    // A growing vector keeps every symbol as it was.
    std::vector<Symbol> grown;
    for (std::uint32_t c = 0; c < 100; ++c)
        grown.push_back(Sym(c, {{"n", std::to_string(c).c_str()}}));
    for (std::uint32_t c = 0; c < 100; ++c) {
        ASSERT_EQ(grown[c].params.Count(), 1);
        EXPECT_EQ(std::string(grown[c].params[0].value), std::to_string(c));
    }
}

TEST(Symbol, ParametersStaySortedAndAcceptRepeats) {
    Symbol s = Sym(1, {{"z", "1"}, {"a", "2"}, {"a", "2"}});
    ASSERT_EQ(s.params.Count(), 3);
    EXPECT_STREQ(s.params[0].name, "a");
    EXPECT_STREQ(s.params[2].name, "z");
}

TEST(Symbol, ContainsAll) {
    const Symbol set = Sym(1, {{"a", "1"}, {"b", "2"}, {"c", "3"}});
    EXPECT_TRUE(ContainsAll(set.params, Sym(1, {}).params));
    EXPECT_TRUE(ContainsAll(set.params, Sym(1, {{"a", "1"}, {"c", "3"}}).params));
    EXPECT_FALSE(ContainsAll(set.params, Sym(1, {{"b", "3"}}).params));
    EXPECT_FALSE(ContainsAll(set.params, Sym(1, {{"d", "1"}}).params));
    EXPECT_FALSE(ContainsAll(Sym(1, {}).params, set.params));
}

TEST(Symbol, MatchesWithWildcardsOnEitherSide) {
    const Symbol word = Sym(101, {{"open", "y"}, {"stress", "y"}});
    EXPECT_TRUE(Matches(Sym(0, {{"stress", "y"}}), word));
    EXPECT_FALSE(Matches(Sym(0, {{"stress", "n"}}), word));
    EXPECT_TRUE(Matches(Sym(101, {}), word));
    EXPECT_FALSE(Matches(Sym(102, {}), word));
    EXPECT_TRUE(Matches(Sym(102, {}), Sym(0, {})));
    EXPECT_FALSE(Matches(Sym(102, {{"open", "y"}}), Sym(0, {})));
}

TEST(Symbol, ReadSymbolRecords) {
    const std::string rec("\x61\0\0\0\x01\0\0\0\x01\0\0\0p\0v\0\0\0\0\0", 20);
    Symbol s;
    std::size_t pos = 0;
    ASSERT_EQ(s.ReadSymbol(rec.data(), rec.size(), pos), 0);
    EXPECT_EQ(pos, rec.size());
    EXPECT_EQ(s.code, 97u);
    EXPECT_EQ(s.extra, 1);
    ASSERT_EQ(s.params.Count(), 1);
    EXPECT_STREQ(s.params[0].name, "p");

    const std::string bare("\x61\0\0\0\0\0\0\0\0\0\0\0", 12);
    pos = 0;
    EXPECT_EQ(s.ReadSymbol(bare.data(), bare.size(), pos), 0);
    EXPECT_EQ(pos, 12u);
    EXPECT_EQ(s.params.Count(), 0);

    for (std::size_t cut = 0; cut < rec.size(); ++cut) {
        Symbol t = Sym(5, {{"old", "1"}});
        pos = 0;
        EXPECT_EQ(t.ReadSymbol(rec.data(), cut, pos), 1) << cut;
        EXPECT_EQ(t.params.Count(), 0);
        EXPECT_LE(pos, cut);
    }
}

TEST(SymbolSequence, LengthFirstThenElements) {
    EXPECT_TRUE(Seq("ab") < Seq("abc"));
    EXPECT_TRUE(Seq("ab") > Seq("b"));
    EXPECT_TRUE(Seq("ab") < Seq("ac"));
    EXPECT_FALSE(Seq("ab") < Seq("ab"));
    EXPECT_FALSE(Seq("ab") > Seq("ab"));
    EXPECT_TRUE(Seq("ab") == Seq("ab"));
    EXPECT_TRUE(Seq("ab") != Seq("ba"));
}

TEST(SymbolSequence, CollectionOfSequencesKeepsItsOwnCopies) {
    Symbol2Collection variants(false, true);
    SymbolCollection word = Seq("abc");
    variants.Add(&word);
    word.Clear();
    ASSERT_EQ(variants.Count(), 1);
    EXPECT_EQ(variants[0].Count(), 3);
    EXPECT_FALSE(variants[0].Sorted());
}

} // namespace
