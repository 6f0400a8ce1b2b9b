#include "RuleTestSupport.h"

#include "rules/ScribeRule.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using rulestest::Codes;
using rulestest::Params;
using rulestest::W;
using Codes32 = std::vector<std::uint32_t>;

namespace {

constexpr std::uint32_t Ref = 0xF0000000u;

ScribeRule Rule(const Text& left, const Text& right) {
    ScribeRule rule;
    EXPECT_EQ(rule.ParseLeft(left), 0) << left;
    EXPECT_EQ(rule.ParseRight(right), 0) << right;
    return rule;
}

Codes32 LeftOf(const std::string& side) {
    ScribeRule rule;
    EXPECT_EQ(rule.ParseLeft(side), 0) << side;
    return Codes(rule.left);
}

Codes32 RightOf(const std::string& side) {
    ScribeRule rule;
    EXPECT_EQ(rule.ParseRight(side), 0) << side;
    return Codes(rule.right);
}

// ---- Side grammar ----

TEST(RuleSyntax, ExamplesOfTheRuleLineGrammar) {
    const ScribeRule sch = Rule("s;c;h", W("ш"));
    EXPECT_EQ(Codes(sch.left), (Codes32{115, 99, 104}));
    EXPECT_EQ(Codes(sch.right), (Codes32{248}));
    EXPECT_EQ(sch.wildcardCount, 0);
    EXPECT_EQ(sch.context.Count(), 0);

    const ScribeRule x = Rule(" ;x", W("#0;к;с"));
    EXPECT_EQ(Codes(x.left), (Codes32{0, 120}));
    EXPECT_EQ(x.wildcardCount, 1);
    EXPECT_EQ(Codes(x.right), (Codes32{Ref, 234, 241}));

    const ScribeRule t = Rule("$1;60;t", W("т"));
    EXPECT_EQ(Codes(t.context), (Codes32{1}));
    EXPECT_EQ(Codes(t.left), (Codes32{60, 116}));
    EXPECT_EQ(Codes(t.right), (Codes32{242}));

    const ScribeRule e = Rule("e,stress=y", W("э"));
    ASSERT_EQ(Codes(e.left), (Codes32{101}));
    EXPECT_EQ(Params(e.left[0]), (std::vector<std::string>{"stress=y"}));
    EXPECT_EQ(Codes(e.right), (Codes32{253}));

    const ScribeRule beg = Rule("$0,beg=beg;e", W("э"));
    ASSERT_EQ(Codes(beg.context), (Codes32{0}));
    EXPECT_EQ(Params(beg.context[0]), (std::vector<std::string>{"beg=beg"}));
    EXPECT_EQ(Codes(beg.left), (Codes32{101}));
    EXPECT_TRUE(beg.left[0].params.Count() == 0);
    EXPECT_EQ(beg.left[0].extra, 0);
}

TEST(RuleSyntax, EmptySidesAreValidAndEmpty) {
    ScribeRule rule;
    EXPECT_EQ(rule.ParseLeft(""), 0);
    EXPECT_EQ(rule.ParseRight(""), 0);
    EXPECT_EQ(rule.left.Count(), 0);
    EXPECT_EQ(rule.right.Count(), 0);
    EXPECT_EQ(rule.context.Count(), 0);
}

TEST(RuleSyntax, MalformedDollarOrHashFailsAndKeepsWhatWasRead) {
    for (const char* side : {"$", "$x", "a;$", "a;$;b", "a;$x,n=v"}) {
        ScribeRule rule;
        EXPECT_EQ(rule.ParseLeft(side), 1) << side;
        EXPECT_EQ(rule.context.Count(), 0) << side;
        if (side[0] == 'a') {
            EXPECT_EQ(Codes(rule.left), (Codes32{97})) << side;
        }
    }
    for (const char* side : {"#", "#x", "a;#", "a;#;b"}) {
        ScribeRule rule;
        EXPECT_EQ(rule.ParseRight(side), 1) << side;
        if (side[0] == 'a') {
            EXPECT_EQ(Codes(rule.right), (Codes32{97})) << side;
        }
    }
    // Each marker is an ordinary byte on the other side.
    EXPECT_EQ(LeftOf("#"), (Codes32{35}));
    EXPECT_EQ(RightOf("$"), (Codes32{36}));
}

TEST(RuleSyntax, MarkerTokensPassOverTheByteAfterThem) {
    ScribeRule left;
    EXPECT_EQ(left.ParseLeft("$10"), 0);
    EXPECT_EQ(Codes(left.context), (Codes32{1}));
    EXPECT_EQ(left.left.Count(), 0);

    EXPECT_EQ(RightOf("#0x"), (Codes32{Ref}));
    EXPECT_EQ(RightOf("#9"), (Codes32{Ref + 9}));
    // A right-side number passes over its following byte too; a left-side one does not.
    EXPECT_EQ(RightOf("60;"), (Codes32{60}));
    EXPECT_EQ(LeftOf("60;"), (Codes32{60, 59}));
}

TEST(RuleSyntax, BlankIsWildcardOnTheLeftAndSymbol32OnTheRight) {
    ScribeRule rule;
    EXPECT_EQ(rule.ParseLeft(" ;x; "), 0);
    EXPECT_EQ(Codes(rule.left), (Codes32{0, 120, 0}));
    EXPECT_EQ(rule.wildcardCount, 2);
    EXPECT_EQ(rule.ParseRight(" ;x"), 0);
    EXPECT_EQ(Codes(rule.right), (Codes32{32, 120}));
    EXPECT_EQ(rule.wildcardCount, 2); // the right side counts nothing

    // ParseLeft restarts the count but appends symbols.
    EXPECT_EQ(rule.ParseLeft(" "), 0);
    EXPECT_EQ(rule.wildcardCount, 1);
    EXPECT_EQ(Codes(rule.left), (Codes32{0, 120, 0, 0}));
}

TEST(RuleSyntax, SemicolonsAtTheEndAndDoubled) {
    EXPECT_EQ(LeftOf("a;"), (Codes32{97, 59}));
    EXPECT_EQ(LeftOf("a;;"), (Codes32{97, 59}));
    EXPECT_EQ(LeftOf("a;;b"), (Codes32{97, 59, 98}));
    EXPECT_EQ(LeftOf("a;;;b"), (Codes32{97, 59, 98}));
    EXPECT_EQ(LeftOf(";"), (Codes32{59}));
    EXPECT_EQ(RightOf("a;"), (Codes32{97, 59}));
    EXPECT_EQ(RightOf("a;;b"), (Codes32{97, 59, 98}));
    EXPECT_EQ(RightOf("#1;"), (Codes32{Ref + 1}));

    ScribeRule condition;
    EXPECT_EQ(condition.ParseLeft("$1;"), 0);
    EXPECT_EQ(Codes(condition.context), (Codes32{1}));
    EXPECT_EQ(condition.left.Count(), 0);
}

TEST(RuleSyntax, DigitRunsAreDecimalCodesWrappingAt32Bits) {
    EXPECT_EQ(LeftOf("48;60"), (Codes32{48, 60}));
    EXPECT_EQ(RightOf("48;1234"), (Codes32{48, 1234}));
    EXPECT_EQ(LeftOf("4294967295"), (Codes32{4294967295u}));
    EXPECT_EQ(LeftOf("4294967296"), (Codes32{0}));
    EXPECT_EQ(RightOf("4294967301"), (Codes32{5}));
    // Bytes above 127 are unsigned codes.
    EXPECT_EQ(LeftOf(W("я;Ё")), (Codes32{255, 168}));
}

TEST(RuleSyntax, ParameterListsOnEveryKindOfToken) {
    ScribeRule rule;
    ASSERT_EQ(rule.ParseLeft("a,x=1,y=2;60,open=y; ,stress=n;$2,beg=end"), 0);
    ASSERT_EQ(Codes(rule.left), (Codes32{97, 60, 0}));
    EXPECT_EQ(Params(rule.left[0]), (std::vector<std::string>{"x=1", "y=2"}));
    EXPECT_EQ(Params(rule.left[1]), (std::vector<std::string>{"open=y"}));
    EXPECT_EQ(Params(rule.left[2]), (std::vector<std::string>{"stress=n"}));
    ASSERT_EQ(Codes(rule.context), (Codes32{2}));
    EXPECT_EQ(Params(rule.context[0]), (std::vector<std::string>{"beg=end"}));

    ASSERT_EQ(rule.ParseRight("#1,open=y;b,z=3;62,beg=end; ,q=w"), 0);
    ASSERT_EQ(Codes(rule.right), (Codes32{Ref + 1, 98, 62, 32}));
    EXPECT_EQ(Params(rule.right[0]), (std::vector<std::string>{"open=y"}));
    EXPECT_EQ(Params(rule.right[1]), (std::vector<std::string>{"z=3"}));
    EXPECT_EQ(Params(rule.right[2]), (std::vector<std::string>{"beg=end"}));
    EXPECT_EQ(Params(rule.right[3]), (std::vector<std::string>{"q=w"}));

    // Parameters do not leak from one symbol to the next.
    ScribeRule next;
    ASSERT_EQ(next.ParseLeft("a,x=1;b"), 0);
    EXPECT_EQ(next.left[1].params.Count(), 0);
}

TEST(RuleSyntax, ContextConditionsComeOutInDistanceOrder) {
    ScribeRule rule;
    ASSERT_EQ(rule.ParseLeft("$3;$1,a=b;x;$2;$1"), 0);
    EXPECT_EQ(Codes(rule.context), (Codes32{1, 1, 2, 3}));
    EXPECT_EQ(Codes(rule.left), (Codes32{120}));
}

// ---- Construction and assignment ----

TEST(RuleRecord, SidesKeepInsertionOrderAndCopiesAreDeep) {
    ScribeRule rule;
    ASSERT_EQ(rule.ParseLeft("$2;z;a;$0"), 0);
    ASSERT_EQ(rule.ParseRight("z;a"), 0);
    EXPECT_EQ(Codes(rule.left), (Codes32{122, 97}));
    EXPECT_EQ(Codes(rule.context), (Codes32{0, 2}));

    ScribeRule copy(rule);
    ScribeRule assigned;
    assigned = rule;
    for (ScribeRule* r : {&copy, &assigned}) {
        EXPECT_EQ(Codes(r->left), (Codes32{122, 97}));
        EXPECT_EQ(Codes(r->right), (Codes32{122, 97}));
        EXPECT_EQ(Codes(r->context), (Codes32{0, 2}));
        // The copy keeps the unsorted sides: appending goes to the end.
        ASSERT_EQ(r->ParseLeft("b"), 0);
        EXPECT_EQ(Codes(r->left), (Codes32{122, 97, 98}));
    }
    EXPECT_EQ(Codes(rule.left), (Codes32{122, 97}));

    rule.Clear();
    EXPECT_EQ(rule.left.Count() + rule.right.Count() + rule.context.Count(), 0);
    EXPECT_EQ(rule.wildcardCount, 0);
    ASSERT_EQ(rule.ParseLeft("y;x"), 0);
    EXPECT_EQ(Codes(rule.left), (Codes32{121, 120}));
}

// ---- Compiled rules ----

TEST(RuleRecord, ReadsCompiledRuleAndCountsMarkedRightSymbols) {
    std::string bytes = "xx"; // the rule starts at a position inside the image
    rulestest::PutInt32(bytes, 2);
    rulestest::PutSymbol(bytes, 0, 0, {{"open", "y"}});
    rulestest::PutSymbol(bytes, 'x');
    rulestest::PutInt32(bytes, 3);
    rulestest::PutSymbol(bytes, 'k', 1);
    rulestest::PutSymbol(bytes, 's', 0, {{"beg", "end"}});
    rulestest::PutSymbol(bytes, 'z', 1);
    bytes += "tail";

    ScribeRule rule;
    ASSERT_EQ(rule.ParseLeft("$1;q"), 0);
    ASSERT_EQ(rule.ParseRight("w"), 0);
    std::size_t position = 2;
    ASSERT_EQ(rule.ReadRule(bytes.data(), bytes.size(), position), 0);
    EXPECT_EQ(position, bytes.size() - 4);
    EXPECT_EQ(Codes(rule.left), (Codes32{0, 120}));
    EXPECT_EQ(Params(rule.left[0]), (std::vector<std::string>{"open=y"}));
    EXPECT_EQ(Codes(rule.right), (Codes32{107, 115, 122}));
    EXPECT_EQ(rule.right[0].extra, 1);
    EXPECT_EQ(Params(rule.right[1]), (std::vector<std::string>{"beg=end"}));
    EXPECT_EQ(rule.wildcardCount, 2);
    EXPECT_EQ(Codes(rule.context), (Codes32{1})); // not touched

    // Wildcards on the left count for nothing in a compiled rule.
    const std::string plain = rulestest::RuleRecord({0, 0}, {'a'});
    position = 0;
    ASSERT_EQ(rule.ReadRule(plain.data(), plain.size(), position), 0);
    EXPECT_EQ(rule.wildcardCount, 0);
}

TEST(RuleRecord, FailedCompiledRuleLeavesItsSidesEmpty) {
    const std::string good = rulestest::RuleRecord({'a', 'b'}, {'x', 'y'});
    // Cut inside the left symbols, inside the right count, inside the right symbols.
    for (std::size_t cut : {std::size_t{0}, std::size_t{2}, std::size_t{10}, std::size_t{28},
                            std::size_t{30}, std::size_t{40}, good.size() - 1}) {
        ScribeRule rule = Rule("q", "w");
        std::size_t position = 0;
        EXPECT_EQ(rule.ReadRule(good.data(), cut, position), 1) << cut;
        EXPECT_EQ(rule.left.Count(), 0) << cut;
        EXPECT_EQ(rule.right.Count(), 0) << cut;
        EXPECT_LE(position, cut);
    }
    // A symbol count far beyond the bytes fails without reading past them.
    std::string huge;
    rulestest::PutInt32(huge, 0x7FFFFFFF);
    rulestest::PutSymbol(huge, 'a');
    ScribeRule rule;
    std::size_t position = 0;
    EXPECT_EQ(rule.ReadRule(huge.data(), huge.size(), position), 1);
    EXPECT_EQ(rule.left.Count(), 0);
}

} // namespace
