// The bounds that keep a run finite on hostile input: the variant cap shrinking with the input
// length, the work bound on rule comparisons, and forks that share nothing between variants.

#include "EngineTestSupport.h"

#include <algorithm>

namespace {

const std::string B = "<{beg=beg}";
const std::string E = ">{beg=end}";
const std::string G = "_{beg=prom}";

TEST_F(EngineTest, ForkedVariantsKeepTheirOwnOutputThroughEveryKindOfStep) {
    // Three-way and two-way forks, then a literal run, a symbol no rule covers, a wide
    // literal and variants that finish while others go on: every variant is complete and
    // none shares or loses symbols of another.
    Rules({"[a]=[p]", "[a]=[q]", "[a]=[r]", "[b]=[x]", "[b]=[y]", "[c;c]=[C]"});
    std::vector<Symbol> in = Input("ab");
    in.emplace_back(0xEF00002Cu); // literal ","
    for (const Symbol& s : Input("dcc"))
        in.push_back(s);
    in.emplace_back(0xEF100041u); // wide literal "A"
    const std::string tail = E + "," + B + G + "CA>";
    EXPECT_EQ(Run(in), Variants({B + "px" + tail, B + "py" + tail, B + "qx" + tail, B + "qy" + tail,
                                 B + "rx" + tail, B + "ry" + tail}));
}

TEST_F(EngineTest, ALongLineCostsTimeInProportionToItsLength) {
    // Found by fuzzing the shipped languages: every step copied the output written so far, so
    // a long line took time in the square of its length (minutes for 64 KB). The engine's own
    // counters show the cost: the output is copied once, into the result, and each symbol
    // takes a few comparisons.
    Rules({"[a]=[x]", "[b;c]=[y;z]"});
    const std::string line = [] {
        std::string s;
        while (s.size() < 200000)
            s += "abca";
        return s;
    }();
    const std::uint64_t copied = engine.copiedSymbols;
    const std::uint64_t work = engine.comparisons;
    const Variants out = Run(Input(line));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0].size(), B.size() + line.size() + 1);
    EXPECT_EQ(out[0].substr(B.size(), 8), "xyzxxyzx");
    EXPECT_EQ(engine.copiedSymbols - copied, line.size() + 2);
    EXPECT_LE(engine.comparisons - work, 8 * line.size());
}

TEST_F(EngineTest, VariantCapShrinksOnlyForLongInputs) {
    EXPECT_EQ(engine.VariantCap(0), TransCriber::MaxVariants);
    EXPECT_EQ(engine.VariantCap(1), TransCriber::MaxVariants);
    EXPECT_EQ(engine.VariantCap(256), TransCriber::MaxVariants);
    EXPECT_EQ(engine.VariantCap(257), 4080);
    EXPECT_EQ(engine.VariantCap(64 * 1024), 16);
    EXPECT_EQ(engine.VariantCap(1u << 20), 1);
    EXPECT_EQ(engine.VariantCap(0xFFFFFFFFu), 1);

    // A lowered limit shows the effect on a run cheaply: 40 symbols allow 100 / 40 = 2.
    engine.variantSymbolLimit = 100;
    Rules({"[a]=[x]", "[a]=[y]"});
    const Variants two = Run(Input(std::string(40, 'a')));
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], B + std::string(40, 'x') + ">");
    EXPECT_EQ(two[1], B + "y" + std::string(39, 'x') + ">");
    // Short inputs keep every fork below the cap.
    EXPECT_EQ(Run(Input("aaaa")).size(), 16u);
}

TEST_F(EngineTest, PastTheWorkBoundOnlyTheFirstVariantGoesOn) {
    Rules({"[a]=[x]", "[a]=[y]"});
    const std::vector<Symbol> in = Input(std::string(8, 'a'));
    ASSERT_EQ(Run(in).size(), 256u);
    const std::uint64_t fullWork = engine.comparisons;

    // The bound grows with the input: an allowance per symbol keeps this run whole.
    engine.comparisonLimit = 40;
    ASSERT_EQ(Run(in).size(), 256u);
    EXPECT_FALSE(engine.lastRun.overComparisons);

    engine.comparisonsPerSymbol = 0;
    const std::uint64_t before = engine.comparisons;
    const Variants bounded = Run(in);
    EXPECT_EQ(bounded, Variants({B + std::string(8, 'x') + ">"}));
    EXPECT_LT(engine.comparisons - before, fullWork);
    EXPECT_FALSE(engine.lastRun.overComparisons); // fewer variants, but every rule looked up
    // The bound applies per run: the next run starts afresh.
    EXPECT_EQ(Run(Input("a")), Variants({B + "x>", B + "y>"}));
}

TEST_F(EngineTest, OutputPastItsLimitEndsTheRun) {
    // A right side far longer than its left blows the output up with every step. With the
    // limit lowered to 10 the variants may hold 40 symbols together.
    engine.variantSymbolLimit = 10;
    engine.outputPerSymbol = 0;
    ASSERT_EQ(engine.OutputLimit(), 40u);
    Rules({"[a]=[x;x;x;x;x;x;x;x;x;x]", "[b]=[p;p;p;p;p]", "[b]=[q;q;q;q;q]"});
    // The fourth step takes the one variant past 40 symbols: it ends there, unread input and
    // all, with its final marker.
    EXPECT_EQ(Run(Input(std::string(20, 'a'))), Variants({B + std::string(40, 'x') + ">"}));
    EXPECT_TRUE(engine.lastRun.overOutput);
    // Forked variants: once they hold too much together only the first goes on.
    const Variants forks = Run(Input("bbbbbbbbbb"));
    ASSERT_EQ(forks.size(), 1u);
    EXPECT_EQ(forks[0].find('q'), std::string::npos);
    EXPECT_LE(forks[0].size(), B.size() + 40 + 5 + 1);
    // Within the limit nothing changes.
    EXPECT_EQ(Run(Input("ab")).size(), 2u);
    EXPECT_FALSE(engine.lastRun.overOutput);
}

TEST_F(EngineTest, PastTwiceTheWorkBoundNoRuleIsLookedUp) {
    // Six units of work per position (four comparisons, and the two input symbols they read):
    // the first position forks (6 is within the bound), the second drops the second variant
    // (12), the third is the last looked up (12 is within twice the bound), and from the
    // fourth on every symbol is left as a gap.
    Rules({"[a]=[x]", "[a]=[y]"});
    engine.comparisonLimit = 6;
    engine.comparisonsPerSymbol = 0;
    const Variants out = Run(Input(std::string(6, 'a')));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], B + "xxx" + G + G + G + ">");
    EXPECT_TRUE(engine.lastRun.overComparisons);
}

TEST_F(EngineTest, TheInputALongLeftSideReadsWeighsOnTheWorkBound) {
    // A left side of 1000 symbols reads up to 1000 input symbols at every position: counted
    // as one comparison each, such scans ran for the square of the line's length.
    std::string left;
    for (int i = 0; i < 1000; ++i)
        left += "a;";
    Rules({"[" + left + "b]=[x]", "[a]=[y]"});
    engine.comparisonLimit = 10000;
    engine.comparisonsPerSymbol = 0;
    const std::uint64_t before = engine.comparisons;
    const Variants out = Run(Input(std::string(3000, 'a')));
    ASSERT_EQ(out.size(), 1u);
    // About ten positions spend the bound twice over (a few comparisons each would not spend
    // it in the whole line); the rest are gaps.
    const auto ys = std::count(out[0].begin(), out[0].end(), 'y');
    EXPECT_GT(ys, 0);
    EXPECT_LT(ys, 100);
    EXPECT_EQ(out[0].substr(out[0].size() - G.size() - 1), G + ">");
    EXPECT_LE(engine.comparisons - before, 2 * engine.comparisonLimit + 1010);
}

TEST_F(EngineTest, KeySkipFindsTheGroupOfEveryCode) {
    // Keyless rules first, then keys in ascending unsigned order up to 0xFF000000.
    Rules({"[ ;q]=[Q]", "[a]=[A]", "[b]=[B]", "[4278190080]=[Z]"});
    EXPECT_EQ(Run(Input("baq")), Variants({B + "BAQ>"}));
    // An input code 0 agrees with every rule from the first keyed group on, as the forward
    // walk over the keys found.
    Rules({"[a]=[A]", "[b]=[B]", "[4278190080]=[Z]"});
    std::vector<Symbol> in;
    in.emplace_back(0xFF000000u);
    in.emplace_back(0u);
    EXPECT_EQ(Run(in), Variants({B + "ZA>", B + "ZB>", B + "ZZ>"}));
    // Without any keyed rule at or above the code the position is a gap.
    EXPECT_EQ(Run(Input("c")), Variants({B + G + ">"}));
}

} // namespace
