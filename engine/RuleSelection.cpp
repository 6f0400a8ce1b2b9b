#include "engine/TransCriber.h"
#include "engine/WorkingSets.h"

#include <algorithm>
#include <vector>

namespace {

// The two parallel collections as one list of pairs, and back.
std::vector<Candidate> Pairs(const IdCollection& candidates, const IdCollection& offsets) {
    std::vector<Candidate> pairs;
    for (std::int32_t k = 0; k < candidates.Count(); ++k)
        pairs.push_back({candidates[k], offsets[k]});
    return pairs;
}

void Store(const std::vector<Candidate>& pairs, IdCollection& candidates, IdCollection& offsets) {
    candidates.Clear();
    offsets.Clear();
    for (Candidate c : pairs) {
        candidates.Add(&c.id);
        offsets.Add(&c.offset);
    }
}

std::vector<const Symbol*> Pointers(const SymbolCollection& history) {
    std::vector<const Symbol*> pointers;
    for (std::int32_t i = 0; i < history.Count(); ++i)
        pointers.push_back(history.At(i));
    return pointers;
}

} // namespace

bool TransCriber::SelectRules(const Symbol* input, std::int32_t a, IdCollection& candidates,
                              IdCollection& offsets, bool keyless, std::uint32_t s,
                              const SymbolCollection* history) {
    std::vector<Candidate> pairs = Pairs(candidates, offsets);
    const std::vector<const Symbol*> past =
        history ? Pointers(*history) : std::vector<const Symbol*>();
    // The facts of input[-s] to input[a - 1].
    RuleIndex& index = Working().index;
    index.StartRun();
    std::vector<InputFacts> facts;
    std::vector<const Symbol*> symbols;
    for (std::int32_t i = -static_cast<std::int32_t>(s); i < a; ++i) {
        facts.push_back(index.Facts(input[i]));
        symbols.push_back(&input[i]);
    }
    const bool found =
        SelectCandidates(symbols.data() + s, facts.data() + s, a, pairs, keyless, s,
                         history ? past.data() : nullptr, static_cast<std::int32_t>(past.size()));
    Store(pairs, candidates, offsets);
    return found;
}

void TransCriber::FilterByContext(IdCollection& candidates, IdCollection& offsets,
                                  const SymbolCollection& history) {
    Working();
    std::vector<Candidate> pairs = Pairs(candidates, offsets);
    const std::vector<const Symbol*> past = Pointers(history);
    const std::size_t before = pairs.size();
    FilterCandidates(pairs, past.data(), static_cast<std::int32_t>(past.size()));
    if (pairs.size() != before) Store(pairs, candidates, offsets);
}

void TransCriber::PickBest(IdCollection& candidates, IdCollection& offsets) {
    std::vector<Candidate> pairs = Pairs(candidates, offsets);
    const std::size_t before = pairs.size();
    PickBestCandidates(pairs);
    if (pairs.size() != before) Store(pairs, candidates, offsets);
}

std::int32_t TransCriber::ScanRules(const RuleIndex& index, const Symbol* const* input,
                                    const InputFacts* facts, std::int32_t a,
                                    std::vector<Candidate>& candidates, bool keyless,
                                    std::uint32_t s) {
    const std::int32_t N = ruleCount;
    const std::uint32_t c = facts[0].code;
    std::int32_t i = 0;
    // Every comparison of a rule with the input is counted: the run's measure of its work.
    // The cursors compare as CompareAt(rules[id], input, a) does, and as
    // CompareAt(rules[id], input - s, a + s) for keyless rules of more than one symbol.
    RuleIndex::Cursor here(index, input, facts, a);
    const std::int32_t back = static_cast<std::int32_t>(s);
    RuleIndex::Cursor behind(index, input - back, facts - back, a + back);
    const auto Compare = [&](std::int32_t id) {
        ++comparisons;
        return here(id);
    };
    const auto Add = [&candidates](std::int32_t id, std::uint32_t offset) {
        candidates.push_back({static_cast<std::uint32_t>(id), offset});
    };

    if (keyless) {
        for (; i < N && rules[i].left.Count() == 1 && keys[i] == 0; ++i)
            if (Compare(i) == 0) Add(i, s);
        for (; i < N && keys[i] == 0; ++i) {
            ++comparisons;
            if (behind(i) == 0) Add(i, s);
        }
    }
    const bool hadKeyless = !candidates.empty();

    // keys is non-decreasing: the first key not below c (past the keyless rules, whose key 0
    // is below every other) is found by bisection rather than by walking a large rule set.
    if (i < N) {
        const std::int32_t first = index.FirstKeyed(c);
        i = first >= 0 ? std::max(i, first)
                       : static_cast<std::int32_t>(
                             std::lower_bound(keys + i, keys + N, c > 0 ? c : 1u) - keys);
    }
    std::int32_t r = 1;
    while (i < N) {
        r = Compare(i);
        if (r >= 0) break;
        ++i;
    }
    bool keyed = i < N;
    if (keyed) {
        // Tolerance window: at most five rules in a row that sort after the input.
        std::int32_t g = 0;
        while (r > 0 && g < 5 && i < N) {
            r = Compare(i);
            if (r <= 0) break;
            ++g;
            ++i;
        }
        if (i == N || g == 5) keyed = false;
    }
    if (keyed) {
        std::int32_t k = i;
        for (;;) {
            while (k < N && (r = Compare(k)) < 0)
                ++k;
            if (r == 0) {
                for (; k < N && Compare(k) == 0; ++k)
                    if (!(hadKeyless && rules[k].left.Count() == 1)) Add(k, 0);
            }
            while (k < N && keys[k] == c && (r = Compare(k)) > 0)
                ++k;
            if (k >= N || r > 0) break;
        }
    }
    return std::max(here.Read(), behind.Read() - back);
}

bool TransCriber::SelectCandidates(const Symbol* const* input, const InputFacts* facts,
                                   std::int32_t a, std::vector<Candidate>& candidates, bool keyless,
                                   std::uint32_t s, const Symbol* const* history, std::int32_t h) {
    ScanCandidates(input, facts, a, candidates, keyless, s);
    return ChooseCandidates(candidates, history, h);
}

void TransCriber::ScanCandidates(const Symbol* const* input, const InputFacts* facts,
                                 std::int32_t a, std::vector<Candidate>& candidates, bool keyless,
                                 std::uint32_t s) {
    // The facts were taken by this index (Working() has refreshed it for the rule set).
    RuleIndex& index = work_->index;
    // A scan over the same symbols as an earlier one finds what it found, after as many
    // comparisons. (Candidates already in the list take part in the scan: not remembered.)
    // The input symbols a scan read weigh on the run's work too: a rule with a left side of
    // thousands of symbols makes one comparison cost as much as thousands.
    if (!candidates.empty()) {
        comparisons +=
            static_cast<std::uint64_t>(ScanRules(index, input, facts, a, candidates, keyless, s));
    } else if (const RuleIndex::Scan* known = index.FindScan(facts, a, keyless, s)) {
        // Mostly one or two: appended one by one rather than copied whole.
        for (const Candidate& candidate : known->candidates)
            candidates.push_back(candidate);
        comparisons += known->comparisons;
    } else {
        const std::uint64_t before = comparisons;
        const std::int32_t extent = ScanRules(index, input, facts, a, candidates, keyless, s);
        comparisons += static_cast<std::uint64_t>(extent);
        index.KeepScan(facts, a, keyless, s, extent, {candidates, comparisons - before});
    }
}

bool TransCriber::ChooseCandidates(std::vector<Candidate>& candidates, const Symbol* const* history,
                                   std::int32_t h) {
    if (candidates.empty()) return false;
    if (history) {
        FilterCandidates(candidates, history, h);
        if (candidates.empty()) return false;
    }
    PickBestCandidates(candidates);
    for (const Candidate& candidate : candidates)
        used[candidate.id] = 1;
    return true;
}

void TransCriber::FilterCandidates(std::vector<Candidate>& candidates, const Symbol* const* history,
                                   std::int32_t h) {
    if (h == 0) return;
    RuleIndex& index = work_->index;
    // The candidates that pass every condition, in their order.
    const auto fails = [&](const Candidate& candidate) {
        return !index.ContextHolds(static_cast<std::int32_t>(candidate.id), history, h);
    };
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(), fails), candidates.end());
}

void TransCriber::PickBestCandidates(std::vector<Candidate>& candidates) {
    if (candidates.size() <= 1) return;
    std::int32_t bestL = rules[candidates[0].id].left.Count();
    std::int32_t bestW = rules[candidates[0].id].wildcardCount;
    for (std::size_t k = 1; k < candidates.size(); ++k) {
        const ScribeRule& rule = rules[candidates[k].id];
        const std::int32_t L = rule.left.Count();
        const std::int32_t W = rule.wildcardCount;
        if (L > bestL || (L == bestL && W < bestW)) {
            bestL = L;
            bestW = W;
        }
    }
    const auto worse = [&](const Candidate& candidate) {
        const ScribeRule& rule = rules[candidate.id];
        return rule.left.Count() != bestL || rule.wildcardCount != bestW;
    };
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(), worse), candidates.end());
}
