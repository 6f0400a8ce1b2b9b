#include "RuleTestSupport.h"

#include "rules/ScribeRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using rulestest::W;

namespace {

ScribeRule Rule(const Text& left, const Text& right = "x") {
    ScribeRule rule;
    EXPECT_EQ(rule.ParseLeft(left), 0) << left;
    EXPECT_EQ(rule.ParseRight(right), 0) << right;
    return rule;
}

// a strictly before b. The operators' agreement with each other is checked for all pairs below.
void ExpectBefore(const ScribeRule& a, const ScribeRule& b) {
    EXPECT_EQ(CompareRules(a, b), -1);
    EXPECT_TRUE(a < b);
    EXPECT_TRUE(b > a);
}

TEST(RuleOrdering, FirstDifferingLeftCodeDecidesBeforeLength) {
    ExpectBefore(Rule("a"), Rule("a;b"));
    ExpectBefore(Rule("a;c"), Rule("b"));
    ExpectBefore(Rule("a;b;z"), Rule("a;c"));
    // Wildcards first; codes compare unsigned (cp1251 letters and big codes last).
    ExpectBefore(Rule(" ;z"), Rule("a"));
    ExpectBefore(Rule(" "), Rule(" ;a"));
    ExpectBefore(Rule("z"), Rule(W("а")));
    ExpectBefore(Rule(W("я")), Rule("4278190080"));
    // Parameters do not count while the codes differ.
    ExpectBefore(Rule("a,x=1;b"), Rule("a;c"));
}

TEST(RuleOrdering, ParametersThenRightSidesBreakTies) {
    ExpectBefore(Rule("a"), Rule("a,stress=y"));
    ExpectBefore(Rule("a;b"), Rule("a;b,open=y"));
    ExpectBefore(Rule("a,open=y"), Rule("a,stress=y"));
    ExpectBefore(Rule("a", "x"), Rule("a", "x;y"));
    ExpectBefore(Rule("a", "x;y"), Rule("a", "y"));
    ExpectBefore(Rule("a", "x"), Rule("a", "#0"));    // references after characters
    ExpectBefore(Rule("a", W("я")), Rule("a", "#0")); // even after cp1251 letters
    ExpectBefore(Rule("a", "x"), Rule("a", "x,beg=end"));
    ExpectBefore(Rule("a"), Rule("a", "x;y")); // left decides before right
}

TEST(RuleOrdering, ContextAndWildcardCountTakeNoPart) {
    const ScribeRule a = Rule("a;b", "x");
    ScribeRule b = Rule("$1;$2,beg=beg;a;b", "x");
    b.wildcardCount = 3;
    EXPECT_EQ(CompareRules(a, b), 0);
    EXPECT_TRUE(a == b);
    EXPECT_TRUE(a <= b && a >= b);
    EXPECT_FALSE(Rule("a;b", "x") == Rule("a;b", "x;y"));
    EXPECT_FALSE(Rule("a", "x") == Rule("a;b", "x"));
}

TEST(RuleOrdering, EveryPairIsExactlyOneOfBeforeAfterOrEquivalent) {
    std::vector<ScribeRule> rules;
    for (const char* left : {"a", "a;b", "b", " ", " ;a", "a,x=1", "a,y=1", "a,x=1,y=2", "a;b,x=1",
                             "60", "255", "$1;a", "a;a"})
        for (const char* right : {"", "x", "x;y", "y", "#0", "x,x=1", "#0,q=1"})
            rules.push_back(Rule(left, right));

    for (const ScribeRule& a : rules) {
        // A rule against itself.
        EXPECT_FALSE(a < a);
        EXPECT_FALSE(a > a);
        EXPECT_TRUE(a <= a);
        EXPECT_TRUE(a >= a);
        EXPECT_TRUE(a == a);
        EXPECT_FALSE(a != a);
        for (const ScribeRule& b : rules) {
            const int held = (a < b) + (a > b) + (CompareRules(a, b) == 0);
            EXPECT_EQ(held, 1);
            EXPECT_EQ(a <= b, !(a > b));
            EXPECT_EQ(a >= b, !(a < b));
            EXPECT_EQ(a<b, b> a);
            EXPECT_EQ(CompareRules(a, b), -CompareRules(b, a));
            EXPECT_EQ(a != b, !(a == b));
            for (const ScribeRule& c : rules)
                if (a < b && b < c) {
                    EXPECT_TRUE(a < c);
                }
        }
    }
}

// ---- CompareAt ----

std::vector<Symbol> Word(const Text& letters) {
    std::vector<Symbol> word;
    for (char c : letters)
        word.emplace_back(static_cast<unsigned char>(c));
    return word;
}

std::int32_t At(const ScribeRule& rule, const std::vector<Symbol>& word) {
    return CompareAt(rule, word.data(), static_cast<std::int32_t>(word.size()));
}

TEST(CompareAt, MatchBeforeAfterAndWordTooShort) {
    const ScribeRule sch = Rule("s;c;h");
    EXPECT_EQ(At(sch, Word("sch")), 0);
    EXPECT_EQ(At(sch, Word("schule")), 0);
    EXPECT_EQ(At(sch, Word("sa")), 1);   // c sorts after a
    EXPECT_EQ(At(sch, Word("su")), -1);  // c sorts before u
    EXPECT_EQ(At(sch, Word("sc")), 1);   // the word ends first
    EXPECT_EQ(At(sch, Word("scx")), -1); // last symbol decides
    EXPECT_EQ(At(sch, Word("")), 1);
    EXPECT_EQ(At(sch, Word("t")), -1);
    EXPECT_EQ(At(sch, Word("r")), 1);
    // Only the first n symbols are looked at.
    const std::vector<Symbol> word = Word("sch");
    EXPECT_EQ(CompareAt(sch, word.data(), 2), 1);
}

TEST(CompareAt, MismatchAfterWildcardAlwaysScansOn) {
    const ScribeRule rule = Rule(" ;x");
    EXPECT_EQ(At(rule, Word("ax")), 0);
    EXPECT_EQ(At(rule, Word("zx")), 0);
    EXPECT_EQ(At(rule, Word("aa")), -1); // a < x
    EXPECT_EQ(At(rule, Word("az")), -1); // z > x, still -1
    EXPECT_EQ(At(rule, Word("a")), 1);
    // A wildcard earlier than the previous symbol does not count.
    EXPECT_EQ(At(Rule(" ;x;y"), Word("axa")), 1);
}

TEST(CompareAt, ParametersMustBeCarriedByTheWordSymbol) {
    const ScribeRule stressed = Rule("e,stress=y");
    std::vector<Symbol> word = Word("e");
    EXPECT_EQ(At(stressed, word), 1); // the rule's parameters sort it after the bare symbol
    word[0].AddParam("open", "n");
    word[0].AddParam("stress", "y");
    EXPECT_EQ(At(stressed, word), 0);
    std::vector<Symbol> other = Word("e");
    other[0].AddParam("stress", "n");
    EXPECT_NE(At(stressed, other), 0);
    EXPECT_EQ(At(Rule(" ,stress=y"), word), 0);
    // A keyless rule that does not match sorts before any word symbol.
    EXPECT_EQ(At(Rule(" ,stress=y"), other), -1);
}

} // namespace
