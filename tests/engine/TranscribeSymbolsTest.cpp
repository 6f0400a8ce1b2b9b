#include "EngineTestSupport.h"

namespace {

const std::string B = "<{beg=beg}";
const std::string E = ">{beg=end}";
const std::string G = "_{beg=prom}";

TEST_F(EngineTest, EmptyInputGivesNoVariants) {
    engine.traceOn = true;
    SymbolCollection* variants = reinterpret_cast<SymbolCollection*>(1);
    std::int32_t count = -1;
    EXPECT_EQ(engine.TranscribeSymbols(nullptr, 0, variants, count), 1);
    EXPECT_EQ(variants, nullptr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(engine.traceLines->Count(), 0);
}

TEST_F(EngineTest, NoRuleWritesAGapMarkerButNotForWordMarkers) {
    EXPECT_EQ(Run(Input("a")), Variants({B + G + ">"}));
    // Only the begin marker is left, and it is removed: one empty variant.
    EXPECT_EQ(Run(Input("<>")), Variants({""}));
}

TEST_F(EngineTest, LiteralRunsAreFramedByMarkers) {
    Rules({"[a]=[x]"});
    std::vector<Symbol> in = Input("<a>");
    in.emplace_back(0xEF00002Cu);
    in.emplace_back(0xEF00002Eu);
    // The trailing begin marker is dropped and no final marker follows.
    EXPECT_EQ(Run(in), Variants({B + "x" + E + ",."}));
    EXPECT_EQ(lastCodes, (std::vector<std::uint32_t>{60, 'x', 62, 0xEF00002Cu, 0xEF00002Eu}));

    in.emplace_back('a');
    EXPECT_EQ(Run(in), Variants({B + "x" + E + ",." + B + "x>"}));
}

TEST_F(EngineTest, OrdinaryCodeEndsALiteralRun) {
    Rules({"[4278190080]=[Z]"});
    std::vector<Symbol> in;
    in.emplace_back(0xEF00002Cu);
    in.emplace_back(0xFF000000u);
    EXPECT_EQ(Run(in), Variants({B + E + "," + B + "Z>"}));
}

TEST_F(EngineTest, WideLiteralsAreCutTo16BitsWithoutMarkers) {
    Rules({"[a]=[A]"});
    std::vector<Symbol> in = Input("a");
    in.emplace_back(0xEF10ABCDu);
    in.emplace_back(0xEF1F0041u);
    Run(in);
    EXPECT_EQ(lastCodes, (std::vector<std::uint32_t>{60, 'A', 0xABCDu, 0x0041u, 62}));
}

TEST_F(EngineTest, TiesForkInAscendingRuleOrder) {
    Rules({"[a]=[y]", "[a]=[x]", "[b]=[z]"});
    EXPECT_EQ(Run(Input("aa")), Variants({B + "xx>", B + "xy>", B + "yx>", B + "yy>"}));
    EXPECT_EQ(Run(Input("ab")), Variants({B + "xz>", B + "yz>"}));
}

TEST_F(EngineTest, LongestLeftThenFewestWildcards) {
    Rules({"[a]=[X]", "[a;b]=[Y]", "[a; ]=[W]", "[c; ]=[U]", "[c;d]=[V]", "[c;d]=[T]"});
    EXPECT_EQ(Run(Input("ab")), Variants({B + "Y>"}));
    EXPECT_EQ(Run(Input("ae")), Variants({B + "W>"}));
    EXPECT_EQ(Run(Input("cd")), Variants({B + "T>", B + "V>"}));
}

TEST_F(EngineTest, TrailingReferenceHoldsTheLastLeftSymbol) {
    Rules({"[s;h]=[S;#1]", "[h]=[H]"});
    EXPECT_EQ(Run(Input("sh")), Variants({B + "SH>"}));
}

TEST_F(EngineTest, KeylessRulesUseOffsetZeroAtStartAndOneLater) {
    // At 0 the two-symbol keyless rule matches "ba" at the position itself; at 1 it matches
    // one symbol back, holds both symbols and turns keyless rules off, so the keyed rule for
    // "a" runs next at the same position.
    Rules({"[b]=[B]", "[a]=[A]", "[ ;a]=[+;#1]"});
    EXPECT_EQ(Run(Input("ba")), Variants({B + "++A>"}));
}

TEST_F(EngineTest, OneSymbolKeylessRuleAdvancesByOne) {
    Rules({"[ ]=[K]", "[a]=[A]", "[a;b]=[P]"});
    // A keyless match suppresses one-symbol keyed rules; longer keyed ones still compete.
    EXPECT_EQ(Run(Input("ac")), Variants({B + "KK>"}));
    EXPECT_EQ(Run(Input("ab")), Variants({B + "P>"}));
}

TEST_F(EngineTest, HashZeroMergesIntoThePreviousOutputSymbol) {
    Rules({"[a]=[A]", "[ ;b]=[#0,x=1;B]"});
    EXPECT_EQ(Run(Input("<ab")), Variants({B + "A{x=1}B>"}));
}

TEST_F(EngineTest, ReferencesResolveBySubRulesOrPlaceholders) {
    Rules({"[a]=[#1,z=2]", "[b]=[B,y=1]"});
    EXPECT_EQ(Run(Input("ab")), Variants({B + "B{y=1,z=2}B{y=1}>"}));
    // Past the end of the input, and at a symbol without a rule.
    EXPECT_EQ(Run(Input("a")), Variants({B + "\xfb>"}));
    EXPECT_EQ(lastCodes[1], 0xFFFFFFFBu);
    EXPECT_EQ(Run(Input("ac")), Variants({B + "\xfb" + G + ">"}));
}

TEST_F(EngineTest, MultiSymbolSubRuleSkipsTheReferencesItCovered) {
    Rules({"[a]=[#1;#2;E]", "[b;c]=[Q]"});
    EXPECT_EQ(Run(Input("abc")), Variants({B + "QEQ>"}));
}

TEST_F(EngineTest, ContextConditionsTestTheOutputWritten) {
    Rules({"[$0,beg=beg;a]=[S]", "[$0,beg=prom;b]=[P]", "[$5,beg=beg;c]=[L]"});
    EXPECT_EQ(Run(Input("aa")), Variants({B + "S" + G + ">"}));
    EXPECT_EQ(Run(Input("xb")), Variants({B + G + "P>"}));
    EXPECT_EQ(Run(Input("c")), Variants({B + G + ">"}));
    std::vector<Symbol> in = Input("a");
    in.emplace_back(0xEF00002Cu);
    in.emplace_back('a');
    EXPECT_EQ(Run(in), Variants({B + "S" + E + "," + B + "S>"}));
}

TEST_F(EngineTest, ContextConditionAgainstTheEndMarker) {
    Rules({"[$2,beg=end;a]=[Q]", "[a]=[A]"});
    std::vector<Symbol> in = Input("a");
    in.emplace_back(0xEF00002Cu);
    in.emplace_back('a');
    // Both rules match the second "a"; they tie, so the output forks.
    EXPECT_EQ(Run(in), Variants({B + "A" + E + "," + B + "A>", B + "A" + E + "," + B + "Q>"}));
}

TEST_F(EngineTest, ToleranceWindowEndsAfterFiveRulesThatSortAfter) {
    std::vector<std::string> rules = {"[a;b;c]=[M]"};
    for (int k = 1; k <= 4; ++k)
        rules.push_back("[a;b,p=" + std::to_string(k) + "]=[R]");
    Rules(rules);
    EXPECT_EQ(Run(Input("abc")), Variants({B + "M>"}));
    rules.push_back("[a;b,p=5]=[R]");
    Rules(rules);
    EXPECT_EQ(Run(Input("abc")), Variants({B + G + G + G + ">"}));
}

TEST_F(EngineTest, UsedFlagsMarkSelectedRules) {
    Rules({"[a]=[A]", "[b]=[B]"});
    Run(Input("a"));
    EXPECT_EQ(engine.used[0], 1);
    EXPECT_EQ(engine.used[1], 0);
}

TEST_F(EngineTest, StepThatNeverAdvancesIsForcedOn) {
    // [a;b] holds both its symbols (its own trailing reference plus the sub-rule's), so with
    // keyless rules already off it would stay at "a" for ever.
    Rules({"[a;b]=[#1;#1]", "[b;c]=[#1]"});
    EXPECT_EQ(Run(Input("abc")), Variants({B + G + ">"}));
}

TEST_F(EngineTest, VariantCountIsCapped) {
    Rules({"[a]=[x]", "[a]=[y]"});
    SymbolCollection* variants = nullptr;
    std::int32_t count = 0;
    const std::vector<Symbol> in = Input(std::string(24, 'a'));
    engine.TranscribeSymbols(in.data(), static_cast<std::uint32_t>(in.size()), variants, count);
    EXPECT_EQ(count, TransCriber::MaxVariants);
    EXPECT_EQ(Render(variants[0]), B + std::string(24, 'x') + ">");
    delete[] variants;
    // Below the cap every fork is kept.
    EXPECT_EQ(Run(Input(std::string(12, 'a'))).size(), 4096u);
}

TEST_F(EngineTest, MergeParamsReplacesByNameAndAddsTheRest) {
    Symbol target(1);
    target.AddParam("a", "1");
    target.AddParam("c", "3");
    Symbol source(1);
    source.AddParam("c", "9");
    source.AddParam("b", "2");
    TransCriber::MergeParams(target.params, source.params);
    EXPECT_EQ(Render(SymbolCollection(false, true)), "");
    ASSERT_EQ(target.params.Count(), 3);
    EXPECT_STREQ(target.params[0].name, "a");
    EXPECT_STREQ(target.params[1].name, "b");
    EXPECT_STREQ(target.params[2].value, "9");
}

} // namespace
