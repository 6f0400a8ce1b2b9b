#include "engine/WorkingSets.h"

#include <algorithm>

#include "engine/SymbolCodes.h"
#include "engine/TransCriber.h"

namespace {

// Outputs longer than this many symbols are not kept for later runs.
constexpr std::size_t kKeptOutput = std::size_t{1} << 16;
// Nor are more spare variants than the variant cap, or more merged symbols than this.
constexpr std::size_t kKeptVariants = TransCriber::MaxVariants;
constexpr std::size_t kKeptMerged = 4096;
// The variants' outputs keep at most this many pointers (32 MB) from run to run. They are
// counted after a run that held many, and after every kTrimEvery runs, so that what smaller
// runs add in between stays small too.
constexpr std::size_t kKeptPointers = std::size_t{1} << 22;
constexpr std::size_t kManyPointers = std::size_t{1} << 14;
constexpr std::uint32_t kTrimEvery = 64;
// Per-position buffers longer than this are given back after the run.
constexpr std::size_t kKeptPositions = std::size_t{1} << 16;
// While long runs keep coming (the last of them fewer than kTrimEvery runs ago), each would
// make its buffers again: outputs and per-position buffers up to these sizes stay.
constexpr std::size_t kLongOutput = std::size_t{1} << 20;
constexpr std::size_t kLongPositions = std::size_t{1} << 20;

template <class T> void GiveBackIfLarge(std::vector<T>& buffer, std::size_t kept) {
    if (buffer.capacity() > kept) std::vector<T>().swap(buffer);
}

} // namespace

void Generation::Trim(std::size_t limit, std::size_t& budget) {
    if (slots_.size() > kKeptVariants) slots_.resize(kKeptVariants);
    for (Variant& v : slots_) {
        const std::size_t kept = v.out.capacity();
        if (kept > limit || kept > budget)
            std::vector<const Symbol*>().swap(v.out);
        else
            budget -= kept;
    }
}

Symbol& SymbolPool::Fresh() {
    if (used_ == symbols_.size()) symbols_.emplace_back();
    return symbols_[used_++];
}

const Symbol* SymbolPool::Normalized(const Symbol* s) {
    const Key key(s, nullptr);
    const auto found = normalized_.find(key);
    if (found != normalized_.end()) return found->second;
    Symbol& made = Fresh();
    made = *s;
    normalized_.emplace(key, &made);
    return &made;
}

const Symbol* SymbolPool::Merged(const Symbol* u, const Symbol* reference) {
    const Key key(u, reference);
    const auto found = merged_.find(key);
    if (found != merged_.end()) return found->second;
    Symbol& made = Fresh();
    made = *u;
    TransCriber::MergeParams(made.params, reference->params);
    if (!CopiesAsIs(made)) { // the variant holds a copy of the merged symbol
        SmbParamCollection copy;
        copy.Assign(made.params);
        made.params.Swap(copy);
    }
    merged_.emplace(key, &made);
    return &made;
}

const Symbol* SymbolPool::Amended(const Symbol* base, const Symbol* source) {
    const Key key(base, source);
    const auto found = amended_.find(key);
    if (found != amended_.end()) return found->second;
    Symbol& made = Fresh();
    CopyExactly(made, *base);
    TransCriber::MergeParams(made.params, source->params);
    if (!CopiesAsIs(made)) ++unordered_;
    amended_.emplace(key, &made);
    return &made;
}

void SymbolPool::Reset() {
    used_ = 0;
    unordered_ = 0;
    // Clearing a map costs its buckets even when it is empty.
    if (!normalized_.empty()) normalized_.clear();
    if (!merged_.empty()) merged_.clear();
    if (!amended_.empty()) amended_.clear();
}

void SymbolPool::Trim(std::size_t keep) {
    Reset();
    if (symbols_.size() > keep) symbols_.resize(keep);
}

WorkingSets::WorkingSets()
    : begin(codes::Marker(codes::WordStart, "beg")), end(codes::Marker(codes::WordEnd, "end")),
      gap(codes::Marker(codes::Gap, "prom")), placeholder(codes::Placeholder),
      final(codes::WordEnd) {}

Variant& WorkingSets::CopyNext(const Variant& variant, std::uint32_t position, bool keyless) {
    Variant& copy = next.Append();
    if (pool.HasUnordered()) {
        // Copying a variant copies each of its symbols.
        copy.out.reserve(variant.out.size());
        for (const Symbol* s : variant.out)
            copy.out.push_back(pool.Copy(s));
    } else {
        copy.out.assign(variant.out.begin(), variant.out.end());
    }
    copy.position = position;
    copy.keyless = keyless;
    copy.preference = variant.preference;
    return copy;
}

Variant& WorkingSets::MoveNext(Variant& variant, std::uint32_t position, bool keyless) {
    Variant& moved = next.Append();
    moved.out.swap(variant.out);
    moved.position = position;
    moved.keyless = keyless;
    moved.preference = variant.preference;
    return moved;
}

void WorkingSets::Swap() {
    current.Clear();
    std::swap(current, next);
}

void WorkingSets::Start() {
    current.Clear();
    next.Clear();
    candidates.clear();
    subCandidates.clear();
    pool.Reset();
    Variant& first = current.Append();
    first.out.push_back(&begin);
    first.position = 0;
    first.keyless = true;
    first.preference = 0;
}

void WorkingSets::Trim() {
    // Only a run that needed much memory leaves any to give back. Outputs only grow during a
    // run, so the finished variants are the longest it made.
    std::size_t longest = 0;
    std::size_t held = 0;
    for (std::int32_t k = 0; k < current.Count(); ++k) {
        longest = std::max(longest, current[k].out.size());
        held += current[k].out.size();
    }
    const bool longRun = 2 * longest > kKeptOutput || facts.size() > kKeptPositions;
    bool longEnded = false;
    if (longRun)
        runsSinceLong = 0;
    else if (runsSinceLong < kTrimEvery && ++runsSinceLong == kTrimEvery)
        longEnded = true;
    const bool keepLong = runsSinceLong < kTrimEvery;
    if (longRun || longEnded || held > kManyPointers || current.Slots() > kKeptVariants ||
        next.Slots() > kKeptVariants || ++runsSinceTrim >= kTrimEvery) {
        std::size_t budget = kKeptPointers;
        const std::size_t limit = keepLong ? kLongOutput : kKeptOutput;
        current.Trim(limit, budget);
        next.Trim(limit, budget);
        runsSinceTrim = 0;
    }
    const std::size_t positions = keepLong ? kLongPositions : kKeptPositions;
    GiveBackIfLarge(facts, positions);
    GiveBackIfLarge(inputs, positions);
    GiveBackIfLarge(scanAt, keepLong ? 4 * kLongPositions : kKeptPositions);
    GiveBackIfLarge(scanned, positions);
    GiveBackIfLarge(scannedCandidates, positions);
    GiveBackIfLarge(candidates, positions);
    GiveBackIfLarge(subCandidates, positions);
    pool.Trim(kKeptMerged);
}
