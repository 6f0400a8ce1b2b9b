#include "engine/SymbolCodes.h"
#include "engine/WorkingSets.h"
#include "rules/TransCriber.h"

#include <cstring>

Symbol codes::Marker(std::uint32_t code, const char* value) {
    Symbol s(code);
    if (value) s.AddParam("beg", value);
    return s;
}

namespace {

// One run of the engine over an input sequence.
class Run {
public:
    Run(TransCriber& engine, const Symbol* input, std::uint32_t n)
        : engine_(engine), input_(input), n_(n), begin_(codes::Marker(codes::WordStart, "beg")),
          end_(codes::Marker(codes::WordEnd, "end")), gap_(codes::Marker(codes::Gap, "prom")),
          placeholder_(codes::Placeholder), final_(codes::WordEnd), cap_(engine.VariantCap(n)),
          startComparisons_(engine.comparisons) {}

    SymbolCollection* Execute(std::int32_t& count);

private:
    bool Step(std::int32_t v);
    // The last candidate of a step takes the variant itself instead of a copy.
    void ApplyRule(std::uint32_t id, std::uint32_t start, SymbolCollection& variant,
                   std::uint32_t p, bool variantKeyless, bool takeVariant);
    void Resolve(const ScribeRule& rule, const Symbol& reference, std::uint32_t offset,
                 std::uint32_t p, SymbolCollection& out, std::int32_t& held, std::int32_t& j);

    TransCriber& engine_;
    const Symbol* input_;
    std::uint32_t n_;
    WorkingSets ws_;
    Symbol begin_, end_, gap_, placeholder_, final_;
    // Work spent on rule selection so far, against the engine's comparisonLimit.
    std::uint64_t Work() const { return engine_.comparisons - startComparisons_; }

    std::int32_t cap_; // most variants this run keeps
    std::uint64_t startComparisons_;
};

SymbolCollection* Run::Execute(std::int32_t& count) {
    if (engine_.traceOn) {
        Text line;
        for (std::uint32_t i = 0; i < n_; ++i)
            line += static_cast<char>(input_[i].code & 0xFF);
        engine_.TraceLine(line);
        engine_.TraceLine("====");
    }
    ws_.seed.Add(&begin_);
    {
        std::uint32_t zero = 0;
        bool on = true;
        ws_.current->Add(&ws_.seed);
        ws_.positions.Add(&zero);
        ws_.keyless.Add(&on);
    }
    bool unfinished = true;
    while (unfinished) {
        unfinished = false;
        for (std::int32_t v = 0; v < ws_.current->Count(); ++v)
            if (Step(v)) unfinished = true;
        ws_.Swap();
    }

    const std::int32_t variants = ws_.current->Count();
    auto* result = new SymbolCollection[static_cast<std::size_t>(variants)];
    for (std::int32_t k = 0; k < variants; ++k) {
        SymbolCollection& out = result[k];
        out.SetSorted(false);
        out.Swap((*ws_.current)[k]); // the variant itself: Sorted off, Storing on
        if (out.Count() > 0 && out[out.Count() - 1].code == codes::WordStart)
            out.Delete(out.Count() - 1);
        else
            out.Add(&final_);
        for (std::int32_t i = 0; i < out.Count(); ++i)
            if (codes::IsWideLiteral(out[i].code)) out[i].code &= 0xFFFFu;
    }
    count = variants;
    if (engine_.traceOn) engine_.WriteTrace("trans.log");
    return result;
}

// One step of current variant v; returns true when the variant was unfinished.
bool Run::Step(std::int32_t v) {
    // Every entry a step appends but the last is a copy; the last takes the variant itself.
    SymbolCollection& variant = (*ws_.current)[v];
    const std::uint32_t p = ws_.positions[v];
    const bool keyless = ws_.keyless[v];
    // Past the work bound only the first variant goes on.
    if (v > 0 && Work() > engine_.comparisonLimit) return false;
    if (p >= n_) {
        ws_.MoveNext(variant, p, true);
        return false;
    }
    const std::uint32_t c = input_[p].code;
    if (codes::IsWideLiteral(c)) {
        SymbolCollection& out = ws_.MoveNext(variant, p, true);
        std::uint32_t q = p;
        while (q < n_ && codes::IsWideLiteral(input_[q].code))
            out.Add(const_cast<Symbol*>(&input_[q++]));
        ws_.nextPositions[ws_.nextPositions.Count() - 1] = q;
        return true;
    }
    if (codes::IsLiteralRunSymbol(c)) {
        SymbolCollection& out = ws_.MoveNext(variant, p, true);
        out.Add(&end_);
        std::uint32_t q = p;
        while (q < n_ && codes::IsLiteralRunSymbol(input_[q].code))
            out.Add(const_cast<Symbol*>(&input_[q++]));
        out.Add(&begin_);
        ws_.nextPositions[ws_.nextPositions.Count() - 1] = q;
        return true;
    }

    const std::uint32_t s = p > 0 ? 1 : 0;
    if (Work() <= 2 * engine_.comparisonLimit)
        engine_.SelectRules(input_ + p, static_cast<std::int32_t>(n_ - p), ws_.candidates,
                            ws_.offsets, keyless, s, &variant);
    const std::int32_t found = ws_.candidates.Count();
    if (found == 0) {
        SymbolCollection& out = ws_.MoveNext(variant, p + 1, true);
        if (c != codes::WordStart && c != codes::WordEnd) out.Add(&gap_);
        return true;
    }
    // Each remaining current variant will add at least one entry of its own.
    const std::int64_t live =
        static_cast<std::int64_t>(ws_.next->Count()) + (ws_.current->Count() - v - 1) + found;
    const std::int32_t applied = live > cap_ || Work() > engine_.comparisonLimit ? 1 : found;
    for (std::int32_t k = 0; k < applied; ++k)
        ApplyRule(ws_.candidates[k], ws_.offsets[k], variant, p, keyless, k == applied - 1);
    ws_.candidates.Clear();
    ws_.offsets.Clear();
    return true;
}

void Run::ApplyRule(std::uint32_t id, std::uint32_t start, SymbolCollection& variant,
                    std::uint32_t p, bool variantKeyless, bool takeVariant) {
    const ScribeRule& rule = engine_.rules[id];
    const std::int32_t L = rule.left.Count();
    SymbolCollection& out =
        takeVariant ? ws_.MoveNext(variant, p, true) : ws_.AddNext(variant, p, true);
    if (engine_.traceOn) engine_.TraceLine(TransCriber::RuleText(rule));

    std::int32_t held = static_cast<std::int32_t>(start);
    const std::int32_t last = rule.right.Count() - 1;
    for (std::int32_t j = 0; j < rule.right.Count(); ++j) {
        const Symbol& r = rule.right[j];
        if (!codes::IsReference(r.code)) {
            out.Add(const_cast<Symbol*>(&r));
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
            Resolve(rule, r, offset, p, out, held, j);
        }
    }

    bool keyless = true;
    if (L < held)
        held = 0;
    else if (L == 1)
        held = 0;
    else if (L == held)
        keyless = false;
    std::uint32_t position = p + static_cast<std::uint32_t>(L - held);
    // A step that holds its whole left side again with keyless rules already off would
    // repeat for ever: move on by one symbol instead.
    if (position == p && !variantKeyless) {
        position = p + 1;
        keyless = true;
    }
    ws_.nextPositions[ws_.nextPositions.Count() - 1] = position;
    ws_.nextKeyless[ws_.nextKeyless.Count() - 1] = keyless;
}

void Run::Resolve(const ScribeRule& /*rule*/, const Symbol& reference, std::uint32_t offset,
                  std::uint32_t p, SymbolCollection& out, std::int32_t& held, std::int32_t& j) {
    const std::uint64_t q = static_cast<std::uint64_t>(p) + offset;
    if (q < n_)
        engine_.SelectRules(input_ + q, static_cast<std::int32_t>(n_ - q), ws_.subCandidates,
                            ws_.subOffsets, false, 0, nullptr);
    if (ws_.subCandidates.Count() == 0) {
        out.Add(&placeholder_);
        return;
    }
    const ScribeRule& sub = engine_.rules[ws_.subCandidates[0]];
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
                    out.Add(&placeholder_);
            } else {
                Symbol copy(u);
                TransCriber::MergeParams(copy.params, reference.params);
                out.Add(&copy);
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
    ws_.subCandidates.Clear();
    ws_.subOffsets.Clear();
}

} // namespace

std::int32_t TransCriber::TranscribeSymbols(const Symbol* input, std::uint32_t n,
                                            SymbolCollection*& variants, std::int32_t& count) {
    if (n == 0) {
        variants = nullptr;
        count = 0;
        return 1;
    }
    Run run(*this, input, n);
    variants = run.Execute(count);
    return 1;
}

void TransCriber::MergeParams(SmbParamCollection& target, const SmbParamCollection& source) {
    for (std::int32_t i = 0; i < source.Count(); ++i) {
        const SmbParams& p = source[i];
        bool replaced = false;
        for (std::int32_t k = 0; k < target.Count(); ++k) {
            SmbParams& t = target[k];
            if (std::strcmp(t.name, p.name) == 0) {
                std::strcpy(t.value, p.value);
                replaced = true;
                break;
            }
        }
        if (!replaced) target.Add(const_cast<SmbParams*>(&p));
    }
}
