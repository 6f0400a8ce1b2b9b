// Rule selection compares rules through the rule index and remembers what its scans found.
// Neither may change a single candidate or the count of comparisons, which bounds a run.

#include "EngineTestSupport.h"

#include "engine/RuleIndex.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string B = "<{beg=beg}";

// A symbol with parameters given as "k=v" strings, added in order (sorted by the collection).
Symbol With(std::uint32_t code, const std::vector<std::pair<std::string, std::string>>& params) {
    Symbol s(code);
    for (const auto& [name, value] : params)
        s.AddParam(name.c_str(), value.c_str());
    return s;
}

TEST_F(EngineTest, IndexComparesAsCompareAtDoes) {
    // Shared beginnings of every length, wildcards, parameters (required once, twice, more
    // distinct pairs than the masks have bits) and left sides longer than the input.
    std::vector<std::string> rules = {
        "[a]=[1]",         "[a;b]=[2]",     "[a;b;c]=[3]",   "[a;b;c;d]=[4]",   "[a;b;d]=[5]",
        "[a;c]=[6]",       "[a; ;c]=[7]",   "[a;b,k=v]=[8]", "[a;b,k=v;c]=[9]", "[a;b,k=w]=[0]",
        "[b]=[B]",         "[b;a;b;a]=[Q]", "[ ;a]=[W]",     "[ ,k=v;b]=[V]",   "[c,k=v,k=v]=[D]",
        "[a,j=1,k=v]=[J]", "[c;b;a]=[R]",   "[c; ]=[S]",
    };
    for (int k = 0; k < 70; ++k)
        rules.push_back("[d,p" + std::to_string(k) + "=x]=[P]");
    Rules(rules);
    RuleIndex index;
    index.Refresh(engine);

    std::mt19937 random(7);
    const char letters[] = "abcd";
    for (int round = 0; round < 300; ++round) {
        std::vector<Symbol> word;
        const int length = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < length; ++i) {
            const std::uint32_t code = random() % 9 == 0 ? 0 : letters[random() % 4];
            std::vector<std::pair<std::string, std::string>> params;
            if (random() % 3 == 0) params.emplace_back("k", random() % 2 ? "v" : "w");
            if (random() % 4 == 0) params.emplace_back("j", "1");
            if (random() % 5 == 0) params.emplace_back("p" + std::to_string(random() % 70), "x");
            word.push_back(With(code, params));
        }
        if (round % 10 == 0 && word[0].params.Count() == 0) {
            // Out of order: compared by text.
            word[0].AddParam("k", "v");
            word[0].AddParam("m", "1");
            word[0].params[1].SetValue("z", 1);
            word[0].params[0].SetName("z", 1);
        }
        std::vector<InputFacts> facts;
        std::vector<const Symbol*> symbols;
        for (const Symbol& s : word) {
            facts.push_back(index.Facts(s));
            symbols.push_back(&s);
        }
        for (std::int32_t n = 1; n <= length; ++n) {
            RuleIndex::Cursor cursor(index, symbols.data(), facts.data(), n);
            // In order with repeats, then backwards: the cursor shares only with the rule just
            // before.
            for (std::int32_t id = 0; id < engine.ruleCount; ++id) {
                const std::int32_t expected = CompareAt(engine.rules[id], word.data(), n);
                ASSERT_EQ(cursor(id), expected) << round << " " << n << " " << id;
                ASSERT_EQ(cursor(id), expected);
                ASSERT_EQ(index.Compare(id, symbols.data(), facts.data(), n), expected);
            }
            for (std::int32_t id = engine.ruleCount; id-- > 0;)
                ASSERT_EQ(cursor(id), CompareAt(engine.rules[id], word.data(), n)) << id;
            EXPECT_LE(cursor.Read(), n + 1);
        }
    }
}

TEST_F(EngineTest, RememberedScansNeverStandInForDifferentInput) {
    // Each pair of lines agrees at the start and differs where a longer rule, a parameter, the
    // end of the line or the symbol before decides.
    Rules({"[a]=[A]", "[a;b]=[P]", "[a;b;c]=[X]", "[a;b;d]=[Y]", "[a;b,k=v]=[K]",
           "[ ,k=v;e]=[#0,z=1;E]", "[e]=[e]"});
    std::vector<Symbol> marked = Input("<aex");
    marked[1].AddParam("k", "v");
    std::vector<Symbol> keyed = Input("ab");
    keyed[1].AddParam("k", "v");
    const std::vector<std::pair<std::vector<Symbol>, Variants>> cases = {
        {Input("ax"), {B + "A_{beg=prom}>"}},
        {Input("abc"), {B + "X>"}},
        {Input("abd"), {B + "Y>"}},
        {Input("ab"), {B + "P>"}},
        {keyed, {B + "P>", B + "K>"}}, // both match: a tie
        {Input("abx"), {B + "P_{beg=prom}>"}},
        {marked, {B + "A{z=1}E_{beg=prom}>"}},
        {Input("<aex"), {B + "Ae_{beg=prom}>"}},
    };
    // Twice round, in both orders: every run meets scans remembered from the others.
    for (int round = 0; round < 2; ++round) {
        for (const auto& [in, expected] : cases)
            EXPECT_EQ(Run(in), expected) << round;
        for (auto it = cases.rbegin(); it != cases.rend(); ++it)
            EXPECT_EQ(Run(it->first), it->second) << round;
    }
}

TEST_F(EngineTest, ContextConditionsReadEachRunsOwnOutput) {
    // The symbol amended in one run is made again, at the same place, with other parameters in
    // the next: a condition on it must see the new ones. Conditions on pairs no left side
    // uses, on two pairs, and with a pair given twice count as well.
    Rules({"[a]=[A]", "[ ;b]=[#0,x=1;B]", "[ ;c]=[#0,x=2;C]", "[$1,x=1;d]=[P]", "[d]=[D]",
           "[$0,x=2,y=1;e]=[Q]", "[e]=[E]", "[$0,x=1,x=1;f]=[R]", "[f]=[F]"});
    EXPECT_EQ(Run(Input("<abd")), Variants({B + "A{x=1}BD>", B + "A{x=1}BP>"}));
    EXPECT_EQ(Run(Input("<acd")), Variants({B + "A{x=2}CD>"}));
    EXPECT_EQ(Run(Input("<abd")), Variants({B + "A{x=1}BD>", B + "A{x=1}BP>"}));
    EXPECT_EQ(Run(Input("<ae")), Variants({B + "AE>"}));
    EXPECT_EQ(Run(Input("<af")), Variants({B + "AF>"}));
}

TEST_F(EngineTest, RememberedScansCountTheirComparisons) {
    // The work bound counts comparisons: a run that finds its scans remembered counts what a
    // fresh engine counts, so the bound falls at the same step.
    const std::vector<std::string> rules = {"[a]=[x]",  "[a]=[y]",     "[a;a]=[z]",
                                            "[b]=[#1]", "[b;a;b]=[w]", "[ ;c]=[#0,k=1;c]"};
    Rules(rules);
    const std::vector<Symbol> in = Input("abaacbab");
    Run(Input("aabcab")); // remembers some of the scans
    const std::uint64_t before = engine.comparisons;
    const Variants warm = Run(in);
    const std::uint64_t warmCount = engine.comparisons - before;
    EXPECT_EQ(Run(in), warm);
    EXPECT_EQ(engine.comparisons - before, 2 * warmCount);

    TransCriber fresh;
    fresh.LoadRules((dir_ / "rules.lin").string(), 0);
    SymbolCollection* variants = nullptr;
    std::int32_t count = 0;
    fresh.TranscribeSymbols(in.data(), static_cast<std::uint32_t>(in.size()), variants, count);
    delete[] variants;
    EXPECT_EQ(fresh.comparisons, warmCount);
    EXPECT_GT(warmCount, 0u);

    // With the bound below that count, a warm engine stops forking where a fresh one does.
    engine.comparisonLimit = warmCount / 2;
    fresh.comparisonLimit = warmCount / 2;
    engine.comparisonsPerSymbol = fresh.comparisonsPerSymbol = 0;
    fresh.TranscribeSymbols(in.data(), static_cast<std::uint32_t>(in.size()), variants, count);
    Variants bounded;
    for (std::int32_t k = 0; k < count; ++k)
        bounded.push_back(Render(variants[k]));
    delete[] variants;
    EXPECT_EQ(Run(in), bounded);
    EXPECT_LT(bounded.size(), warm.size());
}

} // namespace
