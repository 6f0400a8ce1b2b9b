// Variants share the symbols they have in common and the engine keeps its working sets from one
// run to the next: neither may ever show. Every variant must read as if it held copies of its
// own, and every run as if it were the engine's first.

#include "EngineTestSupport.h"

#include <algorithm>
#include <map>
#include <utility>

namespace {

const std::string B = "<{beg=beg}";
const std::string E = ">{beg=end}";
const std::string G = "_{beg=prom}";

using Codes = std::vector<std::vector<std::uint32_t>>;

// The codes of every variant through TranscribeSymbols, and through TranscribeCodes.
Codes SymbolCodes(TransCriber& engine, const std::vector<Symbol>& in) {
    SymbolCollection* variants = nullptr;
    std::int32_t count = 0;
    engine.TranscribeSymbols(in.data(), static_cast<std::uint32_t>(in.size()), variants, count);
    Codes codes(static_cast<std::size_t>(count));
    for (std::int32_t k = 0; k < count; ++k)
        for (std::int32_t i = 0; i < variants[k].Count(); ++i)
            codes[static_cast<std::size_t>(k)].push_back(variants[k][i].code);
    delete[] variants;
    return codes;
}

Codes CodesOnly(TransCriber& engine, const std::vector<Symbol>& in) {
    std::vector<std::uint32_t> flat;
    std::vector<std::size_t> ends;
    engine.TranscribeCodes(in.data(), static_cast<std::uint32_t>(in.size()), flat, ends);
    Codes codes;
    std::size_t from = 0;
    for (std::size_t end : ends) {
        codes.emplace_back(flat.begin() + static_cast<std::ptrdiff_t>(from),
                           flat.begin() + static_cast<std::ptrdiff_t>(end));
        from = end;
    }
    return codes;
}

TEST_F(EngineTest, AmendingThePreviousSymbolChangesOnlyTheOwnVariant) {
    // Two keyless rules tie at "b": each amends the "A" written for "a" in its own variant.
    // The rule's own "A", the other variant and later runs keep the symbol as it was.
    Rules({"[a]=[A,k=0]", "[ ;b]=[#0,x=1;B]", "[ ;b]=[#0,x=2;C]", "[c;d;f]=[E;#1,y=3]", "[d]=[D]"});
    const Variants forked = Run(Input("<ab"));
    EXPECT_EQ(forked, Variants({B + "A{k=0,x=1}B>", B + "A{k=0,x=2}C>"}));
    EXPECT_EQ(Run(Input("<a")), Variants({B + "A{k=0}>"}));
    EXPECT_EQ(Run(Input("<ab")), forked);

    // The same reference resolved twice gives the same symbol; amending the second leaves
    // the first as it is.
    EXPECT_EQ(Run(Input("<cdfcdfb")),
              Variants({B + "ED{y=3}ED{x=1,y=3}B>", B + "ED{y=3}ED{x=2,y=3}C>"}));
    EXPECT_EQ(Run(Input("<cdf")), Variants({B + "ED{y=3}>"}));
}

TEST_F(EngineTest, ACopiedVariantHoldsCopiesOfItsSymbols) {
    // Amending the first of two equally named parameters leaves them out of order in the
    // variant itself. Copying a variant copies its symbols, and a copied parameter set is
    // sorted again: the forked copy (first) has them in order, the variant that goes on
    // (last) keeps them as they were.
    Rules({"[a]=[A,k=1,k=3]", "[ ;b]=[#0,k=5;B]", "[c]=[X]", "[c]=[Y]", "[ ;e]=[#0,k=5]",
           "[ ;f]=[#0,j=1]"});
    EXPECT_EQ(Run(Input("<abc")), Variants({B + "A{k=3,k=5}BX>", B + "A{k=5,k=3}BY>"}));
    // Without a fork the order stays, also when the symbol is amended again.
    EXPECT_EQ(Run(Input("<ab")), Variants({B + "A{k=5,k=3}B>"}));
    EXPECT_EQ(Run(Input("<aef")), Variants({B + "A{j=1,k=5,k=3}>"}));
}

TEST_F(EngineTest, EveryRunStartsAfresh) {
    // Runs of every size in a row on one engine give what a fresh engine gives.
    const std::vector<std::string> rules = {"[a]=[x]", "[a]=[y]", "[b]=[#1,z=1]", "[c]=[C]",
                                            "[ ;d]=[#0,w=1;D]"};
    Rules(rules);
    std::vector<Symbol> lineWithAll = Input("abc");
    lineWithAll.emplace_back(0xEF00002Cu);
    for (const Symbol& s : Input("cd"))
        lineWithAll.push_back(s);
    const std::vector<std::vector<Symbol>> inputs = {
        Input(std::string(10, 'a')),    // 1024 variants
        Input("c"),                     // one short variant
        Input(std::string(70000, 'c')), // more symbols than a run keeps buffers for
        lineWithAll,                    // literal run, reference, amended symbol
        Input(std::string(10, 'a')),    // many variants again
        Input("bc"),
    };
    std::vector<Variants> inARow;
    for (const auto& in : inputs)
        inARow.push_back(Run(in));
    for (std::size_t k = 0; k < inputs.size(); ++k) {
        Rules(rules); // a new engine state: the rule set loaded again
        TransCriber fresh;
        fresh.LoadRules((dir_ / "rules.lin").string(), 0);
        SymbolCollection* variants = nullptr;
        std::int32_t count = 0;
        fresh.TranscribeSymbols(inputs[k].data(), static_cast<std::uint32_t>(inputs[k].size()),
                                variants, count);
        Variants alone;
        for (std::int32_t v = 0; v < count; ++v)
            alone.push_back(Render(variants[v]));
        delete[] variants;
        EXPECT_EQ(inARow[k], alone) << k;
    }
    ASSERT_EQ(inARow[0].size(), 1024u);
    EXPECT_EQ(inARow[3], Variants({B + "xC{z=1}C" + E + "," + B + "C{w=1}D>",
                                   B + "yC{z=1}C" + E + "," + B + "C{w=1}D>"}));

    // A new rule set is used at once, whatever the previous runs kept.
    Rules({"[a]=[Q]", "[c]=[#0,w=2]"});
    EXPECT_EQ(Run(Input("ac")), Variants({B + "Q" + "\xfb>"}));
}

TEST_F(EngineTest, CodesOnlyRunMatchesTheSymbolRun) {
    Rules({"[a]=[x]", "[a]=[y]", "[b]=[#1,z=1]", "[c]=[C]", "[s;h]=[S;#1]", "[h]=[H]"});
    std::vector<Symbol> literals = Input("a");
    literals.emplace_back(0xEF00002Cu);
    literals.emplace_back(0xEF10ABCDu); // wide literals are cut to 16 bits
    literals.emplace_back(0xEF1F0041u);
    for (const Symbol& s : Input("shq<"))
        literals.push_back(s);
    std::vector<Symbol> endsWithLiteral = Input("ba");
    endsWithLiteral.emplace_back(0xEF00002Eu);
    for (const auto& in : {Input("aa"), Input("<>"), Input("bc"), literals, endsWithLiteral}) {
        const Codes expected = SymbolCodes(engine, in);
        EXPECT_EQ(CodesOnly(engine, in), expected);
        EXPECT_FALSE(expected.empty());
    }
    std::vector<std::uint32_t> flat = {1, 2};
    std::vector<std::size_t> ends = {2};
    engine.TranscribeCodes(nullptr, 0, flat, ends);
    EXPECT_TRUE(flat.empty());
    EXPECT_TRUE(ends.empty());
}

TEST_F(EngineTest, CollectionFormsOfRuleSelection) {
    // SelectRules, FilterByContext and PickBest on the parallel collections.
    Rules({"[a]=[A]", "[a;b]=[P]", "[a;b]=[Q]", "[$0,beg=beg;a;b]=[R]", "[ ]=[K]"});
    std::map<char, std::uint32_t> id; // rule index by its output letter
    for (std::int32_t i = 0; i < engine.ruleCount; ++i)
        id[static_cast<char>(engine.rules[i].right[0].code)] = static_cast<std::uint32_t>(i);
    const auto letters = [this](const IdCollection& candidates) {
        std::string s;
        for (std::int32_t k = 0; k < candidates.Count(); ++k)
            s += static_cast<char>(engine.rules[candidates[k]].right[0].code);
        return s;
    };
    const std::vector<Symbol> in = Input("ab");
    const Symbol x('x');
    SymbolCollection history(false, true);
    history.Add(const_cast<Symbol*>(&x));
    IdCollection candidates(true, true);
    IdCollection offsets(false, true);

    // The keyless K matches too, but the longer keyed rules win; R fails its context.
    ASSERT_TRUE(engine.SelectRules(in.data(), 2, candidates, offsets, true, 0, &history));
    EXPECT_EQ(letters(candidates), "PQ");
    ASSERT_EQ(offsets.Count(), 2);
    EXPECT_EQ(offsets[0], 0u);
    // Without history nothing is filtered.
    candidates.Clear();
    offsets.Clear();
    ASSERT_TRUE(engine.SelectRules(in.data(), 2, candidates, offsets, false, 0, nullptr));
    EXPECT_EQ(letters(candidates), "PQR");
    // Nothing matches "x".
    candidates.Clear();
    offsets.Clear();
    EXPECT_FALSE(engine.SelectRules(&x, 1, candidates, offsets, false, 0, &history));
    EXPECT_EQ(candidates.Count() + offsets.Count(), 0);

    // Filtering and picking keep the offsets beside their candidates.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> entries = {
        {id['K'], 1}, {id['A'], 7}, {id['R'], 0}};
    std::sort(entries.begin(), entries.end());
    candidates.Clear();
    offsets.Clear();
    for (auto& [rule, offset] : entries) {
        candidates.Add(&rule);
        offsets.Add(&offset);
    }
    engine.FilterByContext(candidates, offsets, history);
    ASSERT_EQ(candidates.Count(), 2);
    ASSERT_EQ(offsets.Count(), 2);
    for (std::int32_t k = 0; k < 2; ++k)
        EXPECT_EQ(offsets[k], candidates[k] == id['K'] ? 1u : 7u);
    // Equal left lengths: the one without a wildcard wins.
    engine.PickBest(candidates, offsets);
    EXPECT_EQ(letters(candidates), "A");
    ASSERT_EQ(offsets.Count(), 1);
    EXPECT_EQ(offsets[0], 7u);
}

} // namespace
