#include "engine/RuleIndex.h"

#include "engine/TransCriber.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

// Scans remembered at most, and the key words and candidates they may hold together; past
// either they are all forgotten and gathered again. Rules with very long left sides make long
// keys, and many tied rules long candidate lists.
constexpr std::size_t kKeptScans = std::size_t{1} << 16;
constexpr std::size_t kKeptHeld = std::size_t{1} << 21;
// Parameter sets told apart at most; past this many both tables start again.
constexpr std::size_t kKeptGroups = std::size_t{1} << 14;

// Whether two pattern symbols are the same: code, and parameters in the same order.
bool SamePattern(const Symbol& a, const Symbol& b) {
    if (a.code != b.code || a.params.Count() != b.params.Count()) return false;
    for (std::int32_t k = 0; k < a.params.Count(); ++k)
        if (!(a.params[k] == b.params[k])) return false;
    return true;
}

// Whether a parameter set is in the order ContainsAll's merge walk needs, with no pair twice.
bool StrictlyOrdered(const SmbParamCollection& params) {
    for (std::int32_t i = 1; i < params.Count(); ++i)
        if (params[i - 1].Compare(params[i]) >= 0) return false;
    return true;
}

// Sorts the pairs, drops repeats and keeps the first 63 (the bits of a mask).
void SortedPairs(std::vector<SmbParams>& pairs) {
    std::sort(pairs.begin(), pairs.end(),
              [](const SmbParams& a, const SmbParams& b) { return a < b; });
    pairs.erase(std::unique(pairs.begin(), pairs.end(),
                            [](const SmbParams& a, const SmbParams& b) { return a == b; }),
                pairs.end());
    if (pairs.size() > 63) pairs.resize(63);
}

// The bits of the pairs a rule symbol requires; byText when a mask cannot decide (a pair
// without a bit, or a set out of order or with a pair twice).
template <class Bits>
std::uint64_t RequiredBits(const Bits& pairs, const SmbParamCollection& params, bool& byText) {
    byText = !StrictlyOrdered(params);
    std::uint64_t mask = 0;
    for (std::int32_t k = 0; k < params.Count() && !byText; ++k) {
        const std::int32_t bit = pairs.BitOf(params[k]);
        if (bit < 0)
            byText = true;
        else
            mask |= std::uint64_t{1} << bit;
    }
    return mask;
}

} // namespace

std::uint32_t RuleIndex::PairBits::Hash(const SmbParams& pair) {
    // Over the texts up to their NULs, as equality reads them.
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < SmbParams::NameSize && pair.name[i] != 0; ++i)
        h = (h ^ static_cast<unsigned char>(pair.name[i])) * 16777619u;
    h = (h ^ 0xFFu) * 16777619u;
    for (std::size_t i = 0; i < SmbParams::ValueSize && pair.value[i] != 0; ++i)
        h = (h ^ static_cast<unsigned char>(pair.value[i])) * 16777619u;
    return h ^ (h >> 15);
}

void RuleIndex::PairBits::Assign(std::vector<SmbParams>& pairs) {
    SortedPairs(pairs);
    pairs_ = pairs;
    slots_.fill(0);
    for (std::size_t bit = 0; bit < pairs_.size(); ++bit) {
        std::size_t i = Hash(pairs_[bit]) & 0xFFu;
        while (slots_[i] != 0)
            i = (i + 1) & 0xFFu;
        slots_[i] = static_cast<std::int8_t>(bit + 1);
    }
}

std::int32_t RuleIndex::PairBits::BitOf(const SmbParams& pair) const {
    if (pairs_.empty()) return -1;
    for (std::size_t i = Hash(pair) & 0xFFu;; i = (i + 1) & 0xFFu) {
        const std::int32_t bit = slots_[i] - 1;
        if (bit < 0) return -1;
        if (pairs_[static_cast<std::size_t>(bit)].Compare(pair) == 0) return bit;
    }
}

std::uint64_t RuleIndex::PairsMask(const PairBits& pairs, const SmbParamCollection& params) {
    // The merge walk of ContainsAll reads a set out of order differently from a bit test.
    for (std::int32_t i = 1; i < params.Count(); ++i)
        if (params[i - 1].Compare(params[i]) > 0) return ByText;
    std::uint64_t mask = 0;
    for (std::int32_t k = 0; k < params.Count(); ++k) {
        const std::int32_t bit = pairs.BitOf(params[k]);
        if (bit >= 0) mask |= std::uint64_t{1} << bit;
    }
    return mask;
}

bool RuleIndex::Refresh(const TransCriber& engine) {
    if (engine_ == &engine && rules_ == engine.rules && ruleCount_ == engine.ruleCount &&
        version_ == engine.RuleSetVersion())
        return false;
    engine_ = &engine;
    rules_ = engine.rules;
    ruleCount_ = engine.ruleCount;
    version_ = engine.RuleSetVersion();

    const std::int32_t N = engine.ruleCount > 0 ? engine.ruleCount : 0;
    // The distinct pairs of all left sides, sorted; the first 63 get a bit each.
    std::vector<SmbParams> pairs;
    for (std::int32_t r = 0; r < N; ++r) {
        const SymbolCollection& left = engine.rules[r].left;
        for (std::int32_t i = 0; i < left.Count(); ++i)
            for (std::int32_t k = 0; k < left[i].params.Count(); ++k)
                pairs.push_back(left[i].params[k]);
    }
    pairBits_.Assign(pairs);

    byKey_.clear();
    for (KeyInfo& info : smallKeys_)
        info.extent.reset();
    for (std::uint32_t c = 0; c < 256; ++c) {
        const std::uint32_t* first = std::lower_bound(engine.keys, engine.keys + N, c > 0 ? c : 1u);
        firstKeyed_[c] = static_cast<std::int32_t>(first - engine.keys);
    }
    ClearGroups(); // their masks name the old pairs
    scans_.Clear();

    patterns_.clear();
    starts_.assign(static_cast<std::size_t>(N), 0);
    counts_.assign(static_cast<std::size_t>(N), 0);
    shared_.assign(static_cast<std::size_t>(N), 0);
    // Context conditions, with a mask over their own pairs.
    pairs.clear();
    for (std::int32_t r = 0; r < N; ++r) {
        const SymbolCollection& context = engine.rules[r].context;
        for (std::int32_t x = 0; x < context.Count(); ++x)
            for (std::int32_t k = 0; k < context[x].params.Count(); ++k)
                pairs.push_back(context[x].params[k]);
    }
    contextBits_.Assign(pairs);
    conditions_.clear();
    conditionStarts_.assign(static_cast<std::size_t>(N) + 1, 0);
    for (std::int32_t r = 0; r < N; ++r) {
        conditionStarts_[static_cast<std::size_t>(r)] =
            static_cast<std::uint32_t>(conditions_.size());
        const SymbolCollection& context = engine.rules[r].context;
        for (std::int32_t x = 0; x < context.Count(); ++x) {
            const Symbol& condition = context[x];
            Condition c{condition.code, false, 0, &condition};
            c.mask = RequiredBits(contextBits_, condition.params, c.byText);
            conditions_.push_back(c);
        }
    }
    conditionStarts_[static_cast<std::size_t>(N)] = static_cast<std::uint32_t>(conditions_.size());
    ForgetHistory();
    // The symbols of right sides are written into outputs as they are: their masks stay.
    for (HistoryEntry& entry : history_)
        entry = HistoryEntry();
    stable_.assign(64, StableMask());
    stableShift_ = 58;
    stableCount_ = 0;
    for (std::int32_t r = 0; r < N; ++r) {
        const SymbolCollection& right = engine.rules[r].right;
        for (std::int32_t j = 0; j < right.Count(); ++j)
            KeepHistoryMask(&right[j]);
    }
    rightAsIs_.assign(static_cast<std::size_t>(N), 1);
    for (std::int32_t r = 0; r < N; ++r) {
        const SymbolCollection& right = engine.rules[r].right;
        for (std::int32_t j = 0; j < right.Count(); ++j)
            if (!CopiesAsIs(right[j])) rightAsIs_[static_cast<std::size_t>(r)] = 0;
    }
    for (std::int32_t r = 1; r < N; ++r) {
        const SymbolCollection& a = engine.rules[r - 1].left;
        const SymbolCollection& b = engine.rules[r].left;
        std::int32_t i = 0;
        while (i < a.Count() && i < b.Count() && SamePattern(a[i], b[i]))
            ++i;
        shared_[static_cast<std::size_t>(r)] = i;
    }
    for (std::int32_t r = 0; r < N; ++r) {
        const SymbolCollection& left = engine.rules[r].left;
        starts_[static_cast<std::size_t>(r)] = patterns_.size();
        counts_[static_cast<std::size_t>(r)] = left.Count();
        for (std::int32_t i = 0; i < left.Count(); ++i) {
            const Symbol& s = left[i];
            Pattern p{s.code, false, 0, &s};
            p.mask = RequiredBits(pairBits_, s.params, p.byText);
            patterns_.push_back(p);
        }
    }
    return true;
}

std::uint64_t RuleIndex::MaskOf(const SmbParamCollection& params) const {
    return PairsMask(pairBits_, params);
}

bool RuleIndex::SameBytes(std::int32_t group, const SmbParamCollection& params) const {
    constexpr std::size_t pairBytes = SmbParams::NameSize + SmbParams::ValueSize;
    const std::uint32_t from = groupAt_[static_cast<std::size_t>(group)];
    const std::uint32_t to = groupAt_[static_cast<std::size_t>(group) + 1];
    if (to - from != static_cast<std::size_t>(params.Count()) * pairBytes) return false;
    const char* at = groupBytes_.data() + from;
    for (std::int32_t k = 0; k < params.Count(); ++k, at += pairBytes)
        if (std::memcmp(at, params[k].name, SmbParams::NameSize) != 0 ||
            std::memcmp(at + SmbParams::NameSize, params[k].value, SmbParams::ValueSize) != 0)
            return false;
    return true;
}

std::int32_t RuleIndex::FindGroup(const SmbParamCollection& params, std::uint64_t hash) const {
    const std::size_t mask = groupSlots_.size() - 1;
    for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
        const GroupSlot& slot = groupSlots_[i];
        if (slot.group < 0) return -1;
        if (slot.hash == hash && SameBytes(slot.group, params)) return slot.group;
    }
}

void RuleIndex::ClearGroups() {
    for (GroupSlot& slot : groupSlots_)
        slot = GroupSlot();
    groupBytes_.clear();
    groupAt_.assign(1, 0);
    groupFacts_.clear();
    lastGroup_ = -1;
    ++groupsEpoch_;
}

InputFacts RuleIndex::Facts(const SmbParamCollection& params) {
    // Told apart by their bytes as stored: equal sets stored differently are two groups, which
    // only means that their scans are remembered twice.
    // Neighbouring symbols mostly have the same set: compare with the last one first.
    if (lastGroup_ >= 0 && SameBytes(lastGroup_, params))
        return groupFacts_[static_cast<std::size_t>(lastGroup_)];
    std::uint64_t hash = KeySeed(static_cast<std::size_t>(params.Count()));
    for (std::int32_t k = 0; k < params.Count(); ++k) {
        const SmbParams& pair = params[k];
        std::uint64_t words[5] = {};
        std::memcpy(words, pair.name, SmbParams::NameSize);
        std::memcpy(reinterpret_cast<char*>(words) + SmbParams::NameSize, pair.value,
                    SmbParams::ValueSize);
        for (const std::uint64_t word : words)
            hash = KeyMix(hash, word);
    }
    std::int32_t group = FindGroup(params, hash);
    if (group < 0) {
        group = static_cast<std::int32_t>(groupFacts_.size());
        for (std::int32_t k = 0; k < params.Count(); ++k) {
            const SmbParams& pair = params[k];
            groupBytes_.insert(groupBytes_.end(), pair.name, pair.name + SmbParams::NameSize);
            groupBytes_.insert(groupBytes_.end(), pair.value, pair.value + SmbParams::ValueSize);
        }
        groupAt_.push_back(static_cast<std::uint32_t>(groupBytes_.size()));
        groupFacts_.push_back(InputFacts{MaskOf(params), 0, static_cast<std::uint32_t>(group)});
        if (groupFacts_.size() * 2 > groupSlots_.size()) {
            // Grown, and every group placed again.
            std::vector<GroupSlot> slots(groupSlots_.size() * 2);
            const std::size_t mask = slots.size() - 1;
            for (const GroupSlot& old : groupSlots_) {
                if (old.group < 0) continue;
                std::size_t i = static_cast<std::size_t>(old.hash) & mask;
                while (slots[i].group >= 0)
                    i = (i + 1) & mask;
                slots[i] = old;
            }
            groupSlots_.swap(slots);
        }
        const std::size_t mask = groupSlots_.size() - 1;
        std::size_t i = static_cast<std::size_t>(hash) & mask;
        while (groupSlots_[i].group >= 0)
            i = (i + 1) & mask;
        groupSlots_[i] = {hash, group};
    }
    lastGroup_ = group;
    return groupFacts_[static_cast<std::size_t>(group)];
}

void RuleIndex::StartRun() {
    if (groupFacts_.size() < kKeptGroups) return;
    ClearGroups();
    scans_.Clear(); // their keys name groups that are gone
}

std::uint64_t RuleIndex::Key(const InputFacts* facts, std::int32_t from, std::int32_t to,
                             bool keyless, std::uint32_t s) {
    // One word for the flags and the extent, one for each symbol's code and group.
    const std::int32_t count = to > from ? to - from : 0;
    const std::uint64_t header = static_cast<std::uint64_t>(keyless) | std::uint64_t{s} << 1 |
                                 static_cast<std::uint64_t>(static_cast<std::uint32_t>(to)) << 32;
    key_.resize(1 + static_cast<std::size_t>(count));
    key_[0] = header;
    for (std::int32_t i = 0; i < count; ++i)
        key_[1 + static_cast<std::size_t>(i)] = facts[from + i].Word();
    return KeyHash(header, facts + from, count);
}

void RuleIndex::AddStable(const Symbol* symbol) {
    const auto place = [this](const StableMask& kept) {
        std::size_t i = StableSlot(kept.symbol);
        while (stable_[i].symbol)
            i = (i + 1) & (stable_.size() - 1);
        stable_[i] = kept;
    };
    if ((stableCount_ + 1) * 2 > stable_.size()) {
        std::vector<StableMask> old(stable_.size() * 2);
        old.swap(stable_);
        --stableShift_;
        for (const StableMask& kept : old)
            if (kept.symbol) place(kept);
    }
    place({symbol, PairsMask(contextBits_, symbol->params)});
    ++stableCount_;
}

const RuleIndex::Scan* RuleIndex::FindScan(const InputFacts* facts, std::int32_t a, bool keyless,
                                           std::uint32_t s) {
    const KeyInfo* known = FindInfo(facts[0].code);
    const std::int32_t extent = known ? known->Of(Second(facts, a)) : 0;
    if (extent == 0) return nullptr;
    // The key's words are compared where they are, not written out.
    const std::int32_t from = keyless ? -static_cast<std::int32_t>(s) : 0;
    const std::int32_t to = std::min(a, extent);
    if (const std::uint64_t packed = PackedKey(facts, from, to, keyless, s))
        return scans_.FindPacked(packed);
    const std::int32_t count = to > from ? to - from : 0;
    const std::uint64_t header = static_cast<std::uint64_t>(keyless) | std::uint64_t{s} << 1 |
                                 static_cast<std::uint64_t>(static_cast<std::uint32_t>(to)) << 32;
    return scans_.Find(KeyHash(header, facts + from, count), header, facts + from, count);
}

void RuleIndex::KeepScan(const InputFacts* facts, std::int32_t a, bool keyless, std::uint32_t s,
                         std::int32_t extent, Scan scan) {
    if (scans_.Size() >= kKeptScans || scans_.Held() >= kKeptHeld) scans_.Clear();
    // The first symbol is always read: the scan starts at its code's rules.
    std::int32_t& longest = Info(facts[0].code).For(Second(facts, a));
    longest = std::max({longest, extent, 1});
    const std::int32_t from = keyless ? -static_cast<std::int32_t>(s) : 0;
    const std::int32_t to = std::min(a, longest);
    if (const std::uint64_t packed = PackedKey(facts, from, to, keyless, s)) {
        scans_.InsertPacked(packed, std::move(scan));
        return;
    }
    const std::uint64_t hash = Key(facts, from, to, keyless, s);
    scans_.Insert(key_, hash, std::move(scan));
}

RuleIndex::ScanTable::Slot& RuleIndex::ScanTable::FreeSlot(std::size_t index) {
    if ((scans_.size() + 1) * 2 > slots_.size()) Grow();
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = index & mask;
    while (slots_[i].scan >= 0)
        i = (i + 1) & mask;
    return slots_[i];
}

void RuleIndex::ScanTable::Insert(const std::vector<std::uint64_t>& key, std::uint64_t hash,
                                  Scan scan) {
    const auto same = [&key](const std::uint64_t* stored) {
        return std::equal(key.begin(), key.end(), stored);
    };
    if (Find(key.size(), hash, same)) return;
    FreeSlot(static_cast<std::size_t>(hash)) = {hash, static_cast<std::uint32_t>(words_.size()),
                                                static_cast<std::uint32_t>(key.size()),
                                                static_cast<std::int32_t>(scans_.size())};
    words_.insert(words_.end(), key.begin(), key.end());
    candidates_ += scan.candidates.size();
    scans_.push_back(std::move(scan));
}

void RuleIndex::ScanTable::InsertPacked(std::uint64_t packed, Scan scan) {
    if (FindPacked(packed)) return;
    FreeSlot(PackedIndex(packed)) = {packed, 0, 0, static_cast<std::int32_t>(scans_.size())};
    candidates_ += scan.candidates.size();
    scans_.push_back(std::move(scan));
}

void RuleIndex::ScanTable::Grow() {
    std::vector<Slot> old(slots_.empty() ? 64 : slots_.size() * 2);
    old.swap(slots_);
    const std::size_t mask = slots_.size() - 1;
    for (const Slot& slot : old) {
        if (slot.scan < 0) continue;
        std::size_t i =
            (slot.length == 0 ? PackedIndex(slot.hash) : static_cast<std::size_t>(slot.hash)) &
            mask;
        while (slots_[i].scan >= 0)
            i = (i + 1) & mask;
        slots_[i] = slot;
    }
}

void RuleIndex::ScanTable::Clear() {
    slots_.clear();
    words_.clear();
    scans_.clear();
    candidates_ = 0;
}
