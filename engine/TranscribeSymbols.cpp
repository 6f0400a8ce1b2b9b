#include "engine/SymbolCodes.h"
#include "engine/TransCriber.h"
#include "engine/WorkingSets.h"

#include <cstring>

Symbol codes::Marker(std::uint32_t code, const char* value) {
    Symbol s(code);
    if (value) s.AddParam("beg", value);
    return s;
}

namespace {

// One run of the engine over an input sequence. The variants live in the engine's working
// sets; after Execute the current generation holds the finished variants, each already ending
// as it is handed back (trailing begin marker removed, or final marker added).
class Run {
public:
    Run(TransCriber& engine, WorkingSets& ws, const Symbol* input, std::uint32_t n,
        const Symbol* const* origins = nullptr, std::uint64_t originsVersion = 0)
        : engine_(engine), ws_(ws), input_(input), origins_(origins),
          originsVersion_(originsVersion), n_(n), cap_(engine.VariantCap(n)),
          startComparisons_(engine.comparisons), limit_(engine.RunComparisonLimit(n)),
          outputLimit_(engine.OutputLimit(n)) {}

    void Execute();

private:
    bool Step(std::int32_t v);
    // The entry of the next generation for what variant becomes at position: the variant
    // moved there, or the variant itself while a lone variant goes on in place (inPlace_).
    Variant& Carry(Variant& variant, std::uint32_t position, bool keyless) {
        if (!inPlace_) return ws_.MoveNext(variant, position, keyless);
        variant.position = position;
        variant.keyless = keyless;
        return variant;
    }
    // The last candidate of a step takes the variant itself instead of a copy.
    void ApplyRule(const Candidate& candidate, Variant& variant, std::uint32_t p, bool takeVariant);
    void Resolve(const Symbol& reference, std::uint32_t offset, std::uint32_t p,
                 std::vector<const Symbol*>& out, std::int32_t& held, std::int32_t& j);

    // The scan of the rules at position q (as ScanCandidates makes it) into candidates,
    // made once per position and flags in a run.
    void Scan(std::uint32_t q, bool keyless, std::uint32_t s, std::vector<Candidate>& candidates);

    // The place of candidates[k] among candidates[0..applied) in the order the rules were
    // written: how many of them were written before it.
    std::uint32_t WrittenPlace(const std::vector<Candidate>& candidates, std::int32_t k,
                               std::int32_t applied) const;

    // Work spent on rule selection so far, against the run's limit_.
    std::uint64_t Work() const { return engine_.comparisons - startComparisons_; }
    // Past either bound only the first variant goes on, without forking.
    bool Bounded() const { return overOutput_ || Work() > limit_; }
    // Sets overOutput_ once the current variants hold more than the engine's OutputLimit().
    void CheckOutput();

    TransCriber& engine_;
    WorkingSets& ws_;
    // Input symbol i: origins_[i] where there is one, else input_[i].
    const Symbol& Input(std::uint32_t i) const {
        return origins_ && origins_[i] ? *origins_[i] : input_[i];
    }
    const Symbol* input_;
    const Symbol* const* origins_;
    const Symbol* const* in_ = nullptr; // &Input(i) for each i, once Execute has begun
    std::uint64_t originsVersion_;
    std::uint32_t n_;
    std::int32_t cap_; // most variants this run keeps
    std::uint64_t startComparisons_;
    std::uint64_t limit_;     // the engine's comparison limit for this input
    std::size_t outputLimit_; // the engine's output limit for this input
    bool overOutput_ = false;
    // A lone current variant's steps that do not fork leave it where it is, instead of
    // moving it to the next generation and back: the same variant, without the bookkeeping.
    bool inPlace_ = false;
};

std::uint32_t Run::WrittenPlace(const std::vector<Candidate>& candidates, std::int32_t k,
                                std::int32_t applied) const {
    const std::vector<std::uint32_t>& at = engine_.writtenAt;
    const std::uint32_t mine = candidates[static_cast<std::size_t>(k)].id;
    if (mine >= at.size()) return 0;
    std::uint32_t place = 0;
    for (std::int32_t j = 0; j < applied; ++j) {
        const std::uint32_t other = candidates[static_cast<std::size_t>(j)].id;
        if (other < at.size() && at[other] < at[mine]) ++place;
    }
    return place;
}

void Run::CheckOutput() {
    std::size_t total = 0;
    for (std::int32_t k = 0; k < ws_.current.Count(); ++k)
        total += ws_.current[k].out.size();
    overOutput_ = total > outputLimit_;
}

void Run::Execute() {
    if (engine_.traceOn) {
        Text line;
        for (std::uint32_t i = 0; i < n_; ++i)
            line += static_cast<char>(Input(i).code & 0xFF);
        engine_.TraceLine(line);
        engine_.TraceLine("====");
    }
    engine_.lastRun = TransCriber::RunReport();
    ws_.Start();
    ws_.index.StartRun();
    ws_.facts.resize(n_);
    ws_.inputs.resize(n_);
    for (std::uint32_t i = 0; i < n_; ++i) {
        const Symbol& symbol = Input(i);
        ws_.inputs[i] = &symbol;
        ws_.facts[i] = origins_ && origins_[i] ? ws_.index.FactsOf(symbol, originsVersion_)
                                               : ws_.index.Facts(symbol);
    }
    in_ = ws_.inputs.data();
    ws_.scanAt.assign(4 * static_cast<std::size_t>(n_), -1);
    ws_.scanned.clear();
    ws_.scannedCandidates.clear();
    bool unfinished = true;
    while (unfinished) {
        unfinished = false;
        if (ws_.current.Count() == 1) {
            inPlace_ = true;
            unfinished = Step(0);
            const bool stayed = inPlace_;
            inPlace_ = false;
            if (stayed) {
                const std::size_t held = ws_.current[0].out.size();
                if (unfinished && !overOutput_) overOutput_ = held > outputLimit_;
                continue;
            }
        } else {
            for (std::int32_t v = 0; v < ws_.current.Count(); ++v)
                if (Step(v)) unfinished = true;
        }
        ws_.Swap();
        if (unfinished && !overOutput_) CheckOutput();
    }
    for (std::int32_t k = 0; k < ws_.current.Count(); ++k) {
        std::vector<const Symbol*>& out = ws_.current[k].out;
        if (!out.empty() && out.back()->code == codes::WordStart)
            out.pop_back();
        else
            out.push_back(&ws_.final);
    }
    engine_.lastRun.overOutput = overOutput_;
}

// One step of current variant v; returns true when the variant was unfinished.
bool Run::Step(std::int32_t v) {
    // Every entry a step appends but the last is a copy; the last takes the variant itself.
    Variant& variant = ws_.current[v];
    const std::uint32_t p = variant.position;
    // Past a bound only the first variant goes on; it ends once it alone holds too much.
    if (v > 0 && Bounded()) return false;
    if (p >= n_ || (overOutput_ && variant.out.size() > outputLimit_)) {
        Carry(variant, p >= n_ ? p : n_, true);
        return false;
    }
    const std::uint32_t c = in_[p]->code;
    if (codes::IsWideLiteral(c)) {
        Variant& next = Carry(variant, p, true);
        std::uint32_t q = p;
        while (q < n_ && codes::IsWideLiteral(in_[q]->code))
            next.out.push_back(ws_.pool.Copy(in_[q++]));
        next.position = q;
        return true;
    }
    if (codes::IsLiteralRunSymbol(c)) {
        Variant& next = Carry(variant, p, true);
        next.out.push_back(&ws_.end);
        std::uint32_t q = p;
        while (q < n_ && codes::IsLiteralRunSymbol(in_[q]->code))
            next.out.push_back(ws_.pool.Copy(in_[q++]));
        next.out.push_back(&ws_.begin);
        next.position = q;
        return true;
    }

    const std::uint32_t s = p > 0 ? 1 : 0;
    std::vector<Candidate>& candidates = ws_.candidates;
    if (Work() <= 2 * limit_) {
        Scan(p, variant.keyless, s, candidates);
        engine_.ChooseCandidates(candidates, variant.out.data(),
                                 static_cast<std::int32_t>(variant.out.size()));
    } else {
        engine_.lastRun.overComparisons = true;
    }
    const std::int32_t found = static_cast<std::int32_t>(candidates.size());
    if (found == 0) {
        Variant& next = Carry(variant, p + 1, true);
        if (c != codes::WordStart && c != codes::WordEnd) next.out.push_back(&ws_.gap);
        return true;
    }
    // Each remaining current variant will add at least one entry of its own.
    const std::int64_t live =
        static_cast<std::int64_t>(ws_.next.Count()) + (ws_.current.Count() - v - 1) + found;
    const std::int32_t applied = live > cap_ || Bounded() ? 1 : found;
    if (applied == 1 && inPlace_) {
        ApplyRule(candidates[0], variant, p, true);
        candidates.clear();
        return true;
    }
    inPlace_ = false; // a fork: every variant goes to the next generation
    const std::uint32_t preference = variant.preference;
    for (std::int32_t k = 0; k < applied; ++k) {
        ApplyRule(candidates[static_cast<std::size_t>(k)], variant, p, k == applied - 1);
        ws_.next[ws_.next.Count() - 1].preference =
            preference + (applied > 1 ? WrittenPlace(candidates, k, applied) : 0);
    }
    candidates.clear();
    return true;
}

void Run::Scan(std::uint32_t q, bool keyless, std::uint32_t s, std::vector<Candidate>& candidates) {
    // Worth keeping only while there are other variants to read it back.
    const bool shared = ws_.current.Count() > 1;
    std::int32_t* at =
        shared ? &ws_.scanAt[4 * static_cast<std::size_t>(q) + (keyless ? 2 : 0) + s] : nullptr;
    if (at && *at >= 0) {
        const WorkingSets::Scanned& known = ws_.scanned[static_cast<std::size_t>(*at)];
        const auto first = ws_.scannedCandidates.begin() + known.from;
        candidates.assign(first, first + known.count);
        engine_.comparisons += known.comparisons;
        return;
    }
    const std::uint64_t before = engine_.comparisons;
    engine_.ScanCandidates(in_ + q, ws_.facts.data() + q, static_cast<std::int32_t>(n_ - q),
                           candidates, keyless, s);
    if (!at) return;
    *at = static_cast<std::int32_t>(ws_.scanned.size());
    ws_.scanned.push_back({static_cast<std::uint32_t>(ws_.scannedCandidates.size()),
                           static_cast<std::uint32_t>(candidates.size()),
                           engine_.comparisons - before});
    ws_.scannedCandidates.insert(ws_.scannedCandidates.end(), candidates.begin(), candidates.end());
}

void Run::ApplyRule(const Candidate& candidate, Variant& variant, std::uint32_t p,
                    bool takeVariant) {
    const ScribeRule& rule = engine_.rules[candidate.id];
    const std::uint32_t start = candidate.offset;
    const std::int32_t L = rule.left.Count();
    const bool variantKeyless = variant.keyless;
    if (!takeVariant) engine_.copiedSymbols += variant.out.size();
    Variant& next = takeVariant ? Carry(variant, p, true) : ws_.CopyNext(variant, p, true);
    std::vector<const Symbol*>& out = next.out;
    if (engine_.traceOn) engine_.TraceLine(TransCriber::RuleText(rule));

    std::int32_t held = static_cast<std::int32_t>(start);
    const std::int32_t last = rule.right.Count() - 1;
    const bool asIs = ws_.index.RightCopiesAsIs(static_cast<std::int32_t>(candidate.id));
    for (std::int32_t j = 0; j < rule.right.Count(); ++j) {
        const Symbol& r = rule.right[j];
        if (!codes::IsReference(r.code)) {
            out.push_back(asIs ? &r : ws_.pool.Copy(&r));
            continue;
        }
        const std::uint32_t d = codes::ReferenceDigit(r.code);
        if (j == last && d != 0 && static_cast<std::int64_t>(d) == L - 1) {
            ++held;
        } else if (d == 0 && j == 0 && L != 1) {
            // The symbol written for the previous input symbol is amended: in this variant
            // only, so it is replaced by an amended copy.
            out.back() = ws_.pool.Amended(out.back(), &r);
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
    next.position = position;
    next.keyless = keyless;
}

void Run::Resolve(const Symbol& reference, std::uint32_t offset, std::uint32_t p,
                  std::vector<const Symbol*>& out, std::int32_t& held, std::int32_t& j) {
    std::vector<Candidate>& subCandidates = ws_.subCandidates;
    const std::uint64_t q = static_cast<std::uint64_t>(p) + offset;
    if (q < n_) {
        Scan(static_cast<std::uint32_t>(q), false, 0, subCandidates);
        engine_.ChooseCandidates(subCandidates, nullptr, 0);
    }
    if (subCandidates.empty()) {
        out.push_back(&ws_.placeholder);
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
                    out.push_back(&ws_.placeholder);
            } else {
                out.push_back(ws_.pool.Merged(&u, &reference));
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
    subCandidates.clear();
}

} // namespace

std::int32_t TransCriber::TranscribeSymbols(const Symbol* input, std::uint32_t n,
                                            SymbolCollection*& variants, std::int32_t& count) {
    if (plain) return TranscribePlainly(input, n, variants, count);
    if (n == 0) {
        variants = nullptr;
        count = 0;
        return 1;
    }
    WorkingSets& ws = Working();
    Run(*this, ws, input, n).Execute();

    const std::int32_t found = ws.current.Count();
    auto* result = new SymbolCollection[static_cast<std::size_t>(found)];
    for (std::int32_t k = 0; k < found; ++k) {
        const std::vector<const Symbol*>& symbols = ws.current[k].out;
        SymbolCollection& out = result[k];
        out.SetSorted(false);
        out.SetCapacity(static_cast<std::int32_t>(symbols.size()));
        Symbol blank;
        for (const Symbol* s : symbols) {
            // Each symbol exactly as the variant holds it.
            const std::int32_t at = out.Count();
            out.Insert(at, &blank);
            Symbol& copy = out[at];
            CopyExactly(copy, *s);
            if (codes::IsWideLiteral(copy.code)) copy.code &= 0xFFFFu;
        }
    }
    variants = result;
    count = found;
    for (std::int32_t k = 0; k < found; ++k)
        copiedSymbols += static_cast<std::uint64_t>(result[k].Count());
    ws.Trim();
    if (traceOn) WriteTrace(traceFile);
    return 1;
}

void TransCriber::TranscribeCodes(const Symbol* input, std::uint32_t n,
                                  std::vector<std::uint32_t>& found, std::vector<std::size_t>& ends,
                                  std::vector<std::uint32_t>* preferences,
                                  const Symbol* const* origins, std::uint64_t originsVersion) {
    found.clear();
    ends.clear();
    if (preferences) preferences->clear();
    if (n == 0) return;
    if (plain) {
        std::vector<Symbol> copies;
        if (origins) {
            copies.reserve(n);
            for (std::uint32_t i = 0; i < n; ++i)
                copies.push_back(origins[i] ? *origins[i] : input[i]);
            input = copies.data();
        }
        SymbolCollection* variants = nullptr;
        std::int32_t count = 0;
        TranscribePlainly(input, n, variants, count);
        for (std::int32_t k = 0; k < count; ++k) {
            for (std::int32_t i = 0; i < variants[k].Count(); ++i)
                found.push_back(variants[k][i].code);
            ends.push_back(found.size());
            // The plain engine keeps no preferences: every variant ranks as the first written.
            if (preferences) preferences->push_back(0);
        }
        delete[] variants;
        return;
    }
    WorkingSets& ws = Working();
    Run(*this, ws, input, n, origins, originsVersion).Execute();

    std::size_t total = 0;
    for (std::int32_t k = 0; k < ws.current.Count(); ++k)
        total += ws.current[k].out.size();
    found.resize(total);
    copiedSymbols += total;
    ends.resize(static_cast<std::size_t>(ws.current.Count()));
    std::uint32_t* code = found.data();
    for (std::int32_t k = 0; k < ws.current.Count(); ++k) {
        for (const Symbol* s : ws.current[k].out)
            *code++ = codes::IsWideLiteral(s->code) ? s->code & 0xFFFFu : s->code;
        ends[static_cast<std::size_t>(k)] = static_cast<std::size_t>(code - found.data());
        if (preferences) preferences->push_back(ws.current[k].preference);
    }
    ws.Trim();
    if (traceOn) WriteTrace(traceFile);
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
