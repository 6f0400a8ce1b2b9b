#pragma once

#include "core/Symbol.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class TransCriber;

// A rule found by rule selection with its start offset (0 or 1).
struct Candidate {
    std::uint32_t id;
    std::uint32_t offset;
};

// What rule selection needs to know of one input symbol.
struct InputFacts {
    std::uint64_t mask;  // RuleIndex::MaskOf of its parameters
    std::uint32_t code;  // its code
    std::uint32_t group; // the same number for the same parameters in the same order
    // The symbol in a remembered scan's key: code and parameters.
    std::uint64_t Word() const { return std::uint64_t{code} | std::uint64_t{group} << 32; }
};

// The left sides of a rule set in a form that rule selection compares quickly, and what rule
// scans found.
//
// Comparing: each pattern symbol has its code and its parameters as a bit mask over the
// parameter pairs that the left sides use. A comparison gives exactly what CompareAt gives; it
// reads parameter texts only when a mask cannot decide (more distinct pairs than bits, a pair
// required twice, a set out of order). Rules compared one after another (a Cursor) take over
// what they share with the rule before them.
//
// Remembering: a scan reads the input from its position on (one symbol earlier with keyless
// rules) up to some extent and nothing else, so input that agrees there (codes and parameters)
// gives the same candidates after the same number of comparisons. The scans that begin with
// the same two codes are remembered under the longest extent any of them has read so far.
class RuleIndex {
public:
    // What one scan found: its candidates, in order, and how many comparisons it made.
    struct Scan {
        std::vector<Candidate> candidates;
        std::uint64_t comparisons = 0;
    };

    // Mask bit of an input symbol whose parameters are out of order: it is compared by text.
    static constexpr std::uint64_t ByText = std::uint64_t{1} << 63;

    // Rebuilds the index when the engine's rule set is not the one it was built for; true when
    // it did.
    bool Refresh(const TransCriber& engine);

    // Whether the context conditions of rules[id] hold on the output history[0..h) (as
    // FilterByContext tests them). The parameters of the history's symbols are looked at
    // once for each symbol until ForgetHistory: they must not change in between.
    bool ContextHolds(std::int32_t id, const Symbol* const* history, std::int32_t h) {
        const std::uint32_t last = static_cast<std::uint32_t>(h - 1);
        const Condition* c = conditions_.data() + conditionStarts_[static_cast<std::size_t>(id)];
        const Condition* end =
            conditions_.data() + conditionStarts_[static_cast<std::size_t>(id) + 1];
        for (; c != end; ++c) {
            if (last < c->distance) return false;
            if (c->mask == 0 && !c->byText) continue; // nothing required
            const Symbol* written = history[last - c->distance];
            const std::uint64_t mask = HistoryMask(written);
            if (c->byText || (mask & ByText) != 0) {
                if (!ContainsAll(written->params, c->symbol->params)) return false;
            } else if ((c->mask & ~mask) != 0) {
                return false;
            }
        }
        return true;
    }
    // Before output symbols may have changed: at the start of every run.
    void ForgetHistory() { ++historyRun_; }
    // Keeps the mask of symbol past ForgetHistory, as for the rules' own symbols: symbol stays
    // as it is while this index does (a marker the engine writes).
    void KeepHistoryMask(const Symbol* symbol) {
        if (!FindStable(symbol)) AddStable(symbol);
    }

    // Whether every symbol of rules[id].right is copied as it is (CopiesAsIs).
    bool RightCopiesAsIs(std::int32_t id) const {
        return rightAsIs_[static_cast<std::size_t>(id)] != 0;
    }

    // The first keyed rule whose key is not below c (c below 256), as a bisection of the keys
    // would find it; -1 when c is 256 or more.
    std::int32_t FirstKeyed(std::uint32_t c) const { return c < 256 ? firstKeyed_[c] : -1; }

    // The mask of an input symbol's parameters: a bit for each pair the left sides use, or
    // ByText.
    std::uint64_t MaskOf(const SmbParamCollection& params) const;
    // The facts of an input symbol. Numbers of parameter sets stay valid until StartRun.
    InputFacts Facts(const Symbol& symbol) {
        InputFacts facts = Facts(symbol.params);
        facts.code = symbol.code;
        return facts;
    }
    // Facts(symbol) for a symbol that stays unchanged while version does, remembered by its
    // address.
    InputFacts FactsOf(const Symbol& symbol, std::uint64_t version) {
        if (version != originsVersion_) {
            origins_.assign(origins_.size(), OriginEntry());
            originsVersion_ = version;
        }
        OriginEntry& entry = origins_[AddressSlot(&symbol)];
        if (entry.symbol != &symbol || entry.epoch != groupsEpoch_)
            entry = {&symbol, groupsEpoch_, Facts(symbol)};
        return entry.facts;
    }
    // Before the facts of a new input are taken: forgets the parameter sets (and so every
    // remembered scan) when there are too many.
    void StartRun();

    // CompareAt(rules[id], word, n) for the symbols *word[0..n), where facts[i] are the facts
    // of *word[i] for every i < n.
    std::int32_t Compare(std::int32_t id, const Symbol* const* word, const InputFacts* facts,
                         std::int32_t n) const {
        std::int32_t matched = 0;
        return CompareFrom(id, word, facts, n, 0, matched);
    }

    // Compares rules with one input as Compare does. A rule compared right after the rule
    // before it takes over their common beginning (same codes and parameters): the symbols
    // that matched there match again, and where the earlier rule failed inside it, this one
    // fails the same way. Also tells how far into the input the comparisons have read.
    class Cursor {
    public:
        Cursor(const RuleIndex& index, const Symbol* const* word, const InputFacts* facts,
               std::int32_t n)
            : index_(index), word_(word), facts_(facts), n_(n) {}
        std::int32_t operator()(std::int32_t id) {
            if (id == last_) return result_;
            std::int32_t from = 0;
            if (id == last_ + 1) {
                from = index_.shared_[static_cast<std::size_t>(id)];
                if (matched_ < from) {
                    last_ = id;
                    return result_;
                }
            }
            last_ = id;
            result_ = index_.CompareFrom(id, word_, facts_, n_, from, matched_);
            // The symbol where the comparison stopped was looked at (or the input's end).
            if (matched_ + 1 > read_) read_ = matched_ + 1;
            return result_;
        }
        // The input symbols word[0..Read()) decided every comparison so far, together with
        // whether n reached Read().
        std::int32_t Read() const { return read_; }

    private:
        const RuleIndex& index_;
        const Symbol* const* word_;
        const InputFacts* facts_;
        std::int32_t n_;
        std::int32_t last_ = -2;
        std::int32_t matched_ = 0; // left symbols of rule last_ that matched
        std::int32_t result_ = 0;
        std::int32_t read_ = 0;
    };

    // A remembered scan at the input whose facts are facts[0..a), keyless rules tried or not
    // (from facts[-s]); null when there is none.
    const Scan* FindScan(const InputFacts* facts, std::int32_t a, bool keyless, std::uint32_t s);
    // Remembers a scan that read the input [-s'..extent) (s' = s with keyless rules, else 0).
    void KeepScan(const InputFacts* facts, std::int32_t a, bool keyless, std::uint32_t s,
                  std::int32_t extent, Scan scan);

private:
    // Compare, knowing that the first `from` left symbols match; matched is set to the number
    // of left symbols that matched when the comparison ended.
    std::int32_t CompareFrom(std::int32_t id, const Symbol* const* word, const InputFacts* facts,
                             std::int32_t n, std::int32_t from, std::int32_t& matched) const {
        const Pattern* pattern = patterns_.data() + starts_[static_cast<std::size_t>(id)];
        const std::int32_t count = counts_[static_cast<std::size_t>(id)];
        std::int32_t i = from;
        while (i < n && i < count) {
            const Pattern& p = pattern[i];
            const std::uint32_t wc = facts[i].code;
            const bool codesAgree = p.code == 0 || wc == 0 || p.code == wc;
            if (codesAgree && Contains(p, *word[i], facts[i].mask)) {
                ++i;
                continue;
            }
            matched = i;
            if (i > 0 && pattern[i - 1].code == 0) return -1;
            if (p.code != wc) return p.code > wc ? 1 : -1;
            return *p.symbol > *word[i] ? 1 : -1;
        }
        matched = i;
        return i == count ? 0 : 1;
    }

    // A context condition: the distance back into the output, and the parameters the symbol
    // there must have, as a mask over the pairs the conditions use.
    struct Condition {
        std::uint32_t distance;
        bool byText;
        std::uint64_t mask;
        const Symbol* symbol;
    };
    // The slot of a symbol's address in a table of 4096 kept by address.
    static std::size_t AddressSlot(const Symbol* symbol) {
        return static_cast<std::size_t>(
            (reinterpret_cast<std::uintptr_t>(symbol) >> 4) * 0x9E3779B97F4A7C15ull >> 52);
    }
    // The mask of an output symbol over the conditions' pairs, or ByText; remembered by address.
    // A small table first; the symbols that stay are found in a larger one behind it.
    std::uint64_t HistoryMask(const Symbol* symbol) {
        HistoryEntry& entry = history_[AddressSlot(symbol)];
        if (entry.symbol == symbol && (entry.run == historyRun_ || entry.run == kStable))
            return entry.mask;
        if (const StableMask* kept = FindStable(symbol))
            entry = {symbol, kStable, kept->mask};
        else
            entry = {symbol, historyRun_, PairsMask(contextBits_, symbol->params)};
        return entry.mask;
    }
    // The run of a history entry copied from the stable masks: valid until the index is rebuilt.
    static constexpr std::uint64_t kStable = 0;
    struct HistoryEntry {
        const Symbol* symbol = nullptr;
        std::uint64_t run = 0;
        std::uint64_t mask = 0;
    };
    // The masks of the symbols that stay while the index does (the rules' right sides, the
    // markers): open addressing by address, at most half full, never evicted.
    struct StableMask {
        const Symbol* symbol = nullptr;
        std::uint64_t mask = 0;
    };
    std::size_t StableSlot(const Symbol* symbol) const {
        return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(symbol) >> 4) *
                                            0x9E3779B97F4A7C15ull >>
                                        stableShift_);
    }
    const StableMask* FindStable(const Symbol* symbol) const {
        const std::size_t mask = stable_.size() - 1;
        for (std::size_t i = StableSlot(symbol);; i = (i + 1) & mask) {
            const StableMask& slot = stable_[i];
            if (slot.symbol == symbol) return &slot;
            if (slot.symbol == nullptr) return nullptr;
        }
    }
    void AddStable(const Symbol* symbol);
    // The mask and group of a parameter set.
    InputFacts Facts(const SmbParamCollection& params);
    // The pairs that have a bit (sorted, at most 63; bit k is pair k), with a hash index.
    class PairBits {
    public:
        void Assign(std::vector<SmbParams>& pairs); // sorts the pairs and drops repeats first
        const std::vector<SmbParams>& Pairs() const { return pairs_; }
        // The bit of a pair equal to pair (by name and value texts), or -1.
        std::int32_t BitOf(const SmbParams& pair) const;

    private:
        static std::uint32_t Hash(const SmbParams& pair);
        std::vector<SmbParams> pairs_;
        std::array<std::int8_t, 256> slots_{}; // bit + 1 by hash, open addressing; 0 free
    };
    static std::uint64_t PairsMask(const PairBits& pairs, const SmbParamCollection& params);

    struct Pattern {
        std::uint32_t code;
        bool byText;        // the mask cannot decide: compare the parameter texts
        std::uint64_t mask; // the pairs the symbol requires
        const Symbol* symbol;
    };

    // ContainsAll(symbol.params, pattern's parameters).
    static bool Contains(const Pattern& p, const Symbol& symbol, std::uint64_t mask) {
        if (p.mask == 0 && !p.byText) return true;
        if (p.byText || (mask & ByText) != 0) return ContainsAll(symbol.params, p.symbol->params);
        return (p.mask & ~mask) == 0;
    }

    static std::uint64_t KeySeed(std::size_t length) { return 0x9E3779B97F4A7C15ull ^ length; }
    static std::uint64_t KeyMix(std::uint64_t hash, std::uint64_t word) {
        hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
        return hash ^ (hash >> 29);
    }
    // The key of a scan over facts[from..to) packed into one word, when it holds at most three
    // symbols, each of a code below 256 and a group below 4096; else 0. (from and to follow
    // from the count, keyless and s.)
    static std::uint64_t PackedKey(const InputFacts* facts, std::int32_t from, std::int32_t to,
                                   bool keyless, std::uint32_t s) {
        const std::int32_t count = to - from;
        if (count < 1 || count > 3 || s > 1) return 0;
        std::uint64_t key =
            std::uint64_t{keyless} | std::uint64_t{s} << 1 | static_cast<std::uint64_t>(count) << 2;
        for (std::int32_t i = 0; i < count; ++i) {
            const InputFacts& f = facts[from + i];
            if (f.code >= 256 || f.group >= 4096) return 0;
            key |= static_cast<std::uint64_t>(f.code | f.group << 8) << (4 + 20 * i);
        }
        return key;
    }
    // The hash of a scan's key: the header word, then the words of count symbols' facts. Two
    // chains of multiplications, even and odd symbols, so that neither waits on the other.
    static std::uint64_t KeyHash(std::uint64_t header, const InputFacts* facts,
                                 std::int32_t count) {
        std::uint64_t even = KeySeed(static_cast<std::size_t>(count)) ^ header;
        std::uint64_t odd = 0;
        std::int32_t i = 0;
        for (; i + 2 <= count; i += 2) {
            even = (even + facts[i].Word()) * 0xFF51AFD7ED558CCDull;
            odd = (odd + facts[i + 1].Word()) * 0xC4CEB9FE1A85EC53ull;
        }
        if (i < count) even = (even + facts[i].Word()) * 0xFF51AFD7ED558CCDull;
        std::uint64_t hash = even ^ (odd >> 32 | odd << 32);
        hash = (hash ^ hash >> 29) * 0x9E3779B97F4A7C15ull;
        return hash ^ hash >> 32;
    }
    // Makes key_ the key of a scan over input[from..to) and returns its hash.
    std::uint64_t Key(const InputFacts* facts, std::int32_t from, std::int32_t to, bool keyless,
                      std::uint32_t s);

    // Remembered scans by key: open addressing over hashes, keys kept in one array.
    class ScanTable {
    public:
        // The scan whose key has the hash, length words, and the words same(stored) accepts.
        template <class Same>
        const Scan* Find(std::size_t length, std::uint64_t hash, const Same& same) const {
            if (slots_.empty()) return nullptr;
            const std::size_t mask = slots_.size() - 1;
            for (std::size_t i = static_cast<std::size_t>(hash) & mask;; i = (i + 1) & mask) {
                const Slot& slot = slots_[i];
                if (slot.scan < 0) return nullptr;
                if (slot.hash == hash && slot.length == length && same(words_.data() + slot.at))
                    return &scans_[static_cast<std::size_t>(slot.scan)];
            }
        }
        // The same for the key of a header word and count symbols' facts.
        const Scan* Find(std::uint64_t hash, std::uint64_t header, const InputFacts* facts,
                         std::int32_t count) const {
            return Find(1 + static_cast<std::size_t>(count), hash,
                        [&](const std::uint64_t* stored) {
                            if (stored[0] != header) return false;
                            for (std::int32_t k = 0; k < count; ++k)
                                if (stored[1 + k] != facts[k].Word()) return false;
                            return true;
                        });
        }
        void Insert(const std::vector<std::uint64_t>& key, std::uint64_t hash, Scan scan);
        // The same for a key packed into one word (PackedKey), kept without its words.
        const Scan* FindPacked(std::uint64_t packed) const {
            if (slots_.empty()) return nullptr;
            const std::size_t mask = slots_.size() - 1;
            for (std::size_t i = PackedIndex(packed) & mask;; i = (i + 1) & mask) {
                const Slot& slot = slots_[i];
                if (slot.scan < 0) return nullptr;
                if (slot.length == 0 && slot.hash == packed)
                    return &scans_[static_cast<std::size_t>(slot.scan)];
            }
        }
        void InsertPacked(std::uint64_t packed, Scan scan);
        void Clear();
        std::size_t Size() const { return scans_.size(); }
        // The key words and candidates it holds.
        std::size_t Held() const { return words_.size() + candidates_; }

    private:
        struct Slot {
            std::uint64_t hash = 0; // a packed key itself when length is 0
            std::uint32_t at = 0;   // the key is words_[at .. at + length)
            std::uint32_t length = 0;
            std::int32_t scan = -1; // index in scans_; -1 for a free slot
        };
        static std::size_t PackedIndex(std::uint64_t packed) {
            const std::uint64_t mixed = (packed ^ (packed >> 31)) * 0x9E3779B97F4A7C15ull;
            return static_cast<std::size_t>(mixed ^ (mixed >> 32));
        }
        // A free slot for a new entry, the table grown first when it is half full.
        Slot& FreeSlot(std::size_t index);
        void Grow();
        std::vector<Slot> slots_; // a power of two, at most half of them used
        std::vector<std::uint64_t> words_;
        std::vector<Scan> scans_;
        std::size_t candidates_ = 0; // in all of scans_
    };

    const TransCriber* engine_ = nullptr;
    const void* rules_ = nullptr;
    std::int32_t ruleCount_ = -1;
    std::uint64_t version_ = 0;

    std::vector<Pattern> patterns_;
    std::vector<std::size_t> starts_; // rule i: patterns_[starts_[i] .. + counts_[i])
    std::vector<std::int32_t> counts_;
    std::vector<std::int32_t> shared_; // left symbols rule i has in common with rule i - 1
    std::vector<std::uint8_t> rightAsIs_;
    std::vector<Condition> conditions_;
    std::vector<std::uint32_t> conditionStarts_; // rule i: conditions_[starts[i] .. starts[i+1])
    PairBits contextBits_;                       // the conditions' pairs with a bit
    std::vector<HistoryEntry> history_ = std::vector<HistoryEntry>(4096);
    std::vector<StableMask> stable_ = std::vector<StableMask>(64);
    unsigned stableShift_ = 58; // 64 - log2(stable_.size())
    std::size_t stableCount_ = 0;
    std::uint64_t historyRun_ = 1;
    PairBits pairBits_; // the left sides' pairs with a bit
    std::int32_t firstKeyed_[256] = {};

    // By first input code: the longest extent the scans have read, by the second code (below
    // 256; the last entry for every other code and for a scan at the input's last symbol).
    struct KeyInfo {
        std::unique_ptr<std::array<std::int32_t, 257>> extent;
        std::int32_t& For(std::uint32_t next) {
            if (!extent) {
                extent = std::make_unique<std::array<std::int32_t, 257>>();
                extent->fill(0);
            }
            return (*extent)[next < 256 ? next : 256];
        }
        std::int32_t Of(std::uint32_t next) const {
            return extent ? (*extent)[next < 256 ? next : 256] : 0;
        }
    };
    // The code after the first that picks a scan's extent: 256 when there is none.
    static std::uint32_t Second(const InputFacts* facts, std::int32_t a) {
        return a > 1 ? facts[1].code : 256u;
    }
    KeyInfo& Info(std::uint32_t c) { return c < 256 ? smallKeys_[c] : byKey_[c]; }
    const KeyInfo* FindInfo(std::uint32_t c) const {
        if (c < 256) return &smallKeys_[c];
        const auto found = byKey_.find(c);
        return found == byKey_.end() ? nullptr : &found->second;
    }
    KeyInfo smallKeys_[256];                           // codes below 256
    std::unordered_map<std::uint32_t, KeyInfo> byKey_; // the others

    // Parameter sets by their bytes as stored (name and value fields whole): open addressing
    // over hashes; the bytes of group g are groupBytes_[groupAt_[g] .. groupAt_[g + 1]).
    struct GroupSlot {
        std::uint64_t hash = 0;
        std::int32_t group = -1; // -1 for a free slot
    };
    std::int32_t FindGroup(const SmbParamCollection& params, std::uint64_t hash) const;
    bool SameBytes(std::int32_t group, const SmbParamCollection& params) const;
    void ClearGroups();
    std::vector<GroupSlot> groupSlots_ = std::vector<GroupSlot>(1024);
    std::vector<char> groupBytes_;
    std::vector<std::uint32_t> groupAt_ = std::vector<std::uint32_t>(1, 0);
    std::vector<InputFacts> groupFacts_;
    std::int32_t lastGroup_ = -1;   // the group Facts found last
    std::uint64_t groupsEpoch_ = 0; // counts the times the groups were forgotten
    struct OriginEntry {
        const Symbol* symbol = nullptr;
        std::uint64_t epoch = 0;
        InputFacts facts{};
    };
    std::vector<OriginEntry> origins_ = std::vector<OriginEntry>(4096); // by address
    std::uint64_t originsVersion_ = 0;
    ScanTable scans_;
    std::vector<std::uint64_t> key_; // scratch
};
