#pragma once

#include "core/Symbol.h"
#include "engine/RuleIndex.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>
#include <vector>

// One variant of a run: its output so far, its read position and its keyless flag. The output
// holds pointers to symbols that stay unchanged for the whole run (rule right sides, input
// symbols, the markers and the merged symbols of the pool below), so that appending costs
// one pointer and a fork copies pointers only. The symbols themselves are copied once, when
// the run hands its variants back. preference adds up, over the forks that made the variant,
// the place of the rule it took among the rules of that fork in the order they were written
// (0 for the first written): the rule author's order, which the sorted rule set has lost.
struct Variant {
    std::vector<const Symbol*> out;
    std::uint32_t position = 0;
    bool keyless = true;
    std::uint32_t preference = 0;
};

// The variants of one generation. Entries past Count() keep their buffers for later runs.
class Generation {
public:
    std::int32_t Count() const { return count_; }
    Variant& operator[](std::int32_t v) { return slots_[static_cast<std::size_t>(v)]; }
    const Variant& operator[](std::int32_t v) const { return slots_[static_cast<std::size_t>(v)]; }

    // A new last entry with an empty output. References to other entries stay valid only
    // until the next call.
    Variant& Append() {
        if (static_cast<std::size_t>(count_) == slots_.size()) slots_.emplace_back();
        Variant& v = slots_[static_cast<std::size_t>(count_++)];
        v.out.clear();
        return v;
    }
    void Clear() { count_ = 0; }
    // Entries made so far, spare ones included.
    std::size_t Slots() const { return slots_.size(); }
    // Gives back the memory of spare entries, of outputs longer than limit pointers, and of
    // the outputs past the first budget pointers (budget is lowered by what is kept).
    void Trim(std::size_t limit, std::size_t& budget);

private:
    std::vector<Variant> slots_;
    std::int32_t count_ = 0;
};

// Symbols made during a run, each standing for what a variant would hold as its own copy.
// Each is made once per run for its arguments; the objects are reused by later runs.
class SymbolPool {
public:
    // A copy of s (as Symbol assignment makes it): s itself when that changes nothing.
    const Symbol* Copy(const Symbol* s) { return CopiesAsIs(*s) ? s : Normalized(s); }
    // A copy of u whose parameters are merged with reference's (TransCriber::MergeParams), as
    // written by a resolved reference.
    const Symbol* Merged(const Symbol* u, const Symbol* reference);
    // base amended in place by source's parameters: an exact copy of base, merged.
    const Symbol* Amended(const Symbol* base, const Symbol* source);
    // Whether some symbol made by Amended in this run would change when copied.
    bool HasUnordered() const { return unordered_ > 0; }
    // Forgets every symbol made (at the start of a run).
    void Reset();
    // Forgets every symbol made and gives back all but keep of the reusable objects.
    void Trim(std::size_t keep);

private:
    using Key = std::pair<const Symbol*, const Symbol*>;
    struct KeyHash {
        std::size_t operator()(const Key& key) const {
            const auto a = reinterpret_cast<std::uintptr_t>(key.first);
            const auto b = reinterpret_cast<std::uintptr_t>(key.second);
            return static_cast<std::size_t>(a * 0x9E3779B97F4A7C15ull ^ (b + (a >> 7)));
        }
    };
    using Made = std::unordered_map<Key, const Symbol*, KeyHash>;

    const Symbol* Normalized(const Symbol* s);
    Symbol& Fresh();

    std::deque<Symbol> symbols_;
    std::size_t used_ = 0;
    std::size_t unordered_ = 0;
    Made normalized_, merged_, amended_;
};

// The state of the engine's runs, kept by the engine between runs so that a run allocates
// almost nothing: the current and the next generation, the candidate lists of rule selection,
// the pool of merged symbols and the markers the engine writes.
struct WorkingSets {
    WorkingSets();

    // Appends a copy of variant's output to the next generation and returns that entry.
    Variant& CopyNext(const Variant& variant, std::uint32_t position, bool keyless);
    // Appends variant's output itself to the next generation (variant is left empty), so that
    // a variant that goes on without forking costs nothing in the length of its output.
    Variant& MoveNext(Variant& variant, std::uint32_t position, bool keyless);
    // Moves the next generation into the current one; the next one is then empty.
    void Swap();
    // Prepares for a run: one variant holding the begin marker at position 0, keyless on.
    void Start();
    // After a run: gives back what only a very long line needed.
    void Trim();
    // Runs since the working sets last gave back all they could.
    std::uint32_t runsSinceTrim = 0;
    // Runs since the last that needed long buffers (64 and more: none lately).
    std::uint32_t runsSinceLong = 64;

    Generation current;
    Generation next;
    RuleIndex index;
    std::vector<InputFacts> facts;     // of the run's input symbols
    std::vector<const Symbol*> inputs; // the run's input symbols

    // The scans of this run by position: every variant at a position scans the same input,
    // so each scan is made once and then read back (with its count of comparisons).
    struct Scanned {
        std::uint32_t from; // its candidates are scannedCandidates[from .. from + count)
        std::uint32_t count;
        std::uint64_t comparisons;
    };
    std::vector<std::int32_t> scanAt; // by 4 * position + 2 * keyless + s: index, or -1
    std::vector<Scanned> scanned;
    std::vector<Candidate> scannedCandidates;
    std::vector<Candidate> candidates;
    std::vector<Candidate> subCandidates;
    SymbolPool pool;

    const Symbol begin;       // "<" beg=beg
    const Symbol end;         // ">" beg=end
    const Symbol gap;         // "_" beg=prom
    const Symbol placeholder; // 0xFFFFFFFB
    const Symbol final;       // ">" without parameters
};
