#include "rules/TransCriber.h"

#include <algorithm>
#include <vector>

namespace {

void AddCandidate(IdCollection& candidates, IdCollection& offsets, std::int32_t id,
                  std::uint32_t offset) {
    std::uint32_t value = static_cast<std::uint32_t>(id);
    candidates.Add(&value);
    offsets.Add(&offset);
}

// Replaces both lists by the entries whose keep flag is set, in their order.
void KeepOnly(IdCollection& candidates, IdCollection& offsets, const std::vector<bool>& keep) {
    IdCollection keptCandidates(candidates.Sorted(), candidates.Storing());
    IdCollection keptOffsets(offsets.Sorted(), offsets.Storing());
    for (std::int32_t k = 0; k < candidates.Count(); ++k) {
        if (!keep[static_cast<std::size_t>(k)]) continue;
        keptCandidates.Add(candidates.At(k));
        keptOffsets.Add(offsets.At(k));
    }
    candidates.Assign(keptCandidates);
    offsets.Assign(keptOffsets);
}

} // namespace

bool TransCriber::SelectRules(const Symbol* input, std::int32_t a, IdCollection& candidates,
                              IdCollection& offsets, bool keyless, std::uint32_t s,
                              const SymbolCollection* history) {
    const std::int32_t N = ruleCount;
    const std::uint32_t c = input[0].code;
    std::int32_t i = 0;
    // Every comparison of a rule with the input is counted: the run's measure of its work.
    const auto Compare = [this](const ScribeRule& rule, const Symbol* word, std::int32_t n) {
        ++comparisons;
        return CompareAt(rule, word, n);
    };

    if (keyless) {
        for (; i < N && rules[i].left.Count() == 1 && keys[i] == 0; ++i)
            if (Compare(rules[i], input, a) == 0) AddCandidate(candidates, offsets, i, s);
        for (; i < N && keys[i] == 0; ++i)
            if (Compare(rules[i], input - s, a + static_cast<std::int32_t>(s)) == 0)
                AddCandidate(candidates, offsets, i, s);
    }
    const bool hadKeyless = candidates.Count() > 0;

    // keys is non-decreasing: the first key not below c (past the keyless rules, whose key 0
    // is below every other) is found by bisection rather than by walking a large rule set.
    if (i < N)
        i = static_cast<std::int32_t>(std::lower_bound(keys + i, keys + N, c > 0 ? c : 1u) - keys);
    std::int32_t r = 1;
    while (i < N) {
        r = Compare(rules[i], input, a);
        if (r >= 0) break;
        ++i;
    }
    bool keyed = i < N;
    if (keyed) {
        // Tolerance window: at most five rules in a row that sort after the input.
        std::int32_t g = 0;
        while (r > 0 && g < 5 && i < N) {
            r = Compare(rules[i], input, a);
            if (r <= 0) break;
            ++g;
            ++i;
        }
        if (i == N || g == 5) keyed = false;
    }
    if (keyed) {
        std::int32_t k = i;
        for (;;) {
            while (k < N && (r = Compare(rules[k], input, a)) < 0)
                ++k;
            if (r == 0) {
                for (; k < N && Compare(rules[k], input, a) == 0; ++k)
                    if (!(hadKeyless && rules[k].left.Count() == 1))
                        AddCandidate(candidates, offsets, k, 0);
            }
            while (k < N && keys[k] == c && (r = Compare(rules[k], input, a)) > 0)
                ++k;
            if (k >= N || r > 0) break;
        }
    }

    if (candidates.Count() == 0) return false;
    if (history) {
        FilterByContext(candidates, offsets, *history);
        if (candidates.Count() == 0) return false;
    }
    PickBest(candidates, offsets);
    for (std::int32_t k = 0; k < candidates.Count(); ++k)
        used[candidates[k]] = 1;
    return true;
}

void TransCriber::FilterByContext(IdCollection& candidates, IdCollection& offsets,
                                  const SymbolCollection& history) {
    const std::int32_t h = history.Count();
    if (h == 0) return;
    std::vector<bool> keep(static_cast<std::size_t>(candidates.Count()), true);
    bool all = true;
    for (std::int32_t k = 0; k < candidates.Count(); ++k) {
        const ScribeRule& rule = rules[candidates[k]];
        for (std::int32_t x = 0; x < rule.context.Count(); ++x) {
            const Symbol& condition = rule.context[x];
            const std::uint32_t last = static_cast<std::uint32_t>(h - 1);
            if (last < condition.code ||
                !ContainsAll(history[static_cast<std::int32_t>(last - condition.code)].params,
                             condition.params)) {
                keep[static_cast<std::size_t>(k)] = false;
                all = false;
                break;
            }
        }
    }
    if (!all) KeepOnly(candidates, offsets, keep);
}

void TransCriber::PickBest(IdCollection& candidates, IdCollection& offsets) {
    const std::int32_t count = candidates.Count();
    if (count <= 1) return;
    std::int32_t bestL = rules[candidates[0]].left.Count();
    std::int32_t bestW = rules[candidates[0]].wildcardCount;
    std::int32_t ties = 1;
    for (std::int32_t k = 1; k < count; ++k) {
        const ScribeRule& rule = rules[candidates[k]];
        const std::int32_t L = rule.left.Count();
        const std::int32_t W = rule.wildcardCount;
        if (L > bestL || (L == bestL && W < bestW)) {
            bestL = L;
            bestW = W;
            ties = 1;
        } else if (L == bestL && W == bestW) {
            ++ties;
        }
    }
    if (ties == count) return;
    std::vector<bool> keep(static_cast<std::size_t>(count));
    for (std::int32_t k = 0; k < count; ++k) {
        const ScribeRule& rule = rules[candidates[k]];
        keep[static_cast<std::size_t>(k)] =
            rule.left.Count() == bestL && rule.wildcardCount == bestW;
    }
    KeepOnly(candidates, offsets, keep);
}
