// The plain engine: the run of TranscribeSymbols written as directly as it can be, to check
// the fast one against. Every variant holds its own symbols and every step makes a new copy of
// each variant; rules are selected by walking the rule set with CompareAt, and context
// conditions are tested on the variant's own symbols. Nothing is kept from one run to the next
// and nothing is remembered within a run. It gives what the fast run gives, counts the same
// comparisons and keeps the same bounds, and it is slow.

#include "engine/RuleIndex.h"
#include "engine/SymbolCodes.h"
#include "engine/TransCriber.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

struct PlainVariant {
    SymbolCollection out{false, true};
    std::uint32_t position = 0;
    bool keyless = true;
};

using Generation = std::vector<std::unique_ptr<PlainVariant>>;

// Appends a copy of s (Symbol assignment).
void Append(SymbolCollection& out, const Symbol& s) {
    out.Add(const_cast<Symbol*>(&s));
}

// The symbols of from, each exactly as from holds it (parameters in the same order).
void CopyExactlyInto(SymbolCollection& to, const SymbolCollection& from) {
    to.Clear();
    to.SetSorted(false);
    Symbol blank;
    for (std::int32_t i = 0; i < from.Count(); ++i) {
        to.Insert(i, &blank);
        CopyExactly(to[i], from[i]);
    }
}

class PlainRun {
public:
    PlainRun(TransCriber& engine, const Symbol* input, std::uint32_t n)
        : engine_(engine), input_(input), n_(n), cap_(engine.VariantCap(n)),
          startComparisons_(engine.comparisons), limit_(engine.RunComparisonLimit(n)),
          outputLimit_(engine.OutputLimit(n)) {}

    // The finished variants, each already ending as it is handed back.
    Generation Execute();

private:
    bool Step(std::size_t v);
    // A new entry of the next generation: a copy of variant's output (a fork), or an exact
    // copy (the entry with which the variant itself goes on).
    PlainVariant& Next(const PlainVariant& variant, std::uint32_t position, bool keyless,
                       bool fork);
    void ApplyRule(const Candidate& candidate, const PlainVariant& variant, std::uint32_t p,
                   bool fork);
    void Resolve(const Symbol& reference, std::uint32_t offset, std::uint32_t p,
                 SymbolCollection& out, std::int32_t& held, std::int32_t& j);

    // Rule selection at input[q]: the scan over the rule set, the context conditions on
    // history (none when null), the best rules, and their used flags.
    void Select(std::uint32_t q, bool keyless, std::uint32_t s, const SymbolCollection* history,
                std::vector<Candidate>& candidates);
    // CompareAt of rules[id] with word[0..n), counted; read becomes at least the number of
    // word symbols the comparison looked at.
    std::int32_t Compare(std::int32_t id, const Symbol* word, std::int32_t n, std::int32_t& read);

    std::uint64_t Work() const { return engine_.comparisons - startComparisons_; }
    bool Bounded() const { return overOutput_ || Work() > limit_; }

    TransCriber& engine_;
    const Symbol* input_;
    std::uint32_t n_;
    std::int32_t cap_;
    std::uint64_t startComparisons_;
    std::uint64_t limit_;
    std::size_t outputLimit_;
    bool overOutput_ = false;
    Generation current_;
    Generation next_;
};

Generation PlainRun::Execute() {
    if (engine_.traceOn) {
        Text line;
        for (std::uint32_t i = 0; i < n_; ++i)
            line += static_cast<char>(input_[i].code & 0xFF);
        engine_.TraceLine(line);
        engine_.TraceLine("====");
    }
    engine_.lastRun = TransCriber::RunReport();
    auto first = std::make_unique<PlainVariant>();
    Append(first->out, codes::Marker(codes::WordStart, "beg"));
    current_.push_back(std::move(first));
    bool unfinished = true;
    while (unfinished) {
        unfinished = false;
        for (std::size_t v = 0; v < current_.size(); ++v)
            if (Step(v)) unfinished = true;
        current_.clear();
        std::swap(current_, next_);
        if (unfinished && !overOutput_) {
            std::size_t total = 0;
            for (const auto& variant : current_)
                total += static_cast<std::size_t>(variant->out.Count());
            overOutput_ = total > outputLimit_;
        }
    }
    for (const auto& variant : current_) {
        SymbolCollection& out = variant->out;
        if (out.Count() > 0 && out[out.Count() - 1].code == codes::WordStart)
            out.Delete(out.Count() - 1);
        else
            Append(out, codes::Marker(codes::WordEnd, nullptr));
    }
    engine_.lastRun.overOutput = overOutput_;
    return std::move(current_);
}

PlainVariant& PlainRun::Next(const PlainVariant& variant, std::uint32_t position, bool keyless,
                             bool fork) {
    auto entry = std::make_unique<PlainVariant>();
    engine_.copiedSymbols += static_cast<std::uint64_t>(variant.out.Count());
    if (fork)
        entry->out.Assign(variant.out);
    else
        CopyExactlyInto(entry->out, variant.out);
    entry->position = position;
    entry->keyless = keyless;
    next_.push_back(std::move(entry));
    return *next_.back();
}

bool PlainRun::Step(std::size_t v) {
    const PlainVariant& variant = *current_[v];
    const std::uint32_t p = variant.position;
    if (v > 0 && Bounded()) return false;
    if (p >= n_ || (overOutput_ && static_cast<std::size_t>(variant.out.Count()) > outputLimit_)) {
        Next(variant, p >= n_ ? p : n_, true, false);
        return false;
    }
    const std::uint32_t c = input_[p].code;
    if (codes::IsWideLiteral(c)) {
        std::uint32_t q = p;
        while (q < n_ && codes::IsWideLiteral(input_[q].code))
            ++q;
        PlainVariant& next = Next(variant, q, true, false);
        for (std::uint32_t i = p; i < q; ++i)
            Append(next.out, input_[i]);
        return true;
    }
    if (codes::IsLiteralRunSymbol(c)) {
        std::uint32_t q = p;
        while (q < n_ && codes::IsLiteralRunSymbol(input_[q].code))
            ++q;
        PlainVariant& next = Next(variant, q, true, false);
        Append(next.out, codes::Marker(codes::WordEnd, "end"));
        for (std::uint32_t i = p; i < q; ++i)
            Append(next.out, input_[i]);
        Append(next.out, codes::Marker(codes::WordStart, "beg"));
        return true;
    }

    const std::uint32_t s = p > 0 ? 1 : 0;
    std::vector<Candidate> candidates;
    if (Work() <= 2 * limit_)
        Select(p, variant.keyless, s, &variant.out, candidates);
    else
        engine_.lastRun.overComparisons = true;
    const std::int32_t found = static_cast<std::int32_t>(candidates.size());
    if (found == 0) {
        PlainVariant& next = Next(variant, p + 1, true, false);
        if (c != codes::WordStart && c != codes::WordEnd)
            Append(next.out, codes::Marker(codes::Gap, "prom"));
        return true;
    }
    const std::int64_t live = static_cast<std::int64_t>(next_.size()) +
                              static_cast<std::int64_t>(current_.size() - v - 1) + found;
    const std::int32_t applied = live > cap_ || Bounded() ? 1 : found;
    for (std::int32_t k = 0; k < applied; ++k)
        ApplyRule(candidates[static_cast<std::size_t>(k)], variant, p, k < applied - 1);
    return true;
}

void PlainRun::ApplyRule(const Candidate& candidate, const PlainVariant& variant, std::uint32_t p,
                         bool fork) {
    const ScribeRule& rule = engine_.rules[candidate.id];
    const std::uint32_t start = candidate.offset;
    const std::int32_t L = rule.left.Count();
    PlainVariant& next = Next(variant, p, true, fork);
    SymbolCollection& out = next.out;
    if (engine_.traceOn) engine_.TraceLine(TransCriber::RuleText(rule));

    std::int32_t held = static_cast<std::int32_t>(start);
    const std::int32_t last = rule.right.Count() - 1;
    for (std::int32_t j = 0; j < rule.right.Count(); ++j) {
        const Symbol& r = rule.right[j];
        if (!codes::IsReference(r.code)) {
            Append(out, r);
            continue;
        }
        const std::uint32_t d = codes::ReferenceDigit(r.code);
        if (j == last && d != 0 && static_cast<std::int64_t>(d) == L - 1) {
            ++held;
        } else if (d == 0 && j == 0 && L != 1) {
            TransCriber::MergeParams(out[out.Count() - 1].params, r.params);
        } else {
            std::uint32_t offset = 0;
            if (d != 0) {
                offset = d + static_cast<std::uint32_t>(held) - start;
                if (rule.right[0].code == codes::Reference) --offset;
            }
            Resolve(r, offset, p, out, held, j);
        }
    }

    bool keyless = true;
    if (L < held || L == 1)
        held = 0;
    else if (L == held)
        keyless = false;
    std::uint32_t position = p + static_cast<std::uint32_t>(L - held);
    if (position == p && !variant.keyless) {
        position = p + 1;
        keyless = true;
    }
    next.position = position;
    next.keyless = keyless;
}

void PlainRun::Resolve(const Symbol& reference, std::uint32_t offset, std::uint32_t p,
                       SymbolCollection& out, std::int32_t& held, std::int32_t& j) {
    std::vector<Candidate> subCandidates;
    const std::uint64_t q = static_cast<std::uint64_t>(p) + offset;
    if (q < n_) Select(static_cast<std::uint32_t>(q), false, 0, nullptr, subCandidates);
    const Symbol placeholder(codes::Placeholder);
    if (subCandidates.empty()) {
        Append(out, placeholder);
        return;
    }
    const ScribeRule& sub = engine_.rules[subCandidates[0].id];
    if (engine_.traceOn) {
        engine_.TraceLine("<-->");
        engine_.TraceLine(TransCriber::RuleText(sub));
        engine_.TraceLine("<-->");
    }
    const std::int32_t subLeft = sub.left.Count();
    const std::int32_t subRight = sub.right.Count();
    if (subRight > 0) {
        const std::int32_t m = subLeft == 1 ? subRight : 1;
        for (std::int32_t t = 0; t < m; ++t) {
            const Symbol& u = sub.right[t];
            if (codes::IsReference(u.code)) {
                const std::uint32_t d2 = codes::ReferenceDigit(u.code);
                if (t == subRight - 1 && d2 != 0 && static_cast<std::int64_t>(d2) == subLeft - 1)
                    ++held;
                else
                    Append(out, placeholder);
            } else {
                Symbol merged = u;
                TransCriber::MergeParams(merged.params, reference.params);
                Append(out, merged);
            }
        }
    }
    if (subLeft > 1 && subRight == 1) {
        std::int32_t w = subLeft;
        for (std::int32_t k = 0; k < subLeft && sub.left[k].code == 0; ++k)
            --w;
        for (std::int32_t k = subLeft - 1; k >= 0 && sub.left[k].code == 0; --k)
            --w;
        if (sub.left[subLeft - 1].code != 0 && codes::IsReference(sub.right[0].code)) --w;
        if (w > 1) j += w - 1;
    }
}

std::int32_t PlainRun::Compare(std::int32_t id, const Symbol* word, std::int32_t n,
                               std::int32_t& read) {
    ++engine_.comparisons;
    const ScribeRule& rule = engine_.rules[id];
    std::int32_t looked = 0;
    while (looked < n && looked < rule.left.Count() && Matches(rule.left[looked], word[looked]))
        ++looked;
    read = std::max(read, looked + 1);
    return CompareAt(rule, word, n);
}

void PlainRun::Select(std::uint32_t q, bool keyless, std::uint32_t s,
                      const SymbolCollection* history, std::vector<Candidate>& candidates) {
    const ScribeRule* rules = engine_.rules;
    const std::uint32_t* keys = engine_.keys;
    const std::int32_t N = engine_.ruleCount;
    const Symbol* input = input_ + q;
    const std::int32_t a = static_cast<std::int32_t>(n_ - q);
    const std::int32_t back = static_cast<std::int32_t>(s);
    const std::uint32_t c = input[0].code;
    // How far the comparisons read, from input[0] and from input[-s]: weighed as comparisons.
    std::int32_t read = 0;
    std::int32_t readBehind = 0;
    const auto Add = [&candidates](std::int32_t id, std::uint32_t offset) {
        candidates.push_back({static_cast<std::uint32_t>(id), offset});
    };
    const auto At = [&](std::int32_t id) { return Compare(id, input, a, read); };

    // Keyless rules: those of one symbol at the position, the others from s symbols back.
    std::int32_t i = 0;
    if (keyless) {
        for (; i < N && rules[i].left.Count() == 1 && keys[i] == 0; ++i)
            if (At(i) == 0) Add(i, s);
        for (; i < N && keys[i] == 0; ++i)
            if (Compare(i, input - back, a + back, readBehind) == 0) Add(i, s);
    } else {
        while (i < N && keys[i] == 0)
            ++i;
    }
    const bool hadKeyless = !candidates.empty();

    // Keyed rules: from the first key not below c, past the rules that sort before the input,
    // with at most five in a row that sort after it.
    while (i < N && keys[i] < c)
        ++i;
    std::int32_t r = 1;
    while (i < N) {
        r = At(i);
        if (r >= 0) break;
        ++i;
    }
    bool keyed = i < N;
    if (keyed) {
        std::int32_t g = 0;
        while (r > 0 && g < 5 && i < N) {
            r = At(i);
            if (r <= 0) break;
            ++g;
            ++i;
        }
        if (i == N || g == 5) keyed = false;
    }
    if (keyed) {
        std::int32_t k = i;
        for (;;) {
            while (k < N && (r = At(k)) < 0)
                ++k;
            if (r == 0) {
                for (; k < N && At(k) == 0; ++k)
                    if (!(hadKeyless && rules[k].left.Count() == 1)) Add(k, 0);
            }
            while (k < N && keys[k] == c && (r = At(k)) > 0)
                ++k;
            if (k >= N || r > 0) break;
        }
    }
    engine_.comparisons += static_cast<std::uint64_t>(std::max(read, readBehind - back));
    if (candidates.empty()) return;

    // Context conditions on the output written so far.
    const std::int32_t h = history ? history->Count() : 0;
    if (h > 0) {
        const auto fails = [&](const Candidate& candidate) {
            const SymbolCollection& context = rules[candidate.id].context;
            for (std::int32_t x = 0; x < context.Count(); ++x) {
                const std::uint32_t distance = context[x].code;
                if (static_cast<std::uint32_t>(h - 1) < distance) return true;
                const Symbol& written = (*history)[h - 1 - static_cast<std::int32_t>(distance)];
                if (!ContainsAll(written.params, context[x].params)) return true;
            }
            return false;
        };
        candidates.erase(std::remove_if(candidates.begin(), candidates.end(), fails),
                         candidates.end());
        if (candidates.empty()) return;
    }

    // The longest left side, then the fewest wildcards; ties stay in rule order.
    std::int32_t bestL = rules[candidates[0].id].left.Count();
    std::int32_t bestW = rules[candidates[0].id].wildcardCount;
    for (const Candidate& candidate : candidates) {
        const ScribeRule& rule = rules[candidate.id];
        if (rule.left.Count() > bestL ||
            (rule.left.Count() == bestL && rule.wildcardCount < bestW)) {
            bestL = rule.left.Count();
            bestW = rule.wildcardCount;
        }
    }
    const auto worse = [&](const Candidate& candidate) {
        const ScribeRule& rule = rules[candidate.id];
        return rule.left.Count() != bestL || rule.wildcardCount != bestW;
    };
    candidates.erase(std::remove_if(candidates.begin(), candidates.end(), worse), candidates.end());
    for (const Candidate& candidate : candidates)
        engine_.used[candidate.id] = 1;
}

} // namespace

std::int32_t TransCriber::TranscribePlainly(const Symbol* input, std::uint32_t n,
                                            SymbolCollection*& variants, std::int32_t& count) {
    if (n == 0) {
        variants = nullptr;
        count = 0;
        return 1;
    }
    Generation finished = PlainRun(*this, input, n).Execute();
    const std::int32_t found = static_cast<std::int32_t>(finished.size());
    auto* result = new SymbolCollection[static_cast<std::size_t>(found)];
    for (std::int32_t k = 0; k < found; ++k) {
        SymbolCollection& out = result[k];
        out.SetSorted(false);
        CopyExactlyInto(out, finished[static_cast<std::size_t>(k)]->out);
        for (std::int32_t i = 0; i < out.Count(); ++i)
            if (codes::IsWideLiteral(out[i].code)) out[i].code &= 0xFFFFu;
    }
    variants = result;
    count = found;
    for (std::int32_t k = 0; k < found; ++k)
        copiedSymbols += static_cast<std::uint64_t>(result[k].Count());
    if (traceOn) WriteTrace(traceFile);
    return 1;
}
